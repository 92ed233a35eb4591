#pragma once
// The PostgreSQL engine on libpq: the one place the store's code sees libpq.
// Included by the store's own .cpp files only, never by a header.
#include <libpq-fe.h>

#include <functional>

#include <QHash>
#include <QString>

#include "db/Engine.h"

namespace db {

class PgEngine final : public Engine {
 public:
  PgEngine();
  ~PgEngine() override;

  Description::Kind Kind() const override { return Description::Kind::Server; }
  bool Open(const Description& d) override;
  // Makes the database on the server when it is not there, then the schema
  // (schema.sql in the server's dialect) in one transaction.
  bool Create(const Description& d, const QString& schema) override;
  void Close() override;
  bool IsOpen() const override { return conn_ != nullptr; }

  std::unique_ptr<Statement> Prepare(const QString& sql) override;
  bool Execute(const QString& sql, int* changes = nullptr) override;
  bool ExecScript(const QString& script) override;

  bool Begin() override;
  bool Commit() override;
  bool Rollback() override;
  bool InTransaction() const override;
  Doubt CommitInDoubt() override;
  bool CommitUnsettled() const override { return !doubtXid_.isEmpty(); }

  bool TableColumns(const QString& table, QList<Column>* out) override;
  bool HasIndex(const QString& name, bool* has) override;
  void SetBusyTimeout(int ms) override;
  bool LockSeries(const QString& series) override;

  // Runs one statement with its parameters as text (null: SQL NULL); the
  // result, or null with LastError set. The caller clears the result.
  PGresult* Run(const QString& sql, const QList<QByteArray>& params, const QList<bool>& nulls = {});
  // The kind and message of a failed result (or of the connection).
  void TakeError(const PGresult* r, const QString& statement = QString());
  // The column's name as the schema writes it (the server folds to lower
  // case), in the table's own spelling when the table is known.
  QString SchemaName(const QString& folded, const QString& table = QString()) const;
  // Whether a failed result (or the connection) says the server is gone.
  bool Lost(const PGresult* r) const;
  // A connection that broke is opened again, outside a transaction only.
  bool Reconnect();
  // Connects without looking for the shop's tables (the server's own database).
  bool ConnectOnly(const Description& d) { return Connect(d); }

 private:
  bool Connect(const Description& d);
  bool Session();
  QString SessionSettings() const;
  bool HasSchema();
  PGconn* conn_ = nullptr;
  Description where_;
  int busy_ = 0;
  bool inTx_ = false;
  // The number of the transaction whose COMMIT went unanswered, and what was
  // said of it then.
  QByteArray doubtXid_;
  Error doubtError_;
};

namespace testing {
// Runs `f` once, after the next COMMIT the server stored and before its
// answer is read; the answer is then lost as with a connection that broke
// (f may stop the server). An empty f takes the hook away.
void AfterNextCommit(std::function<void()> f);
}  // namespace testing

// A name as the server's quoted identifier.
QString QuotedName(const QString& name);
// libpq's connection words for a description.
QString ConnInfo(const Description& d);
// The kind of a failure by its SQLSTATE (and whether the connection broke).
Error::Kind KindOfState(const QByteArray& sqlstate, bool connectionBad);

}  // namespace db
