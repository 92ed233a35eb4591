// The store: statement translation, quoting, record sets, schema, next code.
#include <sqlite3.h>

#include <QDir>
#include <QLocale>
#include <QtTest>

#include <limits>
#include <mutex>

#include "base/DateText.h"
#include "TestSupport.h"
#include "base/Number.h"
#include "core/mdlUtama.h"
#include "db/Backup.h"
#include "db/FileCheck.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "db/Transaction.h"

using namespace testsupport;

class TranslationTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { QLocale::setDefault(QLocale::c()); }

  void dateLiteralRoundTripsInEveryLocale_data() {
    QTest::addColumn<QString>("locale");
    for (const char* l : {"en_US", "en_GB", "de_DE", "id_ID"}) QTest::newRow(l) << QString::fromLatin1(l);
  }
  void dateLiteralRoundTripsInEveryLocale() {
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    for (const QDate d : {QDate(1999, 12, 31), QDate(2024, 3, 5), QDate(2031, 1, 2), QDate(2070, 11, 30)}) {
      const QString text = base::ShortDateText(d);
      QCOMPARE(base::ParseShortDateText(text), d);
      QString out, err;
      QVERIFY(db::TranslateJet("SELECT * FROM Penjualan WHERE Tgl_Nota >= #" + text + "#", &out, &err));
      QCOMPARE(out, "SELECT * FROM Penjualan WHERE Tgl_Nota >= '" + d.toString("yyyy-MM-dd") + "'");
    }
  }

  void literalsAreLeftAlone() {
    QString out, err;
    QVERIFY(db::TranslateJet("SELECT * FROM Rekening WHERE dk = \"DEBET\" AND transaksi='a \"b\" #1# c''d'", &out, &err));
    QCOMPARE(out, QString("SELECT * FROM Rekening WHERE dk = 'DEBET' AND transaksi='a \"b\" #1# c''d'"));
    QVERIFY(db::TranslateJet("SELECT \"it's\" FROM Grup", &out, &err));
    QCOMPARE(out, QString("SELECT 'it''s' FROM Grup"));
    QVERIFY(!db::TranslateJet("SELECT * FROM Penjualan WHERE Tgl_Nota >= #bukan tanggal#", &out, &err));
    QVERIFY(!err.isEmpty());
    // A # in a [name] or a quote in a comment opens nothing.
    QVERIFY(db::TranslateJet("SELECT [No#] FROM T -- it's\nWHERE d = #2024-03-05# /* \"x */", &out, &err));
    QCOMPARE(out, QString("SELECT [No#] FROM T -- it's\nWHERE d = '2024-03-05' /* \"x */"));
  }

  // Each of these is refused with a message saying why, and changes nothing,
  // whether it comes as a statement or as a query.
  void malformedTextRunsNothing_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("why");
    const QString lebih = "lebih dari satu perintah";
    QTest::newRow("two statements") << "DELETE FROM Grup; DELETE FROM Produk" << lebih;
    QTest::newRow("a typed value that ends the statement")
        << "DELETE FROM Grup WHERE Kode_Grup='x'; DELETE FROM Produk; --'" << lebih;
    QTest::newRow("quote inside a comment") << "DELETE FROM Grup -- it's\n; DELETE FROM Produk" << lebih;
    QTest::newRow("unclosed quote") << "DELETE FROM Grup WHERE Nama_Grup = 'ALAT" << "Tanda petik ' tidak ditutup";
    QTest::newRow("unclosed double quote") << "DELETE FROM Grup WHERE Nama_Grup = \"ALAT" << "Tanda petik \" tidak ditutup";
    QTest::newRow("unclosed #") << "DELETE FROM Penjualan WHERE Tgl_Nota < #2024-03-05" << "Tanda # tidak ditutup";
    QTest::newRow("text after the date") << "DELETE FROM Penjualan WHERE Tgl_Nota < #2024-03-05xyz#"
                                         << "Tanggal tidak dikenali: #2024-03-05xyz#";
    QTest::newRow("month first in a day-first locale") << "DELETE FROM Penjualan WHERE Tgl_Nota < #12/25/2024#"
                                                       << "Tanggal tidak dikenali: #12/25/2024#";
    QTest::newRow("# inside a name") << "DELETE FROM Grup WHERE [No#] = 1"
                                     << (OnServer() ? "column \"no#\" does not exist" : "no such column: No#");
    QTest::newRow("unclosed bracket") << "DELETE FROM Grup WHERE [Kode_Grup = 'ATK'" << "Tanda [ tidak ditutup";
    QTest::newRow("number beyond 64 bits") << "UPDATE Barang SET Stok = '99999999999999999999'" << "bukan angka";
  }
  void malformedTextRunsNothing() {
    QFETCH(QString, sql);
    QFETCH(QString, why);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    TempDb t;
    t.exec("INSERT INTO Grup VALUES ('ATK', 'ALAT')");
    t.exec("INSERT INTO Produk VALUES ('ATK.001', 'ATK', 'PENA')");
    t.exec("INSERT INTO Barang (Kode_Barang, Stok) VALUES ('ATK.001.001', 5)");
    t.exec("INSERT INTO Penjualan (No_Nota, Tgl_Nota) VALUES ('JL-0000001', '2024-03-01')");
    QVERIFY(!t.conn()->Execute(sql));
    QVERIFY2(t.conn()->LastError().contains(why), qPrintable(t.conn()->LastError()));
    db::Recordset rs;
    QVERIFY(!rs.Open(sql, t.conn()));
    QVERIFY2(rs.LastError().contains(why), qPrintable(rs.LastError()));
    QCOMPARE(t.scalar("SELECT CAST((SELECT count(*) FROM Grup) AS TEXT) || CAST((SELECT count(*) FROM Produk) AS TEXT) || "
                      "CAST((SELECT count(*) FROM Penjualan) AS TEXT) || CAST((SELECT Stok FROM Barang) AS TEXT)"),
             QString("1115"));
  }

  void namesInAnyCaseAndNumbersAsText() {
    TempDb t;
    t.exec("INSERT INTO barang (KODE_BARANG, kode_produk, Nama_Barang, Harga_beli, harga_JUAL, Stok) "
           "VALUES ('001.001.001', '001.001', 'Sabun', '12000 ', '', ' 7')");
    QCOMPARE(t.scalar("SELECT typeof(Harga_Beli) || ':' || Harga_Beli FROM Barang"), QString("integer:12000"));
    QCOMPARE(t.scalar("SELECT typeof(Harga_Jual) || ':' || Harga_Jual FROM Barang"), QString("integer:0"));
    QCOMPARE(t.scalar("SELECT Stok FROM BARANG WHERE kode_barang = '001.001.001'"), QString("7"));
    t.exec("UPDATE Barang SET Harga_beli='15000', Nama_Barang='A, B' WHERE Kode_Barang='001.001.001'");
    t.exec("UPDATE Barang SET  Stok=Stok - 2 WHERE Kode_Barang='001.001.001'");
    QCOMPARE(t.scalar("SELECT Harga_Beli || '/' || Stok || '/' || Nama_Barang FROM Barang"), QString("15000/5/A, B"));
    // Text never lands in an amount column.
    QVERIFY(!t.conn()->Execute("UPDATE Barang SET Harga_Jual='12a' WHERE Kode_Barang='001.001.001'"));
    QCOMPARE(t.scalar("SELECT Harga_Jual FROM Barang"), QString("0"));
  }
};

