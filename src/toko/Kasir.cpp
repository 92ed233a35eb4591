#include "toko/Kasir.h"

#include "db/Recordset.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "toko/SimpanDokumen.h"

namespace toko {

namespace {

QString Angka(qint64 n) { return QString::number(n); }

// The first row of a query of sums, into *rs; false with *e.
bool Baca(const db::ConnectionPtr& c, const QString& sql, db::Recordset* rs, db::Error* e) {
  if (rs->Open(sql, c)) return true;
  *e = rs->Failure();
  return false;
}

QString Syarat(const char* user, const char* tanggal, const QString& kasir, const QDate& hari) {
  return QStringLiteral(" WHERE ") + QString::fromLatin1(tanggal) + QStringLiteral("=") + TanggalSql(hari) +
         QStringLiteral(" AND ") + QString::fromLatin1(user) + QStringLiteral("=") + db::Quote(kasir);
}

}  // namespace

bool JumlahPecahan(const QList<qint64>& banyak, qint64* jumlah) {
  qint64 s = 0;
  for (int i = 0; i < banyak.size() && i < BanyakPecahan; ++i) {
    qint64 v;
    if (banyak[i] < 0 || __builtin_mul_overflow(banyak[i], Pecahan[i], &v) || __builtin_add_overflow(s, v, &s))
      return false;
  }
  *jumlah = s;
  return true;
}

BacaanHari HitungHari(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal) {
  BacaanHari b;
  AngkaHari& a = b.angka;
  a.kasir = kasir;
  a.tanggal = tanggal;
  const BacaanKasAwal awal = BacaKasAwal(c, kasir, tanggal);
  if (!awal.ok()) {
    b.error = awal.error;
    return b;
  }
  a.adaKasAwal = awal.ada;
  a.kasAwal = awal.jumlah;

  db::Recordset jual, barang, retur;
  if (!Baca(c,
            QStringLiteral("SELECT COUNT(*) AS Nota, SUM(Total_Bayar) AS Total FROM Penjualan") +
                Syarat("UserID", "Tgl_Nota", kasir, tanggal),
            &jual, &b.error) ||
      !Baca(c,
            QStringLiteral("SELECT SUM(Penjualan_Detail.Jumlah) AS Barang FROM Penjualan, Penjualan_Detail") +
                Syarat("Penjualan.UserID", "Penjualan.Tgl_Nota", kasir, tanggal) +
                QStringLiteral(" AND Penjualan_Detail.No_Nota = Penjualan.No_Nota"),
            &barang, &b.error) ||
      !Baca(c,
            QStringLiteral("SELECT COUNT(*) AS Banyak, SUM(Total) AS Total FROM Retur") +
                Syarat("UserID", "Tgl_Retur", kasir, tanggal),
            &retur, &b.error))
    return b;
  a.nota = jual.Int(QStringLiteral("Nota"));
  a.penjualan = jual.Int(QStringLiteral("Total"));
  a.barang = barang.Int(QStringLiteral("Barang"));
  a.banyakRetur = retur.Int(QStringLiteral("Banyak"));
  a.retur = retur.Int(QStringLiteral("Total"));
  return b;
}

BacaanKasAwal BacaKasAwal(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal) {
  BacaanKasAwal k;
  db::Recordset rs;
  if (!Baca(c, QStringLiteral("SELECT Jumlah FROM Kas_Awal") + Syarat("UserID", "Tanggal", kasir, tanggal), &rs,
            &k.error))
    return k;
  k.ada = !rs.Eof();
  k.jumlah = k.ada ? rs.Int(QStringLiteral("Jumlah")) : 0;
  return k;
}

db::Error SimpanKasAwal(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal, qint64 jumlah) {
  if (c->Execute(QStringLiteral("INSERT INTO Kas_Awal (UserID,Tanggal,Jumlah) VALUES (") + db::Quote(kasir) +
                 QStringLiteral(",") + TanggalSql(tanggal) + QStringLiteral(",") + Angka(jumlah) +
                 QStringLiteral(")")))
    return {};
  return c->Failure();
}

HasilTutup TutupHari(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal, qint64 dihitung,
                     const QTime& jam) {
  HasilTutup h;
  db::Transaction t(*c);
  if (!t.ok()) {
    h.error = c->Failure();
    return h;
  }
  // The figures inside the transaction: no sale of another till slips in
  // between them and the close.
  const BacaanHari b = HitungHari(c, kasir, tanggal);
  if (!b.ok()) {
    h.error = b.error;
    return h;
  }
  h.tutup = Tutup{b.angka, dihitung, jam};
  const AngkaHari& a = b.angka;
  const QString sql = QStringLiteral("INSERT INTO Tutup_Kasir (UserID,Tanggal,Jam,Kas_Awal,Nota,Penjualan,Retur,"
                                     "Diharapkan,Dihitung,Selisih) VALUES (") +
                      db::Quote(kasir) + QStringLiteral(",") + TanggalSql(tanggal) + QStringLiteral(",") +
                      db::Quote(jam.toString(QStringLiteral("HH:mm:ss"))) + QStringLiteral(",") + Angka(a.kasAwal) +
                      QStringLiteral(",") + Angka(a.nota) + QStringLiteral(",") + Angka(a.penjualan) +
                      QStringLiteral(",") + Angka(a.retur) + QStringLiteral(",") + Angka(a.diharapkan()) +
                      QStringLiteral(",") + Angka(dihitung) + QStringLiteral(",") + Angka(h.tutup.selisih()) +
                      QStringLiteral(")");
  if (!c->Execute(sql)) {
    const db::Error e = c->Failure();
    if (e.is(db::Error::Kind::DuplicateKey))
      h.sudahDitutup = true;
    else
      h.error = e;
    return h;
  }
  if (!t.Commit()) h.error = c->Failure();
  return h;
}

BacaanTutup BacaTutup(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal) {
  BacaanTutup b;
  db::Recordset rs;
  if (!Baca(c, QStringLiteral("SELECT * FROM Tutup_Kasir") + Syarat("UserID", "Tanggal", kasir, tanggal), &rs,
            &b.error))
    return b;
  if (rs.Eof()) return b;
  b.ada = true;
  AngkaHari& a = b.tutup.angka;
  a.kasir = rs.Text(QStringLiteral("UserID"));
  a.tanggal = rs.Date(QStringLiteral("Tanggal"));
  a.adaKasAwal = true;
  a.kasAwal = rs.Int(QStringLiteral("Kas_Awal"));
  a.nota = rs.Int(QStringLiteral("Nota"));
  a.penjualan = rs.Int(QStringLiteral("Penjualan"));
  a.retur = rs.Int(QStringLiteral("Retur"));
  b.tutup.dihitung = rs.Int(QStringLiteral("Dihitung"));
  b.tutup.jam = QTime::fromString(rs.Text(QStringLiteral("Jam")), QStringLiteral("HH:mm:ss"));
  return b;
}

}  // namespace toko
