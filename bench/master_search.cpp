// Types a three-letter name into the search box of the stock-item screen on a
// shop of 100,000 items (three searches, each filling the grid), against raw
// SQLite stepping through the same three statements and reading every column.
// Both are measured in this run; the ratio is what counts.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>

#include "core/mdlUtama.h"
#include "BenchShop.h"
#include "db/Connection.h"
#include "master/frmBarang.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"


int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int items = 100000;
  const char* typed = argc > 1 ? argv[1] : "kai";

  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  const bool filled = bench::FillShop(path, items, [](int i) {
    static const char* words[] = {"Kain", "Kabel", "Kaos", "Sabun", "Sapu", "Beras", "Buku", "Pensil", "Pena", "Gula",
                                  "Kopi", "Teh", "Minyak", "Sendok", "Piring", "Gelas", "Ember", "Kursi", "Meja", "Lampu"};
    static const char* sifat[] = {"Merah", "Biru", "Besar", "Kecil", "Putih", "Hitam", "Super", "Ekonomis"};
    const int p = i % 1000;
    bench::Item it;
    it.kode = bench::Kode(p / 100 + 1, p % 100 + 1, i / 1000 + 1);
    it.nama = QByteArray(words[(i * 7) % 20]) + " " + sifat[(i / 3) % 8] + " " + QByteArray::number(i);
    it.beli = 10000 + i;
    it.jual = 12500 + i;
    it.stok = i % 50;
    return it;
  });
  if (!filled) return 1;

  mdlUtama::SetDatabasePathForTests(path);
  int messages = 0;
  ui::SetPrompter([&](const ui::Message&) {
    ++messages;
    return int(ui::vbOK);
  });

  frmBarang w;
  w.resize(900, 600);
  w.show();
  app.processEvents();
  auto* cari = w.findChild<QLineEdit*>("txtCari");
  auto* grid = w.findChild<ui::FlexGrid*>("GridBarang");

  // The statements the screen runs for each key, as it built them.
  QStringList statements;
  std::vector<int> rowsShown;
  std::vector<double> ours, raw;
  const int runs = 5;
  for (int rep = 0; rep < runs; ++rep) {
    {
      const QSignalBlocker b(cari);
      cari->clear();
    }
    QElapsedTimer t;
    double total = 0;
    for (int k = 0; typed[k]; ++k) {
      t.start();
      QTest::keyClick(cari, typed[k]);
      app.processEvents();  // the grid paints its new rows
      total += t.nsecsElapsed() / 1e6;
      if (rep == 0) {
        statements << mdlUtama::SQL;
        rowsShown.push_back(grid->Rows() - 1);
      }
    }
    ours.push_back(total);
  }

  sqlite3* h = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
  long long checksum = 0;
  for (int rep = 0; rep < runs; ++rep) {
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < statements.size(); ++k) {
      sqlite3_stmt* st = nullptr;
      const QByteArray q = statements[k].toUtf8();
      if (sqlite3_prepare_v2(h, q.constData(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw prepare failed: %s\n", sqlite3_errmsg(h));
        return 2;
      }
      int rows = 0;
      const int n = sqlite3_column_count(st);
      while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
          const unsigned char* s = sqlite3_column_text(st, c);
          checksum += sqlite3_column_bytes(st, c) + (s ? s[0] : 0);
        }
        ++rows;
      }
      sqlite3_finalize(st);
      if (rows != rowsShown[size_t(k)]) {
        std::fprintf(stderr, "row counts differ: raw %d, screen %d\n", rows, rowsShown[size_t(k)]);
        return 3;
      }
    }
    raw.push_back(t.nsecsElapsed() / 1e6);
  }
  sqlite3_close(h);

  const double o = bench::Best(ours), r = bench::Best(raw);
  std::printf("live search on %d stock items, typing \"%s\", best of %d runs (checksum %lld, messages %d)\n", items,
              typed, runs, checksum, messages);
  for (int k = 0; k < statements.size(); ++k)
    std::printf("  search %d: %6d rows listed\n", k + 1, rowsShown[size_t(k)]);
  std::printf("  raw SQLite, same 3 statements, all columns read : %8.2f ms\n", r);
  std::printf("  frmBarang: 3 keys -> 3 searches + grid fills      : %8.2f ms\n", o);
  std::printf("  ratio %.2fx (target <= 3x)\n", o / r);
  return 0;
}
