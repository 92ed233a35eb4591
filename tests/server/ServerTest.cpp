// The store on a PostgreSQL server: the windows' dialect there, the hidden key
// of a table without one, a shop moved onto a server and back, several tills
// at once as processes of their own, and a server lost under a save.
// Run with MERAPU_TEST_SERVER set (scripts/test.sh starts a cluster).
#include <QProcess>
#include <algorithm>
#include <QSet>
#include <QtTest>
#include <thread>

#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "db/Copy.h"
#include "db/PgEngine.h"
#include "db/Recordset.h"
#include "toko/Dokumen.h"

using namespace testsupport;

namespace {

#define NEEDS_SERVER() \
  do { \
    if (!OnServer()) QSKIP("needs a PostgreSQL server (MERAPU_TEST_SERVER)"); \
  } while (0)

QString Url(const db::Description& d) {
  return QStringLiteral("postgresql:///%1?host=%2").arg(d.dbname, d.host);
}

// Four items and a supplier every till works with; stock large enough.
void Stock(TempDb& db, qint64 stok) {
  db.exec("INSERT INTO Pemasok (Kode_Pemasok, Nama_Pemasok) VALUES ('P01', 'PEMASOK')");
  for (int i = 1; i <= 4; ++i)
    db.exec(QString("INSERT INTO Barang VALUES ('001.001.00%1','001.001','BARANG %1','PCS',500,1000,%2)").arg(i).arg(stok));
}

// Each till's committed numbers, from its own output.
struct Till {
  QProcess* p;
  QString nama;
  QStringList saved;
};

QStringList Saved(QProcess* p) {
  QStringList out;
  for (const QByteArray& l : p->readAllStandardOutput().split('\n'))
    if (l.startsWith("SAVED ")) out << QString::fromUtf8(l.mid(6));
  return out;
}

QProcess* StartTill(const QString& url, const QString& nama, int count, const char* jenis, int lines) {
  auto* p = new QProcess;
  p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p->start(qEnvironmentVariable("MERAPU_TILL"),
           {url, nama, QString::number(count), QString::fromLatin1(jenis), QString::number(lines)});
  return p;
}

}  // namespace

