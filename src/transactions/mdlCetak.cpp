#include "transactions/mdlCetak.h"

#include <QLocale>
#include <QPrinter>
#include <algorithm>

#include "db/Sql.h"
#include "ui/Seams.h"

namespace mdlCetak {

namespace {
const QString CRLF = QStringLiteral("\r\n");

QString Blank(qsizetype n) { return QString(std::max<qsizetype>(n, 0), QLatin1Char(' ')); }

// A pattern of the given width, grouped when `grouped`.
QString Pola(int width, bool grouped) {
  if (!grouped) return QString(width, QLatin1Char('#'));
  return QString(width - 9, QLatin1Char('#')) + QStringLiteral("#,###,###");
}

int LebarAngka(qint64 nilai, const QString& pola) {
  return nilai > 0 ? int(FormatPola(nilai, pola).size()) : 1;
}
}  // namespace

QString FormatPola(qint64 nilai, const QString& pola) {
  QString digits = QString::number(nilai < 0 ? -nilai : nilai);
  if (pola.contains(QLatin1Char(','))) {
    const QString sep = QLocale().groupSeparator();
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, sep);
  }
  return nilai < 0 ? QStringLiteral("-") + digits : digits;
}

QString KolomAngka(qint64 nilai, const QString& pola) {
  if (nilai > 0) {
    const QString s = FormatPola(nilai, pola);
    return s + Blank(pola.size() - s.size());
  }
  return Blank(pola.size() - 1) + QStringLiteral("0");
}

QString KolomAngka(const QString& nilai, const QString& pola) {
  return KolomAngka(db::LeadingNumber(nilai), pola);
}

QString KolomTeks(const QString& nilai, const QString& pola) {
  // Texts are printed as they stand: an item called "0" or "007" keeps its name.
  return nilai + Blank(pola.size() - nilai.size());
}

bool AdaPrinter(const QPrinter* printer) { return printer != nullptr && printer->isValid(); }

bool AdaPrinter() {
  auto p = ui::DefaultPrinter();
  return AdaPrinter(p.get());
}

QString NamaHari(const QDate& tanggal) {
  static const char* const hari[] = {"Minggu", "Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
  return QString::fromLatin1(hari[tanggal.dayOfWeek() % 7]);
}

QString SusunNota(const DataNota& d) {
  // Column widths: as the layout fixes them, wider only when a value needs it.
  int lebarNo = 1, lebarQty = 3, lebarHarga = 9, lebarTotal = 9;
  lebarNo = std::max<int>(lebarNo, int(QString::number(d.baris.size()).size()));
  for (const BarisNota& b : d.baris) {
    lebarQty = std::max(lebarQty, LebarAngka(b.jumlah, QStringLiteral("###")));
    lebarHarga = std::max(lebarHarga, LebarAngka(b.harga, QStringLiteral("#,###,###")));
    lebarTotal = std::max(lebarTotal, LebarAngka(b.jumlah * b.harga, QStringLiteral("#,###,###")));
  }
  const int dNo = lebarNo - 1, dQty = lebarQty - 3, dHarga = lebarHarga - 9, dTotal = lebarTotal - 9;
  const int lebih = dNo + dQty + dHarga + dTotal;

  const QString garisSama = QStringLiteral(" ") + QString(67 + lebih, QLatin1Char('='));
  const QString garisMinus = QStringLiteral(" ") + QString(67 + lebih, QLatin1Char('-'));
  const QDate tgl = d.tanggal;

  QStringList l;
  l << QStringLiteral(" ") + toko::NamaLengkap + Blank(5);
  l << QStringLiteral(" ") + Slogan + QStringLiteral(" ");
  l << QStringLiteral(" ");
  l << QStringLiteral(" ") + Alamat + QStringLiteral(" ");
  l << QStringLiteral(" ") + NamaHari(tgl) + QStringLiteral(", ") + tgl.toString(QStringLiteral("dd/MM/yyyy"));
  l << Blank(43) + QStringLiteral("No Transaksi: ") + d.noNota;
  if (d.cetakUlang) l << Blank(43) + QStringLiteral("*** CETAK ULANG ***");
  l << garisSama;
  l << QStringLiteral(" No. ") + Blank(dNo) + QStringLiteral("Kode") + Blank(9) + QStringLiteral("Nama") + Blank(22) +
           QStringLiteral("Qty") + Blank(4 + dQty) + QStringLiteral("Harga") + Blank(4 + dHarga) +
           QStringLiteral("Total") + Blank(3 + dTotal);
  l << garisMinus;

  const QString polaQty = Pola(lebarQty, false);
  const QString polaHarga = Pola(lebarHarga, true), polaTotal = Pola(lebarTotal, true);
  qint64 jumlahUang = 0;
  int n = 0;
  for (const BarisNota& b : d.baris) {
    ++n;
    const qint64 t = b.jumlah * b.harga;
    jumlahUang += t;
    // Line numbers stand right in their column, so the points line up.
    const QString no = QString::number(n);
    l << QStringLiteral(" ") + Blank(lebarNo - no.size()) + no + QStringLiteral(".  ") +
             KolomTeks(b.kode, QStringLiteral("###########")) + QStringLiteral("  ") +
             KolomTeks(b.nama, QStringLiteral("#######################")) + QStringLiteral("   ") +
             KolomAngka(b.jumlah, polaQty) + QStringLiteral("  ") + KolomAngka(b.harga, polaHarga) +
             QStringLiteral("  ") + KolomAngka(t, polaTotal);
  }

  const QString kiri = Blank(48 + lebih);
  l << garisMinus;
  l << QStringLiteral(" Total Jenis Barang = ") + KolomAngka(n, QStringLiteral("###")) +
           QStringLiteral(";      Total Besar Uang = ") + KolomAngka(jumlahUang, QStringLiteral("###,###,###,###"));
  l << garisSama;
  l << kiri + QStringLiteral("Total   : ") + KolomAngka(d.totHarga, QStringLiteral("#,###,###,###"));
  if (!d.cetakUlang) {
    l << kiri + QStringLiteral("Bayar   : ") + KolomAngka(d.uangBayar, QStringLiteral("#,###,###,###"));
    l << kiri + QStringLiteral("Kembali : ") + KolomAngka(d.uangKembali, QStringLiteral("#,###,###,###"));
  }
  l << garisSama;
  l << Blank(24 + lebih / 2) + QStringLiteral("** TERIMA KASIH **") + Blank(26 + lebih - lebih / 2);
  return l.join(CRLF);
}

}  // namespace mdlCetak
