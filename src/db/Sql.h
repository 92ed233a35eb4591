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
// The engines' dialects the windows' statements are written into.
enum class Dialect { Sqlite, Postgres };
// The statement in an engine's dialect: #date# literals become 'yyyy-MM-dd',
// "text" literals become 'text', everything else is copied as it stands. On
// the server LIKE becomes ILIKE (SQLite's LIKE ignores case whatever the
// column) and a [bracketed] name a plain or quoted one.
// `replace` gives other text for some tokens (by index).
QString WriteStatement(const QString& text, const QList<Token>& tokens, Dialect dialect,
                       const QHash<int, QString>& replace = {});
inline QString WriteSqlite(const QString& text, const QList<Token>& tokens, const QHash<int, QString>& replace = {}) {
  return WriteStatement(text, tokens, Dialect::Sqlite, replace);
}
// ReadStatement and WriteStatement in one step.
bool TranslateJet(const QString& jet, QString* out, QString* error, Dialect dialect = Dialect::Sqlite);

// The ? marks of a statement outside its literals and comments numbered as
// the server's $1, $2 ...; *count gets how many there are.
QString NumberMarks(const QString& sql, int* count);
// A script of the file engine's schema (schema.sql) in the server's dialect:
// case-free text columns as citext, whole numbers as bigint, and a table
// without a primary key given a hidden rowid key of the server's own.
QString ServerSchema(const QString& sqliteSchema);
// The name of that hidden key column.
inline constexpr const char* kHiddenKey = "rowid";

// The statement on one line, cut to `max` characters.
QString ShortStatement(const QString& statement, int max = 160);

}  // namespace db