class ServerDialectTest : public QObject {
  Q_OBJECT
 private slots:
  void windowsStatementsReadAsOnTheFile_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    QTest::newRow("code without regard to case")
        << "INSERT INTO Grup VALUES ('elk','Elektronik')" << "SELECT Nama_Grup FROM Grup WHERE Kode_Grup='ELK'"
        << "Elektronik";
    QTest::newRow("LIKE without regard to case")
        << "INSERT INTO Grup VALUES ('SBN','Sabun Mandi')" << "SELECT Kode_Grup FROM Grup WHERE Nama_Grup LIKE '%MANDI%'"
        << "SBN";
    QTest::newRow("number text with a blank")
        << "INSERT INTO Rekening VALUES ('RK-1','2024-03-15','DEBET','x','12000 ')" << "SELECT jumlah + 1 FROM Rekening"
        << "12001";
    QTest::newRow("empty number text") << "INSERT INTO Rekening VALUES ('RK-1','2024-03-15','DEBET','x','')"
                                       << "SELECT jumlah FROM Rekening" << "0";
    QTest::newRow("date literal") << "INSERT INTO Rekening VALUES ('RK-1','2024-03-15','DEBET','x',5)"
                                  << "SELECT kode FROM Rekening WHERE tanggal >= #2024-03-15# AND tanggal < #2024-03-16#"
                                  << "RK-1";
    QTest::newRow("query in FROM without a name")
        << "INSERT INTO Grup VALUES ('A','x')" << "SELECT count(*) FROM (SELECT * FROM Grup)" << "1";
  }
  void windowsStatementsReadAsOnTheFile() {
    NEEDS_SERVER();
    QFETCH(QString, statement);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    TempDb db;
    db.exec(statement);
    QCOMPARE(db.scalar(query), expected);
  }

  void tableWithoutKeyEditsWithoutSeeingItsHiddenKey() {
    NEEDS_SERVER();
    TempDb db;
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Penjualan_Detail WHERE No_Nota='JL-1'", db.conn()));
    QCOMPARE(rs.FieldCount(), 5);
    QCOMPARE(rs.FieldName(1), QString("Kode_Barang"));
    rs.AddNew();
    rs.SetField("No_Nota", "JL-1");
    rs.SetField("Kode_Barang", "001");
    rs.SetField("Harga_Jual", 1000);
    rs.SetField("Jumlah", "3 ");
    rs.SetField("SubTotal", 3000);
    QVERIFY2(rs.Update(), qPrintable(rs.LastError()));
    rs.SetField("Jumlah", 4);
    QVERIFY2(rs.Update(), qPrintable(rs.LastError()));
    QCOMPARE(db.scalar("SELECT count(*) || ':' || sum(Jumlah) FROM Penjualan_Detail"), QString("1:4"));
  }

  void settingsFileChoosesTheStore() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("merapu.ini");
    const QString beside = dir.filePath("ZovaDavezuZi.mdb");
    QCOMPARE(db::StoreFromSettings(ini, beside), db::Description::File(beside));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[database]\nengine=postgresql\nhost=kasir-server\nport=5433\ndbname=toko\nuser=kasir\npassword=rahasia\n"
            "[kasir]\nnama=KASIR-1\n");
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QString kasir;
    db::Description d = db::StoreFromSettings(ini, beside, &kasir);
    QVERIFY(d.IsServer());
    QCOMPARE(kasir, QString("KASIR-1"));
    QVERIFY2(d.refused.contains("dapat dibaca pengguna lain"), qPrintable(d.refused));
    db::Connection c;
    QVERIFY(!c.Open(d));
    QCOMPARE(c.LastError(), d.refused);
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    d = db::StoreFromSettings(ini, beside);
    QVERIFY(d.refused.isEmpty());
    QCOMPARE(d.Target(), QString("server kasir-server:5433, database toko"));
  }

  void shopMovesToTheServerAndBack() {
    NEEDS_SERVER();
    QTemporaryDir dir;
    const QString tool = qEnvironmentVariable("MERAPU_TOOL");
    const QString file = dir.filePath("toko.mdb"), back = dir.filePath("kembali.mdb");
    QCOMPARE(QProcess::execute(tool, {"create", "--demo", "--today", "2024-03-31", file}), 0);
    const db::Description server = FreshServerDatabase();
    // The tests' database has the tables, empty: the copy fills them.
    QCOMPARE(QProcess::execute(tool, {"copy", file, Url(server)}), 0);
    QCOMPARE(QProcess::execute(tool, {"copy", Url(server), back}), 0);
    // Not into a shop that has data.
    QCOMPARE(QProcess::execute(tool, {"copy", file, Url(server)}), 1);
    db::Connection a, b, s;
    QVERIFY(a.Open(file) && b.Open(back) && s.Open(server));
    QList<db::TableTally> ta, tb, ts;
    QVERIFY(db::Tally(a, &ta) && db::Tally(b, &tb) && db::Tally(s, &ts));
    QCOMPARE(ts, ta);
    QCOMPARE(tb, ta);
    QVERIFY(ta.value(7).rows > 100);  // the sales' lines came along
    // So did the tables that came later: the items' barcodes, the returns.
    for (const char* later : {"Barcode", "Retur"}) {
      const auto it = std::find_if(ts.begin(), ts.end(), [&](const db::TableTally& t) { return t.table == later; });
      QVERIFY2(it != ts.end() && it->rows > 0, later);
    }
    // A server database of an older version gets them from the upgrade.
    QVERIFY(s.ExecRaw("DROP TABLE Barcode"));
    s.Close();
    QCOMPARE(QProcess::execute(tool, {"upgrade", Url(server)}), 0);
    QVERIFY(s.Open(server) && s.HasTable("Barcode"));
    QVERIFY(s.ExecRaw("INSERT INTO Barcode (Kode, Kode_Barang) VALUES ('8991234567895', 'X')"));
    s.Close();
    DropServerDatabase(server);
  }

  void backupIsCheckedAndRestoreWaitsForTheOtherTills() {
    NEEDS_SERVER();
    TempDb db;
    Stock(db, 7);
    const db::Description where = db.conn()->Where();
    QTemporaryDir dir;
    const QString dump = dir.filePath("toko.dump"), tool = qEnvironmentVariable("MERAPU_TOOL");
    QCOMPARE(QProcess::execute(tool, {"backup", Url(where), dump}), 0);
    QVERIFY(QFileInfo(dump).size() > 0);
    QVERIFY(!QFile::exists(dump + ".tmp"));
    db.exec("UPDATE Barang SET Stok = 0");
    // The test's own connection is another till.
    QProcess restore;
    restore.start(tool, {"restore", dump, Url(where)});
    QVERIFY(restore.waitForFinished(60000));
    QCOMPARE(restore.exitCode(), 1);
    QVERIFY(restore.readAllStandardError().contains("koneksi lain"));
    db.conn()->Close();
    restore.start(tool, {"restore", dump, Url(where)});
    QVERIFY(restore.waitForFinished(60000));
    QCOMPARE(restore.exitCode(), 0);
    const QString kept = QString::fromUtf8(restore.readAllStandardOutput()).trimmed().section(' ', -1);
    QVERIFY(db.conn()->Open(where));
    QCOMPARE(db.scalar("SELECT sum(Stok) FROM Barang"), QString("28"));
    db::Connection old;
    QVERIFY2(old.Open(where.OtherDatabase(kept)), qPrintable(kept));
    QStringList stok;
    QVERIFY(old.QueryRaw("SELECT sum(Stok) FROM Barang", &stok));
    QCOMPARE(stok, QStringList{"0"});
    old.Close();
    DropServerDatabase(where.OtherDatabase(kept));
  }
};

