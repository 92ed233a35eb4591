#include "db/PgEngine.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <array>
#include <cstdlib>
#include <sys/socket.h>
#include <vector>

#include "db/Server.h"
#include "db/Sql.h"
#include "db/SqliteEngine.h"

namespace db {

namespace {

constexpr Oid kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

QString Words(const char* s) { return QString::fromUtf8(s ? s : "").trimmed(); }

class PgStatement final : public Statement {
 public:
  PgStatement(PgEngine* engine, QString sql, int marks)
      : engine_(engine), sql_(std::move(sql)), params_(marks), nulls_(marks, true) {
    // The hidden key of a table without one is not shown unless asked for.
    hideKey_ = !sql_.contains(QLatin1String(kHiddenKey), Qt::CaseInsensitive);
  }
  ~PgStatement() override { PQclear(res_); }
  int ColumnCount() const override {
    Run();
    return int(cols_.size());
  }
  QString ColumnName(int c) const override {
    Run();
    return engine_->SchemaName(Words(PQfname(res_, cols_[size_t(c)])));
  }
  void BindNull(int i) override { Bind(i, QByteArray(), true); }
  void BindInt(int i, qint64 v) override { Bind(i, QByteArray::number(v), false); }
  void BindReal(int i, double v) override { Bind(i, QByteArray::number(v, 'g', 17), false); }
  void BindText(int i, const QString& v) override { Bind(i, v.toUtf8(), false); }
  bool Next() override {
    Run();
    if (failed_ || !res_) return false;
    return ++row_ < PQntuples(res_);
  }
  bool Failed() const override { return failed_; }
  void Reset() override {
    PQclear(res_);
    res_ = nullptr;
    ran_ = failed_ = false;
    row_ = -1;
    cols_.clear();
  }
  Type TypeAt(int c) const override {
    const int k = cols_[size_t(c)];
    if (PQgetisnull(res_, row_, k)) return Type::Null;
    switch (PQftype(res_, k)) {
      case kInt8:
      case kInt2:
      case kInt4:
        return Type::Integer;
      case kFloat4:
      case kFloat8:
        return Type::Real;
      case kNumeric:
        // A sum of whole numbers comes back as numeric.
        return std::strchr(PQgetvalue(res_, row_, k), '.') ? Type::Real : Type::Integer;
      default:
        return Type::Text;
    }
  }
  qint64 IntAt(int c) const override { return std::strtoll(PQgetvalue(res_, row_, cols_[size_t(c)]), nullptr, 10); }
  double RealAt(int c) const override { return std::strtod(PQgetvalue(res_, row_, cols_[size_t(c)]), nullptr); }
  QByteArrayView TextAt(int c) const override {
    const int k = cols_[size_t(c)];
    return QByteArrayView(PQgetvalue(res_, row_, k), PQgetlength(res_, row_, k));
  }
  int Changes() const {
    const char* n = res_ ? PQcmdTuples(res_) : "";
    return std::atoi(n);
  }

