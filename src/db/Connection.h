#pragma once
// One open database file. Statements arrive as text in the Jet dialect the
// windows write; they are translated here and run on SQLite.
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>

struct sqlite3;

namespace db {

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens an existing database file. Fails (false, LastError set) when the
  // file is missing, unreadable, locked or not a database of this program.
  bool Open(const QString& path);
  // Creates a new database file from the schema (used by the database tool
  // and tests only; the program never creates a table).
  bool Create(const QString& path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  QString Path() const { return path_; }

  // Runs one statement (translated). Number texts written for whole-number
  // columns in INSERT and UPDATE statements are stored as integers (an empty
  // text as 0). Returns false with LastError on failure.
  bool Execute(const QString& jetSql, int* rowsAffected = nullptr);

  bool BeginTrans();
  bool CommitTrans();
  bool RollbackTrans();
  bool InTransaction() const;

  QString LastError() const { return error_; }
  void SetError(const QString& e) { error_ = e; }
  sqlite3* Handle() const { return db_; }

  // Schema knowledge, read once per connection: the whole-number columns of a
  // table (lower-case names) and its column names in order.
  const QSet<QString>& IntegerColumns(const QString& table);
  QStringList Columns(const QString& table);

  // Translation plus the integer coercion of INSERT/UPDATE values.
  bool Prepare(const QString& jetSql, QString* sqliteSql);

 private:
  bool LoadTable(const QString& table);
  sqlite3* db_ = nullptr;
  QString path_;
  QString error_;
  struct TableInfo {
    QStringList columns;
    QSet<QString> integers;
  };
  QHash<QString, TableInfo> tables_;  // key: lower-case table name
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace db
