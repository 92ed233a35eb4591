#include "toko/Dokumen.h"

#include <algorithm>
#include <functional>

#include "db/Recordset.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "toko/Kode.h"
#include "toko/SimpanDokumen.h"

namespace toko {

namespace {

QString Nama(const char* s) { return QString::fromLatin1(s); }
QString Angka(qint64 n) { return QString::number(n); }

// How many numbers a save tries when other tills keep taking the next one.
constexpr int kCobaNomor = 20;
// How many times a save runs again when the server gave it up against
// another till's (a deadlock, a serialization failure).
constexpr int kCobaKonflik = 8;

}  // namespace

QString TanggalSql(const QDate& d) { return db::Quote(d.toString(QStringLiteral("yyyy-MM-dd"))); }

// Stores a document in one transaction: the header for a number, then the
// rest. The save holds its series' lock to the end (several tills on a
// server wait for each other there, as a file's writers wait for its lock),
// and the header's insert claims the number: when the key is stored already
// the transaction starts again and takes the next number after the highest
// stored one, read under that lock.
HasilSimpan SimpanDokumen(const db::ConnectionPtr& c, const Seri& seri, const QString& nomor,
                          const std::function<QString(const QString&)>& kepala,
                          const std::function<QList<Perintah>(const QString&)>& sisa,
                          const std::function<bool(db::Error*)>& periksa) {
  HasilSimpan h;
  h.nomor = nomor;
  if (!c || !c->IsOpen()) {
    h.error.kind = db::Error::Kind::Other;
    h.error.message = QStringLiteral("Koneksi database belum terbuka");
    return h;
  }
  // A save whose commit went unanswered is settled first. When it was
  // stored, this document saved again under the same number is that save:
  // it is not stored twice.
  const QString seriIni = QString::fromLatin1(seri.table) + QLatin1Char(':');
  QString label;
  switch (c->CommitInDoubt(&label)) {
    case db::Engine::Doubt::Unknown:
      h.error = c->Failure();
      h.belumPasti = true;
      return h;
    case db::Engine::Doubt::Stored: {
      const QStringList l = label.split(QLatin1Char('\n'));
      if (l.size() == 2 && (l[0] == seriIni + nomor || l[1] == seriIni + nomor)) {
        h.nomor = l[1].mid(seriIni.size());
        return h;
      }
      break;
    }
    default:
      break;
  }
  int konflik = 0;
  // The server gave the save up against another till's: it runs again.
  auto lagi = [&](const db::Error& e) { return e.is(db::Error::Kind::Conflict) && ++konflik < kCobaKonflik; };
  bool terpakai = false;  // the number asked for was taken meanwhile
  for (int coba = 1;; ++coba) {
    db::Transaction t(*c);
    if (!t.ok()) {
      h.error = c->Failure();
      return h;
    }
    auto gagal = [&](const db::Error& e) {
      t.Rollback();
      h.error = e;
      return h;
    };
    if (!c->LockSeries(QString::fromLatin1(seri.table))) {
      const db::Error e = c->Failure();
      if (lagi(e)) continue;
      return gagal(e);
    }
    if (periksa) {
      db::Error e;
      if (!periksa(&e)) {
        if (lagi(e)) continue;
        return gagal(e);
      }
    }
    if (terpakai) {
      const NomorBaru n = NomorBerikut(c, seri);
      if (n.error.failed()) return gagal(n.error);
      if (!n.ok()) return gagal(db::Error{db::Error::Kind::Other, n.habis, QString(), QString()});
      h.nomor = n.nomor;
    }
    if (!c->Execute(kepala(h.nomor))) {
      const db::Error e = c->Failure();
      t.Rollback();
      if (lagi(e)) continue;
      // A clash with the number just read under the lock is no number taken meanwhile.
      if (!e.is(db::Error::Kind::DuplicateKey) || terpakai || coba >= kCobaNomor) return gagal(e);
      terpakai = true;
      continue;
    }
    bool ulang = false;
    for (const Perintah& p : sisa(h.nomor)) {
      int baris = 0;
      if (!c->Execute(p.sql, &baris)) {
        const db::Error e = c->Failure();
        t.Rollback();
        if (!lagi(e)) return gagal(e);
        ulang = true;
        break;
      }
      if (!p.barang.isEmpty() && baris == 0) {
        h.barangHilang = p.barang;
        return gagal(db::Error{db::Error::Kind::Other, QStringLiteral("no row of item %1 to change").arg(p.barang),
                               p.sql, QString()});
      }
    }
    if (ulang) continue;
    c->LabelCommit(seriIni + nomor + QLatin1Char('\n') + seriIni + h.nomor);
    if (t.Commit()) return h;
    const db::Error e = c->Failure();
    h.belumPasti = c->CommitUnsettled();
    if (h.belumPasti || !lagi(e)) return gagal(e);
  }
}

QList<Perintah> Rincian(const QString& detail, const QString& kolom, const QString& nomor,
                        const QList<BarisBarang>& baris, const std::function<QString(const BarisBarang&)>& ubah) {
  QList<Perintah> s;
  for (const BarisBarang& b : baris)
    s << Perintah{QStringLiteral("INSERT INTO ") + detail + QStringLiteral(" (") + kolom +
                      QStringLiteral(",Jumlah,SubTotal) VALUES (") + db::Quote(nomor) + QStringLiteral(",") +
                      db::Quote(b.kode) + QStringLiteral(",") + Angka(b.harga) + QStringLiteral(",") +
                      Angka(b.jumlah) + QStringLiteral(",") + Angka(b.subtotal) + QStringLiteral(")"),
                  QString()};
  // The items' rows are changed in the order of their codes, at every till:
  // two sales of the same items then wait for each other instead of locking
  // each other out.
  QList<BarisBarang> urut = baris;
  std::stable_sort(urut.begin(), urut.end(), [](const BarisBarang& a, const BarisBarang& b) {
    return a.kode.compare(b.kode, Qt::CaseInsensitive) < 0;
  });
  for (const BarisBarang& b : std::as_const(urut))
    s << Perintah{QStringLiteral("UPDATE Barang SET ") + ubah(b) + QStringLiteral(" WHERE Kode_Barang=") +
                      db::Quote(b.kode),
                  b.kode};
  return s;
}

NomorBaru NomorBerikut(const db::ConnectionPtr& c, const Seri& seri) {
  NomorBaru r;
  const QString key = Nama(seri.key), prefix = Nama(seri.prefix);
  const QString sql = QStringLiteral("SELECT ") + key + QStringLiteral(" FROM ") + Nama(seri.table) +
                      QStringLiteral(" WHERE ") + key + QStringLiteral(" LIKE ") +
                      db::Quote(prefix + QStringLiteral("%")) + QStringLiteral(" ORDER BY ") + key +
                      QStringLiteral(" DESC LIMIT 1");
  db::Recordset rs;
  // A failed read is no empty table: the numbers would start again at 1.
  if (!rs.Open(sql, c)) {
    r.error = rs.Failure();
    return r;
  }
  const NextCodeResult k = NextCode(prefix, seri.width, rs.Eof() ? QString() : rs.Text(0));
  if (k.ok)
    r.nomor = k.code;
  else
    r.habis = k.error;
  return r;
}

HasilSimpan Simpan(const db::ConnectionPtr& c, const Penjualan& jual) {
  auto kepala = [&](const QString& nota) {
    return QStringLiteral("INSERT INTO Penjualan (No_Nota,Tgl_Nota,Total_Bayar,Kode_Pelanggan,UserID) VALUES (") +
           db::Quote(nota) + QStringLiteral(",") + TanggalSql(jual.tanggal) + QStringLiteral(",") + Angka(jual.total) +
           QStringLiteral(",") + db::Quote(jual.pelanggan) + QStringLiteral(",") + db::Quote(jual.kasir) +
           QStringLiteral(")");
  };
  auto sisa = [&](const QString& nota) {
    // A delta, not a value read earlier: a sale at another till counts too.
    return Rincian(QStringLiteral("Penjualan_Detail"), QStringLiteral("No_Nota,Kode_Barang,Harga_Jual"), nota,
                   jual.baris, [](const BarisBarang& b) { return QStringLiteral("Stok=Stok - ") + Angka(b.jumlah); });
  };
  return SimpanDokumen(c, SeriPenjualan, jual.nomor, kepala, sisa);
}

HasilSimpan Simpan(const db::ConnectionPtr& c, const Pembelian& beli) {
  auto kepala = [&](const QString& nomor) {
    return QStringLiteral("INSERT INTO Pembelian (No_Masuk,Tgl_Masuk,Kode_Pemasok,Total,UserID) VALUES (") +
           db::Quote(nomor) + QStringLiteral(",") + TanggalSql(beli.tanggal) + QStringLiteral(",") +
           db::Quote(beli.pemasok) + QStringLiteral(",") + Angka(beli.total) + QStringLiteral(",") +
           db::Quote(beli.user) + QStringLiteral(")");
  };
  auto sisa = [&](const QString& nomor) {
    return Rincian(QStringLiteral("Pembelian_Detail"), QStringLiteral("No_Masuk,Kode_Barang,Harga_Beli"), nomor,
                   beli.baris, [](const BarisBarang& b) {
                     return QStringLiteral("Stok=Stok + ") + Angka(b.jumlah) + QStringLiteral(", Harga_Beli=") +
                            Angka(b.harga);
                   });
  };
  return SimpanDokumen(c, SeriPembelian, beli.nomor, kepala, sisa);
}

HasilSimpan Simpan(const db::ConnectionPtr& c, const Kas& kas) {
  auto kepala = [&](const QString& kode) {
    return QStringLiteral("INSERT INTO Rekening (kode,tanggal,dk,transaksi,jumlah) VALUES (") + db::Quote(kode) +
           QStringLiteral(",") + TanggalSql(kas.tanggal) + QStringLiteral(",") + db::Quote(kas.dk) +
           QStringLiteral(",") + db::Quote(kas.transaksi) + QStringLiteral(",") + Angka(kas.jumlah) +
           QStringLiteral(")");
  };
  return SimpanDokumen(c, SeriKas, kas.kode, kepala, [](const QString&) { return QList<Perintah>(); });
}

PenjualanTersimpan BacaPenjualan(const db::ConnectionPtr& c, const QString& nomor) {
  PenjualanTersimpan r;
  r.jual.nomor = nomor;
  const QString sql = QStringLiteral(" SELECT Penjualan.Tgl_Nota, ") +
                      QStringLiteral(" Barang.Kode_Barang, Barang.Nama_Barang, ") +
                      QStringLiteral(" Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah, ") +
                      QStringLiteral(" Penjualan_Detail.Subtotal ") +
                      QStringLiteral(" FROM Penjualan,Penjualan_Detail, Barang ") +
                      QStringLiteral(" WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota ") +
                      QStringLiteral(" AND Barang.Kode_Barang = Penjualan_Detail.Kode_Barang ") +
                      QStringLiteral(" AND Penjualan.No_Nota =") + db::Quote(nomor) +
                      // The lines as they were stored: a server keeps no order of its own.
                      QStringLiteral(" ORDER BY Penjualan_Detail.rowid");
  db::Recordset rs;
  if (!rs.Open(sql, c)) {
    r.error = rs.Failure();
    return r;
  }
  const int iKode = rs.FieldIndex(QStringLiteral("Kode_Barang"));
  const int iNama = rs.FieldIndex(QStringLiteral("Nama_Barang"));
  const int iHarga = rs.FieldIndex(QStringLiteral("Harga_Jual"));
  const int iJumlah = rs.FieldIndex(QStringLiteral("Jumlah"));
  const int iSub = rs.FieldIndex(QStringLiteral("Subtotal"));
  for (; !rs.Eof(); rs.MoveNext()) {
    BarisJual b;
    b.kode = rs.Text(iKode);
    b.nama = rs.Text(iNama);
    b.harga = rs.Value(iHarga).toLongLong();
    b.jumlah = rs.Value(iJumlah).toLongLong();
    b.subtotal = rs.Value(iSub).toLongLong();
    r.jual.baris << b;
  }

  db::Recordset kepala;
  if (!kepala.Open(QStringLiteral("SELECT * FROM Penjualan WHERE No_Nota=") + db::Quote(nomor), c)) {
    r.jual.baris.clear();
    r.error = kepala.Failure();
    return r;
  }
  if (kepala.Eof()) return r;
  r.ada = true;
  r.jual.nomor = kepala.Text(QStringLiteral("No_Nota"));
  r.jual.tanggal = kepala.Date(QStringLiteral("Tgl_Nota"));
  r.jual.total = kepala.Int(QStringLiteral("Total_Bayar"));
  r.jual.pelanggan = kepala.Text(QStringLiteral("Kode_Pelanggan"));
  r.jual.kasir = kepala.Text(QStringLiteral("UserID"));
  return r;
}

}  // namespace toko
