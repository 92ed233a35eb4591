// Returns and voids of stored sales, and a cashier's day from its float to
// its close.
#include <QtTest>

#include "TokoTest.h"
#include "db/Password.h"
#include "toko/Kasir.h"
#include "toko/Retur.h"

namespace {

const QDate Hari(2024, 3, 15);

// Two items, an ADMIN and a cashier, and sale JL-0000001 of KASIR1 today:
// 5 soaps at 1500 (on two lines) and 2 toothpastes at 12000.
void Toko(tokotest::TempDb& db) {
  db::SetPasswordCost(db::PasswordCost::CheapForTests);
  db.exec("INSERT INTO Barang VALUES ('001.002.003','001.002','Sabun Mandi','PCS',1000,1500,10)");
  db.exec("INSERT INTO Barang VALUES ('001.002.004','001.002','Pasta Gigi','PCS',9000,12000,2)");
  QString hash, why;
  QVERIFY(db::HashPassword("rahasia", &hash, &why));
  db.exec("INSERT INTO Pengguna VALUES ('BOS','" + hash + "','PEMILIK','ADMIN')");
  db.exec("INSERT INTO Pengguna VALUES ('KASIR1','" + hash + "','KASIR SATU','KASIR')");
  toko::Penjualan j;
  j.nomor = "JL-0000001";
  j.tanggal = Hari;
  j.kasir = "KASIR1";
  j.baris << toko::BarisJual{"001.002.003", "", 1500, 3, 4500} << toko::BarisJual{"001.002.004", "", 12000, 2, 24000}
          << toko::BarisJual{"001.002.003", "", 1500, 2, 3000};
  j.total = 31500;
  QVERIFY(toko::Simpan(db.conn(), j).ok());
}

toko::Retur Retur(qint64 sabun, qint64 pasta, const QString& penyetuju = "BOS") {
  toko::Retur r;
  r.tanggal = Hari;
  r.nota = "JL-0000001";
  r.alasan = "rusak";
  r.user = "KASIR1";
  r.penyetuju = penyetuju;
  r.baris << toko::BarisBarang{"001.002.003", "", 1500, sabun, 0} << toko::BarisBarang{"001.002.004", "", 12000, pasta, 0};
  return r;
}

QString Stok(tokotest::TempDb& db) {
  return db.scalar("SELECT group_concat(Stok || '', ' ') FROM (SELECT Stok FROM Barang ORDER BY Kode_Barang)");
}

}  // namespace

class ReturTest : public QObject {
  Q_OBJECT
 private slots:
  // Two lines of one item count as one: 5 soaps can come back, in any
  // number of returns, but never a sixth; a refusal stores nothing.
  void neverMoreThanSold_data() {
    QTest::addColumn<qint64>("pertama");
    QTest::addColumn<qint64>("kedua");
    QTest::addColumn<bool>("keduaBoleh");
    QTest::newRow("all at once") << qint64(5) << qint64(0) << false;
    QTest::newRow("more than sold") << qint64(6) << qint64(0) << false;
    QTest::newRow("two within") << qint64(2) << qint64(3) << true;
    QTest::newRow("two exceeding") << qint64(3) << qint64(3) << false;
  }
  void neverMoreThanSold() {
    QFETCH(qint64, pertama);
    QFETCH(qint64, kedua);
    QFETCH(bool, keduaBoleh);
    tokotest::TempDb db;
    Toko(db);
    const toko::HasilRetur a = toko::Simpan(db.conn(), Retur(pertama, 0));
    if (pertama > 5) {
      QVERIFY(!a.ok());
      QCOMPARE(a.tolak, toko::TolakRetur::Melebihi);
      QCOMPARE(a.sisa, qint64(5));
      QCOMPARE(db.scalar("SELECT COUNT(*) FROM Retur"), QString("0"));
      QCOMPARE(Stok(db), QString("5 0"));
      return;
    }
    QVERIFY(a.ok());
    QCOMPARE(a.retur.nomor, QString("RT-0000001"));
    QCOMPARE(a.retur.total, 1500 * pertama);
    QCOMPARE(Stok(db), QString::number(5 + pertama) + " 0");
    if (!kedua) {
      // Nothing left of the soap: one more is refused.
      QCOMPARE(toko::Simpan(db.conn(), Retur(1, 0)).tolak, toko::TolakRetur::Melebihi);
      return;
    }
    const toko::HasilRetur b = toko::Simpan(db.conn(), Retur(kedua, 0));
    QCOMPARE(b.ok(), keduaBoleh);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Retur"), keduaBoleh ? QString("2") : QString("1"));
    QCOMPARE(db.scalar("SELECT SUM(Total) FROM Retur"), QString::number(1500 * (pertama + (keduaBoleh ? kedua : 0))));
    if (!keduaBoleh) QCOMPARE(b.sisa, 5 - pertama);
  }

