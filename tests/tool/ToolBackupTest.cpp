// Copies a shop can trust: a backup taken while the till sells holds what was
// sold before it began; a damaged copy is never put back; a restore keeps
// what it replaces and never runs under a program that has the file open;
// a backup that cannot be written leaves nothing that looks like a copy.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>
#include <unistd.h>

#include "ToolRun.h"
#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "db/Copy.h"
#include "db/Recordset.h"

using namespace tooltest;
using testsupport::OnServer;
using testsupport::TempDb;

namespace {

QByteArray fileHash(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// `notes` sales of three lines each, straight into the store.
void fillSales(TempDb& db, int notes) {
  const QString n = QString::number(notes);
  const QString script = QString(
      "BEGIN;"
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + n + ") "
      "INSERT INTO Penjualan SELECT printf('JL-%07d', i), '2026-03-01', 4500, '', 'ADM' FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + n + "), "
      "j(k) AS (VALUES (1), (2), (3)) "
      "INSERT INTO Penjualan_Detail SELECT printf('JL-%07d', i), printf('001.001.%03d', k), 1500, 1, 1500 "
      "FROM n, j ORDER BY i, k;"
      "COMMIT;");
  QVERIFY2(db.conn()->ExecRaw(script), qPrintable(db.conn()->LastError()));
  QCOMPARE(db.count("Penjualan_Detail"), 3LL * notes);
}

// Overwrites a run of pages in the middle of the file, as a bad disk does.
void damageMiddle(const QString& path) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::ReadWrite));
  const qint64 page = 4096;
  QVERIFY(f.size() > 8 * page);
  QVERIFY(f.seek((f.size() / page / 2) * page));
  QCOMPARE(f.write(QByteArray(int(3 * page), char(0xAB))), 3 * page);
}

QStringList filesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Where a case puts a copy by name: beside the file, or (a server's copy
// being a file of its own) in the folder given.
QString copyPath(const TempDb& db, const QString& folder) {
  return OnServer() ? QDir(folder).filePath("salinan.dump") : QFileInfo(db.path()).absoluteDir().filePath("salinan.mdb");
}

// A copy opened to be read: the file as it is, after verify passes; a
// server's dump restored into a database of its own first, which verify
// must then pass.
db::ConnectionPtr openCopy(const QString& copy, ServerScratch* into) {
  if (!OnServer()) {
    const ToolResult v = runTool({"verify", copy});
    if (v.exitCode != 0) {
      qWarning("verify %s: %s", qPrintable(copy), qPrintable(v.out + v.err));
      return nullptr;
    }
    return openDb(copy);
  }
  const ToolResult r = runTool({"restore", copy, urlOf(into->where)});
  if (r.exitCode != 0) {
    qWarning("restore %s: %s", qPrintable(copy), qPrintable(r.err));
    return nullptr;
  }
  into->kept = r.out.trimmed().section(' ', -1);
  const ToolResult v = runTool({"verify", urlOf(into->where)});
  if (v.exitCode != 0) {
    qWarning("verify %s: %s", qPrintable(into->where.Target()), qPrintable(v.out + v.err));
    return nullptr;
  }
  return openDb(into->where);
}

}  // namespace

class ToolBackupTest : public QObject {
  Q_OBJECT

