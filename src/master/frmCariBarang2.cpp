#include "master/frmCariBarang2.h"

#include "core/mdlUtama.h"

frmCariBarang2::frmCariBarang2(QWidget* parent)
    : frmCariBarangDasar(parent, {"frmCariBarang2",
                                  QStringLiteral("   ::  CARI STOK BARANG"),
                                  QStringLiteral("KLIK DISINI UNTUK MEMILIH PRODUK"),
                                  QStringLiteral("TABEL BARANG KOSONG ATAU HARGA BELUM DISETTING!"),
                                  QStringLiteral("Info"),
                                  QStringLiteral("TIDAK MENEMUKAN NAMA BARANG"),
                                  QStringLiteral(" - DALAM TABEL"),
                                  {{{QStringLiteral("NO"), 400}, QString()},
                                   {{QStringLiteral("KODE"), 1100}, QStringLiteral("Kode_Barang")},
                                   {{QStringLiteral("GRUP"), 1900}, QStringLiteral("Nama_Grup")},
                                   {{QStringLiteral("NAMA BARANG"), 3300}, QStringLiteral("Nama_Barang")},
                                   {{QStringLiteral("HARGA [Rp.]"), 1600, true}, QStringLiteral("Harga_Jual")},
                                   {{QStringLiteral("STOK"), 1600, true}, QStringLiteral("Stok")}},
                                  true}) {
  Form_Load();
}

QString frmCariBarang2::SqlDaftar() const {
  return QStringLiteral("SELECT Barang.*, Grup.* ") + QStringLiteral(" FROM Grup, Produk, Barang ") +
         QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
         QStringLiteral(" AND Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" AND Barang.Stok <> 0 ") +
         QStringLiteral(" AND Barang.Harga_Jual > Barang.Harga_Beli") +
         QStringLiteral(" ORDER BY Barang.Kode_Produk,Barang.Kode_Barang ");
}

QString frmCariBarang2::SqlCari(const QString& teks) const {
  return QStringLiteral("SELECT Barang.*, Grup.* ") + QStringLiteral(" FROM Grup, Produk,Barang ") +
         QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
         QStringLiteral(" AND Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" AND Barang.Stok <> 0 ") +
         QStringLiteral(" AND Barang.Harga_Jual > Barang.Harga_Beli") + QStringLiteral(" AND Barang.Nama_Barang LIKE ") +
         db::Quote(QStringLiteral("%") + teks + QStringLiteral("%")) + QStringLiteral(" ");
}

db::RecordsetPtr& frmCariBarang2::Rs() const { return mdlUtama::RsCari; }
