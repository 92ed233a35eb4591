#include "db/SqliteEngine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "db/Backup.h"
#include "db/FileCheck.h"
#include "db/Sql.h"

// The schema is built into the store's library; a static library registers
// its resources only when asked.
static void LoadSchemaResource() { Q_INIT_RESOURCE(db); }

namespace db {

namespace {

bool Writable(const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK) == 0; }

}  // namespace

// Every table of the schema that new files are made from, with its columns,
// in the order it makes them. Read once.
const QList<QPair<QString, QStringList>>& FullSchemaReference() {
  static const QList<QPair<QString, QStringList>> ref = [] {
    QList<QPair<QString, QStringList>> out;
    const QByteArray ddl = SchemaText().toUtf8();
    sqlite3* m = nullptr;
    if (!ddl.isEmpty() && sqlite3_open(":memory:", &m) == SQLITE_OK &&
        sqlite3_exec(m, ddl.constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
      sqlite3_stmt* st = nullptr;
      sqlite3_prepare_v2(m, "SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p "
                            "WHERE m.type = 'table' ORDER BY m.rowid, p.cid", -1, &st, nullptr);
      while (st && sqlite3_step(st) == SQLITE_ROW) {
        const QString table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const QString column = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        if (out.isEmpty() || out.last().first != table) out.append({table, {}});
        out.last().second << column;
      }
      sqlite3_finalize(st);
    }
    sqlite3_close(m);
    return out;
  }();
  return ref;
}

// The tables and columns every database of the program has: the schema's,
// but for those that came later.
const QList<QPair<QString, QStringList>>& SchemaReference() {
  static const QList<QPair<QString, QStringList>> ref = [] {
    QList<QPair<QString, QStringList>> out;
    const QStringList later = LaterTables();
    for (const auto& t : FullSchemaReference())
      if (!later.contains(t.first, Qt::CaseInsensitive)) out.append(t);
    return out;
  }();
  return ref;
}

namespace {

QString Text(sqlite3_stmt* st, int c) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
}

class SqliteStatement final : public Statement {
 public:
  SqliteStatement(SqliteEngine* engine, sqlite3_stmt* st) : engine_(engine), st_(st) {}
  ~SqliteStatement() override { sqlite3_finalize(st_); }
  int ColumnCount() const override { return sqlite3_column_count(st_); }
  QString ColumnName(int c) const override { return QString::fromUtf8(sqlite3_column_name(st_, c)); }
  void BindNull(int i) override { sqlite3_bind_null(st_, i); }
  void BindInt(int i, qint64 v) override { sqlite3_bind_int64(st_, i, v); }
  void BindReal(int i, double v) override { sqlite3_bind_double(st_, i, v); }
  void BindText(int i, const QString& v) override {
    const QByteArray t = v.toUtf8();
    sqlite3_bind_text(st_, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
  }
  bool Next() override {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    failed_ = rc != SQLITE_DONE;
    if (failed_) engine_->TakeError();
    return false;
  }
  bool Failed() const override { return failed_; }
  void Reset() override {
    sqlite3_reset(st_);
    failed_ = false;
  }
  Type TypeAt(int c) const override {
    switch (sqlite3_column_type(st_, c)) {
      case SQLITE_INTEGER: return Type::Integer;
      case SQLITE_FLOAT: return Type::Real;
      case SQLITE_NULL: return Type::Null;
      default: return Type::Text;
    }
  }
  qint64 IntAt(int c) const override { return sqlite3_column_int64(st_, c); }
  double RealAt(int c) const override { return sqlite3_column_double(st_, c); }
  QByteArrayView TextAt(int c) const override {
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, c));
    return QByteArrayView(p, sqlite3_column_bytes(st_, c));
  }

 private:
  SqliteEngine* engine_;
  sqlite3_stmt* st_;
  bool failed_ = false;
};

}  // namespace

