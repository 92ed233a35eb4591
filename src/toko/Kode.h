#pragma once
// The rule by which every code and document number of the shop follows the
// last one of its scope: the prefix and a serial of fixed width.
#include <QString>

namespace toko {

// The next code of a scope: prefix + serial written with `width` digits.
// lastCode is the last code of the scope, or empty when the scope has none.
struct NextCodeResult {
  bool ok = false;
  QString code;   // the new code when ok
  QString error;  // a message to show when the serial is used up
};
NextCodeResult NextCode(const QString& prefix, int width, const QString& lastCode);

}  // namespace toko
