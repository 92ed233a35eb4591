// Typing three letters into the till's item search with 100,000 stock items:
// each letter runs a search and refills the grid. Compared, in the same run,
// with raw SQLite running the same three queries and reading every column.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>

#include "core/mdlUtama.h"
#include "BenchShop.h"
#include "db/Connection.h"
#include "master/frmCariBarang2.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"


int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int items = 100000;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  // Names as a shop has them: a kind, a brand and a size.
  const bool filled = bench::FillShop(path, items, [](int i) {
    static const char* jenis[] = {"Sabun Mandi", "Sampo", "Pasta Gigi", "Sikat Gigi", "Minyak Goreng", "Gula Pasir",
                                  "Kopi Bubuk", "Teh Celup", "Beras", "Mie Instan", "Susu Kental", "Kecap Manis",
                                  "Saus Sambal", "Tepung Terigu", "Deterjen", "Pewangi", "Biskuit", "Roti Tawar",
                                  "Air Mineral", "Sarden"};
    static const char* merek[] = {"Lestari", "Sinar", "Cahaya", "Bintang", "Mawar", "Melati", "Garuda", "Rajawali",
                                  "Sentosa", "Abadi", "Jaya", "Makmur", "Sehat", "Segar", "Harum", "Indah"};
    static const char* ukuran[] = {"100 g", "250 g", "500 g", "1 kg", "200 ml", "1 L", "Sachet", "Botol", "Kotak", "Pak"};
    bench::Item it;
    it.kode = bench::Kode(1, i % 100 + 1, i / 100 + 1);
    it.nama = QByteArray(jenis[i % 20]) + " " + merek[(i / 20) % 16] + " " + ukuran[(i / 320) % 10];
    it.satuan = "PCS";
    it.beli = 1000 + i % 5000;
    it.jual = 1500 + i % 5000 - (i % 17 == 0 ? 1000 : 0);  // some sold at a loss: not listed
    it.stok = i % 23;                                       // some out of stock: not listed
    return it;
  });
  auto conn = std::make_shared<db::Connection>();
  if (!filled || !conn->Open(path)) return 1;
  // The raw side reads through a handle of its own.
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  mdlUtama::SetDatabasePathForTests(path);
  ui::SetPrompter([](const ui::Message&) { return int(ui::vbOK); });

  const QString huruf = QStringLiteral("sab");
  std::vector<double> ours, raw;
  QStringList queries;
  int rowsSeen[3] = {0, 0, 0};
  long long checksum = 0;
  for (int rep = 0; rep < 5; ++rep) {
    QWidget caller;
    auto* w = new frmCariBarang2(&caller);
    w->show();
    app.processEvents();
    auto* cari = w->findChild<QLineEdit*>("txtCari");
    auto* grid = w->findChild<ui::FlexGrid*>("GridBarang");
    QStringList q;
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < huruf.size(); ++k) {
      QTest::keyClick(cari, huruf[k].toLatin1());
      app.processEvents();  // the grid is painted as the cashier sees it
      q << mdlUtama::RsCari->Source();
      rowsSeen[k] = grid->Rows() - 1;
    }
    ours.push_back(t.nsecsElapsed() / 1e6);
    queries = q;
    checksum += grid->TextMatrix(1, 3).size();
    delete w;

    // Raw SQLite: the same three statements as the store receives them.
    t.restart();
    for (int k = 0; k < queries.size(); ++k) {
      QString sqlite;
      if (!conn->Prepare(queries[k], &sqlite)) return 1;
      const QByteArray s = sqlite.toUtf8();
      sqlite3_stmt* st = nullptr;
      sqlite3_prepare_v2(h, s.constData(), -1, &st, nullptr);
      int rows = 0;
      while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
          checksum += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
        ++rows;
      }
      sqlite3_finalize(st);
      if (rows != rowsSeen[k]) {
        std::printf("row counts differ: %d vs %d\n", rows, rowsSeen[k]);
        return 2;
      }
    }
    raw.push_back(t.nsecsElapsed() / 1e6);
  }
  const double o = bench::Best(ours), r = bench::Best(raw);
  std::printf("till item search, %d stock items, letters \"s\", \"sa\", \"sab\" -> %d, %d, %d rows; best of 5 "
              "(checksum %lld)\n",
              items, rowsSeen[0], rowsSeen[1], rowsSeen[2], checksum);
  std::printf("  raw SQLite, same three queries, all columns read : %8.2f ms\n", r);
  std::printf("  search dialog: query + grid fill + paint, x3     : %8.2f ms   ratio %.2fx (target <= 3x)\n", o, o / r);
  sqlite3_close(h);
  return 0;
}
