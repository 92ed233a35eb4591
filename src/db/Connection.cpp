#include "db/Connection.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "db/Sql.h"

// The schema is built into the store's library; a static library registers
// its resources only when asked.
static void LoadSchemaResource() { Q_INIT_RESOURCE(db); }

namespace db {

Connection::Connection() = default;
Connection::~Connection() { Close(); }

void Connection::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  tables_.clear();
}

static QString SqliteError(sqlite3* db) {
  return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("database tidak terbuka");
}

bool Connection::Open(const QString& path) {
  Close();
  path_ = path;
  QFileInfo fi(path);
  if (!fi.exists() || !fi.isFile()) {
    error_ = QStringLiteral("File database tidak ditemukan: %1").arg(path);
    return false;
  }
  sqlite3* h = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    error_ = SqliteError(h);
    sqlite3_close_v2(h);
    return false;
  }
  db_ = h;
  sqlite3_busy_timeout(db_, 3000);
  // A file that is not a database, or one that another program holds locked,
  // fails here; a database without our tables is not ours either.
  sqlite3_stmt* st = nullptr;
  rc = sqlite3_prepare_v2(db_, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                               "('Grup','Produk','Barang','Pengguna','Penjualan')",
                          -1, &st, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_step(st);
  const int found = rc == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
  sqlite3_finalize(st);
  if (rc != SQLITE_ROW) {
    error_ = SqliteError(db_);
    Close();
    return false;
  }
  if (found < 5) {
    error_ = QStringLiteral("File bukan database program ini: %1").arg(path);
    Close();
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
    error_ = QStringLiteral("Skema database tidak dapat dibaca");
    return false;
  }
  const QByteArray ddl = schema.readAll();
  sqlite3* h = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    error_ = SqliteError(h);
    sqlite3_close_v2(h);
    return false;
  }
  db_ = h;
  char* msg = nullptr;
  const QByteArray script = "BEGIN;\n" + ddl + "\nCOMMIT;";
  rc = sqlite3_exec(db_, script.constData(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    error_ = QString::fromUtf8(msg ? msg : "gagal membuat tabel");
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

struct Token {
  enum Kind { Word, String, Number, Punct } kind;
  int start;
  int len;
};

// Splits SQLite text into words, string literals, numbers and punctuation.
QList<Token> Tokenize(const QString& s) {
  QList<Token> out;
  const int n = int(s.size());
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    if (c.isSpace()) { ++i; continue; }
    if (c == QLatin1Char('\'')) {
      int j = i + 1;
      while (j < n) {
        if (s[j] == QLatin1Char('\'')) {
          if (j + 1 < n && s[j + 1] == QLatin1Char('\'')) { j += 2; continue; }
          break;
        }
        ++j;
      }
      out.append({Token::String, i, qMin(j, n - 1) - i + 1});
      i = j + 1;
    } else if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('[')) {
      int j = i;
      if (c == QLatin1Char('[')) {
        j = int(s.indexOf(QLatin1Char(']'), i));
        j = j < 0 ? n : j + 1;
      } else {
        while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_'))) ++j;
      }
      out.append({Token::Word, i, j - i});
      i = j;
    } else if (c.isDigit()) {
      int j = i;
      while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.'))) ++j;
      out.append({Token::Number, i, j - i});
      i = j;
    } else {
      out.append({Token::Punct, i, 1});
      ++i;
    }
  }
  return out;
}

QString Unquote(const QString& lit) {
  QString v = lit.mid(1, lit.size() - 2);
  v.replace(QLatin1String("''"), QLatin1String("'"));
  return v;
}

QString Ident(const QString& w) {
  QString x = w;
  if (x.startsWith(QLatin1Char('['))) x = x.mid(1, x.size() - 2);
  const int dot = int(x.lastIndexOf(QLatin1Char('.')));
  return dot >= 0 ? x.mid(dot + 1) : x;
}

}  // namespace

// A number written as text for a whole-number column: blanks around it are
// ignored and an empty text is 0. Anything else is refused, so that text never
// lands in an amount column.
static bool TextToInteger(const QString& text, qint64* v) {
  const QString t = text.trimmed();
  if (t.isEmpty()) { *v = 0; return true; }
  bool ok = false;
  *v = t.toLongLong(&ok);
  return ok;
}

