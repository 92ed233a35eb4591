#pragma once
// Helpers for statement text: quoting typed values, the date text that the
// report windows put between # marks, and the translation
// of the statements the windows write into SQLite's dialect.
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace db {

// A typed value as an SQL text literal: between single quotes, every single
// quote doubled. Every value a person typed reaches statement text only
// through this function.
QString Quote(const QString& value);

// The short-date text of a date in the current locale, with the year always
// written in four digits so that it reads back as the same day. The report
// windows put this between # marks.
QString ShortDateText(const QDate& date);
// Reads such a text back (also accepts yyyy-MM-dd). Invalid date if the text
// is not exactly one date in either form: nothing may follow the date, and a
// text the locale cannot read is not guessed month first.
QDate ParseShortDateText(const QString& text);

// Numeric value of a text as the screens read it: leading blanks skipped, an
// optional minus sign, then the leading digits; anything else reads as 0.
// Digits beyond what 64 bits hold give 0 with *ok false, never another number.
qint64 LeadingNumber(const QString& text, bool* ok = nullptr);


// One reader of statement text, used by the translation, the number
// conversion of INSERT/UPDATE values and everything else that looks into a
// statement: it knows '...' and "..." literals (a doubled quote inside),
// #date# literals, [bracketed] names and -- and /* */ comments.
struct Token {
  enum Kind { Blank, Comment, Word, Name, Number, Text, Date, Punct };
  Kind kind;
  int start;      // position in the statement text
  int len;
  QString value;  // Text: the literal's value; Date: yyyy-MM-dd; Name: without brackets
};
// Reads the statement into tokens. Fails with a clear message (and no tokens)
// on an unclosed quote, # mark, bracket or comment, and on a #date# literal
// that is not exactly one date.
bool ReadStatement(const QString& text, QList<Token>* tokens, QString* error);
// The statement in SQLite's dialect: #date# literals become 'yyyy-MM-dd',
// "text" literals become 'text', everything else is copied as it stands.
// `replace` gives other text for some tokens (by index).
QString WriteSqlite(const QString& text, const QList<Token>& tokens, const QHash<int, QString>& replace = {});
// ReadStatement and WriteSqlite in one step.
bool TranslateJet(const QString& jet, QString* sqlite, QString* error);

// A failed statement as a person sees it: what failed, in Indonesian, the
// statement (shortened) and the store's own message. A busy database says so
// and that the work can be saved again.
// `what` names what failed when the statement does not say it (a record set
// storing its row fails with its query as the statement).
QString FailureText(const QString& statement, const QString& storeMessage, bool busy, const QString& what = {});
// The statement on one line, cut to `max` characters.
QString ShortStatement(const QString& statement, int max = 160);

}  // namespace db
