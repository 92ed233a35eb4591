#include "db/Backup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <utility>

#include "db/SqliteEngine.h"

namespace db {

namespace {

QByteArray Enc(const QString& path) { return QFile::encodeName(path); }
QString ErrnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }
QString Message(sqlite3* h) { return QString::fromUtf8(h ? sqlite3_errmsg(h) : "out of memory"); }

// A file being copied or checked is asked for its lock again every
// millisecond, for up to a minute: a till that saves sale after sale leaves
// only short gaps between its commits, and SQLite's own waits (growing to
// 100 ms) would miss them.
constexpr int kCopyWaitMs = 60000;
int RetrySoon(void* deadline, int) {
  if (std::chrono::steady_clock::now() > *static_cast<std::chrono::steady_clock::time_point*>(deadline)) return 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return 1;
}

// A handle closed when it goes out of scope.
struct Handle {
  sqlite3* h = nullptr;
  std::chrono::steady_clock::time_point deadline;
  ~Handle() { Close(); }
  int Close() {
    const int rc = h ? sqlite3_close(h) : SQLITE_OK;
    h = nullptr;
    return rc;
  }
};

bool OpenFile(const QString& path, int flags, Handle* out, QString* why) {
  const int rc = sqlite3_open_v2(Enc(path).constData(), &out->h, flags, nullptr);
  if (rc != SQLITE_OK) {
    *why = Message(out->h);
    out->Close();
    return false;
  }
  if ((flags & SQLITE_OPEN_READWRITE) && !MakeDurable(out->h, why)) {
    out->Close();
    return false;
  }
  out->deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCopyWaitMs);
  sqlite3_busy_handler(out->h, RetrySoon, &out->deadline);
  return true;
}

bool Exec(sqlite3* h, const char* sql, QString* why) {
  if (sqlite3_exec(h, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  *why = Message(h);
  return false;
}

// Rows of every table of the file, read in whatever transaction is open.
bool CountRows(sqlite3* h, RowCounts* counts, QString* why) {
  counts->clear();
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                            "ESCAPE '\\' ORDER BY name", -1, &st, nullptr) != SQLITE_OK) {
    *why = Message(h);
    return false;
  }
  QStringList tables;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW)
    tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) {
    *why = Message(h);
    return false;
  }
  for (const QString& t : tables) {
    const QByteArray q = "SELECT count(*) FROM \"" + QString(t).replace('"', "\"\"").toUtf8() + "\"";
    if (sqlite3_prepare_v2(h, q.constData(), -1, &st, nullptr) != SQLITE_OK) {
      *why = Message(h);
      return false;
    }
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) counts->insert(t, sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW) {
      *why = Message(h);
      return false;
    }
  }
  return true;
}

void RemoveWork(const QString& work) {
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(work + suffix);
}

const QString kDump = QStringLiteral(".dump");

// What the copies of `database` end with: a file's are database files, a
// server's are its dumps (see DumpsOf).
QString Ext(const QString& database) {
  return database.endsWith(kDump) ? kDump : QStringLiteral(".mdb");
}

// A name in `folder` for `base` + stamp + `mark` + `ext` not yet taken
// (a number after the stamp tells copies of the same second apart).
QString FreeName(const QDir& folder, const QString& base, const QDateTime& when, const QString& mark = QString(),
                 const QString& ext = QStringLiteral(".mdb")) {
  const QString stamp = base + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString name = folder.filePath(stamp + mark + ext);
  for (int n = 2; QFileInfo::exists(name); ++n)
    name = folder.filePath(QStringLiteral("%1-%2%3%4").arg(stamp).arg(n).arg(mark, ext));
  return name;
}

const QString kManual = QStringLiteral("-manual");

// A run killed outright (a power cut at closing) leaves its work file under
// the number of a process that is gone: such files in `folder` are removed,
// those of runs still going are left alone.
void RemoveStaleWork(const QDir& folder, const char* what) {
  const QRegularExpression pattern(QStringLiteral("^\\..+\\.%1-(\\d+)(-journal)?$").arg(QLatin1String(what)));
  for (const QString& name : folder.entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System)) {
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch()) continue;
    const long pid = m.captured(1).toLong();
    if (pid > 0 && ::kill(pid_t(pid), 0) == -1 && errno == ESRCH) QFile::remove(folder.filePath(name));
  }
}

