#pragma once
// Shared set-up of the benchmarks: a shop database with many stock items, and
// the best of several timings.
#include <sqlite3.h>

#include <QByteArray>
#include <QStorageInfo>
#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

#include "db/Connection.h"

namespace bench {

struct Item {
  QByteArray kode;    // ggg.ppp.iii
  QByteArray nama;
  const char* satuan = "Unit";
  qint64 beli = 0, jual = 0, stok = 0;
};

// Creates the database at path and fills it with `count` items made by
// item(i), in one transaction. Products and groups are made from the items'
// codes, so every item is listed by the joins of the screens.
inline bool FillShop(const QString& path, int count, const std::function<Item(int)>& item) {
  db::Connection c;
  if (!c.Create(path) || !c.BeginTrans()) return false;
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(c.Handle(), "INSERT INTO Barang VALUES (?,?,?,?,?,?,?)", -1, &ins, nullptr);
  for (int i = 0; i < count; ++i) {
    const Item it = item(i);
    const QByteArray produk = it.kode.left(7);
    sqlite3_bind_text(ins, 1, it.kode.constData(), int(it.kode.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 2, produk.constData(), int(produk.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 3, it.nama.constData(), int(it.nama.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 4, it.satuan, -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(ins, 5, it.beli);
    sqlite3_bind_int64(ins, 6, it.jual);
    sqlite3_bind_int64(ins, 7, it.stok);
    if (sqlite3_step(ins) != SQLITE_DONE) return false;
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  return c.Execute("INSERT INTO Produk SELECT DISTINCT Kode_Produk, substr(Kode_Produk, 1, 3), "
                   "'PRODUK ' || Kode_Produk FROM Barang") &&
         c.Execute("INSERT INTO Grup SELECT DISTINCT Kode_Grup, 'GRUP ' || Kode_Grup FROM Produk") && c.CommitTrans();
}

// ggg.ppp.iii from three serials.
inline QByteArray Kode(int grup, int produk, int item) {
  return QByteArray::number(grup).rightJustified(3, '0') + '.' + QByteArray::number(produk).rightJustified(3, '0') +
         '.' + QByteArray::number(item).rightJustified(3, '0');
}

// A shop of `items` stock items and `lines` sale lines, five lines to a
// receipt, spread over March 2024.
inline bool FillSales(const QString& path, int items, int lines) {
  const bool shop = FillShop(path, items, [](int i) {
    Item it;
    it.kode = Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
    it.nama = "Barang dagangan nomor " + QByteArray::number(i) + " ukuran sedang";
    it.beli = 1000 + i;
    it.jual = 1500 + 7 * i;
    return it;
  });
  db::Connection c;
  if (!shop || !c.Open(path) || !c.BeginTrans()) return false;
  sqlite3_stmt *nota = nullptr, *baris = nullptr;
  sqlite3_prepare_v2(c.Handle(), "INSERT INTO Penjualan VALUES (?,?,0,'','KASIR')", -1, &nota, nullptr);
  sqlite3_prepare_v2(c.Handle(), "INSERT INTO Penjualan_Detail VALUES (?,?,?,?,?)", -1, &baris, nullptr);
  for (int l = 0; l < lines; ++l) {
    const QByteArray no = "JL-" + QByteArray::number(l / 5 + 1).rightJustified(7, '0');
    if (l % 5 == 0) {
      const QByteArray tgl = "2024-03-" + QByteArray::number(1 + l / 5 % 31).rightJustified(2, '0');
      sqlite3_bind_text(nota, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(nota, 2, tgl.constData(), int(tgl.size()), SQLITE_TRANSIENT);
      if (sqlite3_step(nota) != SQLITE_DONE) return false;
      sqlite3_reset(nota);
    }
    const int i = (l * 7919) % items, qty = 1 + l % 12;
    const QByteArray kode = Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
    sqlite3_bind_text(baris, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(baris, 2, kode.constData(), int(kode.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(baris, 3, 1500 + 7 * i);
    sqlite3_bind_int64(baris, 4, qty);
    sqlite3_bind_int64(baris, 5, qint64(1500 + 7 * i) * qty);
    if (sqlite3_step(baris) != SQLITE_DONE) return false;
    sqlite3_reset(baris);
  }
  sqlite3_finalize(nota);
  sqlite3_finalize(baris);
  return c.CommitTrans();
}

inline double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// A raw handle commits as the program's connections do (same synchronous
// level), so that the two sides pay the same syncs.
inline int SameSyncs(sqlite3* raw, sqlite3* ours) {
  sqlite3_stmt* st = nullptr;
  int level = -1;
  if (sqlite3_prepare_v2(ours, "PRAGMA synchronous", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
    level = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  const QByteArray set = "PRAGMA synchronous=" + QByteArray::number(level);
  return level >= 0 && sqlite3_exec(raw, set.constData(), nullptr, nullptr, nullptr) == SQLITE_OK ? level : -1;
}

// The folder of the files and its file system: on tmpfs a sync costs
// nothing, so figures of a save mean little there. TMPDIR chooses the folder.
inline QByteArray Where(const QString& dir) {
  return (dir + " (" + QStorageInfo(dir).fileSystemType() + ")").toLocal8Bit();
}

}  // namespace bench
