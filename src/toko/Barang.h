#pragma once
// A stock item as a search hands it back to the screen that asked for it.
#include <QMetaType>
#include <QString>

namespace toko {

struct BarangDipilih {
  QString kode;     // GGG.PPP.BBB
  QString nama;
  qint64 hargaJual = 0;
  bool denganHarga = false;  // the search lists selling prices (the till's): hargaJual is one
  bool dipilih = false;      // a row was picked (a blank row too: its texts are empty)
  bool ada() const { return !kode.isEmpty(); }
};

}  // namespace toko

Q_DECLARE_METATYPE(toko::BarangDipilih)