class TillsTest : public QObject {
  Q_OBJECT

  // The lines of every sale stored: each one whole, and the stock exactly
  // what the stored lines and purchases moved.
  void CheckStore(TempDb& db, qint64 stok, const QHash<QString, int>& linesOf) {
    for (auto it = linesOf.cbegin(); it != linesOf.cend(); ++it)
      QCOMPARE(db.scalar(QString("SELECT count(*) FROM Penjualan p WHERE UserID='%1' AND "
                                 "(SELECT count(*) FROM Penjualan_Detail d WHERE d.No_Nota = p.No_Nota) <> %2")
                             .arg(it.key())
                             .arg(it.value())),
               QString("0"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Penjualan p WHERE Total_Bayar <> "
                       "(SELECT sum(SubTotal) FROM Penjualan_Detail d WHERE d.No_Nota = p.No_Nota)"),
             QString("0"));
    QCOMPARE(db.scalar(QString("SELECT count(*) FROM Barang b WHERE Stok <> %1 "
                               " - COALESCE((SELECT sum(Jumlah) FROM Penjualan_Detail d WHERE d.Kode_Barang = b.Kode_Barang), 0)"
                               " + COALESCE((SELECT sum(Jumlah) FROM Pembelian_Detail d WHERE d.Kode_Barang = b.Kode_Barang), 0)")
                           .arg(stok)),
             QString("0"));
  }

 private slots:
  void eightTillsAtOnce() {
    NEEDS_SERVER();
    TempDb db;
    Stock(db, 100000);
    const QString url = Url(db.conn()->Where());
    QList<Till> tills;
    for (int k = 1; k <= 8; ++k) tills << Till{StartTill(url, QString("KASIR-%1").arg(k), 250, "jual", 3), QString(), {}};
    for (int k = 1; k <= 2; ++k) {
      tills << Till{StartTill(url, QString("GUDANG-%1").arg(k), 100, "beli", 2), QString(), {}};
      tills << Till{StartTill(url, QString("KAS-%1").arg(k), 100, "kas", 1), QString(), {}};
    }
    QSet<QString> jual, beli, kas;
    int sales = 0;
    for (Till& t : tills) {
      QVERIFY(t.p->waitForFinished(400000));
      QCOMPARE(t.p->exitCode(), 0);
      const QStringList s = Saved(t.p);
      for (const QString& n : s) (n.startsWith("JL-") ? jual : n.startsWith("BL-") ? beli : kas).insert(n);
      if (s.value(0).startsWith("JL-")) sales += int(s.size());
      delete t.p;
    }
    QCOMPARE(sales, 2000);
    QCOMPARE(jual.size(), 2000);  // distinct numbers
    QCOMPARE(beli.size(), 200);
    QCOMPARE(kas.size(), 200);
    QCOMPARE(db.scalar("SELECT count(*) FROM Penjualan"), QString("2000"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Penjualan_Detail"), QString("6000"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Pembelian"), QString("200"));
    QCOMPARE(db.scalar("SELECT count(*) FROM Rekening"), QString("200"));
    QHash<QString, int> lines;
    for (int k = 1; k <= 8; ++k) lines.insert(QString("KASIR-%1").arg(k), 3);
    CheckStore(db, 100000, lines);
  }