  // A cashier's return needs an ADMIN's word; a typed password is checked.
  void adminAllows() {
    tokotest::TempDb db;
    Toko(db);
    QCOMPARE(toko::Simpan(db.conn(), Retur(1, 0, "KASIR1")).tolak, toko::TolakRetur::BukanAdmin);
    QVERIFY(toko::PeriksaAdmin(db.conn(), "BOS", "rahasia").ok);
    QVERIFY(!toko::PeriksaAdmin(db.conn(), "BOS", "salah").ok);
    QVERIFY(!toko::PeriksaAdmin(db.conn(), "KASIR1", "rahasia").ok);
    const toko::HasilRetur h = toko::Simpan(db.conn(), Retur(1, 0));
    QVERIFY(h.ok());
    QCOMPARE(db.scalar("SELECT UserID || '/' || Penyetuju FROM Retur"), QString("KASIR1/BOS"));
  }

  // A stock update the store refuses leaves no return, no line, no stock moved.
  void failedStockStoresNothing() {
    tokotest::TempDb db;
    Toko(db);
    db.exec("CREATE TRIGGER kunci BEFORE UPDATE ON Barang WHEN NEW.Kode_Barang = '001.002.004' "
            "BEGIN SELECT RAISE(ABORT, 'stok dikunci'); END");
    const toko::HasilRetur h = toko::Simpan(db.conn(), Retur(2, 1));
    QVERIFY(!h.ok());
    QVERIFY(h.simpan.error.message.contains("stok dikunci"));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Retur"), QString("0"));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Detail_Retur"), QString("0"));
    QCOMPARE(Stok(db), QString("5 0"));
  }

  // A void keeps the sale and takes back whatever earlier returns left;
  // only today's sale, only once.
  void voidTakesTheRest() {
    tokotest::TempDb db;
    Toko(db);
    QVERIFY(toko::Simpan(db.conn(), Retur(2, 1)).ok());
    QCOMPARE(toko::Batalkan(db.conn(), "JL-0000001", Hari.addDays(1), "BOS", "salah input").tolak,
             toko::TolakRetur::BukanHariIni);
    QCOMPARE(toko::Batalkan(db.conn(), "JL-0000001", Hari, "KASIR1", "x").tolak, toko::TolakRetur::BukanAdmin);
    const toko::HasilRetur v = toko::Batalkan(db.conn(), "JL-0000001", Hari, "BOS", "salah input");
    QVERIFY(v.ok());
    QCOMPARE(v.retur.nomor, QString("RT-0000002"));
    QCOMPARE(v.retur.total, qint64(3 * 1500 + 12000));
    QCOMPARE(Stok(db), QString("10 2"));
    QCOMPARE(db.scalar("SELECT SUM(Total) FROM Retur"), QString("31500"));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Penjualan_Detail"), QString("3"));
    QCOMPARE(toko::Batalkan(db.conn(), "JL-0000001", Hari, "BOS", "lagi").tolak, toko::TolakRetur::SudahHabis);
    const toko::ReturNota n = toko::BacaReturNota(db.conn(), "JL-0000001");
    QVERIFY(n.ok());
    QCOMPARE(n.baris.size(), 4);
    QVERIFY(n.baris.last().batal);
  }

  // From the float to the close: 50.000 float, two sales of 31.500 and
  // 12.000, a refund of 1.500; counted 94.000 against 92.000 expected.
  // A second close of the day is refused.
  void dayFromFloatToClose() {
    tokotest::TempDb db;
    Toko(db);
    QVERIFY(!toko::SimpanKasAwal(db.conn(), "KASIR1", Hari, 50000).failed());
    QVERIFY(toko::SimpanKasAwal(db.conn(), "KASIR1", Hari, 1).is(db::Error::Kind::DuplicateKey));
    toko::Penjualan j;
    j.nomor = "JL-0000002";
    j.tanggal = Hari;
    j.kasir = "KASIR1";
    j.baris << toko::BarisJual{"001.002.004", "", 12000, 1, 12000};
    j.total = 12000;
    QVERIFY(toko::Simpan(db.conn(), j).ok());
    j.nomor = "JL-0000003";
    j.kasir = "KASIR2";  // another cashier's sale is not in this drawer
    QVERIFY(toko::Simpan(db.conn(), j).ok());
    QVERIFY(toko::Simpan(db.conn(), Retur(1, 0)).ok());

    const toko::BacaanHari x = toko::HitungHari(db.conn(), "KASIR1", Hari);
    QVERIFY(x.ok());
    QCOMPARE(x.angka.nota, qint64(2));
    QCOMPARE(x.angka.barang, qint64(8));
    QCOMPARE(x.angka.penjualan, qint64(43500));
    QCOMPARE(x.angka.retur, qint64(1500));
    QCOMPARE(x.angka.diharapkan(), qint64(92000));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Tutup_Kasir"), QString("0"));  // the X report stores nothing

    qint64 dihitung = 0;
    QVERIFY(toko::JumlahPecahan({0, 1, 2, 0, 0, 2, 0, 0, 0, 0}, &dihitung));
    QCOMPARE(dihitung, qint64(94000));
    const toko::HasilTutup z = toko::TutupHari(db.conn(), "KASIR1", Hari, dihitung, QTime(21, 5));
    QVERIFY(z.ok());
    QCOMPARE(z.tutup.selisih(), qint64(2000));
    QCOMPARE(db.scalar("SELECT Diharapkan || ' ' || Dihitung || ' ' || Selisih FROM Tutup_Kasir"),
             QString("92000 94000 2000"));
    const toko::HasilTutup lagi = toko::TutupHari(db.conn(), "KASIR1", Hari, 0, QTime(22, 0));
    QVERIFY(lagi.sudahDitutup);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Tutup_Kasir"), QString("1"));
  }

  // A file of an older version, without the new tables, opens; the upgrade
  // adds them and leaves its rows alone.
  void olderFileOpensAndUpgrades() {
    tokotest::TempDb db;
    Toko(db);
    QVERIFY(db.conn()->ExecRaw("DROP TABLE Retur; DROP TABLE Detail_Retur; DROP TABLE Kas_Awal; DROP TABLE Tutup_Kasir"));
    const db::ConnectionPtr lama = db.another();
    QVERIFY(!toko::AdaTabelKasir(lama));
    QStringList added;
    QVERIFY(lama->AddMissingSchema(&added));
    QCOMPARE(added.mid(0, 4), QStringList({"Retur", "Detail_Retur", "Kas_Awal", "Tutup_Kasir"}));
    QVERIFY(added.contains("Retur_Nota"));
    QVERIFY(toko::AdaTabelKasir(db.another()));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Penjualan_Detail"), QString("3"));
  }
};
TOKO_TEST(ReturTest);
#include "ReturTest.moc"
