// Barcodes: the check digit of the codes that carry one, what a scanned or
// typed code finds, and what an item may keep.
#include <QtTest>

#include "TokoTest.h"
#include "toko/Barcode.h"

class BarcodeTest : public QObject {
  Q_OBJECT
 private slots:
  void checkDigit_data() {
    QTest::addColumn<QString>("kode");
    QTest::addColumn<bool>("benar");
    QTest::newRow("EAN-13") << "4006381333931" << true;
    QTest::newRow("EAN-13 last digit off") << "4006381333932" << false;
    QTest::newRow("EAN-13 two digits swapped") << "4006383133931" << false;
    QTest::newRow("EAN-8") << "96385074" << true;
    QTest::newRow("EAN-8 wrong") << "96385075" << false;
    QTest::newRow("UPC-A") << "036000291452" << true;
    QTest::newRow("UPC-A wrong") << "036000291450" << false;
    QTest::newRow("other lengths are taken as they are") << "1234567" << true;
    QTest::newRow("letters too") << "ELK.001.002" << true;
  }
  void checkDigit() {
    QFETCH(QString, kode);
    QFETCH(bool, benar);
    QCOMPARE(toko::DigitBenar(kode), benar);
  }

  void codesOfABox() {
    QCOMPARE(toko::PisahBarcode(" 4006381333931, 96385074;96385074  abc ABC\t"),
             QStringList({"4006381333931", "96385074", "abc"}));
    QCOMPARE(toko::KodeBarangDari("ELK.001.002"), QString("ELK.001.002"));
    QCOMPARE(toko::KodeBarangDari("elk001002"), QString("elk.001.002"));
    QCOMPARE(toko::KodeBarangDari("ELK.001.02"), QString());
    QCOMPARE(toko::KodeBarangDari("4006381333931"), QString());
  }

  void scanFindsByBarcodeOrFullCode_data() {
    QTest::addColumn<QString>("scan");
    QTest::addColumn<QString>("barang");
    QTest::newRow("barcode") << "4006381333931" << "ELK.001.002";
    QTest::newRow("its second barcode") << "96385074" << "ELK.001.002";
    QTest::newRow("full item code, any case") << "elk.001.003" << "ELK.001.003";
    QTest::newRow("item code without its dots") << "ELK001003" << "ELK.001.003";
    QTest::newRow("unknown barcode") << "036000291452" << "";
    QTest::newRow("an item code nobody has") << "ELK.009.009" << "";
  }
  void scanFindsByBarcodeOrFullCode() {
    QFETCH(QString, scan);
    QFETCH(QString, barang);
    tokotest::TempDb db;
    db.exec("INSERT INTO Barang VALUES ('ELK.001.002','ELK.001','Lampu LED 9 W','Unit',22000,28500,4)");
    db.exec("INSERT INTO Barang VALUES ('ELK.001.003','ELK.001','Lampu LED 13 W','Unit',29000,36000,4)");
    QVERIFY(toko::GantiBarcode(db.conn(), "ELK.001.002", {"4006381333931", "96385074"}));
    const toko::BarangDipindai b = toko::CariDipindai(db.conn(), scan);
    QVERIFY(b.ok());
    QCOMPARE(b.ada, !barang.isEmpty());
    QCOMPARE(b.kode, barang);
    if (barang == "ELK.001.002") {
      QCOMPARE(b.nama, QString("Lampu LED 9 W"));
      QCOMPARE(b.hargaJual, 28500);
      QCOMPARE(b.hargaBeli, 22000);
    }
    // The lookup holds no lock: another till stores at once.
    db::Connection::SetBusyTimeout(300);
    const db::ConnectionPtr lain = db.another();
    db::Connection::SetBusyTimeout(db::Connection::kDefaultBusyTimeoutMs);
    QVERIFY2(lain->Execute("INSERT INTO Grup VALUES ('ZZZ','LAIN')"), qPrintable(lain->LastError()));
  }

  // A file from before the barcodes: scans find items by code, nothing else,
  // and no failure is reported.
  void olderFileScansByCodeOnly() {
    tokotest::TempDb db;
    db.exec("INSERT INTO Barang VALUES ('ELK.001.002','ELK.001','Lampu LED 9 W','Unit',22000,28500,4)");
    db.exec("DROP TABLE Barcode");
    QVERIFY(!toko::AdaTabelBarcode(db.conn()));
    QVERIFY(toko::CariDipindai(db.conn(), "ELK.001.002").ada);
    const toko::BarangDipindai b = toko::CariDipindai(db.conn(), "4006381333931");
    QVERIFY(b.ok() && !b.ada);
    const toko::DaftarBarcode d = toko::BacaBarcode(db.conn(), "ELK.001.002");
    QVERIFY(d.ok() && d.kode.isEmpty());
  }

  void whatAnItemMayKeep() {
    tokotest::TempDb db;
    QVERIFY(toko::GantiBarcode(db.conn(), "ELK.001.002", {"4006381333931", "96385074"}));
    toko::CekBarcode c = toko::PeriksaBarcode(db.conn(), "ELK.001.003", {"036000291452", "4006381333932"});
    QCOMPARE(c.salah, QString("4006381333932"));
    c = toko::PeriksaBarcode(db.conn(), "ELK.001.003", {"036000291452", "96385074"});
    QCOMPARE(c.dipakai, QString("96385074"));
    QCOMPARE(c.olehBarang, QString("ELK.001.002"));
    // Its own codes are no clash; a new list replaces the old one.
    QVERIFY(toko::PeriksaBarcode(db.conn(), "ELK.001.002", {"96385074", "036000291452"}).ok());
    QVERIFY(toko::GantiBarcode(db.conn(), "ELK.001.002", {"96385074", "036000291452"}));
    QCOMPARE(toko::BacaBarcode(db.conn(), "ELK.001.002").kode, QStringList({"036000291452", "96385074"}));
    // A code stays with one item even when the check is skipped.
    QVERIFY(!toko::GantiBarcode(db.conn(), "ELK.001.003", {"96385074"}));
    QCOMPARE(db.conn()->Failure().kind, db::Error::Kind::DuplicateKey);
  }
};

TOKO_TEST(BarcodeTest);
#include "BarcodeTest.moc"
