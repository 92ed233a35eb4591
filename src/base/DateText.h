#pragma once
// Dates as the person reads and types them.
#include <QDate>
#include <QString>

namespace base {

// The short-date text of a date in the current locale, with the year always
// written in four digits so that it reads back as the same day. The report
// windows put this between # marks.
QString ShortDateText(const QDate& date);
// Reads such a text back (also accepts yyyy-MM-dd). Invalid date if the text
// is not exactly one date in either form: nothing may follow the date, and a
// text the locale cannot read is not guessed month first.
QDate ParseShortDateText(const QString& text);

}  // namespace base