 private:
  void Bind(int i, QByteArray v, bool null) {
    if (i < 1 || i > int(params_.size())) return;
    params_[i - 1] = std::move(v);
    nulls_[i - 1] = null;
  }
  // The statement runs at its first use: one round trip to the server.
  void Run() const {
    if (ran_) return;
    ran_ = true;
    res_ = engine_->Run(sql_, params_, nulls_);
    failed_ = res_ == nullptr;
    if (!res_) return;
    const int n = PQnfields(res_);
    for (int k = 0; k < n; ++k)
      if (!hideKey_ || Words(PQfname(res_, k)) != QLatin1String(kHiddenKey)) cols_.push_back(k);
  }
  PgEngine* engine_;
  QString sql_;
  QList<QByteArray> params_;
  QList<bool> nulls_;
  bool hideKey_ = true;
  mutable PGresult* res_ = nullptr;
  mutable bool ran_ = false, failed_ = false;
  mutable std::vector<int> cols_;
  int row_ = -1;
};

}  // namespace

QString ConnInfo(const Description& d) {
  QStringList w;
  auto add = [&](const char* key, const QString& v) {
    if (v.isEmpty()) return;
    QString q = v;
    q.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    w << QLatin1String(key) + QLatin1String("='") + q + QLatin1Char('\'');
  };
  add("host", d.host);
  add("port", d.port ? QString::number(d.port) : QString());
  add("dbname", d.dbname);
  add("user", d.user);
  add("passfile", d.passfile);
  add("password", d.password);
  return w.join(QLatin1Char(' '));
}

Error::Kind KindOfState(const QByteArray& s, bool connectionBad) {
  if (s == "23505") return Error::Kind::DuplicateKey;
  if (s == "40001" || s == "40P01") return Error::Kind::Conflict;
  if (s == "55P03" || s == "57014") return Error::Kind::Busy;
  if (s.startsWith("08") || s == "57P01" || s == "57P02" || s == "57P03") return Error::Kind::ConnectionLost;
  if (s == "42P01" || s == "42703") return Error::Kind::MissingSchema;
  if (s == "XX001" || s == "XX002") return Error::Kind::Damaged;
  if (s == "25006") return Error::Kind::ReadOnly;
  if (s == "3D000") return Error::Kind::NotFound;
  if (connectionBad) return Error::Kind::ConnectionLost;
  return Error::Kind::Other;
}

PgEngine::PgEngine() = default;
PgEngine::~PgEngine() { Close(); }

void PgEngine::Close() {
  if (conn_) PQfinish(conn_);
  conn_ = nullptr;
  inTx_ = false;
}

QString PgEngine::SchemaName(const QString& folded, const QString& table) const {
  // Two tables may write one name differently (Pengguna.UserId,
  // Penjualan.UserID): a table's own spelling first, else the first seen.
  static const QHash<QString, QString> names = [] {
    QHash<QString, QString> m;
    for (const auto& [t, columns] : FullSchemaReference()) {
      for (const QString& c : columns) {
        m.insert(t.toLower() + QLatin1Char('.') + c.toLower(), c);
        if (!m.contains(c.toLower())) m.insert(c.toLower(), c);
      }
    }
    return m;
  }();
  if (!table.isEmpty())
    if (const auto it = names.constFind(table.toLower() + QLatin1Char('.') + folded); it != names.cend()) return *it;
  return names.value(folded, folded);
}

// A failure that libpq found itself (no SQLSTATE from the server) is a
// connection that broke, whether or not libpq has marked it so yet.
bool PgEngine::Lost(const PGresult* r) const {
  if (!conn_ || PQstatus(conn_) == CONNECTION_BAD) return true;
  const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
  return !state || !*state || KindOfState(QByteArray(state), false) == Error::Kind::ConnectionLost;
}

void PgEngine::TakeError(const PGresult* r, const QString& statement) {
  const bool bad = Lost(r);
  const QByteArray state = r ? QByteArray(PQresultErrorField(r, PG_DIAG_SQLSTATE)) : QByteArray();
  QString m = r ? Words(PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY)) : QString();
  if (m.isEmpty()) m = Words(conn_ ? PQerrorMessage(conn_) : "tidak ada koneksi");
  const Error::Kind kind = KindOfState(state, bad);
  // The same refusal, in the same words, as the file engine's.
  if (m.startsWith(QLatin1String("cannot insert multiple commands into a prepared statement")))
    m = QStringLiteral("Teks perintah berisi lebih dari satu perintah; tidak ada yang dijalankan");
  if (kind == Error::Kind::ConnectionLost)
    m = QStringLiteral("Koneksi ke %1 terputus, tidak ada data yang disimpan: %2").arg(where_.Target(), m);
  SetError(kind, m, statement);
}

bool PgEngine::Connect(const Description& d) {
  Close();
  where_ = d;
  target_ = d.Target();
  if (!d.refused.isEmpty()) {
    SetError(Error::Kind::Other, d.refused);
    return false;
  }
  const QByteArray info = (ConnInfo(d) + QStringLiteral(" connect_timeout=5 client_encoding=UTF8 application_name=merapu")).toUtf8();
  conn_ = PQconnectdb(info.constData());
  if (PQstatus(conn_) != CONNECTION_OK) {
    const QString m = Words(PQerrorMessage(conn_));
    // A database the server does not know is no lost server.
    const bool missing = m.contains(QLatin1String("does not exist")) && m.contains(QLatin1String("database"));
    SetError(missing ? Error::Kind::NotFound : Error::Kind::ConnectionLost,
             missing ? QStringLiteral("Database %1 tidak ada di server: %2").arg(d.dbname, m)
                     : QStringLiteral("Server database tidak dapat dihubungi (%1): %2").arg(d.Target(), m));
    Close();
    return false;
  }
  return Session();
}

