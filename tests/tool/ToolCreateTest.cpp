// The database tool as an installer runs it: making an empty database with its
// first ADMIN, never clobbering a file by accident, and failing with one line.
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QFile>
#include <QTemporaryDir>
#include <QProcess>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "ToolRun.h"
#include "TestSupport.h"
#include "db/Connection.h"
#include "db/Password.h"
#include "db/Recordset.h"
#include "db/Sql.h"

using namespace tooltest;

namespace {

const QStringList kTables = {"Grup",      "Produk",           "Barang",    "Pelanggan",
                             "Pemasok",   "Pengguna",         "Penjualan", "Penjualan_Detail",
                             "Pembelian", "Pembelian_Detail", "Rekening"};

QByteArray fileHash(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A statement of the tests' own (a trigger written for the file engine) on
// either store.
bool execHere(const db::ConnectionPtr& conn, const QString& sql) {
  if (!testsupport::OnServer()) return conn->Execute(sql);
  bool script = false;
  const QString here = testsupport::ServerStatement(sql, &script);
  return script ? conn->ExecRaw(here) : conn->Execute(here);
}

// A new shop whose ADMIN is "pemilik"; the tool's exit status.
int createWithOwner(const NewShop& shop) {
  return runTool(QStringList{"create"} + shop.createArgs() +
                 QStringList{"--admin-user", "pemilik", "--admin-password", "Baru 1"})
      .exitCode;
}

}  // namespace

class ToolCreateTest : public QObject {
  Q_OBJECT

 private slots:
  void createsEmptyDatabaseWithOneAdmin() {
    NewShop shop;
    // Quotes in every value: the tool must store them as typed.
    const ToolResult r = runTool(QStringList{"create"} + shop.createArgs() +
                                 QStringList{"--admin-user", "pemilik", "--admin-password", "ra'hasia", "--admin-name",
                                             "  budi o'hara "});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(r.outLines().size(), 1);
    QVERIFY2(r.out.contains(shop.where().Target()), qPrintable(r.out));
    QVERIFY(r.out.contains("pemilik"));
    QVERIFY2(!r.out.contains("ra'hasia"), "a real shop's password is not echoed");

    db::ConnectionPtr conn = openDb(shop.where());
    QVERIFY(conn);
    for (const QString& t : kTables)
      QCOMPARE(count(conn, "SELECT * FROM " + t), t == "Pengguna" ? 1 : 0);

    db::Recordset rs;
    QVERIFY(rs.Open("SELECT * FROM Pengguna", conn));
    QCOMPARE(rs.Text("UserId"), QString("pemilik"));
    // The password is stored as its hash, at the program's own cost.
    QVERIFY2(rs.Text("PassId").startsWith("$argon2id$v=19$m=65536,t=2,p=1$"), qPrintable(rs.Text("PassId")));
    QVERIFY(db::PasswordMatches(rs.Text("PassId"), "ra'hasia"));
    QCOMPARE(rs.Text("Nama"), QString("BUDI O'HARA"));
    QCOMPARE(rs.Text("Level"), QString("ADMIN"));  // the login compares it exactly

    // The login's own query finds the user.
    QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE UserID=" + db::Quote("pemilik") + "  AND Level=" +
                             db::Quote("ADMIN")),
             1);

