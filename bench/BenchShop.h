#pragma once
// Shared set-up of the benchmarks: a shop database with many stock items, and
// the best of several timings.
#include <sqlite3.h>

#include <QByteArray>
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

inline double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace bench