QString PgEngine::SessionSettings() const {
  // Dates read back as yyyy-MM-dd, as the file engine keeps them.
  return QStringLiteral("SET DateStyle = ISO; SET lock_timeout = %1; SET client_min_messages = warning").arg(busy_);
}

bool PgEngine::Session() {
  if (ExecScript(SessionSettings())) return true;
  Close();
  return false;
}

bool PgEngine::Reconnect() {
  if (!conn_) return Connect(where_);
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK) {
    SetError(Error::Kind::ConnectionLost, QStringLiteral("Server database tidak dapat dihubungi (%1): %2")
                                              .arg(where_.Target(), Words(PQerrorMessage(conn_))));
    return false;
  }
  return ExecScript(SessionSettings());
}

bool PgEngine::HasSchema() {
  for (const auto& [table, columns] : SchemaReference()) {
    QList<Column> there;
    if (!TableColumns(table, &there)) {
      if (!LastError().failed())
        SetError(Error::Kind::MissingSchema, QStringLiteral("Tabel %1 tidak ada di database %2").arg(table, target_));
      return false;
    }
    QSet<QString> names;
    for (const Column& c : std::as_const(there)) names.insert(c.name.toLower());
    for (const QString& c : columns)
      if (!names.contains(c.toLower())) {
        SetError(Error::Kind::MissingSchema, QStringLiteral("Kolom %1.%2 tidak ada di database %3").arg(table, c, target_));
        return false;
      }
  }
  return true;
}

bool PgEngine::Open(const Description& d) {
  if (!Connect(d)) return false;
  if (!HasSchema()) {
    const Error why = error_;
    Close();
    error_ = why;
    return false;
  }
  return true;
}

bool PgEngine::Create(const Description& d, const QString& schema) {
  if (!Connect(d)) {
    if (!error_.is(Error::Kind::NotFound)) return false;
    // The database is made on the server first, by the same user.
    QString why;
    if (!CreateDatabase(d, d.dbname, QString(), &why)) {
      SetError(Error::Kind::Other, why);
      return false;
    }
    if (!Connect(d)) return false;
  }
  const QString ddl = ServerSchema(schema);
  if (ddl.isEmpty()) {
    SetError(Error::Kind::Other, QStringLiteral("Skema database tidak dapat dibaca"));
    return false;
  }
  if (!ExecScript(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"))) return false;
  if (!Begin()) return false;
  if (!ExecScript(ddl) || !Commit()) {
    const Error why = error_;
    Rollback();
    error_ = why;
    return false;
  }
  return true;
}

PGresult* PgEngine::Run(const QString& sql, const QList<QByteArray>& params, const QList<bool>& nulls) {
  if (!conn_) {
    SetError(Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), sql);
    return nullptr;
  }
  if (PQstatus(conn_) == CONNECTION_BAD) {
    // A transaction the server lost is not opened again under the caller.
    if (inTx_) {
      TakeError(nullptr, sql);
      return nullptr;
    }
    if (!Reconnect()) return nullptr;
  }
  const QByteArray text = sql.toUtf8();
  std::vector<const char*> values(size_t(params.size()));
  std::vector<int> lengths(size_t(params.size()));
  for (qsizetype i = 0; i < params.size(); ++i) {
    values[size_t(i)] = i < nulls.size() && nulls[i] ? nullptr : params[i].constData();
    lengths[size_t(i)] = int(params[i].size());
  }
  PGresult* r = PQexecParams(conn_, text.constData(), int(params.size()), nullptr, values.data(), lengths.data(),
                             nullptr, 0);
  ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
  // A server that went away and came back while the till stood idle shows
  // only at the next statement: one that changes nothing is sent again on a
  // new connection.
  if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && !inTx_ && Lost(r) &&
      (sql == QLatin1String("BEGIN") || sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) &&
      Reconnect()) {
    PQclear(r);
    r = PQexecParams(conn_, text.constData(), int(params.size()), nullptr, values.data(), lengths.data(), nullptr, 0);
    st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
  }
  if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) return r;
  TakeError(r, sql);
  PQclear(r);
  return nullptr;
}