class QuotingTest : public QObject {
  Q_OBJECT
 private slots:
  void typedQuotesAreStoredAsTyped() {
    TempDb t;
    QCOMPARE(db::Quote("O'Brien"), QString("'O''Brien'"));
    t.exec("INSERT INTO Pelanggan (Kode_Pelanggan, Nama_Pelanggan) VALUES ('PG001', " + db::Quote("O'Brien") + ")");
    QCOMPARE(t.scalar("SELECT Nama_Pelanggan FROM Pelanggan WHERE Nama_Pelanggan = " + db::Quote("O'Brien")),
             QString("O'Brien"));
  }
  void injectionMatchesNothing() {
    TempDb t;
    t.exec("INSERT INTO Pengguna (UserId, PassId, Nama, Level) VALUES ('admin', 'rahasia', 'ADMIN', 'ADMIN')");
    const QString evil = "' OR '1'='1";
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Pengguna WHERE UserID=" + db::Quote(evil) + "  AND PassID=" + db::Quote(evil) +
                        " AND Level=" + db::Quote("ADMIN"),
                    t.conn()));
    QVERIFY(rs.Eof() && rs.Bof());
    QCOMPARE(rs.RecordCount(), 0);
  }
};

class RecordsetTest : public QObject {
  Q_OBJECT
 private slots:
  void emptyResultIsBofAndEof() {
    TempDb t;
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Grup", t.conn()));
    QVERIFY(rs.Bof());
    QVERIFY(rs.Eof());
    QCOMPARE(rs.RecordCount(), 0);
    QCOMPARE(rs.Text("Kode_Grup"), QString());
  }
  void navigationAndFieldsByName() {
    TempDb t;
    for (const char* c : {"ATK", "ELK", "MKN"})
      t.exec(QString("INSERT INTO Grup VALUES ('%1', 'Grup %1')").arg(c));
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Grup ORDER BY Kode_Grup", t.conn()));
    QCOMPARE(rs.RecordCount(), 3);
    QVERIFY(!rs.Bof() && !rs.Eof());
    QCOMPARE(rs.Text("kode_grup"), QString("ATK"));
    rs.MoveNext();
    QCOMPARE(rs.Text("NAMA_GRUP"), QString("Grup ELK"));
    rs.MoveLast();
    QCOMPARE(rs.Text("Kode_Grup"), QString("MKN"));
    rs.MoveNext();
    QVERIFY(rs.Eof());
    rs.MoveFirst();
    QCOMPARE(rs.Value("Grup.Kode_Grup").toString(), QString("ATK"));
    rs.MovePrevious();
    QVERIFY(rs.Bof());
  }
  void typedValues() {
    TempDb t;
    t.exec("INSERT INTO Penjualan (No_Nota, Tgl_Nota, Total_Bayar, Kode_Pelanggan, UserID) "
           "VALUES ('JL-0000001', '2024-03-05', '25000 ', '', 'kasir')");
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Penjualan", t.conn()));
    QCOMPARE(rs.Int("Total_Bayar"), 25000);
    QCOMPARE(rs.Date("Tgl_Nota"), QDate(2024, 3, 5));
    QCOMPARE(rs.Text("Kode_Pelanggan"), QString());
    QVERIFY(rs.IsNull("NoSuchField"));
  }
  void addNewUpdateRoundTrip() {
    TempDb t;
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Barang WHERE Kode_Barang = '001.001.001'", t.conn()));
    QVERIFY(rs.Eof());
    rs.AddNew();
    rs.SetField("Kode_Barang", "001.001.001");
    rs.SetField("Kode_Produk", "001.001");
    rs.SetField("Nama_Barang", "Kain 'Batik'");
    rs.SetField("Harga_Beli", "");
    rs.SetField("Harga_Jual", 15000);
    rs.SetField("stok", "12");
    QVERIFY2(rs.Update(), qPrintable(rs.LastError()));
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.Text("Nama_Barang"), QString("Kain 'Batik'"));
    QCOMPARE(t.scalar("SELECT typeof(Harga_Beli) || Harga_Beli || '/' || Stok FROM Barang"), QString("integer0/12"));
    // Change the current row.
    rs.SetField("Harga_Beli", 9000);
    QVERIFY(rs.Update());
    QCOMPARE(t.scalar("SELECT Harga_Beli FROM Barang"), QString("9000"));
    // A query over two tables cannot be edited.
    db::Recordset join;
    QVERIFY(join.Open("SELECT Barang.*, Produk.* FROM Barang, Produk WHERE Produk.Kode_Produk=Barang.Kode_Produk",
                      t.conn()));
    join.AddNew();
    join.SetField("Kode_Barang", "X");
    QVERIFY(!join.Update());
  }
  // An edit finds its row by the table's key: a row another till deleted and
  // stored again (a new row of the file, the same key) is still the one
  // changed, a changed key is followed, and a table without a key is matched
  // on every value the row was read with.
  void editFindsItsRowByKey() {
    TempDb t;
    t.exec("INSERT INTO Grup VALUES ('001', 'SATU')");
    t.exec("INSERT INTO Grup VALUES ('002', 'DUA')");
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Grup ORDER BY Kode_Grup", t.conn()));
    auto other = std::make_shared<db::Connection>();
    QVERIFY(other->Open(t.where()));
    QVERIFY(other->Execute("DELETE FROM Grup WHERE Kode_Grup = '001'"));
    QVERIFY(other->Execute("INSERT INTO Grup VALUES ('003', 'TIGA')"));
    QVERIFY(other->Execute("INSERT INTO Grup VALUES ('001', 'SATU LAGI')"));
    rs.MoveFirst();
    rs.SetField("Nama_Grup", "SATU BARU");
    QVERIFY2(rs.Update(), qPrintable(rs.LastError()));
    QCOMPARE(t.scalar("SELECT group_concat(Kode_Grup || '=' || Nama_Grup, ',') FROM "
                      "(SELECT * FROM Grup ORDER BY Kode_Grup)"),
             QString("001=SATU BARU,002=DUA,003=TIGA"));
    QCOMPARE(rs.Text("Kode_Grup"), QString("001"));

    rs.SetField("Kode_Grup", "009");
    QVERIFY(rs.Update());
    QCOMPARE(rs.Text("Nama_Grup"), QString("SATU BARU"));
    QCOMPARE(rs.AbsolutePosition(), 2);  // read again in order, standing on the row it stored

    t.exec("INSERT INTO Penjualan_Detail VALUES ('JL-1', 'A', 100, 1, 100)");
    t.exec("INSERT INTO Penjualan_Detail VALUES ('JL-1', 'A', 100, 2, 200)");
    t.exec("INSERT INTO Penjualan_Detail VALUES ('JL-1', 'B', 50, 1, 50)");
    db::Recordset detail;
    QVERIFY(detail.Open("SELECT * FROM Penjualan_Detail ORDER BY Jumlah DESC, Kode_Barang", t.conn()));
    detail.Move(2);  // B
    detail.SetField("Jumlah", 3);
    QVERIFY2(detail.Update(), qPrintable(detail.LastError()));
    QCOMPARE(detail.Text("Kode_Barang"), QString("B"));
    QCOMPARE(detail.AbsolutePosition(), 0);
    QCOMPARE(t.scalar("SELECT group_concat(Kode_Barang || Jumlah, ',') FROM "
                      "(SELECT * FROM Penjualan_Detail ORDER BY Kode_Barang, Jumlah)"),
             QString("A1,A2,B3"));
  }
  void requerySeesOtherStatements() {
    TempDb t;
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Grup", t.conn()));
    QCOMPARE(rs.RecordCount(), 0);
    auto other = std::make_shared<db::Connection>();
    QVERIFY(other->Open(t.where()));
    QVERIFY(other->Execute("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')"));
    QVERIFY(rs.Requery());
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.Text("Nama_Grup"), QString("ALAT TULIS"));
  }
  void transactionRollsBackEverything() {
    TempDb t;
    QVERIFY(t.conn()->BeginTrans());
    QVERIFY(t.conn()->Execute("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')"));
    QVERIFY(!t.conn()->Execute("INSERT INTO Grup VALUES ('atk', 'DUPLIKAT')"));
    QVERIFY(t.conn()->RollbackTrans());
    QCOMPARE(t.count("Grup"), 0);
  }
};

