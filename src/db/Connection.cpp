#include "db/Connection.h"

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "db/FileCheck.h"
#include "db/Sql.h"

// The schema is built into the store's library; a static library registers
// its resources only when asked.
static void LoadSchemaResource() { Q_INIT_RESOURCE(db); }

namespace db {

namespace {
int& busyTimeoutMs() {
  static int ms = Connection::kDefaultBusyTimeoutMs;
  return ms;
}

// The tables and columns the program uses: those of the schema that new
// files are made from. Read once.
const QList<QPair<QString, QStringList>>& SchemaReference() {
  static const QList<QPair<QString, QStringList>> ref = [] {
    QList<QPair<QString, QStringList>> out;
    QFile f(QStringLiteral(":/db/schema.sql"));
    if (!f.open(QIODevice::ReadOnly)) return out;
    sqlite3* m = nullptr;
    if (sqlite3_open(":memory:", &m) == SQLITE_OK &&
        sqlite3_exec(m, f.readAll().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
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

bool Writable(const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK) == 0; }
}  // namespace

void Connection::SetBusyTimeout(int ms) { busyTimeoutMs() = ms; }
int Connection::BusyTimeout() { return busyTimeoutMs(); }

Connection::Connection() = default;
Connection::~Connection() { Close(); }

void Connection::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  check_.reset();
  tables_.clear();
  dev_ = ino_ = 0;
}

void Connection::SetError(Error::Kind kind, const QString& message, const QString& statement) {
  failure_.kind = kind;
  failure_.message = message;
  failure_.statement = statement;
  failure_.target = path_;
}

namespace {
// The kind of SQLite's last failure on h.
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
}  // namespace

void Connection::TakeSqliteError() {
  if (!db_) {
    SetError(Error::Kind::Other, QStringLiteral("database tidak terbuka"));
    return;
  }
  SetError(KindOf(db_), QString::fromUtf8(sqlite3_errmsg(db_)));
}

bool Connection::Open(const QString& path) {
  Close();
  path_ = path;
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
  sqlite3* h = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    SetError(h ? KindOf(h) : Error::Kind::Other, h ? QString::fromUtf8(sqlite3_errmsg(h)) : QStringLiteral("out of memory"));
    sqlite3_close_v2(h);
    return false;
  }
  db_ = h;
  if (QString why; !MakeDurable(db_, &why)) {
    SetError(KindOf(db_), why);
    Close();
    return false;
  }
  if (struct stat st; ::stat(QFile::encodeName(path).constData(), &st) == 0) {
    dev_ = st.st_dev;
    ino_ = st.st_ino;
  }
  sqlite3_busy_timeout(db_, busyTimeoutMs());
  if (sqlite3_db_readonly(db_, "main") == 1) {
    SetError(Error::Kind::ReadOnly, QStringLiteral("File database hanya dapat dibaca: %1").arg(path));
    Close();
    return false;
  }
  if (!CheckOpened()) {
    Close();
    return false;
  }
  check_ = FileCheck::For(path);
  QString why;
  if (check_->Done() && !check_->Wait(&why)) {
    SetError(Error::Kind::Damaged, QStringLiteral("File database rusak: %1").arg(why));
    Close();
    return false;
  }
  return true;
}

// Every table and column the program uses must be there. A file that is not
// a database, or one that another program holds locked, fails here too.
bool Connection::CheckOpened() {
  QString why;
  bool busy = false;
  if (HasProgramSchema(db_, path_, &why, &busy)) return true;
  // When a query of the check failed, SQLite says what the file is (not a
  // database, damaged, locked); otherwise a table or column is missing.
  SetError(busy ? Error::Kind::Busy : sqlite3_errcode(db_) != SQLITE_OK ? KindOf(db_) : Error::Kind::MissingSchema, why);
  return false;
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
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
      there.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower());
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

bool Connection::FileStillHere() {
  struct stat st;
  if (ino_ == 0 || (::stat(QFile::encodeName(path_).constData(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_))
    return true;
  SetError(Error::Kind::Moved, QStringLiteral("File database sudah tidak ada di tempatnya (dipindah, dihapus atau diganti), "
                          "tidak ada data yang disimpan: %1").arg(path_));
  return false;
}

bool Connection::WriteAllowed() {
  // Inside a transaction the file was checked at its start and is again at
  // its commit.
  if (db_ && !InTransaction() && !FileStillHere()) return false;
  if (!check_) return true;
  QString why;
  if (check_->Wait(&why)) return true;
  SetError(Error::Kind::Damaged, QStringLiteral("File database rusak, tidak ada data yang disimpan: %1").arg(why));
  return false;
}

bool Connection::AddMissingIndexes(QStringList* added) {
  added->clear();
  if (!db_) {
    SetError(QStringLiteral("Koneksi database belum terbuka"));
    return false;
  }
  LoadSchemaResource();
  QFile schema(QStringLiteral(":/db/schema.sql"));
  if (!schema.open(QIODevice::ReadOnly)) {
    SetError(QStringLiteral("Skema database tidak dapat dibaca"));
    return false;
  }
  static const QRegularExpression index(QStringLiteral(R"(CREATE INDEX (?:IF NOT EXISTS )?(\w+) (ON [^;]+);)"));
  const QString ddl = QString::fromUtf8(schema.readAll());
  if (!BeginTrans()) return false;
  for (auto m = index.globalMatch(ddl); m.hasNext();) {
    const QRegularExpressionMatch i = m.next();
    sqlite3_stmt* ada = PrepareOne(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = '%1'")
                                       .arg(i.captured(1)));
    if (!ada) {
      RollbackTrans();
      return false;
    }
    const bool baru = sqlite3_step(ada) != SQLITE_ROW;
    sqlite3_finalize(ada);
    if (!baru) continue;
    const QByteArray sql = QStringLiteral("CREATE INDEX %1 %2").arg(i.captured(1), i.captured(2)).toUtf8();
    if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      TakeSqliteError();
      const Error why = failure_;
      RollbackTrans();
      SetFailure(why);
      return false;
    }
    *added << i.captured(1);
  }
  if (!CommitTrans()) {
    const Error why = failure_;
    RollbackTrans();
    SetFailure(why);
    added->clear();
    return false;
  }
  return true;
}

bool Connection::Create(const QString& path) {
  Close();
  path_ = path;
  LoadSchemaResource();
  QFile schema(QStringLiteral(":/db/schema.sql"));
  if (!schema.open(QIODevice::ReadOnly)) {
    SetError(QStringLiteral("Skema database tidak dapat dibaca"));
    return false;
  }
  const QByteArray ddl = schema.readAll();
  sqlite3* h = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    SetError(h ? QString::fromUtf8(sqlite3_errmsg(h)) : QStringLiteral("out of memory"));
    sqlite3_close_v2(h);
    return false;
  }
  db_ = h;
  if (QString why; !MakeDurable(db_, &why)) {
    SetError(KindOf(db_), why);
    Close();
    return false;
  }
  sqlite3_busy_timeout(db_, busyTimeoutMs());
  char* msg = nullptr;
  const QByteArray script = "BEGIN;\n" + ddl + "\nCOMMIT;";
  rc = sqlite3_exec(db_, script.constData(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    SetError(QString::fromUtf8(msg ? msg : "gagal membuat tabel"));
    sqlite3_free(msg);
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    Close();
    return false;
  }
  return true;
}

bool Connection::LoadTable(const QString& table) {
  const QString key = table.toLower();
  if (tables_.contains(key)) return true;
  if (!db_) return false;
  TableInfo info;
  sqlite3_stmt* st = nullptr;
  const QByteArray q = "PRAGMA table_info(" + Quote(table).toUtf8() + ")";
  if (sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr) != SQLITE_OK) return false;
  while (sqlite3_step(st) == SQLITE_ROW) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))).toUpper();
    info.columns << name;
    if (type.contains(QLatin1String("INT"))) info.integers.insert(name.toLower());
  }
  sqlite3_finalize(st);
  if (info.columns.isEmpty()) return false;
  tables_.insert(key, info);
  return true;
}

