#include "perangkat/Struk.h"

#include <QLocale>
#include <algorithm>

#include "toko/Usaha.h"

namespace perangkat {

namespace {

QString Blank(qsizetype n) { return QString(std::max<qsizetype>(n, 0), QLatin1Char(' ')); }

QString NamaHari(const QDate& tanggal) {
  static const char* const hari[] = {"Minggu", "Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
  return QString::fromLatin1(hari[tanggal.dayOfWeek() % 7]);
}

// Words onto lines of at most `lebar` characters; a word longer than a line
// is cut where the line ends. Runs of blanks count as one.
QStringList Bungkus(const QString& teks, int lebar) {
  QStringList out;
  QString baris;
  for (QString kata : teks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!baris.isEmpty() && baris.size() + 1 + kata.size() <= lebar) {
      baris += QLatin1Char(' ') + kata;
      continue;
    }
    if (!baris.isEmpty()) out << baris;
    while (kata.size() > lebar) {
      out << kata.left(lebar);
      kata = kata.mid(lebar);
    }
    baris = kata;
  }
  if (!baris.isEmpty() || out.isEmpty()) out << baris;
  return out;
}

// A heading too long for one line breaks after a comma where it can (an
// address reads by its parts), and between words otherwise.
QStringList BungkusKoma(const QString& teks, int lebar) {
  if (teks.size() <= lebar) return {teks};
  const qsizetype koma = teks.lastIndexOf(QStringLiteral(", "), lebar - 1);
  if (koma <= 0) return Bungkus(teks, lebar);
  return Bungkus(teks.left(koma + 1), lebar) + BungkusKoma(teks.mid(koma + 2).trimmed(), lebar);
}

BarisCetak Tengah(const QString& teks, int lebar, bool tebal = false) {
  return BarisCetak{Blank((lebar - teks.size()) / 2) + teks, true, tebal, false};
}

// A label on the left and a value at the right edge. When both do not fit on
// one line the value goes to a line of its own, still at the right edge.
void KiriKanan(Susunan& s, const QString& kiri, const QString& kanan, int lebar, bool tebal = false,
               bool tinggi = false) {
  if (kiri.size() + 1 + kanan.size() <= lebar) {
    s << BarisCetak{kiri + Blank(lebar - kiri.size() - kanan.size()) + kanan, false, tebal, tinggi};
    return;
  }
  // The label keeps its indent on every line it takes.
  qsizetype indent = 0;
  while (indent < kiri.size() && kiri[indent] == QLatin1Char(' ')) ++indent;
  for (const QString& b : Bungkus(kiri.mid(indent), lebar - int(indent)))
    s << BarisCetak{Blank(indent) + b, false, tebal, tinggi};
  for (const QString& b : Bungkus(kanan, lebar)) s << BarisCetak{Blank(lebar - b.size()) + b, false, tebal, tinggi};
}

void Kepala(Susunan& s, const QStringList& kepala, int lebar) {
  bool pertama = true;
  for (const QString& k : kepala) {
    for (const QString& b : BungkusKoma(KeAscii(k).trimmed(), lebar)) {
      if (b.isEmpty()) continue;
      s << Tengah(b, lebar, pertama);
    }
    pertama = false;
  }
}

BarisCetak Garis(int lebar, QChar c = QLatin1Char('-')) { return BarisCetak{QString(lebar, c)}; }

}  // namespace

QStringList KepalaBawaan() {
  return {toko::NamaLengkap, toko::Slogan, toko::Alamat};
}

Struk DariPenjualan(const toko::Penjualan& jual, int lebar, const QTime& jam, bool cetakUlang,
                    const QStringList& kepala) {
  Struk s;
  s.kepala = kepala;
  s.nomor = jual.nomor;
  s.tanggal = jual.tanggal;
  s.jam = jam;
  s.kasir = jual.kasir;
  s.total = jual.total;
  s.bayar = jual.bayar;
  s.kembali = jual.kembali;
  s.cetakUlang = cetakUlang;
  s.lebar = lebar;
  for (const toko::BarisJual& b : jual.baris) s.baris << BarisStruk{b.nama, b.harga, b.jumlah, b.subtotal};
  return s;
}

QString Uang(qint64 nilai) {
  // The magnitude as unsigned: the lowest qint64 has no positive twin.
  const quint64 besar = nilai < 0 ? 0 - quint64(nilai) : quint64(nilai);
  QString digits = QString::number(besar);
  const QString sep = QLocale().groupSeparator();
  for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, sep);
  return nilai < 0 ? QStringLiteral("-") + digits : digits;
}