std::unique_ptr<Statement> PgEngine::Prepare(const QString& sql) {
  if (!conn_) {
    SetError(Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), sql);
    return nullptr;
  }
  int marks = 0;
  QString numbered = NumberMarks(sql, &marks);
  return std::make_unique<PgStatement>(this, std::move(numbered), marks);
}

bool PgEngine::Execute(const QString& sql, int* changes) {
  int marks = 0;
  const QString numbered = NumberMarks(sql, &marks);
  PGresult* r = Run(numbered, QList<QByteArray>(marks), QList<bool>(marks, true));
  if (!r) return false;
  if (changes) *changes = std::atoi(PQcmdTuples(r));
  PQclear(r);
  return true;
}

bool PgEngine::ExecScript(const QString& script) {
  if (!conn_) {
    SetError(Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), script);
    return false;
  }
  if (PQstatus(conn_) == CONNECTION_BAD) {
    if (inTx_) {
      TakeError(nullptr, script);
      return false;
    }
    if (!Reconnect()) return false;
  }
  PGresult* r = PQexec(conn_, script.toUtf8().constData());
  const ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
  const bool ok = st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK || st == PGRES_EMPTY_QUERY;
  if (!ok) TakeError(r, script);
  PQclear(r);
  return ok;
}

bool PgEngine::Begin() {
  PGresult* r = Run(QStringLiteral("BEGIN"), {});
  PQclear(r);
  inTx_ = r != nullptr;
  return inTx_;
}

namespace {
std::function<void()>& AfterCommitHook() {
  static std::function<void()> f;
  return f;
}
}  // namespace

void testing::AfterNextCommit(std::function<void()> f) { AfterCommitHook() = std::move(f); }

bool PgEngine::Commit() {
  // The transaction's number first: should the answer to COMMIT be lost with
  // the connection, the server is asked afterwards whether it stored the
  // transaction. A till that took a stored sale for a lost one would save
  // it a second time.
  QByteArray xid;
  if (PGresult* x = Run(QStringLiteral("SELECT txid_current()"), {})) {
    xid = PQgetvalue(x, 0, 0);
    PQclear(x);
  }
  PGresult* r = Run(QStringLiteral("COMMIT"), {});
  // Whatever COMMIT answered, the transaction is over on the server.
  inTx_ = false;
  if (r && AfterCommitHook() && qstrcmp(PQcmdStatus(r), "COMMIT") == 0) {
    const std::function<void()> f = std::move(AfterCommitHook());
    AfterCommitHook() = nullptr;
    f();
    PQclear(r);
    r = nullptr;
    ::shutdown(PQsocket(conn_), SHUT_RDWR);  // the answer never arrives
    PGresult* gone = PQexec(conn_, "SELECT 1");
    TakeError(gone, QStringLiteral("COMMIT"));
    PQclear(gone);
  }
  if (!r) {
    if (xid.isEmpty() || !error_.is(Error::Kind::ConnectionLost)) return false;
    // Sent, and no answer: stored or not, the server alone knows.
    doubtXid_ = xid;
    doubtError_ = error_;
    switch (CommitInDoubt()) {
      case Doubt::Stored: return true;
      case Doubt::NotStored: error_ = doubtError_; return false;
      default:
        SetError(Error::Kind::ConnectionLost,
                 QStringLiteral("Koneksi ke %1 terputus saat menyimpan; server belum dapat ditanya apakah data "
                                "tersimpan. Simpan lagi setelah server dapat dihubungi: data yang sudah tersimpan "
                                "tidak disimpan dua kali.")
                     .arg(where_.Target()),
                 QStringLiteral("COMMIT"));
        return false;
    }
  }
  // A transaction the server had given up answers COMMIT with ROLLBACK.
  const bool stored = qstrcmp(PQcmdStatus(r), "COMMIT") == 0;
  PQclear(r);
  if (!stored) SetError(Error::Kind::Other, QStringLiteral("Server membatalkan transaksi; tidak ada data yang disimpan"));
  return stored;
}

