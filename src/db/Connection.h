#pragma once
// One open database file. Statements arrive as text in the Jet dialect the
// windows write; they are translated here and run on SQLite.
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
#include <memory>

#include "db/Error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class FileCheck;
struct Token;

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens an existing database file for work. Fails (false, LastError set)
  // when the file is missing, unreadable, locked, read-only (or in a folder
  // where nothing can be written), or lacks a table or column the program
  // uses. Nothing is written to the file. SQLite's check of the whole file
  // runs on a thread of its own (FileCheck); writes wait for its verdict.
  [[nodiscard]] bool Open(const QString& path);
  // Creates a new database file from the schema (used by the database tool
  // and tests only; the program never creates a table).
  [[nodiscard]] bool Create(const QString& path);
  // Creates, in one transaction, the schema's indexes that the open file
  // lacks (a file made by an older version); their names go into *added.
  [[nodiscard]] bool AddMissingIndexes(QStringList* added);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  QString Path() const { return path_; }

  // Runs exactly one statement (translated); a text holding a second one is
  // refused and nothing runs. Number texts written for whole-number columns in
  // INSERT and UPDATE statements are stored as integers (an empty text as 0).
  [[nodiscard]] bool Execute(const QString& jetSql, int* rowsAffected = nullptr);

  [[nodiscard]] bool BeginTrans();
  [[nodiscard]] bool CommitTrans();
  bool RollbackTrans();
  bool InTransaction() const;

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
  sqlite3* Handle() const { return db_; }
  // The check of the whole file that Open started (null for a created file).
  std::shared_ptr<FileCheck> Check() const { return check_; }

  // How long a statement waits for another program's lock before it fails.
  // Long enough for a backup or another till to finish its save.
  static constexpr int kDefaultBusyTimeoutMs = 10000;
  static void SetBusyTimeout(int ms);  // for connections opened afterwards
  static int BusyTimeout();

  // Schema knowledge, read once per connection: the whole-number columns of a
  // table (lower-case names) and its column names in order.
  const QSet<QString>& IntegerColumns(const QString& table);
  QStringList Columns(const QString& table);

  // Translation plus the integer coercion of INSERT/UPDATE values. When
  // oneTable is given and the statement is "SELECT * FROM T" with nothing but
  // WHERE / ORDER BY after it, the row id is fetched too (first column) and
  // *oneTable names T; otherwise *oneTable is emptied.
  [[nodiscard]] bool Prepare(const QString& jetSql, QString* sqliteSql, QString* oneTable = nullptr);
  // Compiles one statement of SQLite text; null (LastError set) when it fails
  // or when anything but blanks and comments follows the first statement.
  sqlite3_stmt* PrepareOne(const QString& sqliteSql);
  // Writes wait for the check of the whole file; false (LastError set) when
  // the file failed it, so nothing is ever written into a damaged file.
  // Nor into a file that is no longer the database: one moved away, deleted
  // or replaced since it was opened would take the writes and lose them.
  [[nodiscard]] bool WriteAllowed();
  // Takes the message and busy state of SQLite's last failure on this handle.
  void TakeSqliteError();

 private:
  bool Run(const QString& jetSql, int* rowsAffected);
  bool LoadTable(const QString& table);
  bool CheckOpened();
  // The file at Path() is still the one opened (same device and inode).
  bool FileStillHere();
  bool CoerceNumbers(const QString& jet, const QList<Token>& tk, QHash<int, QString>* replace);
  sqlite3* db_ = nullptr;
  QString path_;
  Error failure_;
  std::shared_ptr<FileCheck> check_;
  unsigned long long dev_ = 0, ino_ = 0;  // identity of the file opened
  struct TableInfo {
    QStringList columns;
    QSet<QString> integers;
  };
  QHash<QString, TableInfo> tables_;  // key: lower-case table name
};

using ConnectionPtr = std::shared_ptr<Connection>;

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

}  // namespace db
