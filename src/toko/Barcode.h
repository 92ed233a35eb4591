#pragma once
// Barcodes of stock items: the check digit of the codes that carry one, the
// lookup of a scanned (or typed) code, and the barcodes an item keeps. An
// older database file has no barcode table; then an item has no barcodes,
// a scan finds items by their full code only, and nothing can be kept.
//
// Failures of the store come back as a db::Error, never as "not found". The
// texts a person reads are made by the windows.
#include <QString>
#include <QStringList>

#include "db/Connection.h"
#include "db/Error.h"

namespace toko {

// The codes whose last digit checks the others: 13, 8 and 12 digits.
enum class JenisBarcode { Lain, Ean13, Ean8, UpcA };
JenisBarcode Jenis(const QString& kode);
// "EAN-13", "EAN-8", "UPC-A" ("" for another code).
QString NamaJenis(JenisBarcode j);
// The check digit the code should end with (-1 for a code without one).
int DigitPemeriksa(const QString& kode);
// A code without a check digit is taken as it is.
bool DigitBenar(const QString& kode);

// The codes of a text as a person types them into one box: separated by
// blanks, commas or semicolons; each once (compared without regard to case).
QStringList PisahBarcode(const QString& teks);
// The item code a scan or a typed code names: GGG.PPP.BBB as it stands, or
// the nine characters of one typed without its dots. "" when it is neither.
QString KodeBarangDari(const QString& teks);

// Whether the database has the barcode table.
bool AdaTabelBarcode(const db::ConnectionPtr& c);

// The item a scanned or typed code names: one of its barcodes, or its full
// item code (with or without the dots).
struct BarangDipindai {
  db::Error error;
  bool ada = false;
  QString kode;  // Kode_Barang
  QString nama;
  qint64 hargaJual = 0;
  qint64 hargaBeli = 0;
  bool ok() const { return !error.failed(); }
};
BarangDipindai CariDipindai(const db::ConnectionPtr& c, const QString& teks);

// The barcodes of an item, in code order (none in an older file).
struct DaftarBarcode {
  db::Error error;
  QStringList kode;
  bool ok() const { return !error.failed(); }
};
DaftarBarcode BacaBarcode(const db::ConnectionPtr& c, const QString& barang);

// What is wrong with the barcodes an item is to keep: the first code whose
// check digit is wrong, or one that another item keeps already.
struct CekBarcode {
  db::Error error;
  QString salah;       // a code with a wrong check digit
  QString dipakai;     // a code another item keeps
  QString olehBarang;  // that item
  bool ok() const { return !error.failed() && salah.isEmpty() && dipakai.isEmpty(); }
};
CekBarcode PeriksaBarcode(const db::ConnectionPtr& c, const QString& barang, const QStringList& kode);

// Makes `kode` the item's barcodes: those it had and are not in the list go.
// The caller holds the transaction, so the item and its barcodes are stored
// together or not at all. False with the connection's Failure() set.
[[nodiscard]] bool GantiBarcode(const db::ConnectionPtr& c, const QString& barang, const QStringList& kode);

}  // namespace toko
