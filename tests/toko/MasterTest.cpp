// The master-data rules on a real store: what keeps a record from being
// deleted, the delete, the last ADMIN, and the next code of a scope.
#include <QtTest>

#include "TokoTest.h"
#include "db/Recordset.h"
#include "toko/Master.h"

using toko::JenisMaster;

Q_DECLARE_METATYPE(toko::JenisMaster)

namespace {
// A shop with one record of every kind that other rows name, and one of
// every kind that nothing names.
void Isi(tokotest::TempDb& db) {
  for (const char* sql : {
           "INSERT INTO Grup VALUES ('001','ALAT TULIS')",
           "INSERT INTO Grup VALUES ('002','KOSONG')",
           "INSERT INTO Produk VALUES ('001.001','001','PENSIL')",
           "INSERT INTO Produk VALUES ('001.002','001','BUKU')",
           "INSERT INTO Barang VALUES ('001.001.001','001.001','PENSIL 2B','Unit',1000,1500,3)",
           "INSERT INTO Barang VALUES ('001.001.002','001.001','PENSIL HB','Unit',1000,1500,3)",
           "INSERT INTO Barang VALUES ('001.001.003','001.001','PENSIL 4B','Unit',1000,1500,3)",
           "INSERT INTO Pemasok VALUES ('PS001','CV SUMBER','Jl. Gudang 2','Denpasar','Bali','','','')",
           "INSERT INTO Pemasok VALUES ('PS002','CV LAIN','Jl. Pasar','Denpasar','Bali','','','')",
           "INSERT INTO Pelanggan VALUES ('PG001','TOKO MAJU','Jl. Pasar 1','')",
           "INSERT INTO Pelanggan VALUES ('PG002','TOKO BARU','Jl. Pasar 2','')",
           "INSERT INTO Pengguna VALUES ('kasir','x','SITI','KASIR')",
           "INSERT INTO Pengguna VALUES ('baru','x','ANI','KASIR')",
           "INSERT INTO Pengguna VALUES ('admin','x','BOS','ADMIN')",
           "INSERT INTO Pengguna VALUES ('admin2','x','WAKIL','ADMIN')",
           "INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-05',1500,'PG001','kasir')",
           "INSERT INTO Penjualan VALUES ('JL-0000002','2024-03-05',3000,'','kasir')",
           "INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.001.001',1500,1,1500)",
           "INSERT INTO Penjualan_Detail VALUES ('JL-0000002','001.001.001',1500,2,3000)",
           "INSERT INTO Pembelian VALUES ('BL-0000001','2024-03-04','PS001',5000,'kasir')",
           "INSERT INTO Pembelian_Detail VALUES ('BL-0000001','001.001.001',1000,5,5000)",
           "INSERT INTO Pembelian_Detail VALUES ('BL-0000001','001.001.002',1000,5,5000)",
       })
    db.exec(QString::fromLatin1(sql));
}

QString Pemakai(const toko::CekHapus& c) {
  QStringList s;
  for (const toko::Pemakai& p : c.pemakai) s << QString::number(p.jumlah) + ' ' + p.nama;
  return s.join(" + ");
}

// Rows of the record on another connection: what another till sees.
qint64 Ada(tokotest::TempDb& db, JenisMaster j, const QString& kode) {
  const toko::DataMaster& m = toko::Master(j);
  db::Recordset rs;
  if (!rs.Open("SELECT count(*) AS n FROM " + m.tabel + " WHERE " + m.kolomKode + "='" + kode + "'", db.another()))
    return -1;
  return rs.Int("n");
}
}  // namespace

class MasterTest : public QObject {
  Q_OBJECT

