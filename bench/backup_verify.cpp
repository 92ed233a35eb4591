// Backing up and checking a store with 1,000,000 sale lines, against copying
// the file with cp and running the same integrity check on the copy, in the
// same run. Each way is timed several times and the best is kept.
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchShop.h"
#include "db/Backup.h"

namespace {

bool IntegrityOk(const QString& path) {
  sqlite3* h = nullptr;
  bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
  sqlite3_stmt* st = nullptr;
  ok = ok && sqlite3_prepare_v2(h, "PRAGMA integrity_check(20)", -1, &st, nullptr) == SQLITE_OK &&
       sqlite3_step(st) == SQLITE_ROW && QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
  sqlite3_finalize(st);
  sqlite3_close(h);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int lines = 1000000, reps = 3;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  QElapsedTimer t;
  t.start();
  if (!bench::FillSales(path, 5000, lines)) {
    std::fprintf(stderr, "cannot fill the store\n");
    return 1;
  }
  std::printf("store: %d sale lines, %.1f MB (filled in %.1f s)\n", lines, QFileInfo(path).size() / 1e6,
              t.elapsed() / 1000.0);

  double best = 1e18, bestCp = 1e18;
  for (int rep = 0; rep < reps; ++rep) {
    const QString copy = dir.filePath(QString("backup-%1.mdb").arg(rep));
    QString why;
    t.start();
    if (!db::Backup(path, copy, &why)) {
      std::fprintf(stderr, "backup failed: %s\n", qPrintable(why));
      return 1;
    }
    best = std::min(best, t.nsecsElapsed() / 1e6);
    QFile::remove(copy);

    const QString plain = dir.filePath(QString("cp-%1.mdb").arg(rep));
    t.start();
    if (QProcess::execute("cp", {path, plain}) != 0 || !IntegrityOk(plain)) {
      std::fprintf(stderr, "cp and check failed\n");
      return 1;
    }
    bestCp = std::min(bestCp, t.nsecsElapsed() / 1e6);
    QFile::remove(plain);
  }
  std::printf("backup and verify (online copy, integrity, tables, row counts): %.0f ms (best of %d)\n", best, reps);
  std::printf("cp and integrity_check on the copy:                            %.0f ms (best of %d)\n", bestCp, reps);
  std::printf("ratio: %.2fx (at most 1.5x wanted)\n", best / bestCp);
  return 0;
}