const QSet<QString>& Connection::IntegerColumns(const QString& table) {
  static const QSet<QString> none;
  if (!LoadTable(table)) return none;
  return tables_[table.toLower()].integers;
}

QStringList Connection::Columns(const QString& table) {
  if (!LoadTable(table)) return {};
  return tables_[table.toLower()].columns;
}

namespace {

// The statement's tokens without blanks and comments, with the questions the
// translation asks of them.
class Reader {
 public:
  Reader(const QString& text, const QList<Token>& tokens) : s_(text), tk_(tokens) {
    for (int k = 0; k < tk_.size(); ++k)
      if (tk_[k].kind != Token::Blank && tk_[k].kind != Token::Comment) ix_.append(k);
  }
  int size() const { return int(ix_.size()); }
  int index(int p) const { return ix_[p]; }
  const Token* at(int p) const { return p >= 0 && p < size() ? &tk_[ix_[p]] : nullptr; }
  bool is(int p, const char* keyword) const {
    const Token* t = at(p);
    return t && t->kind == Token::Word && QStringView(s_).mid(t->start, t->len).compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
  }
  bool punct(int p, char ch) const {
    const Token* t = at(p);
    return t && t->kind == Token::Punct && s_[t->start] == QLatin1Char(ch);
  }
  bool text(int p) const { return at(p) && at(p)->kind == Token::Text; }
  // A table or column name at p, qualified or not (a.b, [a].[b]): its last
  // part, with p moved past it. Empty (p unmoved) when there is none.
  QString name(int& p) const {
    QString last = part(p);
    if (last.isEmpty()) return last;
    ++p;
    while (punct(p, '.') && !part(p + 1).isEmpty()) {
      last = part(p + 1);
      p += 2;
    }
    return last;
  }