Engine::Doubt PgEngine::CommitInDoubt() {
  if (doubtXid_.isEmpty()) return Doubt::None;
  // A backend still finishing the commit of a connection that broke answers
  // "in progress" for a moment.
  for (int i = 0; i < 50; ++i) {
    if (!conn_ || PQstatus(conn_) == CONNECTION_BAD) {
      if (!Reconnect()) return Doubt::Unknown;
    }
    PGresult* r = PQexecParams(conn_, "SELECT txid_status($1::bigint)", 1, nullptr,
                               std::array<const char*, 1>{doubtXid_.constData()}.data(), nullptr, nullptr, 0);
    if (r && qstrcmp(PQresultErrorField(r, PG_DIAG_SQLSTATE), "22023") == 0) {
      // "in the future": the server came back without the transaction
      // ever reaching its disk.
      PQclear(r);
      doubtXid_.clear();
      error_ = doubtError_;
      return Doubt::NotStored;
    }
    if (!r || PQresultStatus(r) != PGRES_TUPLES_OK) {
      TakeError(r, QStringLiteral("SELECT txid_status"));
      PQclear(r);
      return Doubt::Unknown;
    }
    const QByteArray status = PQgetisnull(r, 0, 0) ? QByteArray() : QByteArray(PQgetvalue(r, 0, 0));
    PQclear(r);
    if (status == "in progress") {
      QThread::msleep(100);
      continue;
    }
    doubtXid_.clear();
    error_ = Error();
    return status == "committed" ? Doubt::Stored : Doubt::NotStored;
  }
  return Doubt::Unknown;
}

bool PgEngine::Rollback() {
  if (!inTx_) return true;
  inTx_ = false;
  if (!conn_ || PQstatus(conn_) == CONNECTION_BAD) return true;  // the server kept nothing of it
  PGresult* r = PQexec(conn_, "ROLLBACK");
  const bool ok = r && PQresultStatus(r) == PGRES_COMMAND_OK;
  if (!ok) TakeError(r, QStringLiteral("ROLLBACK"));
  PQclear(r);
  return ok;
}

// Kept by the engine: a connection that broke no longer knows it was in one.
bool PgEngine::InTransaction() const { return conn_ && inTx_; }

bool PgEngine::TableColumns(const QString& table, QList<Column>* out) {
  out->clear();
  static const QString sql = QStringLiteral(
      "SELECT a.attname, a.atttypid IN (20, 21, 23), "
      "  COALESCE((SELECT k.ord FROM pg_index x, unnest(x.indkey) WITH ORDINALITY k(att, ord) "
      "            WHERE x.indrelid = c.oid AND x.indisprimary AND k.att = a.attnum), 0) "
      "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
      "WHERE c.relname = lower($1) AND n.nspname = current_schema() AND c.relkind IN ('r', 'p') "
      "  AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum");
  PGresult* r = Run(sql, {table.toUtf8()}, {false});
  if (!r) return false;
  error_ = Error();
  for (int i = 0; i < PQntuples(r); ++i) {
    const QString name = Words(PQgetvalue(r, i, 0));
    if (name == QLatin1String(kHiddenKey)) continue;  // the server's own key, never the windows'
    out->append({SchemaName(name, table), qstrcmp(PQgetvalue(r, i, 1), "t") == 0, std::atoi(PQgetvalue(r, i, 2))});
  }
  PQclear(r);
  return !out->isEmpty();
}

bool PgEngine::HasIndex(const QString& name, bool* has) {
  PGresult* r = Run(QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = lower($1)"),
                    {name.toUtf8()}, {false});
  if (!r) return false;
  *has = PQntuples(r) > 0;
  PQclear(r);
  return true;
}