class SchemaTest : public QObject {
  Q_OBJECT
 private slots:
  void everyTableAndColumn() {
    TempDb t;
    const QList<QPair<QString, QStringList>> tables = {
        {"Grup", {"Kode_Grup", "Nama_Grup"}},
        {"Produk", {"Kode_Produk", "Kode_Grup", "Nama_Produk"}},
        {"Barang", {"Kode_Barang", "Kode_Produk", "Nama_Barang", "Satuan", "Harga_Beli", "Harga_Jual", "Stok"}},
        {"Pelanggan", {"Kode_Pelanggan", "Nama_Pelanggan", "Alamat", "No_Telepon"}},
        {"Pemasok", {"Kode_Pemasok", "Nama_Pemasok", "Alamat", "Kota", "Propinsi", "No_Telepon", "No_Fax", "KontakP"}},
        {"Pengguna", {"UserId", "PassId", "Nama", "Level"}},
        {"Penjualan", {"No_Nota", "Tgl_Nota", "Total_Bayar", "Kode_Pelanggan", "UserID"}},
        {"Penjualan_Detail", {"No_Nota", "Kode_Barang", "Harga_Jual", "Jumlah", "SubTotal"}},
        {"Pembelian", {"No_Masuk", "Tgl_Masuk", "Kode_Pemasok", "Total", "UserID"}},
        {"Pembelian_Detail", {"No_Masuk", "Kode_Barang", "Harga_Beli", "Jumlah", "SubTotal"}},
        {"Rekening", {"kode", "tanggal", "dk", "transaksi", "jumlah"}},
        {"Retur", {"No_Retur", "Tgl_Retur", "No_Nota", "Total", "Alasan", "Batal", "UserID", "Penyetuju"}},
        {"Detail_Retur", {"No_Retur", "Kode_Barang", "Harga_Jual", "Jumlah", "SubTotal"}},
        {"Kas_Awal", {"UserID", "Tanggal", "Jumlah"}},
        {"Tutup_Kasir", {"UserID", "Tanggal", "Jam", "Kas_Awal", "Nota", "Penjualan", "Retur", "Diharapkan", "Dihitung",
                         "Selisih"}},
        {"LogLaci", {"ID", "Tanggal", "Jam", "UserID", "Kassa", "Alasan"}},
        {"Barcode", {"Kode", "Kode_Barang"}},
    };
    QCOMPARE(t.scalar(OnServer() ? "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() "
                                   "AND table_type = 'BASE TABLE'"
                                 : "SELECT count(*) FROM sqlite_master WHERE type='table'"),
             QString::number(tables.size()));
    for (const auto& [table, cols] : tables) QCOMPARE(t.conn()->Columns(table), cols);
  }
  // A file made before the barcodes still opens; the upgrade adds their
  // table and its index, once.
  void olderFileGetsTheLaterTables() {
    TempDb t;
    t.exec("DROP TABLE Barcode");
    t.conn()->Close();
    auto c = std::make_shared<db::Connection>();
    QVERIFY2(c->Open(t.where()), qPrintable(c->LastError()));
    QVERIFY(c->Columns("Barcode").isEmpty());
    QStringList added;
    QVERIFY2(c->AddMissingSchema(&added), qPrintable(c->LastError()));
    QCOMPARE(added, QStringList({"Barcode", "Barcode_Barang"}));
    QCOMPARE(c->Columns("Barcode"), QStringList({"Kode", "Kode_Barang"}));
    QVERIFY(c->Execute("INSERT INTO Barcode VALUES ('8991234567895','ATK.001.001')"));
    QVERIFY(!c->Execute("INSERT INTO Barcode VALUES ('8991234567895','ATK.001.002')"));
    QVERIFY(c->AddMissingSchema(&added));
    QCOMPARE(added, QStringList());
  }
  void keysRejectDuplicatesWithoutRegardToCase() {
    TempDb t;
    t.exec("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')");
    QVERIFY(!t.conn()->Execute("INSERT INTO Grup VALUES ('atk', 'LAIN')"));
    t.exec("INSERT INTO Penjualan (No_Nota) VALUES ('JL-0000001')");
    QVERIFY(!t.conn()->Execute("INSERT INTO Penjualan (No_Nota) VALUES ('JL-0000001')"));
    QCOMPARE(t.count("Penjualan"), 1);
  }
  // A file whose pages were overwritten may open, but nothing is ever
  // written into it.
  void damagedFileIsNeverWritten() {
    FILE_ONLY("the pages overwritten are the file's own");
    TempDb t;
    QVERIFY(t.conn()->BeginTrans());
    for (int i = 0; i < 400; ++i)
      t.exec(QString("INSERT INTO Penjualan_Detail VALUES ('JL-%1', 'ATK.001.001', 1500, 1, 1500)").arg(i, 7, 10, QChar('0')));
    QVERIFY(t.conn()->CommitTrans());
    t.damagePage("Penjualan_Detail");
    const QByteArray sebelum = t.bytes();
    db::Connection c;
    if (c.Open(t.path())) {
      QVERIFY(!c.Execute("INSERT INTO Grup VALUES ('ZZZ', 'BARU')"));
      QVERIFY2(c.LastError().contains("rusak"), qPrintable(c.LastError()));
      QVERIFY(!c.BeginTrans());
    } else {
      QVERIFY2(c.LastError().contains("rusak"), qPrintable(c.LastError()));  // the check was quicker
    }
    c.Close();
    QCOMPARE(t.bytes(), sebelum);
  }

