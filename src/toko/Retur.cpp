#include "toko/Retur.h"

#include <QHash>
#include <QPair>

#include "db/Password.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "toko/Master.h"
#include "toko/SimpanDokumen.h"

namespace toko {

namespace {

QString Angka(qint64 n) { return QString::number(n); }

// An item at one price: the key of what can be taken back.
using Kunci = QPair<QString, qint64>;
Kunci KunciDari(const QString& kode, qint64 harga) { return {kode.toUpper(), harga}; }

// A refusal of the rules, as a failure of the save: nothing is stored.
db::Error Tolakan(const QString& why) { return db::Error{db::Error::Kind::Other, why, QString(), QString()}; }

// Whether the user logs in as ADMIN; false with *e when the store failed.
bool Admin(const db::ConnectionPtr& c, const QString& user, bool* admin, db::Error* e) {
  db::Recordset rs;
  if (!rs.Open(QStringLiteral("SELECT Level, PassId FROM Pengguna WHERE UserId=") + db::Quote(user), c)) {
    *e = rs.Failure();
    return false;
  }
  *admin = !rs.Eof() && AdminMasuk(rs.Text(QStringLiteral("Level")), rs.Text(QStringLiteral("PassId")));
  return true;
}

// The return as the rules take it: a refusal in h, or the lines with
// their amounts and the total.
bool Periksa(const SisaJual& s, Retur* r, HasilRetur* h) {
  if (!s.ada) {
    h->tolak = TolakRetur::NotaTidakAda;
    return false;
  }
  QHash<Kunci, qint64> sisa, diminta;
  QHash<Kunci, QString> nama;
  for (const SisaBaris& b : s.baris) {
    sisa[KunciDari(b.kode, b.harga)] += b.sisa();
    nama[KunciDari(b.kode, b.harga)] = b.nama;
  }
  QList<BarisBarang> baris;
  qint64 total = 0;
  for (BarisBarang b : r->baris) {
    if (b.jumlah <= 0) continue;
    const Kunci k = KunciDari(b.kode, b.harga);
    if (!sisa.contains(k)) {
      h->tolak = TolakRetur::BukanBarisNota;
      h->barang = b.kode;
      return false;
    }
    diminta[k] += b.jumlah;
    if (diminta[k] > sisa[k]) {
      h->tolak = TolakRetur::Melebihi;
      h->barang = b.kode;
      h->sisa = sisa[k];
      return false;
    }
    // Bounded by the sale's own amounts, which fit.
    b.subtotal = b.harga * b.jumlah;
    if (b.nama.isEmpty()) b.nama = nama[k];
    total += b.subtotal;
    baris << b;
  }
  if (baris.isEmpty()) {
    h->tolak = TolakRetur::TanpaBaris;
    return false;
  }
  r->baris = baris;
  r->total = total;
  return true;
}

// Stores the return; `siapkan` reads the sale inside the transaction and
// makes the return's lines (or refuses).
HasilRetur SimpanRetur(const db::ConnectionPtr& c, Retur r, const std::function<bool(const SisaJual&, Retur*,
                                                                                     HasilRetur*)>& siapkan) {
  HasilRetur h;
  // Drawn as the other numbers are; a number another till takes meanwhile
  // makes the save try the next.
  if (r.nomor.isEmpty()) {
    const NomorBaru n = NomorBerikut(c, SeriRetur);
    if (!n.ok()) {
      h.simpan.error = n.error.failed() ? n.error : Tolakan(n.habis);
      return h;
    }
    r.nomor = n.nomor;
  }
  auto periksa = [&](db::Error* e) {
    bool admin = false;
    if (!Admin(c, r.penyetuju, &admin, e)) return false;
    if (!admin) {
      h.tolak = TolakRetur::BukanAdmin;
      *e = Tolakan(QStringLiteral("approver is no ADMIN"));
      return false;
    }
    const SisaJual s = BacaSisa(c, r.nota);
    if (!s.ok()) {
      *e = s.error;
      return false;
    }
    if (!siapkan(s, &r, &h)) {
      *e = Tolakan(QStringLiteral("return refused"));
      return false;
    }
    return true;
  };
  auto kepala = [&](const QString& nomor) {
    return QStringLiteral("INSERT INTO Retur (No_Retur,Tgl_Retur,No_Nota,Total,Alasan,Batal,UserID,Penyetuju) VALUES (") +
           db::Quote(nomor) + QStringLiteral(",") + TanggalSql(r.tanggal) + QStringLiteral(",") + db::Quote(r.nota) +
           QStringLiteral(",") + Angka(r.total) + QStringLiteral(",") + db::Quote(r.alasan) + QStringLiteral(",") +
           Angka(r.batal ? 1 : 0) + QStringLiteral(",") + db::Quote(r.user) + QStringLiteral(",") +
           db::Quote(r.penyetuju) + QStringLiteral(")");
  };
  auto sisa = [&](const QString& nomor) {
    return Rincian(QStringLiteral("Detail_Retur"), QStringLiteral("No_Retur,Kode_Barang,Harga_Jual"), nomor, r.baris,
                   [](const BarisBarang& b) { return QStringLiteral("Stok=Stok + ") + Angka(b.jumlah); });
  };
  h.simpan = SimpanDokumen(c, SeriRetur, r.nomor, kepala, sisa, periksa);
  r.nomor = h.simpan.nomor;
  h.retur = r;
  return h;
}

}  // namespace

bool AdaTabelKasir(const db::ConnectionPtr& c) {
  if (!c || !c->IsOpen()) return false;
  for (const char* t : {"Retur", "Detail_Retur", "Kas_Awal", "Tutup_Kasir"})
    if (!c->HasTable(QString::fromLatin1(t))) return false;
  return true;
}

SisaJual BacaSisa(const db::ConnectionPtr& c, const QString& nota) {
  SisaJual s;
  db::Recordset kepala;
  if (!kepala.Open(QStringLiteral("SELECT * FROM Penjualan WHERE No_Nota=") + db::Quote(nota), c)) {
    s.error = kepala.Failure();
    return s;
  }
  if (kepala.Eof()) return s;
  s.ada = true;
  s.tanggal = kepala.Date(QStringLiteral("Tgl_Nota"));
  s.kasir = kepala.Text(QStringLiteral("UserID"));
  s.total = kepala.Int(QStringLiteral("Total_Bayar"));

  db::Recordset jual;
  if (!jual.Open(QStringLiteral("SELECT Penjualan_Detail.Kode_Barang, Penjualan_Detail.Harga_Jual, "
                                "SUM(Penjualan_Detail.Jumlah) AS Terjual, MAX(Barang.Nama_Barang) AS Nama "
                                "FROM Penjualan_Detail LEFT JOIN Barang ON Barang.Kode_Barang = "
                                "Penjualan_Detail.Kode_Barang WHERE Penjualan_Detail.No_Nota=") +
                     db::Quote(nota) +
                     QStringLiteral(" GROUP BY Penjualan_Detail.Kode_Barang, Penjualan_Detail.Harga_Jual "
                                    "ORDER BY Penjualan_Detail.Kode_Barang, Penjualan_Detail.Harga_Jual"),
                 c)) {
    s.error = jual.Failure();
    return s;
  }
  QHash<Kunci, int> letak;
  for (; !jual.Eof(); jual.MoveNext()) {
    SisaBaris b;
    b.kode = jual.Text(0);
    b.harga = jual.Value(1).toLongLong();
    b.terjual = jual.Value(2).toLongLong();
    b.nama = jual.Text(3);
    letak.insert(KunciDari(b.kode, b.harga), int(s.baris.size()));
    s.baris << b;
  }
  db::Recordset retur;
  if (!retur.Open(QStringLiteral("SELECT Detail_Retur.Kode_Barang, Detail_Retur.Harga_Jual, "
                                 "SUM(Detail_Retur.Jumlah) AS Diretur FROM Retur, Detail_Retur "
                                 "WHERE Retur.No_Retur = Detail_Retur.No_Retur AND Retur.No_Nota=") +
                      db::Quote(nota) +
                      QStringLiteral(" GROUP BY Detail_Retur.Kode_Barang, Detail_Retur.Harga_Jual"),
                  c)) {
    s.baris.clear();
    s.error = retur.Failure();
    return s;
  }
  for (; !retur.Eof(); retur.MoveNext()) {
    const auto it = letak.constFind(KunciDari(retur.Text(0), retur.Value(1).toLongLong()));
    if (it != letak.constEnd()) s.baris[*it].diretur += retur.Value(2).toLongLong();
  }
  return s;
}

HasilRetur Simpan(const db::ConnectionPtr& c, const Retur& r) { return SimpanRetur(c, r, Periksa); }

HasilRetur Batalkan(const db::ConnectionPtr& c, const QString& nota, const QDate& hariIni, const QString& admin,
                    const QString& alasan) {
  Retur r;
  r.tanggal = hariIni;
  r.nota = nota;
  r.alasan = alasan;
  r.user = r.penyetuju = admin;
  r.batal = true;
  return SimpanRetur(c, r, [hariIni](const SisaJual& s, Retur* rr, HasilRetur* h) {
    if (!s.ada) {
      h->tolak = TolakRetur::NotaTidakAda;
      return false;
    }
    if (s.tanggal != hariIni) {
      h->tolak = TolakRetur::BukanHariIni;
      return false;
    }
    rr->baris.clear();
    for (const SisaBaris& b : s.baris)
      if (b.sisa() > 0) rr->baris << BarisBarang{b.kode, b.nama, b.harga, b.sisa(), 0};
    if (rr->baris.isEmpty()) {
      h->tolak = TolakRetur::SudahHabis;
      return false;
    }
    return Periksa(s, rr, h);
  });
}

CekAdmin PeriksaAdmin(const db::ConnectionPtr& c, const QString& userId, const QString& password) {
  CekAdmin k;
  db::Recordset rs;
  if (!rs.Open(QStringLiteral("SELECT Level, PassId FROM Pengguna WHERE UserId=") + db::Quote(userId), c)) {
    k.error = rs.Failure();
    return k;
  }
  k.ok = !rs.Eof() && AdminMasuk(rs.Text(QStringLiteral("Level")), rs.Text(QStringLiteral("PassId"))) &&
         db::PasswordMatches(rs.Text(QStringLiteral("PassId")), password);
  return k;
}

ReturNota BacaReturNota(const db::ConnectionPtr& c, const QString& nota) {
  ReturNota n;
  db::Recordset rs;
  if (!rs.Open(QStringLiteral("SELECT Retur.No_Retur, Retur.Tgl_Retur, Retur.Batal, Detail_Retur.Kode_Barang, "
                              "Barang.Nama_Barang, Detail_Retur.Harga_Jual, Detail_Retur.Jumlah, "
                              "Detail_Retur.SubTotal FROM Retur, Detail_Retur LEFT JOIN Barang ON "
                              "Barang.Kode_Barang = Detail_Retur.Kode_Barang WHERE Retur.No_Retur = "
                              "Detail_Retur.No_Retur AND Retur.No_Nota=") +
                   db::Quote(nota) + QStringLiteral(" ORDER BY Retur.No_Retur, Detail_Retur.Kode_Barang"),
               c)) {
    n.error = rs.Failure();
    return n;
  }
  for (; !rs.Eof(); rs.MoveNext())
    n.baris << BarisReturNota{rs.Text(0), rs.Date(QStringLiteral("Tgl_Retur")), rs.Value(2).toLongLong() != 0,
                              BarisBarang{rs.Text(3), rs.Text(4), rs.Value(5).toLongLong(), rs.Value(6).toLongLong(),
                                          rs.Value(7).toLongLong()}};
  return n;
}

}  // namespace toko
