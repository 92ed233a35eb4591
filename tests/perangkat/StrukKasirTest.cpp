// The till's return receipt and the X and Z reports of a cashier's day, on
// either paper.
#include <QLocale>
#include <QtTest>

#include "Registry.h"
#include "perangkat/StrukKasir.h"

using namespace perangkat;

namespace {

QStringList Teks(const Susunan& s) {
  QStringList l;
  for (const BarisCetak& b : s) l << b.teks;
  return l;
}

// The line that starts with the label, or "".
QString Baris(const Susunan& s, const QString& label) {
  for (const BarisCetak& b : s)
    if (b.teks.startsWith(label)) return b.teks;
  return QString();
}

toko::Tutup Hari() {
  toko::Tutup t;
  t.angka.kasir = QStringLiteral("KASIR1");
  t.angka.tanggal = QDate(2024, 3, 15);
  t.angka.kasAwal = 50000;
  t.angka.nota = 2;
  t.angka.barang = 8;
  t.angka.penjualan = 43500;
  t.angka.retur = 1500;
  t.dihitung = 94000;
  t.jam = QTime(21, 5);
  return t;
}

}  // namespace

class StrukKasirTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void lebar_data() {
    QTest::addColumn<int>("lebar");
    QTest::newRow("58 mm") << Lebar58;
    QTest::newRow("80 mm") << Lebar80;
  }

  // The Z report ends in the cash counted and the difference at the right
  // edge; the X report stops at the expected cash. No line is wider than
  // the paper.
  void lebar() {
    QFETCH(int, lebar);
    const Susunan z = SusunLaporanKasir(Hari(), true, lebar);
    const Susunan x = SusunLaporanKasir(Hari(), false, lebar);
    for (const QString& l : Teks(z) + Teks(x)) QVERIFY2(l.size() <= lebar, qPrintable(l));
    QVERIFY(Teks(z).contains(QStringLiteral("LAPORAN Z - TUTUP KASIR").rightJustified(
        (lebar - 23) / 2 + 23, QLatin1Char(' '))));
    QVERIFY(Baris(z, "Kas seharusnya").endsWith(" 92,000"));
    QVERIFY(Baris(z, "Selisih").endsWith(" 2,000"));
    QCOMPARE(Baris(z, "Selisih").size(), lebar);
    QVERIFY(Baris(x, "Kas dihitung").isEmpty());
    QVERIFY(Baris(x, "Selisih").isEmpty());

    toko::Retur r;
    r.nomor = "RT-0000001";
    r.nota = "JL-0000001";
    r.tanggal = QDate(2024, 3, 15);
    r.user = "KASIR1";
    r.penyetuju = "BOS";
    r.alasan = QStringLiteral("kemasan rusak, tanggal kedaluwarsa sudah lewat");
    r.baris << toko::BarisBarang{"001.002.003", QStringLiteral("Sabun Mandi Lux Sakura 85 g isi 3"), 1500, 2, 3000};
    r.total = 3000;
    const Susunan s = SusunRetur(r, QTime(10, 30), lebar);
    for (const QString& l : Teks(s)) QVERIFY2(l.size() <= lebar, qPrintable(l));
    QVERIFY(Baris(s, "Disetujui").endsWith("BOS"));
    QVERIFY(Baris(s, "UANG KEMBALI").endsWith(" 3,000"));
    QVERIFY(Baris(s, "  2 x 1,500").endsWith(" 3,000"));
    QVERIFY(Teks(s).join(' ').contains("Alasan: kemasan rusak"));
  }
};
REGISTER_TEST(StrukKasirTest);
#include "StrukKasirTest.moc"
