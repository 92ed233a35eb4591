#pragma once
// A stock item as a search hands it back to the screen that asked for it.
#include <QString>

namespace toko {

struct BarangDipilih {
  QString kode;     // GGG.PPP.BBB
  QString nama;
  qint64 hargaJual = 0;
  bool ada() const { return !kode.isEmpty(); }
};

}  // namespace toko
