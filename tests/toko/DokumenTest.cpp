// The documents of the shop: numbered from the highest stored number, stored
// whole or not at all, with the stock moved by deltas, and a sale read back
// as it was stored.
#include <QtTest>

#include "TokoTest.h"
#include "toko/Dokumen.h"

namespace {

// Two items: 001.002.003 (stock 10, bought at 1000) and 001.002.004 (stock 2,
// bought at 9000).
void Barang(tokotest::TempDb& db) {
  db.exec("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Satuan,Harga_Beli,Harga_Jual,Stok) "
          "VALUES ('001.002.003','001.002','Sabun Mandi','PCS',1000,1500,10)");
  db.exec("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Satuan,Harga_Beli,Harga_Jual,Stok) "
          "VALUES ('001.002.004','001.002','Pasta Gigi','PCS',9000,12000,2)");
}

toko::Penjualan Jual(const QString& nomor, qint64 n3, qint64 n4) {
  toko::Penjualan j;
  j.nomor = nomor;
  j.tanggal = QDate(2024, 3, 15);
  j.kasir = "KASIR1";
  if (n3) j.baris << toko::BarisJual{"001.002.003", "Sabun Mandi", 1500, n3, 1500 * n3};
  if (n4) j.baris << toko::BarisJual{"001.002.004", "Pasta Gigi", 12000, n4, 12000 * n4};
  for (const toko::BarisJual& b : j.baris) j.total += b.subtotal;
  j.bayar = j.total + 500;
  j.kembali = 500;
  return j;
}

toko::Pembelian Beli(const QString& nomor, qint64 n3, qint64 harga3, qint64 n4) {
  toko::Pembelian b;
  b.nomor = nomor;
  b.tanggal = QDate(2024, 3, 15);
  b.pemasok = "PM001";
  b.user = "GUDANG";
  b.baris << toko::BarisBeli{"001.002.003", "Sabun Mandi", harga3, n3, harga3 * n3};
  if (n4) b.baris << toko::BarisBeli{"001.002.004", "Pasta Gigi", 9500, n4, 9500 * n4};
  for (const toko::BarisBeli& l : b.baris) b.total += l.subtotal;
  return b;
}

}  // namespace

class DokumenTest : public QObject {
  Q_OBJECT
 private slots:
  // The next number follows the highest stored one of its own series, in
  // the order of the text; a used-up serial gives no number.
  void numbers() {
    tokotest::TempDb db;
    QCOMPARE(toko::NomorBerikut(db.conn(), toko::SeriPenjualan).nomor, QString("JL-0000001"));
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000041','2024-03-14',5,'','X')");
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000009','2024-03-14',5,'','X')");
    QCOMPARE(toko::NomorBerikut(db.conn(), toko::SeriPenjualan).nomor, QString("JL-0000042"));
    db.exec("INSERT INTO Pembelian VALUES ('ZZ-9','2024-03-14','P',5,'X')");
    db.exec("INSERT INTO Pembelian VALUES ('BL-0000003','2024-03-14','P',5,'X')");
    QCOMPARE(toko::NomorBerikut(db.conn(), toko::SeriPembelian).nomor, QString("BL-0000004"));
    db.exec("INSERT INTO Rekening VALUES ('RK-9999999','2024-03-14','DEBET','x',1)");
    const toko::NomorBaru habis = toko::NomorBerikut(db.conn(), toko::SeriKas);
    QVERIFY(!habis.ok());
    QVERIFY(!habis.error.failed());
    QVERIFY(habis.habis.contains("RK-9999999"));
    // A read the store refuses is no empty table.
    db.exec("ALTER TABLE Penjualan RENAME TO Penjualan_lama");
    const toko::NomorBaru gagal = toko::NomorBerikut(db.conn(), toko::SeriPenjualan);
    QVERIFY(!gagal.ok());
    QCOMPARE(gagal.error.kind, db::Error::Kind::MissingSchema);
  }

