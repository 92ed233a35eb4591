#pragma once
// The receipt on narrow thermal paper (58 mm: 32 columns, 80 mm: 48
// columns), laid out as lines of fixed-pitch text with their print
// attributes. The layout knows nothing of printers: EscPos.h turns it into
// the bytes a receipt printer takes.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include "toko/Dokumen.h"

namespace perangkat {

inline constexpr int Lebar58 = 32;  // columns of 58 mm paper (font A)
inline constexpr int Lebar80 = 48;  // columns of 80 mm paper
inline constexpr int LebarMin = 20;  // narrower widths are laid out at this one

// The heading lines of the page receipt: the legal name, the line of
// business and the street address.
QStringList KepalaBawaan();

struct BarisStruk {
  QString nama;
  qint64 harga = 0;
  qint64 jumlah = 0;
  qint64 subtotal = 0;
};

struct Struk {
  QStringList kepala = KepalaBawaan();
  QString nomor;
  QDate tanggal;
  QTime jam;  // invalid: the date alone is printed (a stored sale keeps no time)
  QString kasir;
  QList<BarisStruk> baris;
  qint64 total = 0;
  // What was paid and given back: known at the till only. When neither is
  // known (a reprint of a stored sale) their lines are left out.
  qint64 bayar = 0;
  qint64 kembali = 0;
  bool cetakUlang = false;
  int lebar = Lebar58;
};

// The receipt of a sale: the sale's own lines and sums. `jam` is the time of
// the sale when it is printed at the till.
Struk DariPenjualan(const toko::Penjualan& jual, int lebar = Lebar58, const QTime& jam = QTime(),
                    bool cetakUlang = false, const QStringList& kepala = KepalaBawaan());

// One printed line. The text is already padded: a centred line carries its
// leading blanks. Double height doubles the line's height only, never its
// width, so a line is at most as long as the paper is wide.
struct BarisCetak {
  QString teks;
  bool tengah = false;  // centred
  bool tebal = false;   // emphasised
  bool tinggi = false;  // double height
  bool operator==(const BarisCetak&) const = default;
};
using Susunan = QList<BarisCetak>;

// The receipt line by line. Every text is first brought to plain ASCII (see
// KeAscii), so that what is measured here is what the printer prints.
Susunan SusunStruk(const Struk& struk);

// A short test page for a paper of the given width: the heading, a column
// ruler as wide as the paper and a line in each attribute.
Susunan SusunCoba(int lebar, const QStringList& kepala = KepalaBawaan());

// Money as the receipts write it: digits grouped in threes with the
// locale's group separator.
QString Uang(qint64 nilai);

// The text in printable ASCII, one character for one: letters with marks
// lose them (é -> e, ñ -> n), a few letters and signs get their nearest
// ASCII, blanks and control characters become a blank, anything else '?'.
// Combining marks are dropped, so the result is never longer.
QString KeAscii(const QString& teks);

}  // namespace perangkat