QString Stem(const QString& database) { return QFileInfo(database).completeBaseName(); }

QString WorkName(const QString& target, const char* what) {
  const QFileInfo fi(target);
  return fi.absoluteDir().filePath(QStringLiteral(".%1.%2-%3")
                                       .arg(fi.fileName(), QLatin1String(what))
                                       .arg(QCoreApplication::applicationPid()));
}

}  // namespace

bool SyncToDisk(const QString& path, QString* why) {
  const int fd = ::open(Enc(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (why) *why = ErrnoText();
    return false;
  }
  const bool ok = ::fsync(fd) == 0;
  if (!ok && why) *why = ErrnoText();
  ::close(fd);
  return ok;
}

bool Verify(const QString& file, QString* why, RowCounts* counts) {
  const QFileInfo fi(file);
  if (!fi.isFile()) {
    *why = QStringLiteral("File %1 tidak ditemukan").arg(file);
    return false;
  }
  Handle h;
  QString e;
  if (!OpenFile(file, SQLITE_OPEN_READONLY, &h, &e)) {
    *why = QStringLiteral("File %1 tidak dapat dibuka: %2").arg(file, e);
    return false;
  }
  sqlite3_stmt* st = nullptr;
  QStringList findings;
  int rc = sqlite3_prepare_v2(h.h, "PRAGMA integrity_check(20)", -1, &st, nullptr);
  if (rc == SQLITE_OK) {
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
      findings << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK) findings << Message(h.h);
  sqlite3_finalize(st);
  if (findings != QStringList{QStringLiteral("ok")}) {
    *why = QStringLiteral("File %1 rusak: %2").arg(file, findings.join(QStringLiteral("; ")));
    return false;
  }
  if (!HasProgramSchema(h.h, file, &e)) {
    *why = e;
    return false;
  }
  RowCounts local;
  if (!CountRows(h.h, counts ? counts : &local, &e)) {
    *why = QStringLiteral("File %1 tidak dapat dibaca: %2").arg(file, e);
    return false;
  }
  return true;
}

bool Backup(const QString& source, const QString& dest, QString* why) {
  const QFileInfo target(dest);
  if (target.exists()) {
    *why = QStringLiteral("File %1 sudah ada").arg(dest);
    return false;
  }
  if (!QFileInfo(target.absolutePath()).isDir()) {
    *why = QFileInfo::exists(target.absolutePath())
               ? QStringLiteral("%1 bukan folder").arg(target.absolutePath())
               : QStringLiteral("Folder %1 tidak ada").arg(target.absolutePath());
    return false;
  }
  if (!QFileInfo(source).isFile()) {
    *why = QStringLiteral("File database %1 tidak ditemukan").arg(source);
    return false;
  }
  const QString work = WorkName(dest, "part");
  RemoveStaleWork(target.absoluteDir(), "part");
  RemoveWork(work);
  auto fail = [&](const QString& text) {
    *why = text;
    RemoveWork(work);
    return false;
  };

  RowCounts before;
  {
    Handle src, dst;
    QString e;
    if (!OpenFile(source, SQLITE_OPEN_READONLY, &src, &e))
      return fail(QStringLiteral("Database %1 tidak dapat dibuka: %2").arg(source, e));
    // The rows are counted and the pages copied in one read transaction:
    // the copy is the database as it stood at that moment.
    if (!Exec(src.h, "BEGIN", &e) || !CountRows(src.h, &before, &e))
      return fail(QStringLiteral("Database %1 tidak dapat dibaca: %2").arg(source, e));
    if (!OpenFile(work, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &dst, &e))
      return fail(QStringLiteral("Tidak dapat menulis di %1: %2").arg(target.absolutePath(), e));
    // The copy is not a database until it is renamed: no journal needed.
    // Its one commit flushes it to disk, whole.
    if (!Exec(dst.h, "PRAGMA journal_mode=OFF", &e))
      return fail(QStringLiteral("Tidak dapat menulis di %1: %2").arg(target.absolutePath(), e));
    sqlite3_backup* b = sqlite3_backup_init(dst.h, "main", src.h, "main");
    if (!b) return fail(QStringLiteral("Tidak dapat menyalin %1: %2").arg(source, Message(dst.h)));
    const int step = sqlite3_backup_step(b, -1);
    const int finish = sqlite3_backup_finish(b);
    if (step != SQLITE_DONE || finish != SQLITE_OK)
      return fail(QStringLiteral("Tidak dapat menulis %1: %2").arg(dest, Message(dst.h)));
    Exec(src.h, "COMMIT", &e);
    src.Close();
    if (dst.Close() != SQLITE_OK) return fail(QStringLiteral("Tidak dapat menutup %1").arg(dest));
  }
  QString e;
  if (!SyncToDisk(work, &e)) return fail(QStringLiteral("Tidak dapat menulis %1: %2").arg(dest, e));

  RowCounts after;
  if (!Verify(work, &e, &after)) return fail(QStringLiteral("Salinan %1 tidak lolos pemeriksaan: %2").arg(dest, e));
  if (after != before) {
    QStringList diff;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
      if (after.value(it.key(), -1) != it.value())
        diff << QStringLiteral("%1 %2/%3").arg(it.key()).arg(after.value(it.key(), -1)).arg(it.value());
    return fail(QStringLiteral("Salinan %1 tidak sama dengan database (baris %2)").arg(dest, diff.join(", ")));
  }
  if (QFileInfo::exists(dest)) return fail(QStringLiteral("File %1 sudah ada").arg(dest));
  if (std::rename(Enc(work).constData(), Enc(dest).constData()) != 0)
    return fail(QStringLiteral("Tidak dapat memberi nama %1: %2").arg(dest, ErrnoText()));
  SyncToDisk(target.absolutePath());
  return true;
}

QString BackupFolder(const QString& database) {
  if (database.endsWith(kDump)) return QFileInfo(database).absolutePath();
  return QFileInfo(database).absoluteDir().filePath(QStringLiteral("backup"));
}

QString BackupName(const QString& database, const QDateTime& when, bool manual) {
  return FreeName(QDir(BackupFolder(database)), Stem(database) + QLatin1Char('-'), when,
                  manual ? kManual : QString(), Ext(database));
}

QString DumpsOf(const QString& folder, const QString& dbname) { return QDir(folder).filePath(dbname + kDump); }

QList<BackupFile> Backups(const QString& database) {
  const QDir folder(BackupFolder(database));
  const QRegularExpression pattern(QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d+))?(%2)?%3$")
                                       .arg(QRegularExpression::escape(Stem(database)), kManual,
                                            QRegularExpression::escape(Ext(database))));
  struct Found {
    BackupFile f;
    int n;
  };
  QList<Found> found;
  for (const QFileInfo& fi : folder.entryInfoList({Stem(database) + QStringLiteral("-*") + Ext(database)}, QDir::Files)) {
    const QRegularExpressionMatch m = pattern.match(fi.fileName());
    if (!m.hasMatch()) continue;
    const QDateTime when = QDateTime::fromString(m.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
    if (!when.isValid()) continue;
    found.append({{fi.absoluteFilePath(), when, fi.size(), !m.captured(3).isEmpty()},
                  m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.f.when != b.f.when ? a.f.when > b.f.when : a.n > b.n;
  });
  QList<BackupFile> out;
  for (const Found& x : found) out.append(x.f);
  return out;
}

QStringList Rotate(const QString& database, const QDate& today, int daily, int weekly) {
  QSet<QDate> days;
  QSet<int> weeks;
  QStringList removed;
  for (const BackupFile& f : Backups(database)) {  // newest first
    if (f.manual) continue;
    const QDate d = f.when.date();
    int year = 0;
    const int week = d.weekNumber(&year);
    // Today's copies all stay: the day's work is not over, and a mistake
    // found in the afternoon may want the copy of the morning.
    bool keep = d == today;
    if (!days.contains(d) && days.size() < daily) keep = true;
    if (!weeks.contains(year * 100 + week) && weeks.size() < weekly) keep = true;
    days.insert(d);
    weeks.insert(year * 100 + week);
    if (!keep && QFile::remove(f.path)) removed << f.path;
  }
  return removed;
}

bool UseLock::Take(const QString& database, bool exclusive, QString* why) {
  Release();
  contended_ = false;
  const QString path = QFileInfo(database).absoluteFilePath() + QStringLiteral(".lock");
  const int fd = ::open(Enc(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (why) *why = QStringLiteral("File kunci %1 tidak dapat dibuat: %2").arg(path, ErrnoText());
    return false;
  }
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    contended_ = true;
    if (why)
      *why = exclusive ? QStringLiteral("Database %1 sedang dipakai program yang berjalan").arg(database)
                       : QStringLiteral("Database %1 sedang dipulihkan").arg(database);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  database_ = database;
  return true;
}

void UseLock::Release() {
  if (fd_ >= 0) ::close(fd_);  // closing the file lets go of the lock
  fd_ = -1;
  database_.clear();
}

bool Restore(const QString& backup, const QString& database, const QDateTime& when, QString* kept,
             QString* why) {
  kept->clear();
  const QFileInfo dbInfo(database);
  if (dbInfo.exists() && QFileInfo(backup).canonicalFilePath() == dbInfo.canonicalFilePath()) {
    *why = QStringLiteral("Backup %1 adalah database itu sendiri").arg(backup);
    return false;
  }
  QString e;
  if (!Verify(backup, &e)) {
    *why = QStringLiteral("Backup tidak dipakai, database tidak diubah. %1").arg(e);
    return false;
  }
  if (!dbInfo.absoluteDir().exists()) {
    *why = QStringLiteral("Folder %1 tidak ada").arg(dbInfo.absolutePath());
    return false;
  }
  UseLock lock;
  if (!lock.Take(database, true, &e)) {
    *why = e + QStringLiteral("; tutup program itu dulu. Database tidak diubah.");
    return false;
  }

  // The copy is made beside the database, flushed and checked, and only then
  // renamed over it.
  const QString work = WorkName(database, "restore");
  RemoveStaleWork(dbInfo.absoluteDir(), "restore");
  RemoveWork(work);
  auto fail = [&](const QString& text) {
    *why = text + QStringLiteral(" Database tidak diubah.");
    RemoveWork(work);
    return false;
  };
  if (!QFile::copy(backup, work)) return fail(QStringLiteral("Tidak dapat menyalin %1 ke %2.").arg(backup, work));
  if (!SyncToDisk(work, &e)) return fail(QStringLiteral("Tidak dapat menulis %1: %2.").arg(work, e));
  if (!Verify(work, &e)) return fail(QStringLiteral("Salinan backup tidak utuh: %1.").arg(e));

  QString keep;
  QStringList moved;  // the journal files that went with the kept file
  if (dbInfo.exists()) {
    keep = FreeName(dbInfo.absoluteDir(), Stem(database) + QStringLiteral("-sebelum-pulih-"), when);
    if (::link(Enc(database).constData(), Enc(keep).constData()) != 0 && !QFile::copy(database, keep))
      return fail(QStringLiteral("Tidak dapat menyimpan %1 sebagai %2.").arg(database, keep));
    // A journal left by a crash belongs to the old file: it goes with it, or
    // SQLite would play it back into the restored one.
    for (const char* suffix : {"-journal", "-wal"})
      if (QFileInfo::exists(database + suffix) &&
          std::rename(Enc(database + suffix).constData(), Enc(keep + suffix).constData()) == 0)
        moved << QString::fromLatin1(suffix);
  }
  if (std::rename(Enc(work).constData(), Enc(database).constData()) != 0) {
    const QString reason = ErrnoText();
    for (const QString& suffix : std::as_const(moved))
      std::rename(Enc(keep + suffix).constData(), Enc(database + suffix).constData());
    if (!keep.isEmpty()) QFile::remove(keep);
    return fail(QStringLiteral("Tidak dapat mengganti %1: %2.").arg(database, reason));
  }
  QFile::remove(database + QStringLiteral("-shm"));
  SyncToDisk(dbInfo.absolutePath());
  *kept = keep;
  return true;
}

}  // namespace db