 private slots:
  // Another connection sells in a loop, each sale one transaction, while the
  // tool copies: the copy is sound, holds every sale committed before it
  // began, and every sale in it is whole.
  void backupWhileSelling() {
    TempDb db;
    fillSales(db, 20000);
    std::atomic<int> committed{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> failed{false};
    std::thread till([&] {
      db::Connection c;
      if (!c.Open(db.where())) {
        failed = true;
        return;
      }
      for (int i = 0; !stop; ++i) {
        const QString no = QString("'JB-%1'").arg(i, 7, 10, QChar('0'));
        const bool ok = c.BeginTrans() &&
                        c.Execute("INSERT INTO Penjualan VALUES (" + no + ", '2026-03-02', 3000, '', 'ADM')") &&
                        c.Execute("INSERT INTO Penjualan_Detail VALUES (" + no + ", '001.001.001', 1500, 2, 3000)") &&
                        c.CommitTrans();
        if (!ok) {
          failed = true;
          return;
        }
        committed = i + 1;
      }
    });
    QVERIFY(QTest::qWaitFor([&] { return committed >= 50 || failed; }, 20000));
    const int before = committed;
    QTemporaryDir dir;
    const QString copy = copyPath(db, dir.path());
    const ToolResult r = runTool({"backup", db.url(), copy});
    const int afterwards = committed;
    stop = true;
    till.join();
    QVERIFY(!failed);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(copy), qPrintable(r.out));
    QVERIFY2(afterwards > before, "the till kept selling while the copy was taken");

    ServerScratch restored;
    db::ConnectionPtr c = openCopy(copy, &restored);
    QVERIFY(c);
    const int sales = count(c, "SELECT * FROM Penjualan WHERE No_Nota LIKE 'JB-%'");
    QVERIFY2(sales >= before && sales <= afterwards, qPrintable(QString::number(sales)));
    QCOMPARE(count(c, "SELECT * FROM Penjualan_Detail WHERE No_Nota LIKE 'JB-%'"), sales);
    QCOMPARE(count(c, "SELECT * FROM Penjualan WHERE No_Nota = 'JB-" +
                          QString("%1").arg(sales - 1, 7, 10, QChar('0')) + "'"),
             1);
    QCOMPARE(count(c, "SELECT * FROM Penjualan_Detail"), 60000 + sales);
  }

  // Without DEST the copy goes into backup/ beside the database (a server's
  // into the folder the tool runs in), named by date and time, and is sound;
  // verify says in one line whether a file or a server's database is a
  // database of this program.
  // The work file of a run killed outright is removed by the next one; that
  // of a run going on is not.
  void defaultPlaceAndVerify() {
    TempDb db;
    fillSales(db, 10);
    if (OnServer()) {
      // A server's copy goes into the folder the tool runs in, named by the
      // database, the date and the time.
      QTemporaryDir here;
      const ToolResult r = runTool({"backup", db.url()}, here.path());
      QVERIFY2(r.exitCode == 0, qPrintable(r.err));
      const QStringList made = filesIn(here.path());
      QCOMPARE(made.size(), 1);
      QVERIFY2(QRegularExpression("^" + db.where().dbname + "-\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.dump$").match(made[0]).hasMatch(),
               qPrintable(made[0]));
      QVERIFY2(r.out.contains(made[0]), qPrintable(r.out));
      ServerScratch restored;
      db::ConnectionPtr c = openCopy(QDir(here.path()).filePath(made[0]), &restored);
      QVERIFY(c);
      QCOMPARE(count(c, "SELECT * FROM Penjualan_Detail"), 30);
      const ToolResult v = runTool({"verify", db.url()});
      QCOMPARE(v.exitCode, 0);
      QCOMPARE(v.outLines().size(), 1);
      QVERIFY2(v.out.contains("sound database") && v.out.contains(db.where().Target()), qPrintable(v.out));
    } else {
      const QString folder = QFileInfo(db.path()).absoluteDir().filePath("backup");
      QVERIFY(QDir().mkpath(folder));
      pid_t mati = 999999;
      while (::kill(mati, 0) == 0 || errno != ESRCH) --mati;
      const QString sisa = ".ZovaDavezuZi-20260301-180000.mdb.part-" + QString::number(mati);
      const QString jalan = ".ZovaDavezuZi-20260301-180001.mdb.part-" + QString::number(::getpid());
      for (const QString& f : {sisa, jalan}) {
        QFile w(QDir(folder).filePath(f));
        QVERIFY(w.open(QIODevice::WriteOnly));
      }
      const ToolResult r = runTool({"backup", db.path()});
      QCOMPARE(r.exitCode, 0);
      QStringList made = filesIn(folder);
      QVERIFY(!made.contains(sisa));
      QVERIFY(made.removeOne(jalan));
      QCOMPARE(made.size(), 1);
      QVERIFY2(QRegularExpression("^ZovaDavezuZi-\\d{8}-\\d{6}\\.mdb$").match(made[0]).hasMatch(), qPrintable(made[0]));
      const ToolResult v = runTool({"verify", QDir(folder).filePath(made[0])});
      QCOMPARE(v.exitCode, 0);
      QCOMPARE(v.outLines().size(), 1);
    }

    // Not a database, or a database lacking one of our columns: one line, 1.
    QTemporaryDir dir;
    QFile teks(dir.filePath("catatan.mdb"));
    QVERIFY(teks.open(QIODevice::WriteOnly));
    teks.write(QByteArray(8192, 'x'));
    teks.close();
    db.exec("ALTER TABLE Barang DROP COLUMN Stok");
    const QString missing =
        OnServer() ? urlOf(db.where().OtherDatabase(db.where().dbname + "_tidak_ada")) : dir.filePath("tidak-ada.mdb");
    for (const QString& f : {teks.fileName(), db.url(), missing}) {
      const ToolResult bad = runTool({"verify", f});
      QCOMPARE(bad.exitCode, 1);
      QCOMPARE(bad.outLines().size(), 1);
      QVERIFY2(bad.out.contains("NOT a sound database"), qPrintable(bad.out));
    }
  }

