#pragma once
// The shop's documents: a sale, a purchase and a cash ledger entry, as
// values, and the rules by which they are numbered and stored. A document is
// stored whole or not at all: its header, its lines and the stock of its
// items in one transaction. The windows gather what was typed into these
// values and show the answer; nothing here speaks to the person.
#include <QDate>
#include <QList>
#include <QString>

#include "db/Connection.h"
#include "db/Error.h"

namespace toko {

// One line of a document (Penjualan_Detail, Pembelian_Detail): an item,
// its price, the quantity and the line's amount. In a sale the price is the
// selling price and nama the item's name in Barang; in a purchase it is the
// price paid, which becomes the item's buying price.
struct BarisBarang {
  QString kode;  // Kode_Barang
  QString nama;  // Barang.Nama_Barang
  qint64 harga = 0;  // Harga_Jual / Harga_Beli
  qint64 jumlah = 0;
  qint64 subtotal = 0;
};
using BarisJual = BarisBarang;
using BarisBeli = BarisBarang;

// A sale (Penjualan). Bayar and kembali are what the customer paid and got
// back: they go on the receipt but are not stored.
struct Penjualan {
  QString nomor;  // No_Nota
  QDate tanggal;  // Tgl_Nota
  QString kasir;  // UserID
  QString pelanggan;  // Kode_Pelanggan, empty at the till
  qint64 total = 0;  // Total_Bayar
  qint64 bayar = 0;
  qint64 kembali = 0;
  QList<BarisJual> baris;
};

// Goods coming in from a supplier (Pembelian).
struct Pembelian {
  QString nomor;  // No_Masuk
  QDate tanggal;  // Tgl_Masuk
  QString pemasok;  // Kode_Pemasok
  QString user;  // UserID
  qint64 total = 0;
  QList<BarisBeli> baris;
};

// Money in (DEBET) or out (KREDIT) that is no sale and no purchase (Rekening).
struct Kas {
  QString kode;  // the entry's number
  QDate tanggal;
  QString dk;  // DEBET or KREDIT
  QString transaksi;  // what the money was for
  qint64 jumlah = 0;
};

// A numbered series of documents: the table, its key and how its numbers
// are written (prefix and a serial of fixed width).
struct Seri {
  const char* table;
  const char* key;
  const char* prefix;
  int width;
};
inline constexpr Seri SeriPenjualan{"Penjualan", "No_Nota", "JL-", 7};
inline constexpr Seri SeriPembelian{"Pembelian", "No_Masuk", "BL-", 7};
inline constexpr Seri SeriKas{"Rekening", "kode", "RK-", 7};

// The number a new document of a series gets.
struct NomorBaru {
  QString nomor;  // empty when none could be drawn
  db::Error error;  // the store's failure, when reading failed
  QString habis;  // the refusal to show when the serial is used up
  bool ok() const { return !nomor.isEmpty(); }
};
// The number after the highest stored one of the series (the first number
// when there is none). Reads one row, not the whole table.
NomorBaru NomorBerikut(const db::ConnectionPtr& c, const Seri& seri);

// The answer to a save.
struct HasilSimpan {
  QString nomor;  // the number the document was stored under (or last tried)
  db::Error error;  // kind None when stored; otherwise nothing was stored
  // The item whose row was gone when its stock was to change (another
  // program deleted it meanwhile); error then names the statement.
  QString barangHilang;
  // The commit went unanswered and the server cannot yet say whether it
  // stored the document: "nothing was stored" is then not known. Saving the
  // same document again settles it (it is never stored twice).
  bool belumPasti = false;
  bool ok() const { return !error.failed(); }
};

// Each stores its document under its number; when another till stored that
// number meanwhile, under the next free one. On any failure nothing is
// stored: neither header, nor lines, nor stock.
HasilSimpan Simpan(const db::ConnectionPtr& c, const Penjualan& jual);  // stock goes down by each line
HasilSimpan Simpan(const db::ConnectionPtr& c, const Pembelian& beli);  // stock up, buying price set
HasilSimpan Simpan(const db::ConnectionPtr& c, const Kas& kas);

// A stored sale read back for its receipt: the header and those lines whose
// item is still stored, with the item's name.
struct PenjualanTersimpan {
  Penjualan jual;
  bool ada = false;  // the header was found
  db::Error error;  // a failed read (nothing else is then filled)
  bool ok() const { return !error.failed(); }
};
PenjualanTersimpan BacaPenjualan(const db::ConnectionPtr& c, const QString& nomor);

}  // namespace toko