bool PgEngine::LockSeries(const QString& series) {
  PGresult* r = Run(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext($1))"), {series.toLower().toUtf8()}, {false});
  PQclear(r);
  return r != nullptr;
}

void PgEngine::SetBusyTimeout(int ms) {
  busy_ = ms;
  if (conn_ && PQstatus(conn_) == CONNECTION_OK) ExecScript(QStringLiteral("SET lock_timeout = %1").arg(ms));
}

}  // namespace db

namespace db {


QString QuotedName(const QString& name) {
  QString q = name;
  q.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + q + QLatin1Char('"');
}

bool CreateDatabase(const Description& server, const QString& name, const QString& templ, QString* why) {
  PgEngine e;
  if (!e.ConnectOnly(server.OtherDatabase(QStringLiteral("postgres")))) {
    *why = e.LastError().message;
    return false;
  }
  QString sql = QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8'").arg(QuotedName(name));
  sql += templ.isEmpty() ? QStringLiteral(" TEMPLATE template0") : QStringLiteral(" TEMPLATE ") + QuotedName(templ);
  if (e.Execute(sql)) return true;
  *why = e.LastError().message;
  return false;
}

bool DropDatabase(const Description& server, const QString& name, QString* why) {
  PgEngine e;
  if (!e.ConnectOnly(server.OtherDatabase(QStringLiteral("postgres")))) {
    *why = e.LastError().message;
    return false;
  }
  if (e.Execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(QuotedName(name)))) return true;
  *why = e.LastError().message;
  return false;
}

int OtherSessions(const Description& d, QString* why) {
  PgEngine e;
  if (!e.ConnectOnly(d.OtherDatabase(QStringLiteral("postgres")))) {
    *why = e.LastError().message;
    return -1;
  }
  PGresult* r = e.Run(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE datname = $1 AND pid <> pg_backend_pid()"),
                      {d.dbname.toUtf8()}, {false});
  if (!r) {
    *why = e.LastError().message;
    return -1;
  }
  const int n = std::atoi(PQgetvalue(r, 0, 0));
  PQclear(r);
  return n;
}

}  // namespace db

// ---- backups of a server's database -------------------------------------------



namespace db {

namespace {

// The rows of every table of the schema, as one engine's connection sees them.
bool Counts(PgEngine& e, QList<qint64>* out, QString* why) {
  out->clear();
  // Every table of the shop the database has (an older one lacks the later
  // tables until its upgrade): a table missing counts as -1.
  for (const auto& t : FullSchemaReference()) {
    PGresult* ada = e.Run(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"), {t.first.toLower().toUtf8()});
    if (!ada) {
      *why = e.LastError().message;
      return false;
    }
    const bool there = QByteArray(PQgetvalue(ada, 0, 0)) == "t";
    PQclear(ada);
    if (!there) {
      out->append(-1);
      continue;
    }
    PGresult* r = e.Run(QStringLiteral("SELECT count(*) FROM ") + t.first, {});
    if (!r) {
      *why = e.LastError().message;
      return false;
    }
    out->append(std::atoll(PQgetvalue(r, 0, 0)));
    PQclear(r);
  }
  return true;
}

bool Tool(const QString& program, const QStringList& args, QString* why) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForStarted(10000)) {
    *why = QStringLiteral("%1 tidak dapat dijalankan (paket postgresql-client belum terpasang?)").arg(program);
    return false;
  }
  p.waitForFinished(-1);
  if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return true;
  *why = QStringLiteral("%1 gagal: %2").arg(program, QString::fromLocal8Bit(p.readAll()).trimmed());
  return false;
}

// A dump restored into a new database `scratch`, whose counts must be `expected`.
bool RestoreChecked(const QString& dump, const Description& d, const QString& scratch, const QList<qint64>* expected,
                    QString* why) {
  if (!CreateDatabase(d, scratch, QString(), why)) return false;
  const Description s = d.OtherDatabase(scratch);
  auto drop = [&] {
    QString w;
    DropDatabase(d, scratch, &w);
    return false;
  };
  if (!Tool(QStringLiteral("pg_restore"), {QStringLiteral("--no-owner"), QStringLiteral("--exit-on-error"),
                                           QStringLiteral("--dbname=") + ConnInfo(s), dump}, why)) {
    // A dump that does not restore whole is a damaged copy, in the words the
    // file's check uses.
    *why = QStringLiteral("Backup %1 rusak: %2").arg(dump, *why);
    return drop();
  }
  PgEngine check;
  QList<qint64> got;
  if (!check.Open(s)) {
    *why = QStringLiteral("Backup tidak utuh: ") + check.LastError().message;
    return drop();
  }
  if (!Counts(check, &got, why)) return drop();
  check.Close();
  if (expected && got != *expected) {
    *why = QStringLiteral("Backup tidak sama dengan databasenya: jumlah baris berbeda");
    return drop();
  }
  return true;
}

}  // namespace