Susunan SusunStruk(const Struk& st) {
  const int w = std::max(st.lebar, LebarMin);
  Susunan s;
  Kepala(s, st.kepala, w);
  s << Garis(w);
  if (st.cetakUlang) s << Tengah(QStringLiteral("*** CETAK ULANG ***"), w, true);

  QString waktu = NamaHari(st.tanggal) + QStringLiteral(", ") + st.tanggal.toString(QStringLiteral("dd/MM/yyyy"));
  if (st.jam.isValid()) waktu += QLatin1Char(' ') + st.jam.toString(QStringLiteral("HH:mm"));
  if (!st.tanggal.isValid()) waktu.clear();
  KiriKanan(s, QStringLiteral("No"), KeAscii(st.nomor), w);
  if (!waktu.isEmpty()) KiriKanan(s, QStringLiteral("Tgl"), waktu, w);
  KiriKanan(s, QStringLiteral("Kasir"), KeAscii(st.kasir), w);
  s << Garis(w);

  for (const BarisStruk& b : st.baris) {
    for (const QString& n : Bungkus(KeAscii(b.nama), w)) s << BarisCetak{n};
    // A line read back from the store has its amount; one put together by
    // hand may leave it to the price and quantity.
    const qint64 jumlahUang = b.subtotal != 0 ? b.subtotal : b.harga * b.jumlah;
    KiriKanan(s, QStringLiteral("  ") + Uang(b.jumlah) + QStringLiteral(" x ") + Uang(b.harga), Uang(jumlahUang), w);
  }
  s << Garis(w);
  KiriKanan(s, QStringLiteral("TOTAL"), Uang(st.total), w, true, true);
  if (st.bayar != 0 || st.kembali != 0) {
    KiriKanan(s, QStringLiteral("Bayar"), Uang(st.bayar), w);
    KiriKanan(s, QStringLiteral("Kembali"), Uang(st.kembali), w);
  }
  s << Garis(w, QLatin1Char('='));
  s << BarisCetak{};
  s << Tengah(QStringLiteral("** TERIMA KASIH **"), w);
  return s;
}

Susunan SusunCoba(int lebar, const QStringList& kepala) {
  const int w = std::max(lebar, LebarMin);
  Susunan s;
  Kepala(s, kepala, w);
  s << Garis(w);
  s << Tengah(QStringLiteral("TES PRINTER STRUK"), w, true);
  s << Tengah(QStringLiteral("%1 kolom").arg(w), w);
  // The ruler: tens above, units below, the last column marked on both.
  QString puluhan, satuan;
  for (int i = 1; i <= w; ++i) {
    puluhan += i % 10 == 0 ? QChar(QLatin1Char('0' + (i / 10) % 10)) : QChar(QLatin1Char(' '));
    satuan += QChar(QLatin1Char('0' + i % 10));
  }
  s << BarisCetak{puluhan} << BarisCetak{satuan};
  s << BarisCetak{QLatin1Char('|') + QString(w - 2, QLatin1Char('-')) + QLatin1Char('|')};
  s << BarisCetak{QStringLiteral("Huruf tebal"), false, true, false};
  s << BarisCetak{QStringLiteral("Tinggi ganda"), false, false, true};
  KiriKanan(s, QStringLiteral("Uang"), Uang(1234567), w);
  s << Garis(w, QLatin1Char('='));
  return s;
}

QString KeAscii(const QString& teks) {
  QString out;
  out.reserve(teks.size());
  const QString nfd = teks.normalized(QString::NormalizationForm_D);
  for (qsizetype i = 0; i < nfd.size(); ++i) {
    const QChar c = nfd[i];
    const char32_t u = c.unicode();
    if (u >= 0x20 && u < 0x7F) {
      out += c;
      continue;
    }
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0)) {
      out += QLatin1Char(' ');
      continue;
    }
    const QChar::Category cat = c.category();
    if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_Enclosing || cat == QChar::Mark_SpacingCombining) continue;
    if (c.isSpace()) {
      out += QLatin1Char(' ');
      continue;
    }
    if (c.isHighSurrogate() && i + 1 < nfd.size() && nfd[i + 1].isLowSurrogate()) ++i;  // one sign, one '?'
    char a = '?';
    switch (u) {
      case 0x00D8: a = 'O'; break;  // Ø
      case 0x00F8: a = 'o'; break;  // ø
      case 0x0110: a = 'D'; break;  // Đ
      case 0x0111: a = 'd'; break;  // đ
      case 0x0141: a = 'L'; break;  // Ł
      case 0x0142: a = 'l'; break;  // ł
      case 0x0131: a = 'i'; break;  // dotless i
      case 0x00D7: a = 'x'; break;  // ×
      case 0x00B7: case 0x2022: a = '*'; break;  // · •
      case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015: case 0x2212: a = '-'; break;
      case 0x2018: case 0x2019: case 0x201A: case 0x201B: case 0x2032: a = '\''; break;
      case 0x201C: case 0x201D: case 0x201E: case 0x201F: case 0x2033: case 0x00AB: case 0x00BB: a = '"'; break;
      default: break;
    }
    out += QLatin1Char(a);
  }
  return out;
}

}  // namespace perangkat

// ---- the pieces of a layout, for the till's other slips ----------------------

namespace perangkat {

BarisCetak BarisTengah(const QString& teks, int lebar, bool tebal) { return Tengah(KeAscii(teks), lebar, tebal); }
void BarisKiriKanan(Susunan& s, const QString& kiri, const QString& kanan, int lebar, bool tebal, bool tinggi) {
  KiriKanan(s, KeAscii(kiri), KeAscii(kanan), lebar, tebal, tinggi);
}
void BarisKepala(Susunan& s, const QStringList& kepala, int lebar) { Kepala(s, kepala, lebar); }
BarisCetak BarisGaris(int lebar, QChar c) { return Garis(lebar, c); }
QStringList BarisBungkus(const QString& teks, int lebar) { return Bungkus(KeAscii(teks), lebar); }
QString Waktu(const QDate& tanggal, const QTime& jam) {
  if (!tanggal.isValid()) return QString();
  QString w = NamaHari(tanggal) + QStringLiteral(", ") + tanggal.toString(QStringLiteral("dd/MM/yyyy"));
  if (jam.isValid()) w += QLatin1Char(' ') + jam.toString(QStringLiteral("HH:mm"));
  return w;
}

}  // namespace perangkat