 private slots:
  // A record that rows of another table name is kept, and the answer says
  // which rows and how many; one that nothing names is deleted.
  void referencesKeepTheRecord_data() {
    QTest::addColumn<JenisMaster>("jenis");
    QTest::addColumn<QString>("dipakai");
    QTest::addColumn<QString>("pemakai");
    QTest::addColumn<QString>("bebas");
    QTest::newRow("group with products") << JenisMaster::Grup << "001" << "2 DATA PRODUK" << "002";
    QTest::newRow("product with items") << JenisMaster::Produk << "001.001" << "3 DATA BARANG" << "001.002";
    QTest::newRow("item sold and bought")
        << JenisMaster::Barang << "001.001.001" << "2 BARIS PENJUALAN + 1 BARIS PEMBELIAN" << "001.001.003";
    QTest::newRow("item only bought") << JenisMaster::Barang << "001.001.002" << "1 BARIS PEMBELIAN" << "001.001.003";
    QTest::newRow("supplier of a purchase") << JenisMaster::Pemasok << "PS001" << "1 DATA PEMBELIAN" << "PS002";
    QTest::newRow("customer of a sale") << JenisMaster::Pelanggan << "PG001" << "1 DATA PENJUALAN" << "PG002";
    // Codes are compared as the store compares them: without regard to case.
    QTest::newRow("user who sold and bought")
        << JenisMaster::Pengguna << "KASIR" << "2 DATA PENJUALAN + 1 DATA PEMBELIAN" << "baru";
  }
  void referencesKeepTheRecord() {
    QFETCH(JenisMaster, jenis);
    QFETCH(QString, dipakai);
    QFETCH(QString, pemakai);
    QFETCH(QString, bebas);
    tokotest::TempDb db;
    Isi(db);
    const toko::CekHapus cek = toko::PeriksaHapus(db.conn(), jenis, dipakai);
    QVERIFY(!cek.gagal());
    QVERIFY(!cek.boleh());
    QCOMPARE(Pemakai(cek), pemakai);
    const toko::HasilHapus tolak = toko::Hapus(db.conn(), jenis, dipakai);
    QVERIFY(!tolak.dihapus);
    QCOMPARE(Pemakai(tolak.cek), pemakai);
    QCOMPARE(Ada(db, jenis, dipakai), 1);
    QVERIFY(!db.conn()->InTransaction());

    QVERIFY(toko::PeriksaHapus(db.conn(), jenis, bebas).boleh());
    const toko::HasilHapus h = toko::Hapus(db.conn(), jenis, bebas);
    QVERIFY2(h.dihapus, qPrintable(h.cek.error.message));
    QVERIFY(!db.conn()->InTransaction());
    QCOMPARE(Ada(db, jenis, bebas), 0);
  }

  // A store that cannot answer never lets a record go as "nothing refers":
  // the answer is a failure, with the statement that failed, and the record
  // stays.
  void storeFailureIsAFailure_data() {
    QTest::addColumn<JenisMaster>("jenis");
    QTest::addColumn<QString>("kode");
    QTest::addColumn<QString>("hilang");  // the table taken away
    QTest::newRow("group, products unreadable") << JenisMaster::Grup << "002" << "Produk";
    QTest::newRow("item, purchase lines unreadable") << JenisMaster::Barang << "001.001.003" << "Pembelian_Detail";
    QTest::newRow("user, the admin check unreadable") << JenisMaster::Pengguna << "baru" << "Pengguna";
  }
  void storeFailureIsAFailure() {
    QFETCH(JenisMaster, jenis);
    QFETCH(QString, kode);
    QFETCH(QString, hilang);
    tokotest::TempDb db;
    Isi(db);
    db.exec("ALTER TABLE " + hilang + " RENAME TO Lama");
    const toko::CekHapus cek = toko::PeriksaHapus(db.conn(), jenis, kode);
    QVERIFY(cek.gagal());
    QVERIFY(!cek.boleh());
    QVERIFY(cek.pemakai.isEmpty());
    QVERIFY2(cek.error.statement.contains(hilang), qPrintable(cek.error.statement));
    QVERIFY(!cek.error.message.isEmpty());

    const toko::HasilHapus h = toko::Hapus(db.conn(), jenis, kode);
    QVERIFY(!h.dihapus);
    QVERIFY(h.cek.gagal());
    QVERIFY(!db.conn()->InTransaction());
    db.exec("ALTER TABLE Lama RENAME TO " + hilang);
    QCOMPARE(Ada(db, jenis, kode), 1);
  }

  void noConnectionIsAFailure() {
    const toko::HasilHapus h = toko::Hapus(nullptr, JenisMaster::Grup, "001");
    QVERIFY(!h.dihapus);
    QVERIFY(h.cek.gagal());
    QVERIFY(h.perintah.startsWith("DELETE FROM Grup"));
    QVERIFY(toko::PeriksaHapus(nullptr, JenisMaster::Grup, "001").gagal());
    QVERIFY(toko::BuatKodeBaru(nullptr, {"Pemasok", "Kode_Pemasok", "PS", {}}).error.failed());
  }

