#pragma once
// One open database. Statements arrive as text in the Jet dialect the
// windows write; they are translated here and run on the engine (Engine.h).
//
// Every call that can fail returns false (or null) and leaves the store's
// message in LastError(); the results are [[nodiscard]], so a caller cannot
// mistake a failure for an empty answer by forgetting to look. The windows
// go through mdlUtama::Buka / Jalankan, which show the failure; calling these
// directly is the quiet way, for callers that report on their own.
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

#include "db/Description.h"
#include "db/Engine.h"
#include "db/Error.h"

namespace db {

class FileCheck;
struct Token;
enum class Dialect;

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens an existing database for work. Fails (false, LastError set) when
  // it is missing, unreadable, locked, read-only (or in a folder where
  // nothing can be written), or lacks a table or column the program uses.
  // Nothing is written to it. The check of a whole database file runs on a
  // thread of its own (FileCheck); writes wait for its verdict.
  [[nodiscard]] bool Open(const Description& where);
  [[nodiscard]] bool Open(const QString& path) { return Open(Description::File(path)); }
  // Creates a new database from the schema (used by the database tool and
  // tests only; the program never creates a table).
  [[nodiscard]] bool Create(const Description& where);
  [[nodiscard]] bool Create(const QString& path) { return Create(Description::File(path)); }
  // Creates, in one transaction, the tables and indexes of the schema that
  // the open file lacks (a file made by an older version); their names go
  // into *added.
  [[nodiscard]] bool AddMissingSchema(QStringList* added);
  // Whether the open database has the table (one of the later ones may be
  // missing from an older file); false also when that cannot be read.
  bool HasTable(const QString& table);
  void Close();
  bool IsOpen() const { return engine_ && engine_->IsOpen(); }
  const Description& Where() const { return where_; }
  QString Path() const { return where_.path; }

  // Runs exactly one statement (translated); a text holding a second one is
  // refused and nothing runs. Number texts written for whole-number columns in
  // INSERT and UPDATE statements are stored as integers (an empty text as 0).
  [[nodiscard]] bool Execute(const QString& jetSql, int* rowsAffected = nullptr);
  // Runs a script in the engine's own dialect as it stands, untranslated and
  // unchecked: for the database tool and tests that set up rows in bulk.
  [[nodiscard]] bool ExecRaw(const QString& engineSql);
  // The first column of every row of a query in the engine's own dialect, as
  // text (a null as an empty text); false (LastError set) when it fails.
  [[nodiscard]] bool QueryRaw(const QString& engineSql, QStringList* firstColumn);

  [[nodiscard]] bool BeginTrans();
  [[nodiscard]] bool CommitTrans();
  bool RollbackTrans();
  bool InTransaction() const;
  // A commit whose answer was lost with the server (Engine::CommitInDoubt):
  // whether it was stored, and in *label what its caller named it before the
  // commit (LabelCommit). Stored is told once.
  Engine::Doubt CommitInDoubt(QString* label = nullptr);
  void LabelCommit(const QString& label) { commitLabel_ = label; }
  bool CommitUnsettled() const { return engine_ && engine_->CommitUnsettled(); }
  // Inside a transaction: the right to take the next number of a series,
  // held to the transaction's end (Engine::LockSeries).
  [[nodiscard]] bool LockSeries(const QString& series);

  // The last failure: its kind, the engine's message and the statement.
  const Error& Failure() const { return failure_; }
  void SetFailure(const Error& e) { failure_ = e; }
  QString LastError() const { return failure_.message; }
  // The last failure came from another program holding the database longer
  // than the wait.
  bool LastErrorBusy() const { return failure_.kind == Error::Kind::Busy; }
  void SetError(Error::Kind kind, const QString& message, const QString& statement = QString());
  void SetError(const QString& e, bool busy = false) {
    SetError(busy ? Error::Kind::Busy : Error::Kind::Other, e);
  }
  // The capability of a database kept in one file (its copies, the check of
  // the whole file); null when the engine keeps no file, or nothing is open.
  FileEngine* File() const { return engine_ && engine_->IsOpen() ? engine_->File() : nullptr; }
  // The check of the whole file that Open started (null for a created file
  // and for an engine without a file).
  std::shared_ptr<FileCheck> Check() const;

  // How long a statement waits for another program's lock before it fails.
  // Long enough for a backup or another till to finish its save.
  static constexpr int kDefaultBusyTimeoutMs = 10000;
  static void SetBusyTimeout(int ms);  // for connections opened afterwards
  static int BusyTimeout();

  // Schema knowledge, read once per connection: the whole-number columns of a
  // table (lower-case names), its column names in order and the columns of
  // its primary key (empty when it has none).
  const QSet<QString>& IntegerColumns(const QString& table);
  QStringList Columns(const QString& table);
  QStringList KeyColumns(const QString& table);

  // Translation plus the integer coercion of INSERT/UPDATE values. When
  // oneTable is given and the statement is "SELECT * FROM T" with nothing but
  // WHERE / ORDER BY after it, *oneTable names T (its rows can be edited);
  // otherwise *oneTable is emptied.
  [[nodiscard]] bool Prepare(const QString& jetSql, QString* engineSql, QString* oneTable = nullptr);
  // Compiles one statement of the engine's dialect; null (LastError set)
  // when it fails or when anything but blanks and comments follows the
  // first statement.
  std::unique_ptr<Statement> Compile(const QString& engineSql);
  // The same, compiled once and kept while the connection stays open, for a
  // lookup run again and again (a scan at the till). It comes reset; the
  // caller binds every value anew and is done with it before asking for it
  // again, and resets it when done (a statement left on a row holds the
  // file's read lock). Null (LastError set) when it fails.
  Statement* Kept(const QString& engineSql);
  // Writes wait for the check of the whole file; false (LastError set) when
  // the file failed it, so nothing is ever written into a damaged file.
  // Nor into a file that is no longer the database: one moved away, deleted
  // or replaced since it was opened would take the writes and lose them.
  [[nodiscard]] bool WriteAllowed();
  // The dialect of the engine's own statements (ExecRaw, QueryRaw, Compile).
  db::Dialect Dialect() const;
  // Takes the engine's last failure as this connection's.
  void TakeEngineError();

 private:
  bool Run(const QString& jetSql, int* rowsAffected);
  bool LoadTable(const QString& table);
  bool NotOpen();
  // Closes what is open and makes the engine the description names.
  void StartEngine(const Description& where);
  // The schema's text into *ddl; false (failure set) when it cannot be read.
  bool Schema(QString* ddl);
  // The file at Path() is still the one opened (same device and inode).
  bool FileStillHere();
  bool CoerceNumbers(const QString& jet, const QList<Token>& tk, QHash<int, QString>* replace);
  std::unique_ptr<Engine> engine_;
  Description where_;
  Error failure_;
  QString commitLabel_;
  struct TableInfo {
    QStringList columns;
    QSet<QString> integers;
    QStringList key;
  };
  QHash<QString, TableInfo> tables_;  // key: lower-case table name
  std::map<QString, std::unique_ptr<Statement>> kept_;
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace db
