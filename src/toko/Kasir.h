#pragma once
// A cashier's day: the float the drawer starts with (typed at the day's
// first sale, or zero), the figures of the day so far (the X report, nothing
// stored) and the close (the Z report): the cash counted against the cash
// expected, float + cash sales - refunds, with the difference stored. One
// close per cashier and day.
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include "db/Connection.h"
#include "db/Error.h"

namespace toko {

// Notes and coins the drawer is counted by, largest first.
inline constexpr qint64 Pecahan[] = {100000, 50000, 20000, 10000, 5000, 2000, 1000, 500, 200, 100};
inline constexpr int BanyakPecahan = int(sizeof(Pecahan) / sizeof(Pecahan[0]));
// The cash of so many of each (in the order of Pecahan); false when a count
// is negative or the sum does not fit.
bool JumlahPecahan(const QList<qint64>& banyak, qint64* jumlah);

struct AngkaHari {
  QString kasir;
  QDate tanggal;
  bool adaKasAwal = false;
  qint64 kasAwal = 0;
  qint64 nota = 0;       // receipts
  qint64 barang = 0;     // pieces sold
  qint64 penjualan = 0;  // cash sales (every sale is paid in cash)
  qint64 retur = 0;      // refunds paid out by this cashier
  qint64 banyakRetur = 0;
  qint64 diharapkan() const { return kasAwal + penjualan - retur; }
};
struct BacaanHari {
  db::Error error;
  AngkaHari angka;
  bool ok() const { return !error.failed(); }
};
BacaanHari HitungHari(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal);

// ---- the float --------------------------------------------------------------
struct BacaanKasAwal {
  db::Error error;
  bool ada = false;
  qint64 jumlah = 0;
  bool ok() const { return !error.failed(); }
};
BacaanKasAwal BacaKasAwal(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal);
// Stores the float of the day; a second one of the same cashier and day
// fails as a DuplicateKey.
db::Error SimpanKasAwal(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal, qint64 jumlah);

// ---- the close --------------------------------------------------------------
struct Tutup {
  AngkaHari angka;
  qint64 dihitung = 0;
  QTime jam;
  qint64 selisih() const { return dihitung - angka.diharapkan(); }
};
struct HasilTutup {
  db::Error error;
  bool sudahDitutup = false;  // this cashier's day was closed before: refused
  Tutup tutup;  // as stored (the figures are read inside the transaction)
  bool ok() const { return !error.failed() && !sudahDitutup; }
};
HasilTutup TutupHari(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal, qint64 dihitung,
                     const QTime& jam);

struct BacaanTutup {
  db::Error error;
  bool ada = false;
  Tutup tutup;
  bool ok() const { return !error.failed(); }
};
BacaanTutup BacaTutup(const db::ConnectionPtr& c, const QString& kasir, const QDate& tanggal);

}  // namespace toko
