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
#include "db/Recordset.h"

using namespace tooltest;
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
      if (!c.Open(db.path())) {
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
    const QString copy = QFileInfo(db.path()).absoluteDir().filePath("salinan.mdb");
    const ToolResult r = runTool({"backup", db.path(), copy});
    const int afterwards = committed;
    stop = true;
    till.join();
    QVERIFY(!failed);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(copy), qPrintable(r.out));
    QVERIFY2(afterwards > before, "the till kept selling while the copy was taken");

    QCOMPARE(runTool({"verify", copy}).exitCode, 0);
    db::ConnectionPtr c = openDb(copy);
    QVERIFY(c);
    const int sales = count(c, "SELECT * FROM Penjualan WHERE No_Nota LIKE 'JB-%'");
    QVERIFY2(sales >= before && sales <= afterwards, qPrintable(QString::number(sales)));
    QCOMPARE(count(c, "SELECT * FROM Penjualan_Detail WHERE No_Nota LIKE 'JB-%'"), sales);
    QCOMPARE(count(c, "SELECT * FROM Penjualan WHERE No_Nota = 'JB-" +
                          QString("%1").arg(sales - 1, 7, 10, QChar('0')) + "'"),
             1);
    QCOMPARE(count(c, "SELECT * FROM Penjualan_Detail"), 60000 + sales);
  }

  // Without DEST the copy goes into backup/ beside the database, named by
  // date and time, and passes verify; verify says in one line whether a file
  // is a database of this program.
  // The work file of a run killed outright is removed by the next one; that
  // of a run going on is not.
  void defaultPlaceAndVerify() {
    TempDb db;
    fillSales(db, 10);
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

    // Not a database, or a database lacking one of our columns: one line, 1.
    QTemporaryDir dir;
    QFile teks(dir.filePath("catatan.mdb"));
    QVERIFY(teks.open(QIODevice::WriteOnly));
    teks.write(QByteArray(8192, 'x'));
    teks.close();
    db.exec("ALTER TABLE Barang DROP COLUMN Stok");
    for (const QString& f : {teks.fileName(), db.path(), dir.filePath("tidak-ada.mdb")}) {
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
    const QString copy = QFileInfo(db.path()).absoluteDir().filePath("salinan.mdb");
    QCOMPARE(runTool({"backup", db.path(), copy}).exitCode, 0);
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
    QString dest = dir.filePath("salinan.mdb");
    if (how == "missing") dest = dir.filePath("tidak-ada/salinan.mdb");
    if (how == "file") {
      QFile f(dir.filePath("berkas"));
      QVERIFY(f.open(QIODevice::WriteOnly));
      dest = dir.filePath("berkas/salinan.mdb");
    }
    ToolResult r;
    if (how == "full") {
      // A disk that takes no more than 64 KB of a file.
      QProcess p;
      p.start("/bin/sh", {"-c", "ulimit -f 128; trap '' XFSZ; exec \"$0\" backup \"$1\" \"$2\"", toolProgram(),
                          db.path(), dest});
      QVERIFY(p.waitForFinished(60000));
      r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
      r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
      r.err = QString::fromLocal8Bit(p.readAllStandardError());
    } else {
      r = runTool({"backup", db.path(), dest});
    }
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.errLines().size(), 1);
    QVERIFY2(r.err.startsWith("merapu-db: backup of "), qPrintable(r.err));
    QVERIFY(!QFile::exists(dest));
    QCOMPARE(filesIn(dir.path()), how == "file" ? QStringList{"berkas"} : QStringList{});
  }
};

REGISTER_TEST(ToolBackupTest);
#include "ToolBackupTest.moc"