QString SchemaText() {
  LoadSchemaResource();
  QFile schema(QStringLiteral(":/db/schema.sql"));
  if (!schema.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(schema.readAll());
}

namespace {
const QRegularExpression& LaterTable() {
  static const QRegularExpression re(QStringLiteral(R"(CREATE TABLE IF NOT EXISTS (\w+)[^;]*;)"));
  return re;
}
}  // namespace

QList<QPair<QString, QString>> LaterTableStatements() {
  QList<QPair<QString, QString>> out;
  const QString ddl = SchemaText();
  for (auto m = LaterTable().globalMatch(ddl); m.hasNext();) {
    const QRegularExpressionMatch t = m.next();
    out.append({t.captured(1), t.captured(0)});
  }
  return out;
}

QStringList LaterTables() {
  QStringList out;
  for (const auto& [table, statement] : LaterTableStatements()) out << table;
  return out;
}

Error::Kind KindOf(sqlite3* h) {
  const int ext = sqlite3_extended_errcode(h);
  switch (ext & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Error::Kind::Busy;
    case SQLITE_CONSTRAINT:
      return ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE ? Error::Kind::DuplicateKey
                                                                                    : Error::Kind::Other;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return Error::Kind::Damaged;
    case SQLITE_READONLY:
      return Error::Kind::ReadOnly;
    case SQLITE_CANTOPEN:
      return Error::Kind::NotFound;
    case SQLITE_ERROR: {
      const QByteArray m(sqlite3_errmsg(h));
      if (m.startsWith("no such table") || m.startsWith("no such column")) return Error::Kind::MissingSchema;
      return Error::Kind::Other;
    }
    default:
      return Error::Kind::Other;
  }
}

bool HasProgramSchema(sqlite3* h, const QString& path, QString* error, bool* busy) {
  auto storeError = [&] {
    const int code = sqlite3_extended_errcode(h) & 0xff;
    *error = QString::fromUtf8(sqlite3_errmsg(h));
    if (busy) *busy = code == SQLITE_BUSY || code == SQLITE_LOCKED;
  };
  for (const auto& [table, columns] : SchemaReference()) {
    sqlite3_stmt* st = nullptr;
    const QByteArray q = "SELECT name FROM pragma_table_info(" + Quote(table).toUtf8() + ")";
    if (sqlite3_prepare_v2(h, q.constData(), -1, &st, nullptr) != SQLITE_OK) {
      storeError();
      return false;
    }
    QSet<QString> there;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) there.insert(Text(st, 0).toLower());
    if (rc != SQLITE_DONE) storeError();
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) return false;
    if (there.isEmpty()) {
      *error = QStringLiteral("Tabel %1 tidak ada di database %2").arg(table, path);
      return false;
    }
    for (const QString& c : columns)
      if (!there.contains(c.toLower())) {
        *error = QStringLiteral("Kolom %1.%2 tidak ada di database %3").arg(table, c, path);
        return false;
      }
  }
  return true;
}

bool MakeDurable(sqlite3* h, QString* error) {
  if (sqlite3_exec(h, "PRAGMA synchronous=EXTRA", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  *error = QString::fromUtf8(sqlite3_errmsg(h));
  return false;
}

SqliteEngine::SqliteEngine() = default;
SqliteEngine::~SqliteEngine() { Close(); }

void SqliteEngine::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  check_.reset();
  dev_ = ino_ = 0;
}

void SqliteEngine::TakeError(const QString& statement) {
  if (!db_) {
    SetError(Error::Kind::Other, QStringLiteral("database tidak terbuka"), statement);
    return;
  }
  SetError(KindOf(db_), QString::fromUtf8(sqlite3_errmsg(db_)), statement);
}

void SqliteEngine::SetBusyTimeout(int ms) {
  busy_ = ms;
  if (db_) sqlite3_busy_timeout(db_, ms);
}

bool SqliteEngine::OpenHandle(const QString& path, int flags) {
  sqlite3* h = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, flags, nullptr);
  if (rc != SQLITE_OK) {
    const Error::Kind kind = (flags & SQLITE_OPEN_CREATE) || !h ? Error::Kind::Other : KindOf(h);
    SetError(kind, h ? QString::fromUtf8(sqlite3_errmsg(h)) : QStringLiteral("out of memory"));
    sqlite3_close_v2(h);
    return false;
  }
  db_ = h;
  if (QString why; !MakeDurable(db_, &why)) {
    SetError(KindOf(db_), why);
    Close();
    return false;
  }
  sqlite3_busy_timeout(db_, busy_);
  return true;
}

bool SqliteEngine::Open(const Description& d) {
  Close();
  path_ = target_ = d.path;
  const QString& path = path_;
  const QFileInfo fi(path);
  if (!fi.exists() || !fi.isFile()) {
    SetError(Error::Kind::NotFound, QStringLiteral("File database tidak ditemukan: %1").arg(path));
    return false;
  }
  // A file that opens read-only would fail at the first save, after the
  // person has typed a whole sale: refuse it now. The folder must take
  // SQLite's journal beside the file.
  if (!Writable(path)) {
    SetError(Error::Kind::ReadOnly, QStringLiteral("File database hanya dapat dibaca: %1").arg(path));
    return false;
  }
  if (!Writable(fi.absolutePath())) {
    SetError(Error::Kind::ReadOnly, QStringLiteral("Folder database tidak dapat ditulisi: %1").arg(fi.absolutePath()));
    return false;
  }
  if (!OpenHandle(path, SQLITE_OPEN_READWRITE)) return false;
  if (struct stat st; ::stat(QFile::encodeName(path).constData(), &st) == 0) {
    dev_ = st.st_dev;
    ino_ = st.st_ino;
  }
  if (sqlite3_db_readonly(db_, "main") == 1) {
    SetError(Error::Kind::ReadOnly, QStringLiteral("File database hanya dapat dibaca: %1").arg(path));
    Close();
    return false;
  }
  // Every table and column the program uses must be there. A file that is
  // not a database, or one that another program holds locked, fails here
  // too: when a query of the check failed, SQLite says what the file is (not
  // a database, damaged, locked); otherwise a table or column is missing.
  QString why;
  bool busy = false;
  if (!HasProgramSchema(db_, path, &why, &busy)) {
    SetError(busy ? Error::Kind::Busy : sqlite3_errcode(db_) != SQLITE_OK ? KindOf(db_) : Error::Kind::MissingSchema,
             why);
    Close();
    return false;
  }
  check_ = FileCheck::For(path);
  if (check_->Done() && !check_->Wait(&why)) {
    SetError(Error::Kind::Damaged, QStringLiteral("File database rusak: %1").arg(why));
    Close();
    return false;
  }
  return true;
}