  // A file moved away, deleted or replaced under an open connection would
  // take the writes and lose them: they are refused, and a transaction that
  // began on the file is rolled back at its commit.
  void writesFollowOnlyTheFileOpened_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("inTransaction");
    for (const char* h : {"moved", "deleted", "replaced"}) {
      QTest::newRow(h) << QString::fromLatin1(h) << false;
      QTest::newRow(QByteArray(h) + " during a transaction") << QString::fromLatin1(h) << true;
    }
  }
  void writesFollowOnlyTheFileOpened() {
    FILE_ONLY("a server's database is not a file to move, delete or replace");
    QFETCH(QString, how);
    QFETCH(bool, inTransaction);
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb"), aside = dir.filePath("lain.mdb");
    QVERIFY(db::Connection().Create(path));
    db::Connection c;
    QVERIFY2(c.Open(path), qPrintable(c.LastError()));
    QVERIFY(c.Execute("INSERT INTO Grup VALUES ('AAA', 'SEBELUM')"));
    auto pullAway = [&] {
      if (how == "moved") {
        QVERIFY(QFile::rename(path, aside));
      } else if (how == "deleted") {
        QVERIFY(QFile::remove(path));
      } else {
        QVERIFY(QFile::copy(path, aside));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(aside, path));
      }
    };
    if (inTransaction) {
      QVERIFY(c.BeginTrans());
      QVERIFY(c.Execute("INSERT INTO Grup VALUES ('ZZZ', 'BARU')"));
      pullAway();
      QVERIFY(!c.CommitTrans());
      QVERIFY(!c.InTransaction());
    } else {
      pullAway();
      QVERIFY(!c.Execute("INSERT INTO Grup VALUES ('ZZZ', 'BARU')"));
      QVERIFY(!c.BeginTrans());
    }
    QVERIFY2(c.LastError().contains("tidak ada di tempatnya"), qPrintable(c.LastError()));
    c.Close();
    // Wherever the file went, it holds what was stored before and nothing of
    // the refused writes.
    const QString left = how == "moved" ? aside : path;
    if (how == "deleted") return;
    auto r = std::make_shared<db::Connection>();
    QVERIFY2(r->Open(left), qPrintable(r->LastError()));
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Grup ORDER BY Kode_Grup", r));
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.Text("Kode_Grup"), QString("AAA"));
  }

  void openRefusesWhatIsNotOurs() {
    db::Connection c;
    if (OnServer()) {
      // A database the server lacks, and one without the shop's tables.
      const QString name = "merapu_kosong_" + QString::number(QCoreApplication::applicationPid());
      QVERIFY(!c.Open(ServerDatabase(name)));
      QCOMPARE(c.Failure().kind, db::Error::Kind::NotFound);
      QString why;
      QVERIFY2(db::CreateDatabase(ServerDatabase(name), name, QString(), &why), qPrintable(why));
      const bool opened = c.Open(ServerDatabase(name));
      const db::Error failure = c.Failure();
      c.Close();
      DropServerDatabase(ServerDatabase(name));
      QVERIFY(!opened);
      QCOMPARE(failure.kind, db::Error::Kind::MissingSchema);
      return;
    }
    QTemporaryDir dir;
    QVERIFY(!c.Open(dir.filePath("tidak-ada.mdb")));
    QFile junk(dir.filePath("junk.mdb"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QVERIFY(!c.Open(junk.fileName()));
    QVERIFY(!c.LastError().isEmpty());
  }
};

// A save is on the disk when the person is told so: every handle that
// writes a file of the shop syncs the folder at its commit (synchronous
// EXTRA, 3). Every SQLite handle the process opens is watched: as it closes
// it tells its file, whether it could write and its setting.
class DurabilityTest : public QObject {
  Q_OBJECT
  struct Closed {
    QString file;
    bool readOnly;
    int synchronous;
  };
  static inline std::mutex m_;  // the file check closes its handle on a thread of its own
  static inline QList<Closed> closed_;
  static int OnClose(unsigned, void*, void* handle, void*) {
    auto* h = static_cast<sqlite3*>(handle);
    const char* file = sqlite3_db_filename(h, "main");
    if (!file || !*file) return 0;  // a database in memory
    int level = -1;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, "PRAGMA synchronous", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      level = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    std::lock_guard<std::mutex> lock(m_);
    closed_.append({QString::fromUtf8(file), sqlite3_db_readonly(h, "main") == 1, level});
    return 0;
  }
  static int Watch(sqlite3* h, const char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(h, SQLITE_TRACE_CLOSE, OnClose, nullptr);
    return SQLITE_OK;
  }
  static void (*entry())() { return reinterpret_cast<void (*)()>(Watch); }

 private slots:
  void initTestCase() { QCOMPARE(sqlite3_auto_extension(entry()), SQLITE_OK); }
  void cleanupTestCase() { sqlite3_cancel_auto_extension(entry()); }

  void everyWriterSyncsTheFolder_data() {
    QTest::addColumn<QString>("writer");
    // The program, the report connection and the tool's upgrade open a file;
    // the tool and the tests create one; a backup writes its copy.
    for (const char* w : {"opened file", "created file", "backup copy"}) QTest::newRow(w) << QString::fromLatin1(w);
  }
  void everyWriterSyncsTheFolder() {
    FILE_ONLY("the folder synced is the file's; the server syncs its own");
    QFETCH(QString, writer);
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb");
    QVERIFY(db::Connection().Create(path));
    db::FileCheck::WaitAll();
    {
      std::lock_guard<std::mutex> lock(m_);
      closed_.clear();
    }
    if (writer == "opened file") {
      db::Connection c;
      QVERIFY2(c.Open(path), qPrintable(c.LastError()));
      QVERIFY(c.BeginTrans());
      QVERIFY(c.Execute("INSERT INTO Grup VALUES ('AAA', 'BARU')"));
      QVERIFY(c.CommitTrans());
    } else if (writer == "created file") {
      QVERIFY(db::Connection().Create(dir.filePath("baru.mdb")));
    } else {
      QString why;
      QVERIFY2(db::Backup(path, dir.filePath("salinan.mdb"), &why), qPrintable(why));
    }
    db::FileCheck::WaitAll();
    std::lock_guard<std::mutex> lock(m_);
    int writers = 0;
    for (const Closed& c : std::as_const(closed_)) {
      if (c.readOnly || !c.file.startsWith(dir.path())) continue;
      ++writers;
      QVERIFY2(c.synchronous == 3, qPrintable(QString("%1: synchronous %2").arg(c.file).arg(c.synchronous)));
    }
    QVERIFY(writers > 0);
  }
};

// What went wrong reaches the caller as a kind it can act on, with the
// statement that failed.
class FailureKindTest : public QObject {
  Q_OBJECT
 private slots:
  void failuresCarryTheirKind() {
    using K = db::Error::Kind;
    TempDb t;
    const db::ConnectionPtr c = t.conn();
    t.exec("INSERT INTO Penjualan (No_Nota) VALUES ('JL-0000001')");
    const QString dup = "INSERT INTO Penjualan (No_Nota) VALUES ('jl-0000001')";
    QVERIFY(!c->Execute(dup));
    QCOMPARE(c->Failure().kind, K::DuplicateKey);
    QCOMPARE(c->Failure().statement, dup);
    QVERIFY(!c->Execute("UPDATE TidakAda SET x = 1"));
    QCOMPARE(c->Failure().kind, K::MissingSchema);
    db::Recordset rs;
    QVERIFY(!rs.Open("SELECT Tidak_Ada FROM Grup", c));
    QCOMPARE(rs.Failure().kind, K::MissingSchema);
    QCOMPARE(rs.Failure().statement, QString("SELECT Tidak_Ada FROM Grup"));

    // Another program holding the write lock past the wait: the file's lock
    // is taken by the transaction's start, the server's by the row changed.
    auto other = std::make_shared<db::Connection>();
    QVERIFY(other->Open(t.where()));
    QVERIFY(other->BeginTrans());
    const QString change = "UPDATE Penjualan SET Total_Bayar = 1 WHERE No_Nota = 'JL-0000001'";
    QVERIFY2(other->Execute(change), qPrintable(other->LastError()));
    db::Connection::SetBusyTimeout(50);
    db::Connection late;
    QVERIFY(late.Open(t.where()));
    QVERIFY(!(late.BeginTrans() && late.Execute(change)));
    QCOMPARE(late.Failure().kind, K::Busy);
    if (late.InTransaction()) QVERIFY(late.RollbackTrans());
    db::Connection::SetBusyTimeout(db::Connection::kDefaultBusyTimeoutMs);
    QVERIFY(other->RollbackTrans());

    db::Connection d;
    if (OnServer()) {
      // A database the server does not have; the rest is about files.
      QVERIFY(!d.Open(ServerDatabase(t.where().dbname + "_tidak_ada")));
      QCOMPARE(d.Failure().kind, K::NotFound);
      return;
    }
    QTemporaryDir dir;
    QVERIFY(!d.Open(dir.filePath("tidak-ada.mdb")));
    QCOMPARE(d.Failure().kind, K::NotFound);
    QFile junk(dir.filePath("junk.mdb"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QVERIFY(!d.Open(junk.fileName()));
    QCOMPARE(d.Failure().kind, K::Damaged);
    QVERIFY(db::Connection().Create(dir.filePath("a.mdb")));
    QVERIFY(d.Open(dir.filePath("a.mdb")));
    QVERIFY(QFile::rename(dir.filePath("a.mdb"), dir.filePath("b.mdb")));
    QVERIFY(!d.Execute("INSERT INTO Grup VALUES ('ZZZ', 'BARU')"));
    QCOMPARE(d.Failure().kind, K::Moved);
  }

  // A transaction scope stores only what it commits; leaving it any other
  // way stores nothing, and a failed commit keeps the commit's reason.
  void transactionScope() {
    TempDb t;
    auto c = std::make_shared<db::Connection>();
    QVERIFY(c->Open(t.where()));
    {
      db::Transaction tr(*c);
      QVERIFY(tr.ok());
      QVERIFY(c->Execute("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')"));
    }
    QVERIFY(!c->InTransaction());
    QCOMPARE(t.count("Grup"), 0);
    {
      db::Transaction tr(*c);
      QVERIFY(c->Execute("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')"));
      QVERIFY(tr.Commit());
    }
    QCOMPARE(t.count("Grup"), 1);
    // The commit refused: the file moved away under it, or on a server a
    // check deferred to the commit.
    if (OnServer())
      QVERIFY2(c->ExecRaw("CREATE FUNCTION tolak() RETURNS trigger LANGUAGE plpgsql AS "
                          "$f$ BEGIN RAISE EXCEPTION 'ditolak saat commit'; END $f$; "
                          "CREATE CONSTRAINT TRIGGER tolak AFTER INSERT ON Grup DEFERRABLE INITIALLY DEFERRED "
                          "FOR EACH ROW EXECUTE FUNCTION tolak()"),
               qPrintable(c->LastError()));
    {
      db::Transaction tr(*c);
      QVERIFY(c->Execute("INSERT INTO Grup VALUES ('BBB', 'LAIN')"));
      if (OnServer()) {
        QVERIFY(!tr.Commit());
        QVERIFY2(c->Failure().message.contains("ditolak saat commit"), qPrintable(c->Failure().message));
      } else {
        QVERIFY(QFile::rename(t.path(), t.path() + ".lain"));
        QVERIFY(!tr.Commit());
        QCOMPARE(c->Failure().kind, db::Error::Kind::Moved);
        QVERIFY(QFile::rename(t.path() + ".lain", t.path()));
      }
      QVERIFY(!c->InTransaction());
    }
    QCOMPARE(t.count("Grup"), 1);
  }
};

class NumberTextTest : public QObject {
  Q_OBJECT
 private slots:
  // A number text is read whole: digits past 64 bits give no number, never
  // the first 18 of them.
  void leadingNumberNeverCutsDigits() {
    bool ok = false;
    QCOMPARE(db::LeadingNumber("  12abc", &ok), qint64(12));
    QVERIFY(ok);
    QCOMPARE(db::LeadingNumber("-9223372036854775808", &ok), std::numeric_limits<qint64>::min());
    QVERIFY(ok);
    QCOMPARE(db::LeadingNumber("9223372036854775807", &ok), std::numeric_limits<qint64>::max());
    QVERIFY(ok);
    for (const char* t : {"12345678901234567890", "9223372036854775808", "-9223372036854775809"}) {
      QCOMPARE(db::LeadingNumber(t, &ok), qint64(0));
      QVERIFY(!ok);
    }
  }
};

// The store behind its engine: the description names the database, a file
// engine offers what only a file has, and raw statements reach the engine as
// they are written.
class EngineTest : public QObject {
  Q_OBJECT
 private slots:
  void connectionOnAFile() {
    TempDb t;
    db::Connection c;
    QVERIFY(!c.File());  // nothing open, nothing to copy
    QVERIFY2(c.Open(t.where()), qPrintable(c.LastError()));
    QCOMPARE(c.Where(), t.where());
    if (OnServer()) {
      // A server keeps no file: nothing to copy beside it, no check of one.
      QVERIFY(!c.File());
      QVERIFY(!c.Check());
    } else {
      QVERIFY(c.File());
      QCOMPARE(c.File()->FilePath(), t.path());
      QVERIFY(c.Check());
      QVERIFY(c.File()->StillHere());
    }
    QVERIFY2(c.ExecRaw("INSERT INTO Grup VALUES ('A', 'x'); INSERT INTO Grup VALUES ('B', NULL)"),
             qPrintable(c.LastError()));
    QStringList got;
    QVERIFY(c.QueryRaw("SELECT Nama_Grup FROM Grup ORDER BY Kode_Grup", &got));
    QCOMPARE(got, QStringList({"x", ""}));
    QVERIFY(!c.QueryRaw("SELECT Nama FROM nowhere", &got));
    QVERIFY(got.isEmpty());
    QCOMPARE(c.Failure().kind, db::Error::Kind::MissingSchema);
    QCOMPARE(c.KeyColumns("Grup"), QStringList{"Kode_Grup"});
    QVERIFY(c.KeyColumns("Penjualan_Detail").isEmpty());
    c.Close();
    QVERIFY(!c.File());
  }
  // Every failure of the engine carries its kind, the statement and the
  // engine's own words.
  void failuresCarryKindStatementAndMessage() {
    TempDb t;
    db::Connection c;
    QVERIFY(c.Open(t.where()));
    QVERIFY(c.Execute("INSERT INTO Grup VALUES ('A', 'x')"));
    const QString again = "INSERT INTO Grup VALUES ('a', 'y')";  // codes are alike without regard to case
    QVERIFY(!c.Execute(again));
    QCOMPARE(c.Failure().kind, db::Error::Kind::DuplicateKey);
    QCOMPARE(c.Failure().statement, again);
    // The engine's words: the file's and the server's own.
    QVERIFY2(c.Failure().message.contains(OnServer() ? "duplicate key" : "UNIQUE"), qPrintable(c.Failure().message));
    QCOMPARE(c.Failure().target, t.where().Target());
    db::Recordset rs;
    QVERIFY(!rs.Open("SELECT Nope FROM Grup", t.conn()));
    QCOMPARE(rs.Failure().kind, db::Error::Kind::MissingSchema);
    QCOMPARE(rs.Failure().statement, QString("SELECT Nope FROM Grup"));
    // The server folds an unquoted name to lower case.
    QVERIFY2(rs.Failure().message.contains(OnServer() ? "nope" : "Nope"), qPrintable(rs.Failure().message));
  }
  void shopDatabaseIsDescribedOnce() {
    const db::Description was = db::ShopDatabase();
    db::SetShopDatabase({});
    const db::Description beside = db::ShopDatabase();
    QVERIFY(beside.IsFile());
    QCOMPARE(beside.path, QDir(QCoreApplication::applicationDirPath()).filePath("ZovaDavezuZi.mdb"));
    db::SetShopDatabase(db::Description::File("/elsewhere/toko.mdb"));
    QCOMPARE(db::ShopDatabase().path, QString("/elsewhere/toko.mdb"));
    QCOMPARE(mdlUtama::DatabasePath(), QString("/elsewhere/toko.mdb"));
    db::SetShopDatabase({});
    QCOMPARE(db::ShopDatabase(), beside);
    db::SetShopDatabase(was);
  }
  // The one reader of whole numbers, under the rule of a stored column:
  // blanks around it, an empty text is 0, anything else is refused.
  void wholeTextOfAColumn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");
    QTest::newRow("blanks around") << " 12\t" << true << qint64(12);
    QTest::newRow("empty") << "  " << true << qint64(0);
    QTest::newRow("plus") << "+5" << true << qint64(5);
    QTest::newRow("smallest") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
    QTest::newRow("past 64 bits") << "9223372036854775808" << false << qint64(0);
    QTest::newRow("blank inside") << "1 2" << false << qint64(0);
    QTest::newRow("sign alone") << "-" << false << qint64(0);
    QTest::newRow("decimal") << "1.5" << false << qint64(0);
  }
  void wholeTextOfAColumn() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    qint64 v = -1;
    QCOMPARE(base::WholeText(text, &v), ok);
    QCOMPARE(v, ok ? value : qint64(-1));
  }
};

REGISTER_TEST(TranslationTest);
REGISTER_TEST(EngineTest);
REGISTER_TEST(QuotingTest);
REGISTER_TEST(RecordsetTest);
REGISTER_TEST(SchemaTest);
REGISTER_TEST(FailureKindTest);
REGISTER_TEST(NumberTextTest);
REGISTER_TEST(DurabilityTest);
#include "tst_store.moc"