  void tillKilledMidSaveLeavesNoHalfSale() {
    NEEDS_SERVER();
    TempDb db;
    Stock(db, 100000);
    const QString url = Url(db.conn()->Where());
    QList<QProcess*> others;
    for (int k = 1; k <= 7; ++k) others << StartTill(url, QString("KASIR-%1").arg(k), 250, "jual", 3);
    // The eighth till's sales are long, so a kill after its 25th lands in
    // the middle of the 26th.
    QStringList killedSaved;
    int kills = 0;
    while (killedSaved.size() < 250) {
      QProcess* p = StartTill(url, "KASIR-8", 250 - int(killedSaved.size()), "jual", 60);
      QStringList s;
      while (s.size() < 25 && p->state() != QProcess::NotRunning) {
        p->waitForReadyRead(200);
        while (p->canReadLine()) {
          const QByteArray l = p->readLine().trimmed();
          if (l.startsWith("SAVED ")) s << QString::fromUtf8(l.mid(6));
          QVERIFY2(!l.startsWith("FAILED"), l.constData());
        }
      }
      if (p->state() != QProcess::NotRunning) {
        p->kill();  // SIGKILL
        ++kills;
      }
      p->waitForFinished();
      s << Saved(p);
      killedSaved << s;
      delete p;
    }
    QStringList saved = killedSaved;
    for (QProcess* p : others) {
      QVERIFY(p->waitForFinished(400000));
      QCOMPARE(p->exitCode(), 0);
      saved << Saved(p);
      delete p;
    }
    QVERIFY(kills >= 9);
    const QSet<QString> distinct(saved.cbegin(), saved.cend());
    QCOMPARE(distinct.size(), saved.size());
    // Every sale a till was told of is stored; a kill between the commit and
    // its line may leave one more stored than told.
    const int stored = db.scalar("SELECT count(*) FROM Penjualan").toInt();
    QVERIFY2(stored >= saved.size() && stored <= saved.size() + kills, qPrintable(QString::number(stored)));
    for (const QString& n : std::as_const(saved))
      if (db.scalar("SELECT count(*) FROM Penjualan WHERE No_Nota='" + n + "'") != "1") QFAIL(qPrintable("lost " + n));
    QHash<QString, int> lines;
    for (int k = 1; k <= 7; ++k) lines.insert(QString("KASIR-%1").arg(k), 3);
    lines.insert("KASIR-8", 60);
    CheckStore(db, 100000, lines);
  }
};

class ServerLostTest : public QObject {
  Q_OBJECT

  static bool Server(const char* what) {
    const QStringList ctl = qEnvironmentVariable("MERAPU_TEST_PGCTL").split(' ', Qt::SkipEmptyParts);
    return QProcess::execute(ctl.value(0), ctl.mid(1) << QString::fromLatin1(what)) == 0;
  }

  static toko::Penjualan Sale() {
    toko::Penjualan j;
    j.nomor = "JL-0000001";
    j.tanggal = QDate(2024, 3, 15);
    j.kasir = "KASIR-1";
    for (int i = 1; i <= 3; ++i) j.baris << toko::BarisBarang{QString("001.001.00%1").arg(i), QString(), 1000, 2, 2000};
    j.total = 6000;
    return j;
  }

 private slots:
  void init() {
    NEEDS_SERVER();
    if (qEnvironmentVariableIsEmpty("MERAPU_TEST_PGCTL")) QSKIP("needs MERAPU_TEST_PGCTL to stop and start the server");
  }

  void serverStoppedMidSaveThenBack() {
    TempDb db;
    Stock(db, 50);
    // The second line's insert waits, so that the server goes in the middle.
    QVERIFY(db.conn()->ExecRaw(
        "CREATE FUNCTION lambat() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN "
        "IF NEW.Kode_Barang = '001.001.002' THEN PERFORM pg_sleep(1.5); END IF; RETURN NEW; END $f$; "
        "CREATE TRIGGER lambat BEFORE INSERT ON Penjualan_Detail FOR EACH ROW EXECUTE FUNCTION lambat()"));
    auto till = std::make_shared<db::Connection>();
    QVERIFY(till->Open(db.conn()->Where()));
    toko::HasilSimpan h;
    std::thread save([&] { h = toko::Simpan(till, Sale()); });
    QThread::msleep(600);
    const bool stopped = Server("stop");
    save.join();
    QVERIFY(stopped);
    QCOMPARE(h.error.kind, db::Error::Kind::ConnectionLost);
    QVERIFY(!h.belumPasti);  // gone before the commit: surely nothing stored
    QVERIFY2(h.error.message.contains(db.conn()->Where().Target()), qPrintable(h.error.message));
    // While it is down the save is refused again, and says so.
    h = toko::Simpan(till, Sale());
    QCOMPARE(h.error.kind, db::Error::Kind::ConnectionLost);
    QVERIFY(Server("start"));
    auto look = std::make_shared<db::Connection>();
    QVERIFY(look->Open(db.conn()->Where()));
    QVERIFY(look->ExecRaw("DROP TRIGGER lambat ON Penjualan_Detail"));
    db::Recordset rs;
    QVERIFY(rs.Open("SELECT (SELECT count(*) FROM Penjualan) || ':' || (SELECT count(*) FROM Penjualan_Detail) || ':' || "
                    "(SELECT sum(Stok) FROM Barang)", look));
    QCOMPARE(rs.Text(0), QString("0:0:200"));
    // The same sale, on the same till's connection once the server is back.
    h = toko::Simpan(till, Sale());
    QVERIFY2(h.ok(), qPrintable(h.error.message));
    QVERIFY(rs.Requery());
    QCOMPARE(rs.Text(0), QString("1:3:194"));
    // A restart while the till stands idle costs it no failed save.
    look->Close();
    QVERIFY(Server("stop") && Server("start"));
    toko::Penjualan lagi = Sale();
    lagi.nomor = "JL-0000002";
    h = toko::Simpan(till, lagi);
    QVERIFY2(h.ok(), qPrintable(h.error.message));
  }

