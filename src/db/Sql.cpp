#include "db/Sql.h"

#include <QLocale>
#include <QRegularExpression>
#include <limits>

namespace db {

QString Quote(const QString& value) {
  QString s = value;
  s.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + s + QLatin1Char('\'');
}

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
  d = QDate::fromString(t.left(10), Qt::ISODate);
  if (d.isValid()) return d;
  // The engine's own literal form, month first.
  d = QDate::fromString(t, QStringLiteral("M/d/yyyy"));
  return d;
}

qint64 LeadingNumber(const QString& text, bool* ok) {
  int i = 0;
  const int n = int(text.size());
  while (i < n && text[i] == QLatin1Char(' ')) ++i;
  bool neg = false;
  if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    neg = text[i] == QLatin1Char('-');
    ++i;
  }
  // Counted downwards, so the smallest 64-bit number fits as well. More
  // digits than 64 bits hold give no number rather than a different one.
  qint64 v = 0;
  bool fits = true;
  for (; fits && i < n && text[i].isDigit() && text[i].unicode() < 128; ++i)
    fits = !__builtin_mul_overflow(v, 10, &v) && !__builtin_sub_overflow(v, qint64(text[i].unicode() - '0'), &v);
  fits = fits && (neg || v != std::numeric_limits<qint64>::min());
  if (ok) *ok = fits;
  return !fits ? 0 : neg ? v : -v;
}

NextCodeResult NextCode(const QString& prefix, int width, const QString& lastCode) {
  NextCodeResult r;
  qint64 serial = 1;
  if (!lastCode.isEmpty()) serial = LeadingNumber(lastCode.right(width)) + 1;
  qint64 largest = 1;
  for (int i = 0; i < width; ++i) largest *= 10;
  largest -= 1;
  if (serial > largest) {
    r.error = QStringLiteral("NOMOR URUT KODE %1 SUDAH HABIS (TERAKHIR %2), KODE BARU TIDAK DAPAT DIBUAT")
                  .arg(prefix, lastCode);
    return r;
  }
  r.ok = true;
  r.code = prefix + QString::number(serial).rightJustified(width, QLatin1Char('0'));
  return r;
}

bool TranslateJet(const QString& jet, QString* out, QString* error) {
  QString s;
  s.reserve(jet.size() + 16);
  const int n = int(jet.size());
  int i = 0;
  while (i < n) {
    const QChar c = jet[i];
    if (c == QLatin1Char('\'')) {
      // Single-quoted literal: copied as it stands, doubled quotes included.
      int j = i + 1;
      while (j < n) {
        if (jet[j] == QLatin1Char('\'')) {
          if (j + 1 < n && jet[j + 1] == QLatin1Char('\'')) { j += 2; continue; }
          break;
        }
        ++j;
      }
      s += jet.mid(i, qMin(j, n - 1) - i + 1);
      i = j + 1;
    } else if (c == QLatin1Char('"')) {
      // Double-quoted text literal becomes a single-quoted one.
      QString lit;
      int j = i + 1;
      while (j < n) {
        if (jet[j] == QLatin1Char('"')) {
          if (j + 1 < n && jet[j + 1] == QLatin1Char('"')) { lit += QLatin1Char('"'); j += 2; continue; }
          break;
        }
        lit += jet[j];
        ++j;
      }
      s += Quote(lit);
      i = j + 1;
    } else if (c == QLatin1Char('#')) {
      const int j = int(jet.indexOf(QLatin1Char('#'), i + 1));
      if (j < 0) {
        if (error) *error = QStringLiteral("Tanggal tanpa tanda # penutup: %1").arg(jet.mid(i));
        return false;
      }
      const QString text = jet.mid(i + 1, j - i - 1);
      const QDate d = ParseShortDateText(text);
      if (!d.isValid()) {
        if (error) *error = QStringLiteral("Tanggal tidak dikenali: #%1#").arg(text);
        return false;
      }
      s += QLatin1Char('\'') + d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
      i = j + 1;
    } else {
      s += c;
      ++i;
    }
  }
  *out = s;
  return true;
}

}  // namespace db