bool SqliteEngine::Create(const Description& d, const QString& schema) {
  Close();
  path_ = target_ = d.path;
  if (!OpenHandle(path_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) return false;
  char* msg = nullptr;
  const QByteArray script = "BEGIN;\n" + schema.toUtf8() + "\nCOMMIT;";
  if (sqlite3_exec(db_, script.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
    SetError(Error::Kind::Other, QString::fromUtf8(msg ? msg : "gagal membuat tabel"));
    sqlite3_free(msg);
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    Close();
    return false;
  }
  return true;
}

bool SqliteEngine::StillHere() const {
  struct stat st;
  return ino_ == 0 ||
         (::stat(QFile::encodeName(path_).constData(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_);
}

bool SqliteEngine::CopyTo(const QString& dest, QString* why) const { return Backup(path_, dest, why); }

std::unique_ptr<Statement> SqliteEngine::Prepare(const QString& sql) {
  if (!db_) {
    SetError(Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), sql);
    return nullptr;
  }
  const QByteArray utf8 = sql.toUtf8();
  const char* const end = utf8.constData() + utf8.size();
  const char* tail = nullptr;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, &tail) != SQLITE_OK) {
    TakeError();
    return nullptr;
  }
  if (!st) {
    SetError(Error::Kind::Other, QStringLiteral("Perintah database kosong"));
    return nullptr;
  }
  // Quoting is the first defence against a typed value that ends the
  // statement; this is the second: whatever follows the first statement
  // must be nothing but blanks, semicolons and comments.
  while (tail && tail < end) {
    sqlite3_stmt* more = nullptr;
    const char* after = nullptr;
    const int rc = sqlite3_prepare_v2(db_, tail, int(end - tail), &more, &after);
    if (rc != SQLITE_OK || more) {
      sqlite3_finalize(more);
      sqlite3_finalize(st);
      SetError(Error::Kind::Other,
               QStringLiteral("Teks perintah berisi lebih dari satu perintah; tidak ada yang dijalankan"));
      return nullptr;
    }
    if (!after || after == tail) break;
    tail = after;
  }
  return std::make_unique<SqliteStatement>(this, st);
}

bool SqliteEngine::Execute(const QString& sql, int* changes) {
  const std::unique_ptr<Statement> st = Prepare(sql);
  if (!st) return false;
  while (st->Next()) {
  }
  if (st->Failed()) return false;
  if (changes) *changes = sqlite3_changes(db_);
  return true;
}

bool SqliteEngine::ExecScript(const QString& script) {
  if (!db_) {
    SetError(Error::Kind::Other, QStringLiteral("Koneksi database belum terbuka"), script);
    return false;
  }
  if (sqlite3_exec(db_, script.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  TakeError(script);
  return false;
}

bool SqliteEngine::Begin() {
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  TakeError();
  return false;
}

bool SqliteEngine::Commit() {
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  TakeError();
  return false;
}

bool SqliteEngine::Rollback() {
  if (!db_ || sqlite3_get_autocommit(db_)) return true;  // nothing open
  if (sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  TakeError();
  return false;
}

bool SqliteEngine::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

bool SqliteEngine::TableColumns(const QString& table, QList<Column>* out) {
  out->clear();
  if (!db_) return false;
  sqlite3_stmt* st = nullptr;
  const QByteArray q = "PRAGMA table_info(" + Quote(table).toUtf8() + ")";
  if (sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr) != SQLITE_OK) return false;
  while (sqlite3_step(st) == SQLITE_ROW)
    out->append({Text(st, 1), Text(st, 2).toUpper().contains(QLatin1String("INT")), sqlite3_column_int(st, 5)});
  sqlite3_finalize(st);
  return !out->isEmpty();
}

bool SqliteEngine::HasIndex(const QString& name, bool* has) {
  const std::unique_ptr<Statement> st =
      Prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"));
  if (!st) return false;
  st->BindText(1, name);
  *has = st->Next();
  return !st->Failed();
}

}  // namespace db
