#pragma once
// The receipt's text columns and the printer check. The receipt is laid out
// as fixed-width text: every column is as wide as its format pattern.
#include <QDate>
#include <QList>
#include <QString>

#include "toko/Usaha.h"

class QPrinter;

namespace mdlCetak {

// This installation's own heading lines (lines 1, 2 and 4 of the receipt).
using toko::Alamat;
using toko::NamaUsaha;
using toko::Slogan;

// A number in a column as wide as the pattern: above 0 it is formatted by the
// pattern (digits grouped in threes with the locale's separator when the
// pattern holds a comma) and padded with blanks on the right; 0 or less is a
// "0" at the right end. A formatted number wider than the pattern is kept whole.
QString KolomAngka(qint64 nilai, const QString& pola);
// The same for a number held as plain digits.
QString KolomAngka(const QString& nilai, const QString& pola);
// A text padded with blanks to the pattern's width; a longer text is kept whole.
QString KolomTeks(const QString& nilai, const QString& pola);

// Digits grouped as the pattern asks (no padding).
QString FormatPola(qint64 nilai, const QString& pola);

// True when the machine has a default printer.
bool AdaPrinter();
bool AdaPrinter(const QPrinter* printer);

// Day names from Sunday on.
QString NamaHari(const QDate& tanggal);

struct BarisNota {
  QString kode;
  QString nama;
  qint64 harga = 0;
  qint64 jumlah = 0;
};

struct DataNota {
  QString noNota;
  QString totHarga;     // plain digits, as handed over by the sale
  QString uangBayar;
  QString uangKembali;
  QDate tanggal;
  QList<BarisNota> baris;
  // A receipt printed again from the stored sale: marked so under the
  // receipt number, and without payment and change, which are not stored.
  bool cetakUlang = false;
};

// The whole receipt, lines joined by CR LF, without a line end after the
// last line. Columns widen (and their headings move with them) when there
// are more than 9 lines or an amount is wider than its pattern.
QString SusunNota(const DataNota& data);

}  // namespace mdlCetak
