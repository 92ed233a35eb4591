#include "toko/Kode.h"

#include "db/Sql.h"

namespace toko {

NextCodeResult NextCode(const QString& prefix, int width, const QString& lastCode) {
  NextCodeResult r;
  qint64 serial = 1;
  if (!lastCode.isEmpty()) serial = db::LeadingNumber(lastCode.right(width)) + 1;
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

}  // namespace toko
