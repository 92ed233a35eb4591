#pragma once
// Helpers for statement text: quoting typed values and the translation
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

// The statement on one line, cut to `max` characters.
QString ShortStatement(const QString& statement, int max = 160);

}  // namespace db
