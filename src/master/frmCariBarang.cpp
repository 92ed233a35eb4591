#include "master/frmCariBarang.h"

#include "core/mdlUtama.h"

frmCariBarang::frmCariBarang(QWidget* parent)
    : frmCariBarangDasar(parent, {"frmCariBarang",
                                  QStringLiteral("   ::  CARI DATA BARANG"),
                                  QStringLiteral("KLIK DISINI UNTUK MEMILIH PRODUK ..!"),
                                  QStringLiteral("TABEL BARANG MASIH KOSONG!"),
                                  QStringLiteral("Informasi"),
                                  QStringLiteral("TIDAK MENEMUKAN DATA YANG DICARI "),
                                  QStringLiteral(" - DALAM KOLEKSI "),
                                  {{{QStringLiteral("NO"), 400}, QString()},
                                   {{QStringLiteral("KODE"), 1100}, QStringLiteral("Kode_Barang")},
                                   {{QStringLiteral("JENIS"), 1900}, QStringLiteral("Nama_Grup")},
                                   {{QStringLiteral("NAMA BARANG"), 3300}, QStringLiteral("Nama_Barang")}},
                                  false}) {
  Form_Load();
}

QString frmCariBarang::SqlDaftar() const {
  return QStringLiteral("SELECT Barang.*, Grup.* ") + QStringLiteral(" FROM Grup,Produk,Barang ") +
         QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
         QStringLiteral(" AND Produk.Kode_Produk=Barang.Kode_Produk ") +
         QStringLiteral(" ORDER BY Barang.Kode_Produk,Barang.Kode_Barang ");
}

QString frmCariBarang::SqlCari(const QString& teks) const {
  return QStringLiteral("SELECT Barang.*, Grup.* ") + QStringLiteral(" FROM Grup, Produk, Barang ") +
         QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
         QStringLiteral(" AND Produk.Kode_Produk=Barang.Kode_produk ") + QStringLiteral(" AND Barang.Nama_Barang LIKE ") +
         db::Quote(QStringLiteral("%") + teks + QStringLiteral("%")) + QStringLiteral(" ");
}

db::RecordsetPtr& frmCariBarang::Rs() const { return mdlUtama::RsBarang; }
