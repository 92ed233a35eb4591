#include "base/Number.h"

#include <limits>

namespace base {

Whole ReadWhole(QStringView text, qsizetype from, bool plus) {
  Whole r;
  qsizetype i = from;
  const qsizetype n = text.size();
  bool neg = false;
  if (i < n && (text[i] == QLatin1Char('-') || (plus && text[i] == QLatin1Char('+')))) {
    neg = text[i] == QLatin1Char('-');
    ++i;
  }
  // Counted downwards, so the smallest 64-bit number fits as well.
  qint64 v = 0;
  for (; i < n; ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') break;
    r.digits = true;
    if (__builtin_mul_overflow(v, 10, &v) || __builtin_sub_overflow(v, qint64(c - u'0'), &v)) {
      r.fits = false;
      while (i < n && text[i].unicode() >= u'0' && text[i].unicode() <= u'9') ++i;
      break;
    }
  }
  if (r.fits && !neg && v == std::numeric_limits<qint64>::min()) r.fits = false;
  r.end = i;
  r.value = !r.fits ? 0 : neg ? v : -v;
  return r;
}

bool WholeText(QStringView text, qint64* value) {
  const QStringView t = text.trimmed();
  if (t.isEmpty()) {
    *value = 0;
    return true;
  }
  const Whole r = ReadWhole(t);
  if (!r.digits || !r.fits || r.end != t.size()) return false;
  *value = r.value;
  return true;
}

}  // namespace base