  // The server stored the sale and its answer was lost with the connection:
  // asked at once when it answers again, else at the next save of the same
  // sale, which then is that save: one sale, one number, stock down once.
  void commitAnswerLostIsSettledNotSavedTwice_data() {
    QTest::addColumn<bool>("downUntilLater");
    QTest::newRow("the server answers again at once") << false;
    QTest::newRow("the server is down until later") << true;
  }
  void commitAnswerLostIsSettledNotSavedTwice() {
    QFETCH(bool, downUntilLater);
    TempDb db;
    Stock(db, 50);
    auto till = std::make_shared<db::Connection>();
    QVERIFY(till->Open(db.conn()->Where()));
    db.conn()->Close();
    bool stopped = false;
    db::testing::AfterNextCommit([&] { stopped = downUntilLater && Server("stop"); });
    toko::HasilSimpan h = toko::Simpan(till, Sale());
    QCOMPARE(stopped, downUntilLater);
    if (downUntilLater) {
      QCOMPARE(h.error.kind, db::Error::Kind::ConnectionLost);
      QVERIFY2(h.error.message.contains("belum dapat ditanya apakah data tersimpan"), qPrintable(h.error.message));
      QVERIFY(h.belumPasti);
      // Still down: the same answer again, nothing saved a second time.
      h = toko::Simpan(till, Sale());
      QCOMPARE(h.error.kind, db::Error::Kind::ConnectionLost);
      QVERIFY(h.belumPasti);
      QVERIFY(Server("start"));
      h = toko::Simpan(till, Sale());
    }
    QVERIFY2(h.ok(), qPrintable(h.error.message));
    QCOMPARE(h.nomor, QString("JL-0000001"));
    QVERIFY(db.conn()->Open(till->Where()));
    QCOMPARE(db.scalar("SELECT count(*) || ':' || min(No_Nota) FROM Penjualan"), QString("1:JL-0000001"));
    QCOMPARE(db.scalar("SELECT count(*) || ':' || sum(Stok) FROM Penjualan_Detail, Barang "
                       "WHERE Penjualan_Detail.Kode_Barang = Barang.Kode_Barang"),
             QString("3:144"));
    // The next sale goes on as ever.
    toko::Penjualan lagi = Sale();
    lagi.nomor = "JL-0000002";
    h = toko::Simpan(till, lagi);
    QVERIFY2(h.ok(), qPrintable(h.error.message));
    QCOMPARE(db.count("Penjualan"), 2);
  }

  void tillStartedWhileServerDownSaysSoAndEnds() {
    TempDb db;
    const db::Description where = db.conn()->Where();
    db.conn()->Close();
    QVERIFY(Server("stop"));
    db::SetShopDatabase(where);
    ScriptedPrompter p;
    p.expectStart("GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA\r\n\r\nDatabase: " + where.Target(),
                  ui::vbOK, "Kesalahan");
    EndCatcher end;
    const bool opened = mdlUtama::BukaKoneksi();
    QVERIFY(Server("start"));
    QVERIFY(!opened);
    VERIFY_PROMPTS(p);
    QCOMPARE(end.code, 1);
    QVERIFY(p.seen.value(0).text.contains("tidak dapat dihubungi"));
  }
};

REGISTER_TEST(ServerDialectTest);
REGISTER_TEST(TillsTest);
REGISTER_TEST(ServerLostTest);
#include "ServerTest.moc"
