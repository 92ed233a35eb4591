#pragma once
// Helpers for statement text: quoting typed values, the date text that the
// report windows put between # marks, the next-code rule, and the translation
// of the statements the windows write into SQLite's dialect.
#include <QDate>
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
// Reads such a text back (also accepts yyyy-MM-dd). Invalid date if unreadable.
QDate ParseShortDateText(const QString& text);

// Numeric value of a text as the screens read it: leading blanks skipped, an
// optional minus sign, then the leading digits; anything else reads as 0.
// Digits beyond what 64 bits hold give 0 with *ok false, never another number.
qint64 LeadingNumber(const QString& text, bool* ok = nullptr);

// The next code of a scope: prefix + serial written with `width` digits.
// lastCode is the last code of the scope, or empty when the scope has none.
struct NextCodeResult {
  bool ok = false;
  QString code;   // the new code when ok
  QString error;  // a message to show when the serial is used up
};
NextCodeResult NextCode(const QString& prefix, int width, const QString& lastCode);

// Translates a statement written in the Jet dialect into SQLite's:
//  - #date# literals become 'yyyy-MM-dd';
//  - "text" literals become 'text';
// Nothing inside a quoted literal is touched. Identifiers are left as they
// stand: SQLite resolves table and column names without regard to case.
// On an unreadable date literal returns false and sets *error.
bool TranslateJet(const QString& jet, QString* sqlite, QString* error);

}  // namespace db