 private:
  QString part(int p) const {
    const Token* t = at(p);
    if (!t) return QString();
    if (t->kind == Token::Name) return t->value;
    return t->kind == Token::Word ? s_.mid(t->start, t->len) : QString();
  }
  const QString& s_;
  const QList<Token>& tk_;
  QList<int> ix_;
};

// A number written as text for a whole-number column: blanks around it are
// ignored and an empty text is 0. Anything else, or a number too large to be
// stored exactly, is refused, so that text never lands in an amount column.
bool TextToInteger(const QString& text, qint64* v) {
  const QString t = text.trimmed();
  if (t.isEmpty()) {
    *v = 0;
    return true;
  }
  bool ok = false;
  *v = t.toLongLong(&ok);
  return ok;
}

}  // namespace

bool Connection::CoerceNumbers(const QString& jet, const QList<Token>& tk, QHash<int, QString>* replace) {
  const Reader r(jet, tk);
  QList<QPair<int, QString>> targets;  // (position of a text literal, its column)
  QString table;
  if (r.is(0, "INSERT") && r.is(1, "INTO")) {
    int p = 2;
    table = r.name(p);
    QStringList cols;
    if (r.punct(p, '(')) {
      ++p;
      while (p < r.size() && !r.punct(p, ')')) {
        const QString c = r.name(p);
        if (c.isEmpty())
          ++p;
        else
          cols << c;
      }
      ++p;
    } else {
      cols = Columns(table);
    }
    if (r.is(p, "VALUES") && r.punct(p + 1, '(')) {
      p += 2;
      int idx = 0, depth = 0, valStart = p;
      for (; p < r.size(); ++p) {
        if (r.punct(p, '(')) {
          ++depth;
        } else if (r.punct(p, ')') && depth > 0) {
          --depth;
        } else if (depth == 0 && (r.punct(p, ',') || r.punct(p, ')'))) {
          if (p - valStart == 1 && r.text(valStart) && idx < cols.size()) targets.append({valStart, cols[idx]});
          ++idx;
          valStart = p + 1;
          if (r.punct(p, ')')) break;
        }
      }
    }
  } else if (r.is(0, "UPDATE")) {
    int p = 1;
    table = r.name(p);
    if (r.is(p, "SET")) {
      ++p;
      while (p < r.size()) {
        const QString col = r.name(p);
        if (col.isEmpty() || !r.punct(p, '=')) break;
        const int v = ++p;
        int depth = 0;
        while (p < r.size()) {
          if (r.punct(p, '('))
            ++depth;
          else if (r.punct(p, ')'))
            --depth;
          else if (depth == 0 && (r.punct(p, ',') || r.is(p, "WHERE")))
            break;
          ++p;
        }
        if (p - v == 1 && r.text(v)) targets.append({v, col});
        if (!r.punct(p, ',')) break;
        ++p;
      }
    }
  }
  if (targets.isEmpty()) return true;
  const QSet<QString>& ints = IntegerColumns(table);
  for (const auto& [p, col] : targets) {
    if (!ints.contains(col.toLower())) continue;
    const Token* t = r.at(p);
    qint64 v = 0;
    if (!TextToInteger(t->value, &v)) {
      SetError(QStringLiteral("Nilai %1 untuk kolom %2 bukan angka").arg(jet.mid(t->start, t->len), col));
      return false;
    }
    replace->insert(r.index(p), QString::number(v));
  }
  return true;
}