bool ServerBackup(const Description& d, const QString& dest, QString* why) {
  // The dump and the counts see the same moment: pg_dump takes the snapshot
  // this transaction exports, while tills go on selling.
  PgEngine e;
  if (!e.Open(d)) {
    *why = e.LastError().message;
    return false;
  }
  PGresult* r = e.Run(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"), {});
  PQclear(r);
  r = r ? e.Run(QStringLiteral("SELECT pg_export_snapshot()"), {}) : nullptr;
  if (!r) {
    *why = e.LastError().message;
    return false;
  }
  const QString snapshot = QString::fromUtf8(PQgetvalue(r, 0, 0));
  PQclear(r);
  QList<qint64> counts;
  if (!Counts(e, &counts, why)) return false;
  const QString work = dest + QStringLiteral(".tmp");
  QFile::remove(work);
  const bool dumped = Tool(QStringLiteral("pg_dump"),
                           {QStringLiteral("--format=custom"), QStringLiteral("--snapshot=") + snapshot,
                            QStringLiteral("--file=") + work, QStringLiteral("--dbname=") + ConnInfo(d)},
                           why);
  e.Close();
  if (!dumped) {
    QFile::remove(work);
    return false;
  }
  const QString scratch = d.dbname + QStringLiteral("_periksa_") + QString::number(QCoreApplication::applicationPid());
  const bool sound = RestoreChecked(work, d, scratch, &counts, why);
  if (sound) {
    QString w;
    DropDatabase(d, scratch, &w);
  }
  if (!sound || !QFile::rename(work, dest)) {
    if (sound) *why = QStringLiteral("Backup tidak dapat diberi nama %1").arg(dest);
    QFile::remove(work);
    return false;
  }
  return true;
}

bool ServerRestore(const QString& backup, const Description& d, const QString& stamp, QString* kept, QString* why) {
  const int others = OtherSessions(d, why);
  if (others < 0) return false;
  if (others > 0) {
    *why = QStringLiteral("Masih ada %1 koneksi lain ke %2 (kasir lain masih bekerja); tutup dulu programnya")
               .arg(others)
               .arg(d.Target());
    return false;
  }
  const QString scratch = d.dbname + QStringLiteral("_pulih_") + stamp;
  if (!RestoreChecked(backup, d, scratch, nullptr, why)) return false;
  *kept = d.dbname + QStringLiteral("_sebelum_pulih_") + stamp;
  PgEngine e;
  if (!e.ConnectOnly(d.OtherDatabase(QStringLiteral("postgres")))) {
    *why = e.LastError().message;
    return false;
  }
  // Two renames, the replaced database kept as it was.
  if (!e.ExecScript(QStringLiteral("ALTER DATABASE %1 RENAME TO %2; ALTER DATABASE %3 RENAME TO %1")
                        .arg(QuotedName(d.dbname), QuotedName(*kept), QuotedName(scratch)))) {
    *why = e.LastError().message;
    QString w;
    DropDatabase(d, scratch, &w);
    return false;
  }
  return true;
}

bool ServerVerify(const QString& backup, const Description& d, QString* why) {
  const QString scratch = d.dbname + QStringLiteral("_periksa_") + QString::number(QCoreApplication::applicationPid());
  if (!RestoreChecked(backup, d, scratch, nullptr, why)) return false;
  QString w;
  DropDatabase(d, scratch, &w);
  return true;
}

}  // namespace db