    // Nothing but the database is left in the folder.
    if (!testsupport::OnServer())
      QCOMPARE(QDir(shop.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"ZovaDavezuZi.mdb"});
  }

  // A file of an older version keeps passwords as typed: upgrade stores each
  // as its hash, all in one go or none, and leaves hashes and empty ones be.
  void upgradeStoresOldPasswordsAsHashes() {
    NewShop shop;
    const QString path = shop.target();
    QCOMPARE(createWithOwner(shop), 0);
    const QHash<QString, QString> lama = {{"andi", "ra'hasia"}, {"budi", " Kasir 2 "}, {"yuni", "yuni"}};
    {
      db::ConnectionPtr conn = openDb(shop.where());
      QVERIFY(conn);
      for (auto it = lama.begin(); it != lama.end(); ++it)
        QVERIFY(conn->Execute("INSERT INTO Pengguna VALUES (" + db::Quote(it.key()) + "," + db::Quote(it.value()) +
                              ",'X','KASIR')"));
      QVERIFY(conn->Execute("INSERT INTO Pengguna VALUES ('kosong','','X','KASIR')"));
      QVERIFY(conn->Execute("INSERT INTO Pengguna VALUES ('tanpa',NULL,'X','KASIR')"));
      // The last row refuses the change: nothing may be converted.
      QVERIFY(execHere(conn, "CREATE TRIGGER kunci BEFORE UPDATE ON Pengguna WHEN OLD.UserId = 'yuni' "
                             "BEGIN SELECT RAISE(ABORT, 'baris dikunci'); END"));
    }
    auto stored = [&] {
      db::ConnectionPtr conn = openDb(shop.where());
      db::Recordset rs;
      QHash<QString, QString> rows;
      if (conn && rs.Open("SELECT * FROM Pengguna", conn))
        for (; !rs.Eof(); rs.MoveNext()) rows[rs.Text("UserId")] = rs.IsNull("PassId") ? "NULL" : rs.Text("PassId");
      return rows;
    };
    const QHash<QString, QString> before = stored();
    ToolResult r = runTool({"upgrade", path});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLines().size(), 1);
    QVERIFY2(r.err.contains("passwords not converted") && r.err.contains("baris dikunci"), qPrintable(r.err));
    QCOMPARE(stored(), before);

    {
      db::ConnectionPtr conn = openDb(shop.where());
      QVERIFY(conn && execHere(conn, "DROP TRIGGER kunci"));
    }
    r = runTool({"upgrade", path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.trimmed(), path + ": 3 passwords stored as hashes");
    const QHash<QString, QString> after = stored();
    for (auto it = lama.begin(); it != lama.end(); ++it) {
      const QString h = after.value(it.key());
      QVERIFY2(db::IsPasswordHash(h) && db::PasswordMatches(h, it.value()), qPrintable(it.key()));
      QVERIFY(!db::PasswordMatches(h, it.value().toUpper()));
    }
    QCOMPARE(after.value("pemilik"), before.value("pemilik"));
    QCOMPARE(after.value("kosong", "?"), QString(""));
    QCOMPARE(after.value("tanpa"), QString("NULL"));
    r = runTool({"upgrade", path});
    QCOMPARE(r.out.trimmed(), path + ": up to date");
  }

  // A file made before the drawer's record opens as it did (the check does
  // not demand the table) and gets the table and its index from the upgrade.
  void upgradeAddsTheDrawerRecord() {
    NewShop shop;
    const QString path = shop.target();
    QCOMPARE(createWithOwner(shop), 0);
    {
      db::ConnectionPtr conn = openDb(shop.where());
      QVERIFY(conn && conn->Execute("DROP TABLE LogLaci"));
    }
    QCOMPARE(runTool({"verify", path}).exitCode, 0);
    const ToolResult r = runTool({"upgrade", path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.trimmed(), path + ": added LogLaci, LogLaci_Tanggal");
    db::ConnectionPtr conn = openDb(shop.where());
    QVERIFY(conn && conn->HasTable("LogLaci"));
    QCOMPARE(runTool({"upgrade", path}).out.trimmed(), path + ": up to date");
  }

  void refusesToOverwriteAnExistingFile_data() {
    QTest::addColumn<bool>("database");
    QTest::newRow("a text file") << false;
    QTest::newRow("a shop database") << true;
  }
  void refusesToOverwriteAnExistingFile() {
    QFETCH(bool, database);
    if (testsupport::OnServer()) {
      if (!database) FILE_ONLY("no file of other contents stands where a server's database is named");
      // A server's shop is never made again over itself, --force or not.
      NewShop shop;
      QCOMPARE(runTool(QStringList{"create"} + shop.createArgs() + QStringList{"--admin-user", "lama1", "--admin-password", "x"})
                   .exitCode,
               0);
      db::ConnectionPtr conn = openDb(shop.where());
      QVERIFY(conn);
      QVERIFY(conn->Execute("INSERT INTO Grup VALUES ('ATK', 'ALAT TULIS')"));
      db::Recordset rs;
      QVERIFY(rs.Open("SELECT * FROM Pengguna", conn));
      const QString hash = rs.Text("PassId");
      conn.reset();
      for (const QStringList& extra : {QStringList{}, QStringList{"--demo"}, QStringList{"--force"}}) {
        const ToolResult r = runTool(QStringList{"create"} + extra + shop.createArgs() +
                                     QStringList{"--admin-user", "baru1", "--admin-password", "y"});
        QVERIFY(r.exitCode != 0);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.errLines().size(), 1);
        QVERIFY2(r.err.contains("already holds a shop's database"), qPrintable(r.err));
      }
      conn = openDb(shop.where());
      QVERIFY(conn);
      QCOMPARE(count(conn, "SELECT * FROM Grup"), 1);
      QCOMPARE(count(conn, "SELECT * FROM Barang"), 0);
      QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE UserId = 'lama1' AND PassId = " + db::Quote(hash)), 1);
      QCOMPARE(count(conn, "SELECT * FROM Pengguna"), 1);
      return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("toko.mdb");
    if (database)
      QCOMPARE(runTool({"create", path, "--admin-user", "lama1", "--admin-password", "x"}).exitCode, 0);
    else
      writeFile(path, "catatan penting\n");
    const QByteArray before = fileHash(path);
    const QDateTime stamp = QFileInfo(path).lastModified();

    for (const QStringList& extra : {QStringList{}, QStringList{"--demo"}}) {
      const ToolResult r =
          runTool(QStringList{"create"} + extra + QStringList{path, "--admin-user", "baru1", "--admin-password", "y"});
      QVERIFY(r.exitCode != 0);
      QVERIFY(r.out.isEmpty());
      QCOMPARE(r.errLines().size(), 1);
      QVERIFY2(r.err.contains("--force"), qPrintable(r.err));
    }
    QCOMPARE(fileHash(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), stamp);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"toko.mdb"});
  }

  // A run stopped by TERM removes its work file; one killed outright leaves
  // it, and the next run removes it (but not the work file of a run going on).
  void interruptedRunsLeaveNothingBehind() {
    FILE_ONLY("the work file is built beside the target file");
    QTemporaryDir dir;
    const QString path = dir.filePath("toko.mdb");
    QDir folder(dir.path());
    auto sisa = [&] { return folder.entryList({".toko.mdb.new-*"}, QDir::Files | QDir::Hidden); };
    pid_t mati = 999999;
    while (::kill(mati, 0) == 0 || errno != ESRCH) --mati;
    writeFile(dir.filePath(".toko.mdb.new-" + QString::number(mati)), "sisa");
    writeFile(dir.filePath(".toko.mdb.new-" + QString::number(mati) + "-journal"), "sisa");
    const QString hidup = ".toko.mdb.new-" + QString::number(::getpid());
    writeFile(dir.filePath(hidup), "jalan");
    QCOMPARE(runTool({"create", path, "--admin-user", "pemilik", "--admin-password", "a"}).exitCode, 0);
    QCOMPARE(sisa(), QStringList{hidup});
    QVERIFY(QFile::remove(dir.filePath(hidup)));

    bool tertangkap = false;
    for (int coba = 0; coba < 50 && !tertangkap; ++coba) {
      QFile::remove(path);
      QProcess p;
      p.start(toolProgram(), {"create", "--demo", path});
      QVERIFY(p.waitForStarted(10000));
      p.closeWriteChannel();
      QElapsedTimer t;
      t.start();
      while (t.elapsed() < 10000 && !p.waitForFinished(0)) {
        if (!sisa().isEmpty()) {
          ::kill(pid_t(p.processId()), SIGTERM);
          break;
        }
      }
      QVERIFY(p.waitForFinished(10000));
      tertangkap = p.exitStatus() == QProcess::CrashExit;
      QCOMPARE(sisa(), QStringList());
      if (tertangkap) QVERIFY(!QFile::exists(path));
    }
    QVERIFY2(tertangkap, "no run was caught while its work file existed");
  }

  void forceReplacesTheFile() {
    FILE_ONLY("--force replaces a file; a shop on a server is never replaced by create");
    QTemporaryDir dir;
    const QString path = dir.filePath("toko.mdb");
    writeFile(path, "bukan database");
    ToolResult r = runTool({"create", "--force", path, "--admin-user", "pertama", "--admin-password", "a"});
    QCOMPARE(r.exitCode, 0);
    db::ConnectionPtr conn = openDb(path);
    QVERIFY(conn);
    QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE UserId='pertama'"), 1);
    conn.reset();

    r = runTool({"create", path, "--force", "--admin-user", "kedua", "--admin-password", "b"});
    QCOMPARE(r.exitCode, 0);
    conn = openDb(path);
    QVERIFY(conn);
    QCOMPARE(count(conn, "SELECT * FROM Pengguna"), 1);
    QCOMPARE(count(conn, "SELECT * FROM Pengguna WHERE UserId='kedua'"), 1);
  }

  void badCommandLinesFailWithOneLine_data() {
    QTest::addColumn<QStringList>("args");
    // "@" stands for the path of the file to create, "@dir" for the folder.
    const QStringList login = {"--admin-user", "pemilik", "--admin-password", "rahasia"};
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"buat", "@"} + login;
    QTest::newRow("unknown option") << QStringList{"create", "@", "--cepat"} + login;
    QTest::newRow("no path") << QStringList{"create"} + login;
    QTest::newRow("two paths") << QStringList{"create", "@", "@2"} + login;
    QTest::newRow("option without value") << QStringList{"create", "@", "--admin-user"};
    QTest::newRow("no user, no terminal") << QStringList{"create", "@", "--admin-password", "rahasia"};
    QTest::newRow("no password, no terminal") << QStringList{"create", "@", "--admin-user", "pemilik"};
    QTest::newRow("user id too short") << QStringList{"create", "@", "--admin-user", "abc", "--admin-password", "x"};
    QTest::newRow("user id too long")
        << QStringList{"create", "@", "--admin-user", QString(31, 'u'), "--admin-password", "x"};
    QTest::newRow("empty password") << QStringList{"create", "@", "--admin-user", "pemilik", "--admin-password", ""};
    QTest::newRow("password too long")
        << QStringList{"create", "@", "--admin-user", "pemilik", "--admin-password", QString(31, 'p')};
    QTest::newRow("name too long") << QStringList{"create", "@", "--admin-name", QString(61, 'N')} + login;
    QTest::newRow("demo admin named like the cashier")
        << QStringList{"create", "--demo", "@", "--admin-user", "KASIR", "--admin-password", "x"};
    QTest::newRow("today without demo") << QStringList{"create", "@", "--today", "2024-01-31"} + login;
    QTest::newRow("today not a date") << QStringList{"create", "--demo", "@", "--today", "31/01/2024"};
    QTest::newRow("folder missing") << QStringList{"create", "@dir/tidak/ada.mdb"} + login;
    QTest::newRow("path is a folder") << QStringList{"create", "--force", "@dir"} + login;
    QTest::newRow("server and path") << QStringList{"create", "--server", "postgresql:///toko?host=/tmp", "@"} + login;
    QTest::newRow("server without URL") << QStringList{"create", "--admin-user", "pemilik", "--server"};
    QTest::newRow("server URL without a database") << QStringList{"create", "--server", "postgresql://localhost"} + login;
  }
  void badCommandLinesFailWithOneLine() {
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    for (QString& a : args) {
      if (a == "@") a = dir.filePath("toko.mdb");
      else if (a == "@2") a = dir.filePath("toko2.mdb");
      else if (a.startsWith("@dir")) a = dir.path() + a.mid(4);
    }
    const ToolResult r = runTool(args);
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    QCOMPARE(r.errLines().size(), 1);
    QVERIFY(r.err.startsWith("merapu-db: "));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
  }

  void helpNamesTheDemoLogins() {
    const ToolResult r = runTool({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("create"));
    QVERIFY(r.out.contains("user admin, password admin"));
    QVERIFY(r.out.contains("user kasir, password kasir"));
  }
};

REGISTER_TEST(ToolCreateTest);
#include "ToolCreateTest.moc"