bool Connection::Prepare(const QString& jetSql, QString* out, QString* oneTable) {
  QList<Token> tk;
  QString why;
  if (!ReadStatement(jetSql, &tk, &why)) {
    SetError(why);
    return false;
  }
  QHash<int, QString> replace;
  if (!CoerceNumbers(jetSql, tk, &replace)) return false;
  if (oneTable) {
    // SELECT * FROM T [WHERE ... | ORDER BY ...]: a query whose rows can be
    // changed and added to; the row id lets an edit find its row again.
    oneTable->clear();
    const Reader r(jetSql, tk);
    int p = 3;
    if (r.is(0, "SELECT") && r.punct(1, '*') && r.is(2, "FROM")) {
      const QString t = r.name(p);
      if (!t.isEmpty() && (p >= r.size() || r.is(p, "WHERE") || r.is(p, "ORDER") || r.punct(p, ';'))) {
        *oneTable = t;
        replace.insert(r.index(1), QStringLiteral("rowid, *"));
      }
    }
  }
  *out = WriteSqlite(jetSql, tk, replace);
  return true;
}

sqlite3_stmt* Connection::PrepareOne(const QString& sql) {
  if (!db_) {
    SetError(QStringLiteral("Koneksi database belum terbuka"));
    return nullptr;
  }
  const QByteArray utf8 = sql.toUtf8();
  const char* const end = utf8.constData() + utf8.size();
  const char* tail = nullptr;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, &tail) != SQLITE_OK) {
    TakeSqliteError();
    return nullptr;
  }
  if (!st) {
    SetError(QStringLiteral("Perintah database kosong"));
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
      SetError(QStringLiteral("Teks perintah berisi lebih dari satu perintah; tidak ada yang dijalankan"));
      return nullptr;
    }
    if (!after || after == tail) break;
    tail = after;
  }
  return st;
}

bool Connection::Execute(const QString& jetSql, int* rowsAffected) {
  if (Run(jetSql, rowsAffected)) return true;
  failure_.statement = jetSql;
  return false;
}

bool Connection::Run(const QString& jetSql, int* rowsAffected) {
  if (!db_) {
    SetError(QStringLiteral("Koneksi database belum terbuka"));
    return false;
  }
  QString sql;
  if (!Prepare(jetSql, &sql) || !WriteAllowed()) return false;
  sqlite3_stmt* st = PrepareOne(sql);
  if (!st) return false;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) TakeSqliteError();
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) return false;
  if (rowsAffected) *rowsAffected = sqlite3_changes(db_);
  return true;
}

bool Connection::BeginTrans() {
  if (!db_) {
    SetError(QStringLiteral("Koneksi database belum terbuka"));
    return false;
  }
  if (!WriteAllowed()) return false;
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    TakeSqliteError();
    return false;
  }
  return true;
}

bool Connection::CommitTrans() {
  if (!db_) return false;
  if (!FileStillHere()) {
    const Error why = failure_;
    RollbackTrans();
    SetFailure(why);
    return false;
  }
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    TakeSqliteError();
    return false;
  }
  return true;
}

bool Connection::RollbackTrans() {
  if (!db_) return false;
  if (sqlite3_get_autocommit(db_)) return true;  // nothing open
  if (sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK) {
    TakeSqliteError();
    return false;
  }
  return true;
}

bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

}  // namespace db
