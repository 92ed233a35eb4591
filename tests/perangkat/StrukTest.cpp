// The narrow receipt and its ESC/POS bytes, read back by the decoder as a
// printer would print them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>
#include <QLocale>
#include <QtTest>

#include "Dekoder.h"
#include "Registry.h"
#include "db/Connection.h"
#include "perangkat/EscPos.h"
#include "perangkat/Struk.h"

using namespace perangkat;

namespace {

// A morning's sale at the till: a name too long for either paper, one with a
// letter outside ASCII and a quantity in the tens.
toko::Penjualan Belanja() {
  toko::Penjualan j;
  j.nomor = QStringLiteral("JL-0000123");
  j.tanggal = QDate(2026, 12, 9);
  j.kasir = QStringLiteral("KASIR1");
  auto baris = [&](const char* kode, const QString& nama, qint64 harga, qint64 jumlah) {
    j.baris << toko::BarisJual{QString::fromLatin1(kode), nama, harga, jumlah, harga * jumlah};
    j.total += harga * jumlah;
  };
  baris("BR-5KG", QStringLiteral("Beras Pandan Wangi Premium Karung 5 kg Cap Bunga Mawar Super"), 78500, 2);
  baris("MG-2L", QStringLiteral("Minyak Goreng Bimoli 2 L"), 38900, 1);
  baris("GL-1KG", QStringLiteral("Gula Pasir Gulaku 1 kg"), 16500, 3);
  baris("KP-SP", QStringLiteral("Kopi Kapal Api Cr\u00e8me Mix 10\u00d724g"), 13500, 1);
  baris("TL-AY", QStringLiteral("Telur Ayam Negeri"), 2000, 30);
  j.bayar = 350000;
  j.kembali = j.bayar - j.total;
  return j;
}

Struk StrukBelanja(int lebar, bool ulang = false) {
  return DariPenjualan(Belanja(), lebar, QTime(9, 41), ulang);
}

// The lines between the heading's rule and the totals' rule, sorted.
QStringList Barang(const QStringList& t, int lebar) {
  const QString garis(lebar, QLatin1Char('-'));
  int awal = -1, akhir = -1;
  for (int i = 0; i < t.size(); ++i)
    if (t[i] == garis) {
      awal = akhir;
      akhir = i;
    }
  QStringList out = t.mid(awal + 1, akhir - awal - 1);
  out.sort();
  return out;
}

// The widths' paper names, for the golden files.
QString Kertas(int lebar) { return lebar == Lebar80 ? QStringLiteral("80") : QStringLiteral("58"); }

}  // namespace

class StrukTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia)); }
  void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

  // The whole receipt, as printed, against the file a person has read.
  // MERAPU_TULIS_GOLDEN=1 writes the files anew instead.
  void golden_data() {
    QTest::addColumn<int>("lebar");
    QTest::newRow("58 mm") << Lebar58;
    QTest::newRow("80 mm") << Lebar80;
  }
  void golden() {
    QFETCH(int, lebar);
    const dekoder::Hasil h = dekoder::Baca(EscPos(StrukBelanja(lebar), true, true));
    const QString dicetak = h.gambar(lebar);
    const QString nama = QStringLiteral("golden/struk%1.txt").arg(Kertas(lebar));
    if (qEnvironmentVariableIntValue("MERAPU_TULIS_GOLDEN")) {
      QFile f(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(nama));
      QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(dicetak.toUtf8());
      QSKIP("golden file written");
    }
    const QString path = QFINDTESTDATA(nama);
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(nama));
    const QStringList harap = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList ada = dicetak.split(QLatin1Char('\n'));
    for (int i = 0; i < std::min(harap.size(), ada.size()); ++i)
      QVERIFY2(harap[i] == ada[i], qPrintable(QStringLiteral("line %1:\n want %2\n got  %3").arg(i + 1).arg(harap[i], ada[i])));
    QCOMPARE(ada.size(), harap.size());
    QVERIFY(h.lengkap);
  }

  // The frame of the bytes: reset and code page first, the cut only when
  // asked, after the last line, and the drawer pulse only when asked; no
  // double width and no byte the printer would not know.
  void perintah_data() {
    QTest::addColumn<bool>("potong");
    QTest::addColumn<bool>("laci");
    QTest::newRow("cut, drawer") << true << true;
    QTest::newRow("cut only") << true << false;
    QTest::newRow("drawer only") << false << true;
    QTest::newRow("neither") << false << false;
  }
  void perintah() {
    QFETCH(bool, potong);
    QFETCH(bool, laci);
    const QByteArray bytes = EscPos(StrukBelanja(Lebar58), potong, laci);
    const dekoder::Hasil h = dekoder::Baca(bytes);
    QVERIFY(h.lengkap);
    QCOMPARE(h.perintah.mid(0, 2), (QStringList{QStringLiteral("ESC @"), QStringLiteral("ESC t 0")}));
    for (const QString& p : h.perintah) {
      QVERIFY2(!p.startsWith(QLatin1String("??")), qPrintable(p));
      if (p.startsWith(QLatin1String("GS ! "))) QVERIFY2(p.mid(5).toInt() < 0x10, qPrintable(p));  // no double width
      QVERIFY2(!p.startsWith(QLatin1String("ESC ! ")) || !(p.mid(6).toInt() & 0x20), qPrintable(p));
    }
    QCOMPARE(h.ada(QStringLiteral("GS V 66")), potong);
    QCOMPARE(h.perintah.count(QStringLiteral("ESC p 0 25 250")), laci ? 1 : 0);
    QCOMPARE(h.ada(QStringLiteral("ESC p")), laci);
    // Nothing is printed after the cut: the next receipt would start on it.
    if (potong) QVERIFY(bytes.endsWith(laci ? QByteArray("\x1dVB\x03\x1bp\x00\x19\xfa", 9) : QByteArray("\x1dVB\x03")));
    // Attributes never leak into the next receipt.
    QVERIFY(!h.baris.last().tebal && !h.baris.last().tinggi);
  }

  // Whose receipt opens the drawer: a sale paid at the till, when the till is
  // set so; never a reprint, nor a sale without payment.
  void laciTunai_data() {
    QTest::addColumn<bool>("setelan");
    QTest::addColumn<bool>("ulang");
    QTest::addColumn<qint64>("bayar");
    QTest::addColumn<bool>("buka");
    QTest::newRow("cash sale") << true << false << qint64(350000) << true;
    QTest::newRow("till set not to") << false << false << qint64(350000) << false;
    QTest::newRow("reprint") << true << true << qint64(350000) << false;
    QTest::newRow("stored sale, payment unknown") << true << false << qint64(0) << false;
  }
  void laciTunai() {
    QFETCH(bool, setelan);
    QFETCH(bool, ulang);
    QFETCH(qint64, bayar);
    QFETCH(bool, buka);
    Struk s = StrukBelanja(Lebar58, ulang);
    s.bayar = bayar;
    QCOMPARE(LaciDibuka(s, setelan), buka);
    const dekoder::Hasil h = dekoder::Baca(EscPos(s, true, LaciDibuka(s, setelan)));
    QCOMPARE(h.ada(QStringLiteral("ESC p")), buka);
    const dekoder::Hasil laciSaja = dekoder::Baca(BukaLaci());
    QCOMPARE(laciSaja.perintah, (QStringList{QStringLiteral("ESC @"), QStringLiteral("ESC p 0 25 250")}));
    QVERIFY(laciSaja.baris.isEmpty());
  }

  // No line is wider than the paper, whatever the receipt holds, and every
  // amount ends at the right edge: long names and big sums never move it.
  void lebarKertas_data() {
    QTest::addColumn<int>("lebar");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("jumlah");  // the amounts, each of which must end a line
    for (int w : {Lebar58, Lebar80}) {
      const QString k = Kertas(w);
      Struk biasa = StrukBelanja(w, true);
      QStringList uang;
      for (const BarisStruk& b : biasa.baris) uang << Uang(b.subtotal);
      QTest::newRow(qPrintable(k + QStringLiteral(" mm, the day's sale"))) << w << EscPos(biasa, true, true) << uang;

      Struk besar = StrukBelanja(w);
      besar.kasir = QStringLiteral("seorang kasir dengan nama pengguna yang sangat panjang");
      besar.nomor = QStringLiteral("JL-9999999");
      besar.baris = {BarisStruk{QString(70, QLatin1Char('X')), 99999999999LL, 9999999, 99999999999LL * 9999999},
                     BarisStruk{QStringLiteral("Satu    dua\ttiga\nempat \u00e9\u00e9\u00e9 " ) + QString(40, QChar(0x00e9)), 5, 1, 5},
                     BarisStruk{QStringLiteral("\u8c46\u8150 \U0001F600 tahu"), 1000, -2, -2000}};
      besar.total = std::numeric_limits<qint64>::max();
      besar.bayar = std::numeric_limits<qint64>::min();
      besar.kembali = -1;
      besar.kepala = {QString(100, QLatin1Char('H')), QStringLiteral("  baris  dengan   spasi  "), QString()};
      QTest::newRow(qPrintable(k + QStringLiteral(" mm, the widest values"))) << w << EscPos(besar, false, false)
                                                                               << QStringList{Uang(99999999999LL * 9999999), QStringLiteral("5"), QStringLiteral("-2.000")};
      QTest::newRow(qPrintable(k + QStringLiteral(" mm, test page"))) << w << CetakCoba(w, true) << QStringList{};
    }
  }
  void lebarKertas() {
    QFETCH(int, lebar);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, jumlah);
    const dekoder::Hasil h = dekoder::Baca(bytes);
    QVERIFY(h.lengkap);
    for (const QString& p : h.perintah) QVERIFY2(!p.startsWith(QLatin1String("??")), qPrintable(p));
    for (const dekoder::Baris& b : h.baris) QVERIFY2(b.teks.size() <= lebar, qPrintable(QStringLiteral("%1: %2").arg(b.teks.size()).arg(b.teks)));
    // Each item's amount stands at the right edge of the line after its name.
    const QStringList t = h.teks();
    int dari = 0;
    for (const QString& j : jumlah) {
      int i = dari;
      while (i < t.size() && !(t[i].startsWith(QLatin1String("  ")) && t[i].contains(QLatin1String(" x ")))) ++i;
      QVERIFY2(i < t.size(), qPrintable(j));
      const QString kanan = t[i].endsWith(j) ? t[i] : t.value(i + 1);
      QVERIFY2(kanan.endsWith(j) && kanan.size() == lebar, qPrintable(kanan));
      dari = i + 1;
    }
    if (jumlah.isEmpty() && h.perintah.contains(QStringLiteral("GS V 66 3"))) {
      // The test page's ruler is exactly as wide as the paper.
      const QString satuan = QStringLiteral("1234567890").repeated(lebar / 10 + 1).left(lebar);
      QVERIFY(t.contains(satuan));
    }
  }

  // Letters outside ASCII print as their nearest ASCII, anything else as
  // '?', and no text byte can become a command.
  void ascii_data() {
    QTest::addColumn<QString>("nama");
    QTest::addColumn<QString>("dicetak");
    QTest::newRow("marks") << QStringLiteral("Cr\u00e8me Br\u00fbl\u00e9e Pi\u00f1ata \u00c7a \u00c5") << QStringLiteral("Creme Brulee Pinata Ca A");
    QTest::newRow("decomposed marks") << QStringLiteral("Cre\u0300me") << QStringLiteral("Creme");
    QTest::newRow("letters without a mark") << QStringLiteral("\u00d8l \u0141\u00f3d\u017a \u0111 10\u00d724") << QStringLiteral("Ol Lodz d 10x24");
    QTest::newRow("signs") << QStringLiteral("\u201cA\u201d \u2018b\u2019 c\u2013d \u2022 e\u00a0f") << QStringLiteral("\"A\" 'b' c-d * e f");
    QTest::newRow("unknown") << QStringLiteral("\u8c46\u8150 \U0001F600 \u20ac5 \u00df") << QStringLiteral("?? ? ?5 ?");
    QTest::newRow("control bytes") << (QStringLiteral("A") + QChar(0x1b) + QStringLiteral("p") + QChar(0) + QChar(0x19) +
                                       QStringLiteral(" B") + QChar(0x1d) + QStringLiteral("VB C\tD"))
                                   << QStringLiteral("A p B VB C D");
  }
  void ascii() {
    QFETCH(QString, nama);
    QFETCH(QString, dicetak);
    Struk s = StrukBelanja(Lebar80);
    s.baris = {BarisStruk{nama, 1000, 1, 1000}};
    const QByteArray bytes = EscPos(s, false, false);
    for (char c : bytes.mid(5)) QVERIFY(uchar(c) < 0x80);
    const dekoder::Hasil h = dekoder::Baca(bytes);
    QVERIFY2(h.teks().contains(dicetak), qPrintable(h.teks().join(QLatin1Char('\n'))));
    QVERIFY(!h.ada(QStringLiteral("ESC p")));
    QVERIFY(!h.ada(QStringLiteral("GS V")));
  }

  // A reprint says so, emphasised, near the top; the first print does not.
  // A stored sale does not know what was paid: no payment lines then.
  void tandaCetakUlang() {
    for (bool ulang : {false, true}) {
      const dekoder::Hasil h = dekoder::Baca(EscPos(StrukBelanja(Lebar58, ulang), true, false));
      int tanda = -1;
      for (int i = 0; i < h.baris.size(); ++i)
        if (h.baris[i].teks.contains(QLatin1String("CETAK ULANG"))) tanda = i;
      QCOMPARE(tanda >= 0, ulang);
      if (ulang) {
        QVERIFY(h.baris[tanda].tebal);
        QVERIFY(h.teks().indexOf(QRegularExpression(QStringLiteral("^No +JL-0000123$"))) > tanda);
      }
    }
    toko::Penjualan tersimpan = Belanja();
    tersimpan.bayar = tersimpan.kembali = 0;
    const dekoder::Hasil h = dekoder::Baca(EscPos(DariPenjualan(tersimpan, Lebar58, QTime(), true), true, false));
    const QStringList t = h.teks();
    QVERIFY(t.contains(QStringLiteral("Tgl") + QString(13, QLatin1Char(' ')) + QStringLiteral("Rabu, 09/12/2026")));
    QVERIFY(t.filter(QStringLiteral("Bayar")).isEmpty());
    QVERIFY(t.filter(QStringLiteral("Kembali")).isEmpty());
    int total = -1;
    for (int i = 0; i < h.baris.size(); ++i)
      if (h.baris[i].teks.startsWith(QLatin1String("TOTAL"))) total = i;
    QVERIFY(total >= 0);
    QCOMPARE(h.baris[total].teks, QStringLiteral("TOTAL") + QString(20, QLatin1Char(' ')) + QStringLiteral("318.900"));
    QVERIFY(h.baris[total].tinggi && h.baris[total].tebal);
  }

  // A receipt printed again from the store shows the lines and the total the
  // till printed.
  void dariToko() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("toko.mdb"));
    QVERIFY(db::Connection().Create(path));
    auto c = std::make_shared<db::Connection>();
    QVERIFY(c->Open(path));
    const toko::Penjualan jual = Belanja();
    for (const toko::BarisJual& b : jual.baris)
      QVERIFY2(c->Execute(QStringLiteral("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Satuan,Harga_Beli,Harga_Jual,Stok) "
                                         "VALUES ('%1','001','%2','PCS',1,%3,100)").arg(b.kode, b.nama).arg(b.harga)),
               qPrintable(c->LastError()));
    QVERIFY(toko::Simpan(c, jual).ok());
    const toko::PenjualanTersimpan dibaca = toko::BacaPenjualan(c, jual.nomor);
    QVERIFY(dibaca.ok() && dibaca.ada);
    const QStringList ulang = dekoder::Baca(EscPos(DariPenjualan(dibaca.jual, Lebar58, QTime(), true), true, false)).teks();
    const QStringList kasir = dekoder::Baca(EscPos(StrukBelanja(Lebar58), true, true)).teks();
    QCOMPARE(Barang(kasir, Lebar58).size(), 12);
    QCOMPARE(Barang(ulang, Lebar58), Barang(kasir, Lebar58));
    QVERIFY(ulang.contains(QStringLiteral("TOTAL") + QString(20, QLatin1Char(' ')) + QStringLiteral("318.900")));
    QVERIFY(ulang.contains(QStringLiteral("Kasir") + QString(21, QLatin1Char(' ')) + QStringLiteral("KASIR1")));
  }

  // Money is grouped in threes with the locale's separator, as the page
  // receipt writes it.
  void uangDikelompokkan() {
    QCOMPARE(Uang(0), QStringLiteral("0"));
    QCOMPARE(Uang(999), QStringLiteral("999"));
    QCOMPARE(Uang(1000), QStringLiteral("1.000"));
    QCOMPARE(Uang(123456789), QStringLiteral("123.456.789"));
    QCOMPARE(Uang(-1500), QStringLiteral("-1.500"));
    QCOMPARE(Uang(std::numeric_limits<qint64>::min()), QStringLiteral("-9.223.372.036.854.775.808"));
  }
};

REGISTER_TEST(StrukTest);

#include "StrukTest.moc"
