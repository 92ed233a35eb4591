// The close of a cashier's day in a busy shop's year: 1,200,000 sale lines
// (240,000 receipts of five lines over 2024, four cashiers), of which the
// cashier closing has 2,000 receipts on the day, with 50 returns. Times, in
// one run, the figures the close reads (float, receipts, pieces, cash sales,
// refunds) through the shop's core against raw SQLite computing the same
// sums with prepared statements on its own handle. Prints the measured ratio.
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchShop.h"
#include "db/FileCheck.h"
#include "toko/Kasir.h"

namespace {
constexpr int kItems = 5000, kNota = 240000, kLines = 5, kHari = 2000, kRetur = 50;
const QDate Hari(2024, 6, 15);
const char* const Kasir = "KASIR1";

// The year written with raw SQLite in one transaction: the close day's first
// 2,000 receipts are KASIR1's, the rest spread over the year and cashiers.
bool IsiTahun(const QString& path) {
  const bool shop = bench::FillShop(path, kItems, [](int i) {
    bench::Item it;
    it.kode = bench::Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
    it.nama = "Barang dagangan nomor " + QByteArray::number(i);
    it.beli = 1000 + i;
    it.jual = 1500 + 7 * i;
    return it;
  });
  sqlite3* h = nullptr;
  if (!shop || sqlite3_open(QFile::encodeName(path).constData(), &h) != SQLITE_OK) return false;
  sqlite3_exec(h, "PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt *nota = nullptr, *baris = nullptr;
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan VALUES (?,?,?,'',?)", -1, &nota, nullptr);
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan_Detail VALUES (?,?,?,?,?)", -1, &baris, nullptr);
  bool ok = nota && baris;
  for (int n = 0; ok && n < kNota; ++n) {
    const QByteArray no = "JL-" + QByteArray::number(n + 1).rightJustified(7, '0');
    const bool hariIni = n < kHari;
    const QByteArray tgl = (hariIni ? Hari : QDate(2024, 1, 1).addDays(qint64(n) * 366 / kNota)).toString(Qt::ISODate).toUtf8();
    const QByteArray user = hariIni ? QByteArray(Kasir) : "KASIR" + QByteArray::number(1 + n % 4);
    qint64 total = 0;
    for (int l = 0; ok && l < kLines; ++l) {
      const int i = (n * kLines + l) * 7919 % kItems, qty = 1 + (n + l) % 12;
      const qint64 harga = 1500 + 7 * i;
      total += harga * qty;
      const QByteArray kode = bench::Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
      sqlite3_bind_text(baris, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(baris, 2, kode.constData(), int(kode.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int64(baris, 3, harga);
      sqlite3_bind_int64(baris, 4, qty);
      sqlite3_bind_int64(baris, 5, harga * qty);
      ok = sqlite3_step(baris) == SQLITE_DONE;
      sqlite3_reset(baris);
    }
    sqlite3_bind_text(nota, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(nota, 2, tgl.constData(), int(tgl.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(nota, 3, total);
    sqlite3_bind_text(nota, 4, user.constData(), int(user.size()), SQLITE_TRANSIENT);
    ok = ok && sqlite3_step(nota) == SQLITE_DONE;
    sqlite3_reset(nota);
  }
  for (int r = 0; ok && r < kRetur; ++r) {
    const QByteArray sql = "INSERT INTO Retur VALUES ('RT-" + QByteArray::number(r + 1).rightJustified(7, '0') +
                           "','2024-06-15','JL-" + QByteArray::number(r + 1).rightJustified(7, '0') + "'," +
                           QByteArray::number(1500 + r) + ",'rusak',0,'KASIR1','BOS')";
    ok = sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ok = ok && sqlite3_exec(h, "INSERT INTO Kas_Awal VALUES ('KASIR1','2024-06-15',500000); COMMIT", nullptr, nullptr,
                          nullptr) == SQLITE_OK;
  sqlite3_finalize(nota);
  sqlite3_finalize(baris);
  sqlite3_close(h);
  return ok;
}

// The same sums on a raw handle, statements prepared once.
struct Mentah {
  sqlite3* h = nullptr;
  std::vector<sqlite3_stmt*> st;
  explicit Mentah(const QString& path) {
    sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    for (const char* q : {"SELECT Jumlah FROM Kas_Awal WHERE Tanggal=?1 AND UserID=?2",
                          "SELECT COUNT(*), SUM(Total_Bayar) FROM Penjualan WHERE Tgl_Nota=?1 AND UserID=?2",
                          "SELECT SUM(Penjualan_Detail.Jumlah) FROM Penjualan, Penjualan_Detail WHERE "
                          "Penjualan.Tgl_Nota=?1 AND Penjualan.UserID=?2 AND Penjualan_Detail.No_Nota = "
                          "Penjualan.No_Nota",
                          "SELECT COUNT(*), SUM(Total) FROM Retur WHERE Tgl_Retur=?1 AND UserID=?2"}) {
      sqlite3_stmt* s = nullptr;
      sqlite3_prepare_v2(h, q, -1, &s, nullptr);
      st.push_back(s);
    }
  }
  ~Mentah() {
    for (sqlite3_stmt* s : st) sqlite3_finalize(s);
    sqlite3_close(h);
  }
  qint64 Hitung() {
    qint64 v[6] = {};
    int k = 0;
    for (sqlite3_stmt* s : st) {
      sqlite3_bind_text(s, 1, "2024-06-15", -1, SQLITE_STATIC);
      sqlite3_bind_text(s, 2, Kasir, -1, SQLITE_STATIC);
      if (sqlite3_step(s) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(s); ++c) v[k++] = sqlite3_column_int64(s, c);
      else
        ++k;
      sqlite3_reset(s);
    }
    // float + sales - refunds
    return v[0] + v[2] - v[5];
  }
};
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  QElapsedTimer t;
  t.start();
  if (!IsiTahun(path)) {
    std::printf("could not write the year\n");
    return 1;
  }
  std::printf("a year of a busy shop: %d sale lines, the close day %d receipts of %s and %d returns, written in %.1f s"
              " in %s\n",
              kNota * kLines, kHari, Kasir, kRetur, t.nsecsElapsed() / 1e9, bench::Where(dir.path()).constData());

  auto conn = std::make_shared<db::Connection>();
  if (!conn->Open(path)) {
    std::printf("open failed: %s\n", qPrintable(conn->LastError()));
    return 1;
  }
  // The whole-file check of the open runs on a thread of its own; it is not
  // part of the close.
  db::FileCheck::WaitAll();
  Mentah raw(path);
  const int reps = 15;
  std::vector<double> ours, mentah;
  qint64 harap = 0, kami = 0;
  for (int r = 0; r < reps; ++r) {
    t.restart();
    harap = raw.Hitung();
    mentah.push_back(t.nsecsElapsed() / 1e6);
    t.restart();
    const toko::BacaanHari b = toko::HitungHari(conn, QString::fromLatin1(Kasir), Hari);
    ours.push_back(t.nsecsElapsed() / 1e6);
    if (!b.ok()) {
      std::printf("the close's figures failed: %s\n", qPrintable(b.error.message));
      return 1;
    }
    kami = b.angka.diharapkan();
  }
  if (kami != harap) {
    std::printf("the sums differ: ours %lld, raw %lld\n", qlonglong(kami), qlonglong(harap));
    return 1;
  }
  const double a = bench::Best(mentah), b = bench::Best(ours);
  std::printf("close of the day (cash expected %lld): raw SQLite %8.2f ms, shop core %8.2f ms, ratio %.2fx "
              "(target <= 1.5x)\n",
              qlonglong(kami), a, b, b / a);
  return 0;
}
