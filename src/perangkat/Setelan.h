#pragma once
// The receipt printer's settings of one till, kept in merapu.ini beside the
// program, section [struk]:
//
//   [struk]
//   tujuan=net:192.168.1.50:9100   ; page, file:/dev/usb/lp0, net:HOST:PORT, cups:QUEUE
//   lebar=32                       ; columns: 32 (58 mm paper) or 48 (80 mm); 58 and 80 are read too
//   potong=ya                      ; cut after each receipt
//   laci=tidak                     ; open the drawer on a cash sale
//   kepala1=CV. MERAPU MAJU BERSAMA
//   kepala2=...                    ; the header lines, in order
//
// An absent file or key leaves the default: the page printer, as before.
#include <QString>
#include <QStringList>

#include "perangkat/Sink.h"
#include "perangkat/Struk.h"

namespace perangkat {

struct SetelanStruk {
  static constexpr int Lebar58 = perangkat::Lebar58;
  static constexpr int Lebar80 = perangkat::Lebar80;

  Tujuan tujuan;           // the page printer unless set
  int lebar = Lebar58;     // characters on a line
  bool potong = true;      // cut the paper after each receipt
  bool laci = false;       // open the cash drawer on a cash sale
  QStringList kepala;      // the header lines

  SetelanStruk();
  bool operator==(const SetelanStruk& o) const {
    return tujuan == o.tujuan && lebar == o.lebar && potong == o.potong && laci == o.laci && kepala == o.kepala;
  }
};

struct BacaanSetelan {
  SetelanStruk setelan;
  // One line per value that was not understood and left at its default, or
  // per key that means nothing here; for the person who edits the file.
  QStringList masalah;
};

// merapu.ini in the program's folder.
QString BerkasSetelan();

BacaanSetelan BacaSetelan(const QString& path);
// Writes the section [struk] whole and leaves the file's other sections as
// they were; false, with the reason in *galat, when the file cannot be written.
bool TulisSetelan(const QString& path, const SetelanStruk& s, QString* galat = nullptr);

}  // namespace perangkat
