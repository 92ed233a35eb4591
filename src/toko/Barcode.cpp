#include "toko/Barcode.h"

#include <QRegularExpression>
#include <memory>

#include "db/Sql.h"

namespace toko {

namespace {

bool SemuaAngka(const QString& s) {
  for (QChar ch : s)
    if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
  return !s.isEmpty();
}

// The store's failure; `langkah` when a statement failed while stepping (the
// engine holds it, not yet the connection).
db::Error Gagal(const db::ConnectionPtr& c, bool langkah = false) {
  if (c && c->IsOpen()) {
    if (langkah) c->TakeEngineError();
    return c->Failure();
  }
  return db::Error{db::Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), QString(), QString()};
}

// One statement of the store's own dialect, its first value bound.
std::unique_ptr<db::Statement> Siapkan(const db::ConnectionPtr& c, const char* sql, const QString& nilai) {
  std::unique_ptr<db::Statement> st = c->Compile(QString::fromLatin1(sql));
  if (st) st->BindText(1, nilai);
  return st;
}
// The same, kept by the connection: a scan's lookups run at every scan.
db::Statement* Simpanan(const db::ConnectionPtr& c, const QString& sql, const QString& nilai) {
  db::Statement* st = c->Kept(sql);
  if (st) st->BindText(1, nilai);
  return st;
}

QString Teks(const db::Statement& st, int col) { return QString::fromUtf8(st.TextAt(col)); }

}  // namespace

JenisBarcode Jenis(const QString& kode) {
  if (!SemuaAngka(kode)) return JenisBarcode::Lain;
  switch (kode.size()) {
    case 13: return JenisBarcode::Ean13;
    case 8: return JenisBarcode::Ean8;
    case 12: return JenisBarcode::UpcA;
    default: return JenisBarcode::Lain;
  }
}

QString NamaJenis(JenisBarcode j) {
  switch (j) {
    case JenisBarcode::Ean13: return QStringLiteral("EAN-13");
    case JenisBarcode::Ean8: return QStringLiteral("EAN-8");
    case JenisBarcode::UpcA: return QStringLiteral("UPC-A");
    case JenisBarcode::Lain: break;
  }
  return QString();
}

int DigitPemeriksa(const QString& kode) {
  if (Jenis(kode) == JenisBarcode::Lain) return -1;
  // All three weigh the digits 3, 1, 3, ... from the one before the check
  // digit leftwards.
  int jumlah = 0;
  for (qsizetype i = kode.size() - 2, bobot = 3; i >= 0; --i, bobot = 4 - bobot)
    jumlah += (kode[i].unicode() - '0') * int(bobot);
  return (10 - jumlah % 10) % 10;
}

bool DigitBenar(const QString& kode) {
  const int d = DigitPemeriksa(kode);
  return d < 0 || kode.back().unicode() - '0' == d;
}

QStringList PisahBarcode(const QString& teks) {
  static const QRegularExpression pemisah(QStringLiteral("[\\s,;]+"));
  QStringList out;
  for (const QString& k : teks.split(pemisah, Qt::SkipEmptyParts))
    if (!out.contains(k, Qt::CaseInsensitive)) out << k;
  return out;
}

QString KodeBarangDari(const QString& teks) {
  static const QRegularExpression lengkap(QStringLiteral("^\\w{3}\\.\\d{3}\\.\\d{3}$"));
  static const QRegularExpression rapat(QStringLiteral("^(\\w{3})(\\d{3})(\\d{3})$"));
  if (lengkap.match(teks).hasMatch()) return teks;
  const QRegularExpressionMatch m = rapat.match(teks);
  if (m.hasMatch()) return m.captured(1) + QLatin1Char('.') + m.captured(2) + QLatin1Char('.') + m.captured(3);
  return QString();
}

bool AdaTabelBarcode(const db::ConnectionPtr& c) {
  return c && c->IsOpen() && !c->Columns(QStringLiteral("Barcode")).isEmpty();
}

