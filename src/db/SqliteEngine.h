#pragma once
// The SQLite engine: the one place the store's code sees SQLite. Included by
// the store's own .cpp files only, never by a header.
#include <sqlite3.h>

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "db/Engine.h"

namespace db {

class SqliteEngine final : public Engine, public FileEngine {
 public:
  SqliteEngine();
  ~SqliteEngine() override;

  Description::Kind Kind() const override { return Description::Kind::File; }
  bool Open(const Description& d) override;
  bool Create(const Description& d, const QString& schema) override;
  void Close() override;
  bool IsOpen() const override { return db_ != nullptr; }

  std::unique_ptr<Statement> Prepare(const QString& sql) override;
  bool Execute(const QString& sql, int* changes = nullptr) override;
  bool ExecScript(const QString& script) override;

  bool Begin() override;
  bool Commit() override;
  bool Rollback() override;
  bool InTransaction() const override;

  bool TableColumns(const QString& table, QList<Column>* out) override;
  bool HasIndex(const QString& name, bool* has) override;
  void SetBusyTimeout(int ms) override;

  FileEngine* File() override { return this; }
  QString FilePath() const override { return path_; }
  std::shared_ptr<FileCheck> Check() const override { return check_; }
  bool StillHere() const override;
  bool CopyTo(const QString& dest, QString* why) const override;

  // Takes the kind and message of SQLite's last failure on the handle.
  void TakeError(const QString& statement = QString());

 private:
  bool OpenHandle(const QString& path, int flags);
  sqlite3* db_ = nullptr;
  QString path_;
  std::shared_ptr<FileCheck> check_;
  unsigned long long dev_ = 0, ino_ = 0;  // identity of the file opened
  int busy_ = 0;                           // ms a statement waits for a lock
};

// The kind of SQLite's last failure on h.
Error::Kind KindOf(sqlite3* h);

// Every table and column the program uses is in the database open on h
// (whose file is path, for the message). False with the reason in *error,
// and *busy set when another program held the file longer than the wait.
bool HasProgramSchema(sqlite3* h, const QString& path, QString* error, bool* busy = nullptr);

// Every handle that may write a file of the shop goes through this before its
// first statement, so that a commit is on the disk when it returns. In the
// rollback journal a commit ends by removing the journal; FULL syncs the file
// and the journal but not the folder, so a power cut seconds after a save can
// bring the journal back and undo it. EXTRA syncs the folder as well. (WAL
// would be durable with FULL, but would put two more files beside the
// database that every copy, restore and file check would have to carry.)
// False with SQLite's message in *error.
bool MakeDurable(sqlite3* h, QString* error);

// The schema new files are made from, as text.
QString SchemaText();
// The schema's tables that came after the first files (made with IF NOT
// EXISTS): not demanded of a file, added to it by the upgrade. Each with the
// statement that makes it.
QList<QPair<QString, QString>> LaterTableStatements();
QStringList LaterTables();
// Its tables with their columns, in the order it makes them.
const QList<QPair<QString, QStringList>>& SchemaReference();
// The same with the tables that came later, as a new database has them.
const QList<QPair<QString, QStringList>>& FullSchemaReference();

}  // namespace db
