#pragma once
// Copies of the shop's database file that can be trusted: taken through
// SQLite's online backup (consistent while tills sell), checked before they
// get their name, kept in a rotation beside the database, and put back in
// place whole or not at all.
//
// Names: the copies of <folder>/<stem>.mdb live in <folder>/backup/ as
// <stem>-yyyyMMdd-HHmmss.mdb, a copy a person asked for ending in "-manual"
// (<stem>-yyyyMMdd-HHmmss-manual.mdb); the file a restore replaces is kept
// beside the database as <stem>-sebelum-pulih-yyyyMMdd-HHmmss.mdb.
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

namespace db {

// The rows of every table of a database file, by table name.
using RowCounts = QMap<QString, qint64>;

// True when `file` is a sound database of this program: SQLite's full
// integrity check passes and every table and column the program uses is
// there. Otherwise false with the reason in *why. The file is opened
// read-only; *counts receives the rows of every table.
bool Verify(const QString& file, QString* why, RowCounts* counts = nullptr);

// Copies the database `source` to the new file `dest` (which must not exist
// yet). The copy is made under a temporary name in dest's folder, checked
// (integrity, tables and columns, the rows of every table equal to the source
// at the moment of the copy), flushed to disk and only then renamed to dest.
// On failure false, *why says what failed and no file named dest exists.
// The source is held for reading only while its pages are copied.
bool Backup(const QString& source, const QString& dest, QString* why);

// Flushes a file, or the entries of a folder, to the disk. A rename that
// gives a finished file its name is followed by a sync of its folder, or a
// power cut can undo it. False with the reason in *why.
bool SyncToDisk(const QString& path, QString* why = nullptr);

// The folder of the automatic copies of `database`.
QString BackupFolder(const QString& database);
// A database on a server has no file of its own: its dumps are named, listed
// and rotated as the copies of a file would be, through the name this gives
// (<folder>/<dbname>.dump), except that they lie in `folder` itself, each
// <dbname>-<date>-<time>.dump.
QString DumpsOf(const QString& folder, const QString& dbname);
// A name in that folder, not yet taken, for a copy made at `when`; a
// `manual` copy (asked for by a person) is marked so in its name.
QString BackupName(const QString& database, const QDateTime& when, bool manual = false);

struct BackupFile {
  QString path;
  QDateTime when;  // from the name
  qint64 size = 0;
  bool manual = false;  // asked for by a person: the rotation leaves it
};
// The copies in the backup folder of `database`, newest first. Files whose
// names are not of copies are not listed (and never removed).
QList<BackupFile> Backups(const QString& database);

// Keeps every copy made `today`, the newest copy of each of the last `daily`
// days that have one and of each of the last `weekly` weeks (Monday to
// Sunday) that have one; the other copies are removed. Manual copies are
// never removed and take no place in the rotation. Returns the paths removed.
QStringList Rotate(const QString& database, const QDate& today, int daily = 7, int weekly = 4);

// While a program works on a database it holds a shared lock on the file
// <database>.lock beside it; a restore takes it exclusively, so it cannot
// replace a file a program has open. The lock goes with the process, also
// when it is killed.
class UseLock {
 public:
  UseLock() = default;
  ~UseLock() { Release(); }
  UseLock(const UseLock&) = delete;
  UseLock& operator=(const UseLock&) = delete;
  // Takes the lock without waiting; false when another holder stands in
  // the way or the lock file cannot be made (*why says which).
  bool Take(const QString& database, bool exclusive, QString* why = nullptr);
  void Release();
  bool Held() const { return fd_ >= 0; }
  // The last Take failed because another holder stood in the way (rather
  // than because the lock file could not be made).
  bool Contended() const { return contended_; }
  QString Database() const { return database_; }

 private:
  int fd_ = -1;
  bool contended_ = false;
  QString database_;
};

// Puts the copy `backup` in the place of `database`, after checking it; the
// file replaced (if any) is kept under the name in *kept (empty when there
// was none). Refused while a program holds the database. The replacement is
// atomic: the database is either the old file or the copy, byte for byte.
bool Restore(const QString& backup, const QString& database, const QDateTime& when, QString* kept,
             QString* why);

}  // namespace db