  // A line the store refuses, or an item gone meanwhile, leaves nothing:
  // no header, no line, no stock moved, no price changed.
  void saveIsAllOrNothing() {
    tokotest::TempDb db;
    Barang(db);
    auto tetap = [&] {
      return db.scalar("SELECT group_concat(Stok || '@' || Harga_Beli, ' ') FROM "
                       "(SELECT * FROM Barang ORDER BY Kode_Barang)");
    };
    const QString awal = tetap();

    db.exec("CREATE TRIGGER tolak BEFORE INSERT ON Penjualan_Detail WHEN NEW.Kode_Barang = '001.002.004' "
            "BEGIN SELECT RAISE(ABORT, 'baris ditolak'); END");
    toko::HasilSimpan h = toko::Simpan(db.conn(), Jual("JL-0000001", 3, 1));
    QVERIFY(!h.ok());
    QVERIFY(h.error.message.contains("baris ditolak"));
    QVERIFY(h.error.statement.contains("Penjualan_Detail"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Penjualan") + db.scalar("SELECT count(*) FROM Penjualan_Detail"),
             QString("00"));
    QCOMPARE(tetap(), awal);
    db.exec("DROP TRIGGER tolak");

    db.exec("DELETE FROM Barang WHERE Kode_Barang='001.002.004'");
    const QString tanpa4 = tetap();
    h = toko::Simpan(db.conn(), Beli("BL-0000001", 5, 1200, 1));
    QVERIFY(!h.ok());
    QCOMPARE(h.barangHilang, QString("001.002.004"));
    QVERIFY(h.error.statement.contains("UPDATE Barang"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Pembelian") + db.scalar("SELECT count(*) FROM Pembelian_Detail"),
             QString("00"));
    QCOMPARE(tetap(), tanpa4);

    db.exec("CREATE TRIGGER tutup BEFORE INSERT ON Rekening BEGIN SELECT RAISE(ABORT, 'buku ditutup'); END");
    h = toko::Simpan(db.conn(), toko::Kas{"RK-0000001", QDate(2024, 3, 15), "DEBET", "Modal", 500000});
    QVERIFY(!h.ok());
    QVERIFY(h.error.message.contains("buku ditutup"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Rekening"), QString("0"));

    // Nothing was left open: the same connection stores a whole document next.
    QVERIFY(!db.conn()->InTransaction());
    h = toko::Simpan(db.conn(), Jual("JL-0000001", 3, 0));
    QVERIFY2(h.ok(), qPrintable(h.error.message));
    QCOMPARE(db.scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("7"));
  }

  // Another till stores the drawn number before this one saves: this
  // document goes under the next number, the other keeps its own; stock
  // moved at both tills counts in full.
  void twoTills() {
    tokotest::TempDb db;
    Barang(db);
    const db::ConnectionPtr satu = db.conn(), dua = db.another();
    const QString nomor = toko::NomorBerikut(satu, toko::SeriPenjualan).nomor;
    QCOMPARE(toko::NomorBerikut(dua, toko::SeriPenjualan).nomor, nomor);

    toko::HasilSimpan lain = toko::Simpan(dua, Jual(nomor, 0, 1));
    QVERIFY2(lain.ok(), qPrintable(lain.error.message));
    QCOMPARE(lain.nomor, QString("JL-0000001"));
    const toko::HasilSimpan h = toko::Simpan(satu, Jual(nomor, 3, 0));
    QVERIFY2(h.ok(), qPrintable(h.error.message));
    QCOMPARE(h.nomor, QString("JL-0000002"));
    QCOMPARE(db.scalar("SELECT group_concat(No_Nota || ':' || Kode_Barang, ' ') FROM "
                       "(SELECT * FROM Penjualan_Detail ORDER BY No_Nota)"),
             QString("JL-0000001:001.002.004 JL-0000002:001.002.003"));
    QCOMPARE(db.scalar("SELECT Total_Bayar FROM Penjualan WHERE No_Nota='JL-0000002'"), QString("4500"));

    // A purchase at the second till while the first sells the same item.
    lain = toko::Simpan(dua, Beli(toko::NomorBerikut(dua, toko::SeriPembelian).nomor, 5, 1200, 0));
    QVERIFY2(lain.ok(), qPrintable(lain.error.message));
    QVERIFY(toko::Simpan(satu, Jual("JL-0000003", 4, 0)).ok());
    QCOMPARE(db.scalar("SELECT Stok || '@' || Harga_Beli FROM Barang WHERE Kode_Barang='001.002.003'"),
             QString("8@1200"));  // 10 - 3 + 5 - 4
    QCOMPARE(db.scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.004'"), QString("1"));
  }

  // What the receipt prints is what was stored.
  void saleReadBack() {
    tokotest::TempDb db;
    Barang(db);
    const toko::Penjualan jual = Jual("JL-0000007", 3, 2);
    QVERIFY(toko::Simpan(db.conn(), jual).ok());
    const toko::PenjualanTersimpan r = toko::BacaPenjualan(db.another(), "JL-0000007");
    QVERIFY(r.ok() && r.ada);
    QCOMPARE(r.jual.nomor, jual.nomor);
    QCOMPARE(r.jual.tanggal, jual.tanggal);
    QCOMPARE(r.jual.kasir, jual.kasir);
    QCOMPARE(r.jual.total, qint64(28500));
    QCOMPARE(r.jual.baris.size(), 2);
    for (int i = 0; i < 2; ++i) {
      const toko::BarisJual &a = r.jual.baris[i], &b = jual.baris[i];
      QCOMPARE(a.kode + a.nama, b.kode + b.nama);
      QCOMPARE(QList<qint64>({a.harga, a.jumlah, a.subtotal}), QList<qint64>({b.harga, b.jumlah, b.subtotal}));
    }
    const toko::PenjualanTersimpan tidak = toko::BacaPenjualan(db.conn(), "JL-0000008");
    QVERIFY(tidak.ok() && !tidak.ada && tidak.jual.baris.isEmpty());
  }
};

TOKO_TEST(DokumenTest);
#include "DokumenTest.moc"
