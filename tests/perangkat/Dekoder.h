#pragma once
// Reads ESC/POS bytes back as a receipt printer would take them: the printed
// lines with the attributes in force when each was ended, and every command
// in order as text ("ESC @", "GS V 66 3"). Bytes it does not know are listed
// as "?? 0xNN" so that a test sees them.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace dekoder {

struct Baris {
  QString teks;
  bool tebal = false;
  bool tinggi = false;
};

struct Hasil {
  QList<Baris> baris;
  QStringList perintah;
  bool lengkap = true;  // false when the bytes end inside a command
  QStringList teks() const;
  bool ada(const QString& awalPerintah) const;  // a command starting so was sent
  // The lines as a golden file holds them: each padded to the paper's width
  // between bars, then E and H for emphasis and double height.
  QString gambar(int lebar) const;
};

Hasil Baca(const QByteArray& bytes);

}  // namespace dekoder