  // A copy with bytes overwritten in the middle is refused by verify and by
  // restore, and the database stays as it was.
  void damagedCopyIsRefused() {
    TempDb db;
    fillSales(db, 3000);
    QTemporaryDir dir;
    const QString copy = copyPath(db, dir.path());
    QCOMPARE(runTool({"backup", db.url(), copy}).exitCode, 0);
    if (OnServer()) {
      // A dump cut short, as a copy stopped halfway is.
      QFile f(copy);
      QVERIFY(f.size() > 4096);
      QVERIFY(f.resize(f.size() / 2));
      QList<db::TableTally> before, after;
      QVERIFY(db::Tally(*db.conn(), &before));
      db.conn()->Close();
      const ToolResult r = runTool({"restore", copy, db.url()});
      QCOMPARE(r.exitCode, 1);
      QCOMPARE(r.errLines().size(), 1);
      QVERIFY2(r.err.contains("rusak"), qPrintable(r.err));
      QVERIFY(db.conn()->Open(db.where()));
      QVERIFY(db::Tally(*db.conn(), &after));
      QCOMPARE(after, before);
      // No scratch database, no database kept aside.
      QCOMPARE(serverDatabases(db.where(), db.where().dbname + "_"), QStringList());
      return;
    }
    damageMiddle(copy);
    db.conn()->Close();
    const QByteArray before = fileHash(db.path());
    const QStringList filesBefore = filesIn(QFileInfo(db.path()).absolutePath());

    const ToolResult v = runTool({"verify", copy});
    QCOMPARE(v.exitCode, 1);
    QCOMPARE(v.outLines().size(), 1);
    const ToolResult r = runTool({"restore", copy, db.path()});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLines().size(), 1);
    QVERIFY2(r.err.contains("rusak"), qPrintable(r.err));
    QCOMPARE(fileHash(db.path()), before);
    QCOMPARE(filesIn(QFileInfo(db.path()).absolutePath()), filesBefore);
  }

  // Restore keeps the file it replaces (and the journal a crash left with
  // it) and leaves the database byte for byte the backup; while the program
  // holds the database it is refused.
  void restoreKeepsTheReplacedFile() {
    TempDb db;
    fillSales(db, 100);
    if (OnServer()) {
      // The replaced database is kept on the server; the program connected
      // is another till, and the restore waits for it.
      QTemporaryDir dir;
      const QString copy = copyPath(db, dir.path());
      QCOMPARE(runTool({"backup", db.url(), copy}).exitCode, 0);
      db.exec("INSERT INTO Penjualan VALUES ('JL-9999999', '2026-03-03', 1, '', 'ADM')");
      db.conn()->Close();
      QVERIFY(mdlUtama::BukaKoneksi());
      const ToolResult busy = runTool({"restore", copy, db.url()});
      QCOMPARE(busy.exitCode, 1);
      QCOMPARE(busy.errLines().size(), 1);
      QVERIFY2(busy.err.contains("koneksi lain"), qPrintable(busy.err));
      mdlUtama::ResetForTests();  // the program ends
      const ToolResult r = runTool({"restore", copy, db.url()});
      QVERIFY2(r.exitCode == 0, qPrintable(r.err));
      const QString kept = r.out.trimmed().section(' ', -1);
      QVERIFY2(kept.startsWith(db.where().dbname + "_sebelum_pulih_"), qPrintable(r.out));
      db::ConnectionPtr old = openDb(db.where().OtherDatabase(kept));
      QVERIFY(old);
      QCOMPARE(count(old, "SELECT * FROM Penjualan"), 101);
      old->Close();
      testsupport::DropServerDatabase(db.where().OtherDatabase(kept));
      QVERIFY(db.conn()->Open(db.where()));
      QCOMPARE(db.count("Penjualan"), 100);
      QCOMPARE(db.count("Penjualan_Detail"), 300);
      return;
    }
    const QString folder = QFileInfo(db.path()).absolutePath();
    const QString copy = QDir(folder).filePath("salinan.mdb");
    QCOMPARE(runTool({"backup", db.path(), copy}).exitCode, 0);
    db.exec("INSERT INTO Penjualan VALUES ('JL-9999999', '2026-03-03', 1, '', 'ADM')");

    // The program has the file open.
    QVERIFY(mdlUtama::BukaKoneksi());
    const QByteArray now = fileHash(db.path());
    const ToolResult busy = runTool({"restore", copy, db.path()});
    QCOMPARE(busy.exitCode, 1);
    QCOMPARE(busy.errLines().size(), 1);
    QVERIFY2(busy.err.contains("dipakai"), qPrintable(busy.err));
    QCOMPARE(fileHash(db.path()), now);
    mdlUtama::ResetForTests();  // the program ends
    db.conn()->Close();

    QFile journal(db.path() + "-journal");
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write("left by a crash");
    journal.close();
    const ToolResult r = runTool({"restore", copy, db.path()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(fileHash(db.path()), fileHash(copy));
    const QStringList kept = QDir(folder).entryList({"ZovaDavezuZi-sebelum-pulih-*.mdb"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(r.out.contains(kept[0]), qPrintable(r.out));
    QCOMPARE(fileHash(QDir(folder).filePath(kept[0])), now);
    QVERIFY(!QFile::exists(db.path() + "-journal"));
    QVERIFY(QFile::exists(QDir(folder).filePath(kept[0]) + "-journal"));
    db::ConnectionPtr c = openDb(db.path());
    QVERIFY(c);
    QCOMPARE(count(c, "SELECT * FROM Penjualan"), 100);
    // No work file is left beside it.
    for (const QString& f : filesIn(folder)) QVERIFY2(!f.startsWith('.'), qPrintable(f));
  }

  // A backup that cannot be written fails with one clear line and a status
  // of 1, and leaves no file that looks like a copy.
  void backupThatCannotBeWritten_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("folder is a file") << "file";
    QTest::newRow("disk full") << "full";
  }
  void backupThatCannotBeWritten() {
    QFETCH(QString, how);
    TempDb db;
    fillSales(db, 5000);
    QTemporaryDir dir;
    const QString name = OnServer() ? "salinan.dump" : "salinan.mdb";
    QString dest = dir.filePath(name);
    if (how == "missing") dest = dir.filePath("tidak-ada/" + name);
    if (how == "file") {
      QFile f(dir.filePath("berkas"));
      QVERIFY(f.open(QIODevice::WriteOnly));
      dest = dir.filePath("berkas/" + name);
    }
    ToolResult r;
    if (how == "full") {
      // A disk that takes no more than 64 KB of a file.
      QProcess p;
      p.start("/bin/sh", {"-c", "ulimit -f 128; trap '' XFSZ; exec \"$0\" backup \"$1\" \"$2\"", toolProgram(),
                          db.url(), dest});
      QVERIFY(p.waitForFinished(60000));
      r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
      r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
      r.err = QString::fromLocal8Bit(p.readAllStandardError());
    } else {
      r = runTool({"backup", db.url(), dest});
    }
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.errLines().size(), 1);
    QVERIFY2(r.err.startsWith("merapu-db: backup of "), qPrintable(r.err));
    QVERIFY(!QFile::exists(dest));
    QCOMPARE(filesIn(dir.path()), how == "file" ? QStringList{"berkas"} : QStringList{});
    // Nor a scratch database on the server.
    if (OnServer()) QCOMPARE(serverDatabases(db.where(), db.where().dbname + "_"), QStringList());
  }
};

REGISTER_TEST(ToolBackupTest);
#include "ToolBackupTest.moc"
