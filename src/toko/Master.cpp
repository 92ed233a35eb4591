#include "toko/Master.h"

#include "db/Recordset.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "toko/Barcode.h"

namespace toko {

namespace {
const QString kAdmin = QStringLiteral("ADMIN");

// The failure of a read, named by the statement the caller wrote (as the
// windows name a failed read).
db::Error GagalBaca(const db::Recordset& rs, const QString& sql) {
  db::Error e = rs.Failure();
  e.statement = sql;
  return e;
}

db::Error TanpaKoneksi(const QString& sql) {
  db::Error e;
  e.kind = db::Error::Kind::Other;
  e.message = QStringLiteral("Koneksi database belum terbuka");
  e.statement = sql;
  return e;
}

// The user of `id` may go: it exists, and another user can still log in as
// ADMIN if it can.
db::Error CekPengguna(const db::ConnectionPtr& c, const QString& id, Larangan* larangan) {
  db::Recordset rs;
  const QString sql = QStringLiteral("SELECT * FROM Pengguna WHERE UserId=") + db::Quote(id);
  if (!rs.Open(sql, c)) return GagalBaca(rs, sql);
  if (rs.Bof()) {
    *larangan = Larangan::PenggunaTidakAda;
    return {};
  }
  if (!AdminMasuk(rs.Text(QStringLiteral("Level")), rs.Text(QStringLiteral("PassId")))) return {};
  const AdminLain lain = AdaAdminLain(c, id);
  if (lain.error.failed()) return lain.error;
  if (!lain.ada) *larangan = Larangan::SatuSatunyaAdmin;
  return {};
}
}  // namespace

const DataMaster& Master(JenisMaster jenis) {
  static const DataMaster grup{QStringLiteral("Grup"), QStringLiteral("Kode_Grup"),
                               {{QStringLiteral("Produk"), QStringLiteral("Kode_Grup"), QStringLiteral("DATA PRODUK")}}};
  static const DataMaster produk{
      QStringLiteral("Produk"), QStringLiteral("Kode_Produk"),
      {{QStringLiteral("Barang"), QStringLiteral("Kode_Produk"), QStringLiteral("DATA BARANG")}}};
  static const DataMaster barang{
      QStringLiteral("Barang"), QStringLiteral("Kode_Barang"),
      {{QStringLiteral("Penjualan_Detail"), QStringLiteral("Kode_Barang"), QStringLiteral("BARIS PENJUALAN")},
       {QStringLiteral("Pembelian_Detail"), QStringLiteral("Kode_Barang"), QStringLiteral("BARIS PEMBELIAN")}}};
  static const DataMaster pemasok{
      QStringLiteral("Pemasok"), QStringLiteral("Kode_Pemasok"),
      {{QStringLiteral("Pembelian"), QStringLiteral("Kode_Pemasok"), QStringLiteral("DATA PEMBELIAN")}}};
  static const DataMaster pelanggan{
      QStringLiteral("Pelanggan"), QStringLiteral("Kode_Pelanggan"),
      {{QStringLiteral("Penjualan"), QStringLiteral("Kode_Pelanggan"), QStringLiteral("DATA PENJUALAN")}}};
  static const DataMaster pengguna{
      QStringLiteral("Pengguna"), QStringLiteral("UserId"),
      {{QStringLiteral("Penjualan"), QStringLiteral("UserID"), QStringLiteral("DATA PENJUALAN")},
       {QStringLiteral("Pembelian"), QStringLiteral("UserID"), QStringLiteral("DATA PEMBELIAN")}}};
  switch (jenis) {
    case JenisMaster::Grup: return grup;
    case JenisMaster::Produk: return produk;
    case JenisMaster::Barang: return barang;
    case JenisMaster::Pemasok: return pemasok;
    case JenisMaster::Pelanggan: return pelanggan;
    case JenisMaster::Pengguna: break;
  }
  return pengguna;
}

CekHapus PeriksaHapus(const db::ConnectionPtr& c, JenisMaster jenis, const QString& kode) {
  CekHapus h;
  for (const Rujukan& r : Master(jenis).rujukan) {
    const QString sql = QStringLiteral("SELECT count(*) AS Jumlah FROM ") + r.tabel + QStringLiteral(" WHERE ") +
                        r.kolom + QStringLiteral("=") + db::Quote(kode);
    db::Recordset rs;
    if (!rs.Open(sql, c)) {
      h.error = GagalBaca(rs, sql);
      h.pemakai.clear();
      return h;
    }
    if (const qint64 n = rs.Int(QStringLiteral("Jumlah")); n > 0) h.pemakai.append({r.nama, n});
  }
  // The table's own rule is asked only of a record nothing names.
  if (h.pemakai.isEmpty() && jenis == JenisMaster::Pengguna) h.error = CekPengguna(c, kode, &h.larangan);
  if (h.gagal()) h.larangan = Larangan::Tidak;
  return h;
}

HasilHapus Hapus(const db::ConnectionPtr& c, JenisMaster jenis, const QString& kode) {
  HasilHapus h;
  const DataMaster& m = Master(jenis);
  h.perintah = QStringLiteral("DELETE FROM ") + m.tabel + QStringLiteral(" WHERE  ") + m.kolomKode +
               QStringLiteral("=") + db::Quote(kode);
  auto gagal = [&h](db::Error e) {
    e.statement = h.perintah;
    h.cek = CekHapus();
    h.cek.error = std::move(e);
    return h;
  };
  if (!c || !c->IsOpen()) return gagal(TanpaKoneksi(h.perintah));
  // Checked again under the write lock: another till may have sold the item
  // since the first check.
  db::Transaction t(*c);
  if (!t.ok()) return gagal(c->Failure());
  h.cek = PeriksaHapus(c, jenis, kode);
  if (!h.cek.boleh()) return h;
  if (!c->Execute(h.perintah)) return gagal(c->Failure());
  // An item's barcodes go with it, so that another item may take them.
  if (jenis == JenisMaster::Barang && AdaTabelBarcode(c) && !GantiBarcode(c, kode, {})) return gagal(c->Failure());
  if (!t.Commit()) return gagal(c->Failure());
  h.dihapus = true;
  return h;
}

bool AdminMasuk(const QString& level, const QString& passId) { return level == kAdmin && !passId.isEmpty(); }

AdminLain AdaAdminLain(const db::ConnectionPtr& c, const QString& userId) {
  AdminLain a;
  db::Recordset rs;
  const QString sql = QStringLiteral("SELECT * FROM Pengguna WHERE Level=") + db::Quote(kAdmin);
  if (!rs.Open(sql, c)) {
    a.error = GagalBaca(rs, sql);
    return a;
  }
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
    if (AdminMasuk(rs.Text(QStringLiteral("Level")), rs.Text(QStringLiteral("PassId"))) &&
        rs.Text(QStringLiteral("UserId")).compare(userId, Qt::CaseInsensitive) != 0)
      a.ada = true;
  return a;
}

KodeTerakhir BacaKodeTerakhir(const db::ConnectionPtr& c, const LingkupKode& l) {
  KodeTerakhir k;
  QString sql = QStringLiteral("SELECT ") + l.kolom + QStringLiteral(" FROM ") + l.tabel;
  if (!l.syarat.isEmpty()) sql += QStringLiteral(" WHERE ") + l.syarat;
  sql += QStringLiteral(" ORDER BY ") + l.kolom + QStringLiteral(" DESC LIMIT 1");
  db::Recordset rs;
  if (!rs.Open(sql, c)) {
    k.error = GagalBaca(rs, sql);
    return k;
  }
  if (!rs.Eof()) k.kode = rs.Text(0);
  return k;
}

KodeBaru BuatKodeBaru(const db::ConnectionPtr& c, const LingkupKode& l) {
  KodeBaru b;
  const KodeTerakhir terakhir = BacaKodeTerakhir(c, l);
  if (terakhir.error.failed()) {
    b.error = terakhir.error;
    return b;
  }
  b.kode = NextCode(l.awalan, 3, terakhir.kode);
  while (b.kode.ok) {
    const QString sql = QStringLiteral("SELECT * FROM ") + l.tabel + QStringLiteral(" WHERE ") + l.kolom +
                        QStringLiteral("=") + db::Quote(b.kode.code);
    db::Recordset ada;
    if (!ada.Open(sql, c)) {
      // A code the store could not check is not free.
      b.error = GagalBaca(ada, sql);
      b.kode = NextCodeResult();
      return b;
    }
    if (ada.Bof()) break;
    b.kode = NextCode(l.awalan, 3, b.kode.code);
  }
  return b;
}

}  // namespace toko