bool Connection::Prepare(const QString& jetSql, QString* out) {
  QString s;
  if (!TranslateJet(jetSql, &s, &error_)) return false;
  const QList<Token> tk = Tokenize(s);
  auto word = [&](int k) { return k < tk.size() && tk[k].kind == Token::Word ? s.mid(tk[k].start, tk[k].len) : QString(); };
  auto punct = [&](int k, char ch) { return k < tk.size() && tk[k].kind == Token::Punct && s[tk[k].start] == QLatin1Char(ch); };

  // (token index of a string literal, column name) pairs to coerce.
  QList<QPair<int, QString>> targets;
  QString table;
  if (word(0).compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0 &&
      word(1).compare(QLatin1String("INTO"), Qt::CaseInsensitive) == 0) {
    table = Ident(word(2));
    int k = 3;
    QStringList cols;
    if (punct(k, '(')) {
      ++k;
      while (k < tk.size() && !punct(k, ')')) {
        if (tk[k].kind == Token::Word) cols << Ident(word(k));
        ++k;
      }
      ++k;
    } else {
      cols = Columns(table);
    }
    if (word(k).compare(QLatin1String("VALUES"), Qt::CaseInsensitive) == 0 && punct(k + 1, '(')) {
      k += 2;
      int idx = 0;
      int depth = 0;
      int valStart = k;
      for (; k < tk.size(); ++k) {
        if (punct(k, '(')) ++depth;
        else if (punct(k, ')') && depth > 0) --depth;
        else if (depth == 0 && (punct(k, ',') || punct(k, ')'))) {
          if (k - valStart == 1 && tk[valStart].kind == Token::String && idx < cols.size())
            targets.append({valStart, cols[idx]});
          ++idx;
          valStart = k + 1;
          if (punct(k, ')')) break;
        }
      }
    }
  } else if (word(0).compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) == 0 &&
             word(2).compare(QLatin1String("SET"), Qt::CaseInsensitive) == 0) {
    table = Ident(word(1));
    int k = 3;
    while (k + 2 < tk.size()) {
      if (tk[k].kind != Token::Word || !punct(k + 1, '=')) break;
      const QString col = Ident(word(k));
      const bool single = tk[k + 2].kind == Token::String &&
                          (k + 3 >= tk.size() || punct(k + 3, ',') ||
                           word(k + 3).compare(QLatin1String("WHERE"), Qt::CaseInsensitive) == 0);
      if (single) targets.append({k + 2, col});
      // skip to the next assignment
      int j = k + 2;
      int depth = 0;
      while (j < tk.size()) {
        if (punct(j, '(')) ++depth;
        else if (punct(j, ')')) --depth;
        else if (depth == 0 && punct(j, ',')) break;
        else if (depth == 0 && word(j).compare(QLatin1String("WHERE"), Qt::CaseInsensitive) == 0) break;
        ++j;
      }
      if (j >= tk.size() || !punct(j, ',')) break;
      k = j + 1;
    }
  }
  if (!targets.isEmpty()) {
    const QSet<QString>& ints = IntegerColumns(table);
    // Replace from the back so earlier positions stay valid.
    for (int t = int(targets.size()) - 1; t >= 0; --t) {
      const Token& tok = tk[targets[t].first];
      if (!ints.contains(targets[t].second.toLower())) continue;
      const QString lit = s.mid(tok.start, tok.len);
      qint64 v = 0;
      if (!TextToInteger(Unquote(lit), &v)) {
        error_ = QStringLiteral("Nilai %1 untuk kolom %2 bukan angka").arg(lit, targets[t].second);
        return false;
      }
      s.replace(tok.start, tok.len, QString::number(v));
    }
  }
  *out = s;
  return true;
}

bool Connection::Execute(const QString& jetSql, int* rowsAffected) {
  if (!db_) {
    error_ = QStringLiteral("Koneksi database belum terbuka");
    return false;
  }
  QString sql;
  if (!Prepare(jetSql, &sql)) return false;
  const QByteArray utf8 = sql.toUtf8();
  const char* tail = utf8.constData();
  int changes = 0;
  while (tail && *tail) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, tail, -1, &st, &tail) != SQLITE_OK) {
      error_ = SqliteError(db_);
      return false;
    }
    if (!st) break;  // only blanks or a comment left
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {}
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
      error_ = SqliteError(db_);
      return false;
    }
    changes += sqlite3_changes(db_);
  }
  if (rowsAffected) *rowsAffected = changes;
  return true;
}

bool Connection::BeginTrans() {
  if (!db_) return false;
  if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error_ = SqliteError(db_);
    return false;
  }
  return true;
}

bool Connection::CommitTrans() {
  if (!db_) return false;
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error_ = SqliteError(db_);
    return false;
  }
  return true;
}

bool Connection::RollbackTrans() {
  if (!db_) return false;
  if (sqlite3_get_autocommit(db_)) return true;  // nothing open
  if (sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error_ = SqliteError(db_);
    return false;
  }
  return true;
}

bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

}  // namespace db
