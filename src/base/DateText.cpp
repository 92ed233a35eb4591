#include "base/DateText.h"

#include <QLocale>
#include <QRegularExpression>

namespace base {

namespace {
// The locale's short format with a two-digit year widened to four digits:
// Qt reads "yy" back in the 1900s, so 2031 would come back as 1931.
QString WideShortFormat() {
  QString f = QLocale().dateFormat(QLocale::ShortFormat);
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  f.replace(twoDigitYear, QStringLiteral("yyyy"));
  return f;
}
}  // namespace

QString ShortDateText(const QDate& date) { return QLocale().toString(date, WideShortFormat()); }

QDate ParseShortDateText(const QString& text) {
  const QString t = text.trimmed();
  QDate d = QLocale().toDate(t, WideShortFormat());
  if (d.isValid()) return d;
  static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  if (iso.match(t).hasMatch()) d = QDate::fromString(t, Qt::ISODate);
  return d;
}

}  // namespace base
