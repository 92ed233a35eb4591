// Opens the item list (every stock item joined with its product) through
// Recordset and fills an 8-column grid from it, against stepping through the
// same query with raw SQLite, in one run. Prints the measured ratios.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "BenchShop.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "ui/FlexGrid.h"


int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int items = 30000;
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.mdb");
  const bool filled = bench::FillShop(path, items, [](int i) {
    const int p = i % 100;
    bench::Item it;
    it.kode = bench::Kode(p / 10 + 1, p % 10 + 1, i / 100 + 1);
    it.nama = "Barang nomor " + QByteArray::number(i) + " ukuran sedang";
    it.beli = 10000 + i;
    it.jual = 12500 + i;
    it.stok = i % 50;
    return it;
  });
  auto conn = std::make_shared<db::Connection>();
  if (!filled || !conn->Open(path)) return 1;
  // The raw side reads through a handle of its own.
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;

  const QString sql = QStringLiteral("SELECT Barang.*, Produk.* ") + " FROM Barang, Produk " +
                      " WHERE Produk.Kode_Produk=Barang.Kode_Produk " + " ORDER BY Kode_Barang ";
  const QString cols[] = {"Kode_Barang", "Nama_Barang", "Satuan", "Harga_Beli", "Harga_Jual", "Stok", "Kode_Produk", "Nama_Produk"};

  ui::FlexGrid grid;
  grid.resize(900, 500);
  grid.show();
  app.processEvents();

  std::vector<double> raw, open, fill;
  long long checksum = 0;
  for (int rep = 0; rep < 7; ++rep) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    const QByteArray q = sql.toUtf8();
    sqlite3_prepare_v2(h, q.constData(), -1, &st, nullptr);
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(st); ++c) checksum += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
      ++rows;
    }
    sqlite3_finalize(st);
    raw.push_back(t.nsecsElapsed() / 1e6);
    if (rows != items) return 2;

    t.restart();
    db::Recordset rs;
    if (!rs.Open(sql, conn)) return 3;
    open.push_back(t.nsecsElapsed() / 1e6);
    if (rs.RecordCount() != items) return 3;

    t.restart();
    grid.Clear();
    grid.SetCols(8);
    grid.SetRows(rs.RecordCount() + 1);
    for (int c = 0; c < 8; ++c) grid.SetTextMatrix(0, c, cols[c]);
    int r = 1;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++r)
      for (int c = 0; c < 8; ++c) grid.SetTextMatrix(r, c, rs.Text(cols[c]));
    app.processEvents();
    fill.push_back(t.nsecsElapsed() / 1e6);
    checksum += grid.TextMatrix(items, 0).size();
  }
  const double r = bench::Best(raw), o = bench::Best(open), f = bench::Best(fill);
  std::printf("item list, %d stock items, best of 7 runs (checksum %lld)\n", items, checksum);
  std::printf("  raw SQLite step + read all columns : %8.2f ms\n", r);
  std::printf("  Recordset open                     : %8.2f ms   ratio %.2fx (target <= 1.5x)\n", o, o / r);
  std::printf("  Recordset open + 8-column grid fill: %8.2f ms   ratio %.2fx (target <= 3x)\n", o + f, (o + f) / r);
  sqlite3_close(h);
  return 0;
}
