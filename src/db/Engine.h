#pragma once
// The engine under a Connection: what the store needs of whatever keeps the
// data. The connection translates the windows' statements and keeps the
// schema knowledge; an engine runs statements of its own dialect, one at a
// time, and says what went wrong as a db::Error (kind, statement and its own
// message). Nothing of a particular engine shows here.
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>

#include "db/Description.h"
#include "db/Error.h"

namespace db {

class FileCheck;
class FileEngine;

// A column of a table as the engine describes it.
struct Column {
  QString name;
  bool integer = false;  // whole numbers
  int key = 0;           // position in the primary key from 1; 0 when not in it
};

// One compiled statement: values bound to its ? marks (from 1), then its
// rows one by one.
class Statement {
 public:
  enum class Type { Null, Integer, Real, Text };
  virtual ~Statement() = default;
  virtual int ColumnCount() const = 0;
  virtual QString ColumnName(int c) const = 0;
  virtual void BindNull(int i) = 0;
  virtual void BindInt(int i, qint64 v) = 0;
  virtual void BindReal(int i, double v) = 0;
  virtual void BindText(int i, const QString& v) = 0;
  // Runs to the next row: true when there is one to read; false at the end
  // and on a failure (Failed(), the engine's LastError says what).
  virtual bool Next() = 0;
  virtual bool Failed() const = 0;
  // Back before the first row, the values bound kept: to run it again.
  virtual void Reset() = 0;
  // The current row's values (column from 0).
  virtual Type TypeAt(int c) const = 0;
  virtual qint64 IntAt(int c) const = 0;
  virtual double RealAt(int c) const = 0;
  // UTF-8, valid until the next step.
  virtual QByteArrayView TextAt(int c) const = 0;
};

class Engine {
 public:
  virtual ~Engine() = default;
  virtual Description::Kind Kind() const = 0;

  // Opens an existing database for work: refused when it is missing, cannot
  // be written or lacks a table or column the program uses.
  virtual bool Open(const Description& d) = 0;
  // Makes a new database and runs the schema script on it in one transaction.
  virtual bool Create(const Description& d, const QString& schema) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Compiles exactly one statement; null (LastError set) when it fails or
  // when anything but blanks and comments follows it.
  virtual std::unique_ptr<Statement> Prepare(const QString& sql) = 0;
  // Prepares and runs one statement; *changes gets the rows it changed.
  virtual bool Execute(const QString& sql, int* changes = nullptr) = 0;
  // Runs a script of statements of the engine's own dialect as it stands.
  virtual bool ExecScript(const QString& script) = 0;

  // Begin waits for the right to write, so that a transaction begun is one
  // that can commit.
  virtual bool Begin() = 0;
  virtual bool Commit() = 0;
  virtual bool Rollback() = 0;
  virtual bool InTransaction() const = 0;
  // A commit whose answer was lost with the connection may have been stored
  // or not. Whether it was, once the server can be asked: Stored (told once)
  // or NotStored; Unknown while it cannot be (each call asks again); None
  // when no commit is in doubt. A file's commit is never in doubt.
  enum class Doubt { None, Stored, NotStored, Unknown };
  virtual Doubt CommitInDoubt() { return Doubt::None; }
  // Whether such a commit waits to be settled (asks nothing of the server).
  virtual bool CommitUnsettled() const { return false; }

  // The columns of a table in order; false when there is no such table.
  virtual bool TableColumns(const QString& table, QList<Column>* out) = 0;
  // Whether an index of that name exists; false when the engine could not say.
  virtual bool HasIndex(const QString& name, bool* has) = 0;

  // How long a statement waits for another program's lock before it fails.
  virtual void SetBusyTimeout(int ms) = 0;
  // Inside a transaction: waits for, then holds to its end, the right to
  // take the next number of a series. A file's writers hold the whole file
  // from Begin already.
  virtual bool LockSeries(const QString& series) {
    (void)series;
    return true;
  }

  const Error& LastError() const { return error_; }
  void SetError(Error::Kind kind, const QString& message, const QString& statement = QString()) {
    error_ = Error{kind, message, statement, target_};
  }

  // The capability of an engine that keeps its data in one file (backup
  // copies, the whole-file check, the use lock); null for one that does not.
  virtual FileEngine* File() { return nullptr; }

 protected:
  Error error_;
  QString target_;  // what the failures concern
};

// An engine whose database is one file of its own: it can be copied, its
// whole file checked, and it can be told when the file was moved away.
class FileEngine {
 public:
  virtual ~FileEngine() = default;
  virtual QString FilePath() const = 0;
  // The check of the whole file that Open started (null for a created file).
  virtual std::shared_ptr<FileCheck> Check() const = 0;
  // The file at FilePath() is still the one opened (same device and inode).
  virtual bool StillHere() const = 0;
  // A checked copy of the file at dest (db::Backup); false with *why.
  virtual bool CopyTo(const QString& dest, QString* why) const = 0;
};

// A new engine of the kind the description names.
std::unique_ptr<Engine> MakeEngine(const Description& d);

}  // namespace db
