#pragma once
// Shared set-up of the benchmarks: a shop database with many stock items, and
// the best of several timings. The set-up goes through the store; SQLite's
// own interface is for the raw side of a comparison only, on a handle the
// benchmark opens itself.
#include <sqlite3.h>

#include <QByteArray>
#include <QStorageInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>
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
  const std::unique_ptr<db::Statement> ins = c.Compile("INSERT INTO Barang VALUES (?,?,?,?,?,?,?)");
  if (!ins) return false;
  for (int i = 0; i < count; ++i) {
    const Item it = item(i);
    ins->BindText(1, QString::fromUtf8(it.kode));
    ins->BindText(2, QString::fromUtf8(it.kode.left(7)));
    ins->BindText(3, QString::fromUtf8(it.nama));
    ins->BindText(4, QString::fromUtf8(it.satuan));
    ins->BindInt(5, it.beli);
    ins->BindInt(6, it.jual);
    ins->BindInt(7, it.stok);
    ins->Next();
    if (ins->Failed()) return false;
    ins->Reset();
  }
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
  const std::unique_ptr<db::Statement> nota = c.Compile("INSERT INTO Penjualan VALUES (?,?,0,'','KASIR')");
  const std::unique_ptr<db::Statement> baris = c.Compile("INSERT INTO Penjualan_Detail VALUES (?,?,?,?,?)");
  if (!nota || !baris) return false;
  for (int l = 0; l < lines; ++l) {
    const QByteArray no = "JL-" + QByteArray::number(l / 5 + 1).rightJustified(7, '0');
    if (l % 5 == 0) {
      const QByteArray tgl = "2024-03-" + QByteArray::number(1 + l / 5 % 31).rightJustified(2, '0');
      nota->BindText(1, QString::fromUtf8(no));
      nota->BindText(2, QString::fromUtf8(tgl));
      nota->Next();
      if (nota->Failed()) return false;
      nota->Reset();
    }
    const int i = (l * 7919) % items, qty = 1 + l % 12;
    baris->BindText(1, QString::fromUtf8(no));
    baris->BindText(2, QString::fromUtf8(Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1)));
    baris->BindInt(3, 1500 + 7 * i);
    baris->BindInt(4, qty);
    baris->BindInt(5, qint64(1500 + 7 * i) * qty);
    baris->Next();
    if (baris->Failed()) return false;
    baris->Reset();
  }
  return c.CommitTrans();
}

inline double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// A raw handle commits as the program's connections do (same synchronous
// level), so that the two sides pay the same syncs.
inline int SameSyncs(sqlite3* raw, db::Connection& ours) {
  QStringList got;
  if (!ours.QueryRaw("PRAGMA synchronous", &got) || got.isEmpty()) return -1;
  bool ok = false;
  const int level = got.first().toInt(&ok);
  const QByteArray set = "PRAGMA synchronous=" + QByteArray::number(level);
  return ok && sqlite3_exec(raw, set.constData(), nullptr, nullptr, nullptr) == SQLITE_OK ? level : -1;
}

// The folder of the files and its file system: on tmpfs a sync costs
// nothing, so figures of a save mean little there. TMPDIR chooses the folder.
inline QByteArray Where(const QString& dir) {
  return (dir + " (" + QStorageInfo(dir).fileSystemType() + ")").toLocal8Bit();
}

}  // namespace bench
