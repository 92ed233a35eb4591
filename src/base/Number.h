#pragma once
// The one reader of whole numbers written as text. Every layer that turns a
// typed or stored text into a number goes through ReadWhole, each with its
// own rule of what may stand around the digits.
#include <QStringView>
#include <QtGlobal>

namespace base {

struct Whole {
  qint64 value = 0;   // 0 when no digits were read or they did not fit
  qsizetype end = 0;  // position just past what was read
  bool digits = false;  // at least one digit was read
  bool fits = true;     // the digits fit in 64 bits
};

// Reads, from `from`, an optional sign (a plus only when `plus`) and the
// ASCII digits after it. Digits beyond what 64 bits hold give no number
// (fits false, value 0), never another one.
Whole ReadWhole(QStringView text, qsizetype from = 0, bool plus = true);

// The whole text is one number, blanks around it ignored; an empty text is 0.
// False (and *value untouched) for anything else.
bool WholeText(QStringView text, qint64* value);

}  // namespace base