  // Nobody can be left without a user who logs in as ADMIN; a user without a
  // password, or whose level is not exactly the word, is no ADMIN.
  void theLastAdminStays() {
    tokotest::TempDb db;
    Isi(db);
    QVERIFY(toko::Hapus(db.conn(), JenisMaster::Pengguna, "admin2").dihapus);
    const toko::HasilHapus terakhir = toko::Hapus(db.conn(), JenisMaster::Pengguna, "ADMIN");
    QVERIFY(!terakhir.dihapus);
    QVERIFY(!terakhir.cek.gagal());
    QCOMPARE(terakhir.cek.larangan, toko::Larangan::SatuSatunyaAdmin);
    db.exec("INSERT INTO Pengguna VALUES ('tanpa','','KOSONG','ADMIN')");
    db.exec("INSERT INTO Pengguna VALUES ('kecil','x','KECIL','admin')");
    QCOMPARE(toko::PeriksaHapus(db.conn(), JenisMaster::Pengguna, "admin").larangan, toko::Larangan::SatuSatunyaAdmin);
    QVERIFY(!toko::AdaAdminLain(db.conn(), "admin").ada);
    // Neither of them is the last ADMIN: they are no ADMIN at all.
    QVERIFY(toko::PeriksaHapus(db.conn(), JenisMaster::Pengguna, "tanpa").boleh());
    QVERIFY(toko::PeriksaHapus(db.conn(), JenisMaster::Pengguna, "kecil").boleh());
    db.exec("UPDATE Pengguna SET PassId='y' WHERE UserId='tanpa'");
    QVERIFY(toko::AdaAdminLain(db.conn(), "admin").ada);
    QVERIFY(toko::Hapus(db.conn(), JenisMaster::Pengguna, "admin").dihapus);
    // A user who is not there is not deleted "successfully".
    QCOMPARE(toko::PeriksaHapus(db.conn(), JenisMaster::Pengguna, "admin").larangan,
             toko::Larangan::PenggunaTidakAda);
    QCOMPARE(toko::PeriksaHapus(db.conn(), JenisMaster::Pengguna, "").larangan, toko::Larangan::PenggunaTidakAda);
  }

  // The next code follows the highest of its scope however the rows were
  // stored, skips a code another scope's row holds, and is never made from
  // a read that failed.
  void nextCodeFromTheStore() {
    tokotest::TempDb db;
    db.exec("INSERT INTO Produk VALUES ('001.003','001','C')");
    db.exec("INSERT INTO Produk VALUES ('001.010','001','J')");
    db.exec("INSERT INTO Produk VALUES ('001.002','001','B')");
    db.exec("INSERT INTO Produk VALUES ('002.001','002','A')");
    // Products of group 002 moved to another group keep their codes.
    db.exec("INSERT INTO Produk VALUES ('002.002','009','MOVED')");
    db.exec("INSERT INTO Produk VALUES ('002.003','009','MOVED TOO')");
    const toko::LingkupKode grup1{"Produk", "Kode_Produk", "001.", "Kode_Grup='001'"};
    QCOMPARE(toko::BacaKodeTerakhir(db.conn(), grup1).kode, QString("001.010"));
    QCOMPARE(toko::BuatKodeBaru(db.conn(), grup1).kode.code, QString("001.011"));
    const toko::LingkupKode grup2{"Produk", "Kode_Produk", "002.", "Kode_Grup='002'"};
    QCOMPARE(toko::BacaKodeTerakhir(db.conn(), grup2).kode, QString("002.001"));
    const toko::KodeBaru b2 = toko::BuatKodeBaru(db.conn(), grup2);
    QVERIFY(b2.kode.ok);
    QCOMPARE(b2.kode.code, QString("002.004"));  // 002 and 003 are held elsewhere
    const toko::LingkupKode grup5{"Produk", "Kode_Produk", "005.", "Kode_Grup='005'"};
    QCOMPARE(toko::BuatKodeBaru(db.conn(), grup5).kode.code, QString("005.001"));
    // Every row of the table is the scope when no condition is given.
    db.exec("INSERT INTO Pemasok (Kode_Pemasok) VALUES ('PS009')");
    db.exec("INSERT INTO Pemasok (Kode_Pemasok) VALUES ('PS010')");
    db.exec("INSERT INTO Pemasok (Kode_Pemasok) VALUES ('PS002')");
    QCOMPARE(toko::BuatKodeBaru(db.conn(), {"Pemasok", "Kode_Pemasok", "PS", {}}).kode.code, QString("PS011"));
    // Used up: no code, and why.
    db.exec("INSERT INTO Pelanggan (Kode_Pelanggan) VALUES ('PG999')");
    const toko::KodeBaru habis = toko::BuatKodeBaru(db.conn(), {"Pelanggan", "Kode_Pelanggan", "PG", {}});
    QVERIFY(!habis.error.failed());
    QVERIFY(!habis.kode.ok);
    QVERIFY(!habis.kode.error.isEmpty());

    db.exec("ALTER TABLE Pemasok RENAME TO Lama");
    const toko::KodeBaru gagal = toko::BuatKodeBaru(db.conn(), {"Pemasok", "Kode_Pemasok", "PS", {}});
    QVERIFY(gagal.error.failed());
    QVERIFY(!gagal.kode.ok);
    QVERIFY(gagal.kode.code.isEmpty());
  }
};

TOKO_TEST(MasterTest);
#include "MasterTest.moc"
