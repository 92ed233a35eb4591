// A scan at the till with 100,000 stock items and 150,000 barcodes: the
// code's Enter to the line in the grid (lookup through the store, the line,
// the total, the change and the big figures; laying out and painting the
// window at the next turn of the event loop is not counted). Compared, in
// the same run,
// with raw SQLite looking up the same barcode and then its item, once with
// statements prepared per scan (as the till does) and once prepared ahead.
// Also shown: the same scans typed in as the scanner's key events.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <random>

#include "BenchShop.h"
#include "core/mdlUtama.h"
#include "toko/Barcode.h"
#include "transactions/frmPenjualan.h"
#include "ui/Seams.h"

namespace {

// An EAN-13 with its check digit.
QByteArray Ean13(qint64 n) {
  QByteArray d = "899" + QByteArray::number(n).rightJustified(9, '0');
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += (d[i] - '0') * (i % 2 ? 3 : 1);
  return d + QByteArray::number((10 - sum % 10) % 10);
}

bool FillBarcodes(const QString& path, int items) {
  db::Connection c;
  if (!c.Open(path) || !c.BeginTrans()) return false;
  const std::unique_ptr<db::Statement> ins = c.Compile("INSERT INTO Barcode VALUES (?,?)");
  if (!ins) return false;
  // Every item one code, every second item a second one: 150,000 in all.
  for (int i = 0; i < items + items / 2; ++i) {
    const int item = i < items ? i : (i - items) * 2;
    ins->BindText(1, QString::fromLatin1(Ean13(i)));
    ins->BindText(2, QString::fromLatin1(bench::Kode(1, item % 100 + 1, item / 100 + 1)));
    ins->Next();
    if (ins->Failed()) return false;
    ins->Reset();
  }
  return c.CommitTrans();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int items = 100000, perSale = 100, sales = 5;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  const bool filled = bench::FillShop(path, items, [](int i) {
    bench::Item it;
    it.kode = bench::Kode(1, i % 100 + 1, i / 100 + 1);
    it.nama = "Barang dagangan nomor " + QByteArray::number(i);
    it.beli = 1000 + i % 5000;
    it.jual = 1500 + i % 5000;
    it.stok = 10;
    return it;
  });
  if (!filled || !FillBarcodes(path, items)) return 1;
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  mdlUtama::SetDatabasePathForTests(path);
  mdlUtama::UserAktif = QStringLiteral("KASIR");
  ui::SetPrompter([](const ui::Message&) { return int(ui::vbYes); });

  // The codes scanned: distinct within a sale, spread over both kinds of code.
  std::mt19937 rng(23);
  std::vector<QByteArray> codes;
  for (int i = 0; i < perSale * sales; ++i) codes.push_back(Ean13(qint64(rng() % unsigned(items + items / 2))));

  const char* kBarcode = "SELECT Kode_Barang FROM Barcode WHERE Kode = ?";
  const char* kBarang = "SELECT * FROM Barang WHERE Kode_Barang = ?";
  auto rawLookup = [&](sqlite3_stmt* a, sqlite3_stmt* b, const QByteArray& code, long long* sum) {
    sqlite3_bind_text(a, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(a) != SQLITE_ROW) return false;
    sqlite3_bind_text(b, 1, reinterpret_cast<const char*>(sqlite3_column_text(a, 0)), sqlite3_column_bytes(a, 0),
                      SQLITE_TRANSIENT);
    if (sqlite3_step(b) != SQLITE_ROW) return false;
    for (int c = 0; c < sqlite3_column_count(b); ++c) *sum += sqlite3_column_bytes(b, c);
    return true;
  };

  std::vector<double> ours, keyed, rawEach, rawAhead, core;
  long long checksum = 0;
  int lines = 0;
  for (int rep = 0; rep < 5; ++rep) {
    frmPenjualan w;
    w.show();
    app.processEvents();
    auto* baru = w.findChild<QPushButton*>("TbBaru");
    auto* batal = w.findChild<QPushButton*>("TbKeluar");
    auto* kode = w.findChild<QLineEdit*>("txtKodeG");
    auto* total = w.findChild<QLineEdit*>("TxtTotBayar");
    QElapsedTimer t;
    double o = 0, k = 0;
    for (int s = 0; s < sales; ++s) {
      baru->click();
      t.start();
      for (int i = s * perSale; i < (s + 1) * perSale; ++i)
        if (!w.Pindai(QString::fromLatin1(codes[size_t(i)]))) return 2;
      o += double(t.nsecsElapsed());
      lines = w.BarisBerikut() - 1;
      checksum += total->text().size();
      batal->click();  // asks, answered Yes: nothing is stored
      // The same scans as the scanner's key events into the code box.
      baru->click();
      t.start();
      for (int i = s * perSale; i < (s + 1) * perSale; ++i) {
        QTest::keyClicks(kode, QString::fromLatin1(codes[size_t(i)]));
        QTest::keyClick(kode, Qt::Key_Return);
      }
      k += double(t.nsecsElapsed());
      if (w.BarisBerikut() - 1 != lines) return 3;
      batal->click();
    }
    ours.push_back(o / 1e6);
    t.start();
    for (const QByteArray& c : codes)
      if (!toko::CariDipindai(mdlUtama::Conn, QString::fromLatin1(c)).ada) return 5;
    core.push_back(t.nsecsElapsed() / 1e6);
    keyed.push_back(k / 1e6);

    t.start();
    for (const QByteArray& c : codes) {
      sqlite3_stmt *a = nullptr, *b = nullptr;
      sqlite3_prepare_v2(h, kBarcode, -1, &a, nullptr);
      sqlite3_prepare_v2(h, kBarang, -1, &b, nullptr);
      if (!rawLookup(a, b, c, &checksum)) return 4;
      sqlite3_finalize(a);
      sqlite3_finalize(b);
    }
    rawEach.push_back(t.nsecsElapsed() / 1e6);

    t.start();
    sqlite3_stmt *a = nullptr, *b = nullptr;
    sqlite3_prepare_v2(h, kBarcode, -1, &a, nullptr);
    sqlite3_prepare_v2(h, kBarang, -1, &b, nullptr);
    for (const QByteArray& c : codes) {
      if (!rawLookup(a, b, c, &checksum)) return 4;
      sqlite3_reset(a);
      sqlite3_reset(b);
    }
    sqlite3_finalize(a);
    sqlite3_finalize(b);
    rawAhead.push_back(t.nsecsElapsed() / 1e6);
  }
  const double o = bench::Best(ours), k = bench::Best(keyed), re = bench::Best(rawEach), ra = bench::Best(rawAhead);
  const int n = int(codes.size());
  std::printf("scan to line, %d stock items, %d barcodes, %d scans in sales of %d lines (%d lines in the last); "
              "best of 5 (checksum %lld)\n",
              items, items + items / 2, n, perSale, lines, checksum);
  std::printf("  raw SQLite, barcode then item, prepared ahead   : %8.2f ms  %6.1f us/scan\n", ra, 1000 * ra / n);
  std::printf("  raw SQLite, barcode then item, prepared per scan: %8.2f ms  %6.1f us/scan\n", re, 1000 * re / n);
  std::printf("  the shop's lookup alone (store, one statement)  : %8.2f ms  %6.1f us/scan\n", bench::Best(core),
              1000 * bench::Best(core) / n);
  std::printf("  till: Enter to line, total, change, big figures  : %8.2f ms  %6.1f us/scan  ratio %.2fx / %.2fx "
              "(target <= 2x)\n",
              o, 1000 * o / n, o / re, o / ra);
  std::printf("  till: the scanner's 14 key events and the above  : %8.2f ms  %6.1f us/scan  ratio %.2fx / %.2fx\n", k,
              1000 * k / n, k / re, k / ra);
  sqlite3_close(h);
  return 0;
}