BarangDipindai CariDipindai(const db::ConnectionPtr& c, const QString& teks) {
  BarangDipindai b;
  if (!c || !c->IsOpen()) {
    b.error = Gagal(c);
    return b;
  }
  const QString kode = teks.trimmed();
  if (kode.isEmpty()) return b;
  // One statement for the barcode and its item: a scan reads one row.
  auto baca = [&](db::Statement* st) {
    if (!st) {
      b.error = c->Failure();
      return false;
    }
    const bool ada = st->Next();
    if (ada) {
      b.ada = true;
      b.kode = Teks(*st, 0);
      b.nama = Teks(*st, 1);
      b.hargaJual = st->IntAt(2);
      b.hargaBeli = st->IntAt(3);
    } else if (st->Failed()) {
      b.error = Gagal(c, true);
    }
    // A kept statement left on its row would hold the file's read lock,
    // and no other till could store a sale.
    st->Reset();
    return ada;
  };
  static const QString lewatBarcode = QStringLiteral(
      "SELECT b.Kode_Barang, b.Nama_Barang, b.Harga_Jual, b.Harga_Beli FROM Barcode k "
      "JOIN Barang b ON b.Kode_Barang = k.Kode_Barang WHERE k.Kode = ?");
  static const QString lewatKode =
      QStringLiteral("SELECT Kode_Barang, Nama_Barang, Harga_Jual, Harga_Beli FROM Barang WHERE Kode_Barang = ?");
  if (AdaTabelBarcode(c) && (baca(Simpanan(c, lewatBarcode, kode)) || b.error.failed())) return b;
  const QString barang = KodeBarangDari(kode);
  if (barang.isEmpty()) return b;
  baca(Simpanan(c, lewatKode, barang));
  return b;
}

DaftarBarcode BacaBarcode(const db::ConnectionPtr& c, const QString& barang) {
  DaftarBarcode d;
  if (!c || !c->IsOpen()) {
    d.error = Gagal(c);
    return d;
  }
  if (!AdaTabelBarcode(c)) return d;
  std::unique_ptr<db::Statement> st =
      Siapkan(c, "SELECT Kode FROM Barcode WHERE Kode_Barang = ? ORDER BY Kode", barang);
  if (!st) {
    d.error = c->Failure();
    return d;
  }
  while (st->Next()) d.kode << Teks(*st, 0);
  if (st->Failed()) d.error = Gagal(c, true);
  return d;
}

CekBarcode PeriksaBarcode(const db::ConnectionPtr& c, const QString& barang, const QStringList& kode) {
  CekBarcode r;
  for (const QString& k : kode)
    if (!DigitBenar(k)) {
      r.salah = k;
      return r;
    }
  if (kode.isEmpty()) return r;
  if (!c || !c->IsOpen()) {
    r.error = Gagal(c);
    return r;
  }
  for (const QString& k : kode) {
    std::unique_ptr<db::Statement> st =
        Siapkan(c, "SELECT Kode_Barang FROM Barcode WHERE Kode = ? AND Kode_Barang <> ?", k);
    if (!st) {
      r.error = c->Failure();
      return r;
    }
    st->BindText(2, barang);
    if (st->Next()) {
      r.dipakai = k;
      r.olehBarang = Teks(*st, 0);
      return r;
    }
    if (st->Failed()) {
      r.error = Gagal(c, true);
      return r;
    }
  }
  return r;
}

bool GantiBarcode(const db::ConnectionPtr& c, const QString& barang, const QStringList& kode) {
  if (!c || !c->Execute(QStringLiteral("DELETE FROM Barcode WHERE Kode_Barang=") + db::Quote(barang))) return false;
  for (const QString& k : kode)
    if (!c->Execute(QStringLiteral("INSERT INTO Barcode (Kode,Kode_Barang) VALUES (") + db::Quote(k) +
                    QStringLiteral(",") + db::Quote(barang) + QStringLiteral(")")))
      return false;
  return true;
}

}  // namespace toko
