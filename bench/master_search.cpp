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
#include "db/Connection.h"
#include "master/frmBarang.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"

static double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int items = 100000;
  const char* typed = argc > 1 ? argv[1] : "kai";

  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  {
    db::Connection c;
    if (!c.Create(path)) return 1;
    c.BeginTrans();
    const char* words[] = {"Kain", "Kabel", "Kaos", "Sabun", "Sapu", "Beras", "Buku", "Pensil", "Pena", "Gula",
                           "Kopi", "Teh", "Minyak", "Sendok", "Piring", "Gelas", "Ember", "Kursi", "Meja", "Lampu"};
    const char* sifat[] = {"Merah", "Biru", "Besar", "Kecil", "Putih", "Hitam", "Super", "Ekonomis"};
    for (int g = 1; g <= 10; ++g)
      c.Execute(QString("INSERT INTO Grup VALUES ('%1', 'GRUP %1')").arg(g, 3, 10, QChar('0')));
    for (int p = 0; p < 1000; ++p)
      c.Execute(QString("INSERT INTO Produk VALUES ('%1.%2', '%1', 'PRODUK %3')")
                    .arg(p / 100 + 1, 3, 10, QChar('0')).arg(p % 100 + 1, 3, 10, QChar('0')).arg(p));
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(c.Handle(), "INSERT INTO Barang VALUES (?,?,?,?,?,?,?)", -1, &ins, nullptr);
    for (int i = 0; i < items; ++i) {
      const int p = i % 1000;
      const QByteArray prod =
          QString("%1.%2").arg(p / 100 + 1, 3, 10, QChar('0')).arg(p % 100 + 1, 3, 10, QChar('0')).toUtf8();
      const QByteArray kode = prod + "." + QByteArray::number(i / 1000 + 1).rightJustified(3, '0');
      const QByteArray nama = QByteArray(words[(i * 7) % 20]) + " " + sifat[(i / 3) % 8] + " " + QByteArray::number(i);
      sqlite3_bind_text(ins, 1, kode.constData(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(ins, 2, prod.constData(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(ins, 3, nama.constData(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(ins, 4, "Unit", -1, SQLITE_STATIC);
      sqlite3_bind_int64(ins, 5, 10000 + i);
      sqlite3_bind_int64(ins, 6, 12500 + i);
      sqlite3_bind_int64(ins, 7, i % 50);
      sqlite3_step(ins);
      sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    c.CommitTrans();
  }

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

  const double o = best(ours), r = best(raw);
  std::printf("live search on %d stock items, typing \"%s\", best of %d runs (checksum %lld, messages %d)\n", items,
              typed, runs, checksum, messages);
  for (int k = 0; k < statements.size(); ++k)
    std::printf("  search %d: %6d rows listed\n", k + 1, rowsShown[size_t(k)]);
  std::printf("  raw SQLite, same 3 statements, all columns read : %8.2f ms\n", r);
  std::printf("  frmBarang: 3 keys -> 3 searches + grid fills      : %8.2f ms\n", o);
  std::printf("  ratio %.2fx (target <= 3x)\n", o / r);
  return 0;
}
