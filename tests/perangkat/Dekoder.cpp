#include "Dekoder.h"

namespace dekoder {

QStringList Hasil::teks() const {
  QStringList out;
  for (const Baris& b : baris) out << b.teks;
  return out;
}

bool Hasil::ada(const QString& awal) const {
  for (const QString& p : perintah)
    if (p == awal || p.startsWith(awal + QLatin1Char(' '))) return true;
  return false;
}

QString Hasil::gambar(int lebar) const {
  QString out;
  for (const Baris& b : baris) {
    out += QLatin1Char('|') + b.teks.leftJustified(lebar) + QLatin1Char('|');
    if (b.tebal) out += QLatin1Char('E');
    if (b.tinggi) out += QLatin1Char('H');
    out += QLatin1Char('\n');
  }
  return out;
}

Hasil Baca(const QByteArray& in) {
  Hasil h;
  QString baris;
  bool tebal = false, tinggi = false;
  qsizetype i = 0;
  const qsizetype n = in.size();
  // The command's parameter bytes, or false when the bytes end first.
  auto ambil = [&](int k, QString nama) -> bool {
    if (i + k > n) {
      h.lengkap = false;
      h.perintah << nama + QStringLiteral(" <terpotong>");
      i = n;
      return false;
    }
    return true;
  };
  auto u = [&](qsizetype at) { return int(static_cast<unsigned char>(in[at])); };
  while (i < n) {
    const int c = u(i++);
    if (c == 0x0A) {
      h.baris << Baris{baris, tebal, tinggi};
      baris.clear();
    } else if (c >= 0x20 && c < 0x7F) {
      baris += QLatin1Char(char(c));
    } else if (c == 0x1B) {
      if (!ambil(1, QStringLiteral("ESC"))) break;
      const int k = u(i++);
      switch (k) {
        case '@':
          h.perintah << QStringLiteral("ESC @");
          tebal = tinggi = false;
          break;
        case 't': case 'E': case 'd': case '!': {
          if (!ambil(1, QStringLiteral("ESC %1").arg(QChar(k)))) break;
          const int p = u(i++);
          h.perintah << QStringLiteral("ESC %1 %2").arg(QChar(k)).arg(p);
          if (k == 'E') tebal = p & 1;
          if (k == '!') {
            tebal = p & 0x08;
            tinggi = p & 0x10;
          }
          if (k == 'd')
            for (int j = 0; j < p; ++j) h.baris << Baris{};
          break;
        }
        case 'p': {
          if (!ambil(3, QStringLiteral("ESC p"))) break;
          h.perintah << QStringLiteral("ESC p %1 %2 %3").arg(u(i)).arg(u(i + 1)).arg(u(i + 2));
          i += 3;
          break;
        }
        default:
          h.perintah << QStringLiteral("?? ESC 0x%1").arg(k, 2, 16, QLatin1Char('0'));
      }
    } else if (c == 0x1D) {
      if (!ambil(1, QStringLiteral("GS"))) break;
      const int k = u(i++);
      if (k == '!') {
        if (!ambil(1, QStringLiteral("GS !"))) break;
        const int p = u(i++);
        h.perintah << QStringLiteral("GS ! %1").arg(p);
        tinggi = p & 0x0F;
      } else if (k == 'V') {
        if (!ambil(1, QStringLiteral("GS V"))) break;
        const int m = u(i++);
        if (m == 65 || m == 66) {
          if (!ambil(1, QStringLiteral("GS V %1").arg(m))) break;
          h.perintah << QStringLiteral("GS V %1 %2").arg(m).arg(u(i++));
        } else {
          h.perintah << QStringLiteral("GS V %1").arg(m);
        }
      } else {
        h.perintah << QStringLiteral("?? GS 0x%1").arg(k, 2, 16, QLatin1Char('0'));
      }
    } else {
      h.perintah << QStringLiteral("?? 0x%1").arg(c, 2, 16, QLatin1Char('0'));
    }
  }
  // Text never ended by LF stays in the printer's buffer: not printed.
  if (!baris.isEmpty()) h.perintah << QStringLiteral("?? teks tanpa LF: ") + baris;
  return h;
}

}  // namespace dekoder
