#include "perangkat/EscPos.h"

namespace perangkat {

namespace {
constexpr char ESC = 0x1B;
constexpr char GS = 0x1D;
constexpr char LF = 0x0A;

void Cmd(QByteArray& b, std::initializer_list<int> bytes) {
  for (int x : bytes) b.append(char(x));
}

void Pulsa(QByteArray& b) { Cmd(b, {ESC, 'p', 0, PulsaNyala, PulsaMati}); }
}  // namespace

QByteArray EscPos(const Susunan& susunan, bool potong, bool laci) {
  QByteArray b;
  Cmd(b, {ESC, '@', ESC, 't', 0});
  bool tebal = false, tinggi = false;
  for (const BarisCetak& baris : susunan) {
    if (baris.tebal != tebal) {
      tebal = baris.tebal;
      Cmd(b, {ESC, 'E', tebal ? 1 : 0});
    }
    if (baris.tinggi != tinggi) {
      tinggi = baris.tinggi;
      Cmd(b, {GS, '!', tinggi ? 0x01 : 0x00});
    }
    // KeAscii leaves printable ASCII only: no byte of a text can be read
    // by the printer as a command.
    b.append(KeAscii(baris.teks).toLatin1());
    b.append(LF);
  }
  if (tebal) Cmd(b, {ESC, 'E', 0});
  if (tinggi) Cmd(b, {GS, '!', 0});
  if (potong)
    Cmd(b, {GS, 'V', 66, UmpanPotong});
  else
    Cmd(b, {ESC, 'd', UmpanSobek});
  if (laci) Pulsa(b);
  return b;
}

QByteArray EscPos(const Struk& struk, bool potong, bool laci) { return EscPos(SusunStruk(struk), potong, laci); }

bool LaciDibuka(const Struk& struk, bool setelanLaci) { return setelanLaci && !struk.cetakUlang && struk.bayar > 0; }

QByteArray CetakCoba(int lebar, bool potong, const QStringList& kepala) {
  return EscPos(SusunCoba(lebar, kepala), potong, false);
}

QByteArray BukaLaci() {
  QByteArray b;
  Cmd(b, {ESC, '@'});
  Pulsa(b);
  return b;
}

}  // namespace perangkat
