#include "db/Connection.h"

#include <QRegularExpression>
#include <algorithm>

#include "base/Number.h"

#include "db/FileCheck.h"
#include "db/Sql.h"
// The engine's own text: the schema new databases are made from.
#include "db/SqliteEngine.h"

namespace db {

namespace {
int& busyTimeoutMs() {
  static int ms = Connection::kDefaultBusyTimeoutMs;
  return ms;
}
}  // namespace

void Connection::SetBusyTimeout(int ms) { busyTimeoutMs() = ms; }
int Connection::BusyTimeout() { return busyTimeoutMs(); }

Connection::Connection() = default;
Connection::~Connection() { Close(); }

void Connection::Close() {
  kept_.clear();  // before the engine: a statement belongs to its handle
  if (engine_) engine_->Close();
  tables_.clear();
}

void Connection::SetError(Error::Kind kind, const QString& message, const QString& statement) {
  failure_.kind = kind;
  failure_.message = message;
  failure_.statement = statement;
  failure_.target = where_.Target();
}

void Connection::TakeEngineError() {
  if (!engine_) {
    SetError(Error::Kind::Other, QStringLiteral("database tidak terbuka"));
    return;
  }
  failure_ = engine_->LastError();
  failure_.target = where_.Target();
}

bool Connection::NotOpen() {
  SetError(QStringLiteral("Koneksi database belum terbuka"));
  return false;
}

std::shared_ptr<FileCheck> Connection::Check() const {
  const FileEngine* f = File();
  return f ? f->Check() : nullptr;
}

void Connection::StartEngine(const Description& where) {
  Close();
  where_ = where;
  engine_ = MakeEngine(where);
  engine_->SetBusyTimeout(busyTimeoutMs());
}

bool Connection::Schema(QString* ddl) {
  *ddl = SchemaText();
  if (!ddl->isEmpty()) return true;
  SetError(QStringLiteral("Skema database tidak dapat dibaca"));
  return false;
}

bool Connection::Open(const Description& where) {
  StartEngine(where);
  if (engine_->Open(where)) return true;
  TakeEngineError();
  return false;
}

bool Connection::Create(const Description& where) {
  Close();
  where_ = where;
  QString schema;
  if (!Schema(&schema)) return false;
  StartEngine(where);
  if (engine_->Create(where, schema)) return true;
  TakeEngineError();
  return false;
}

bool Connection::FileStillHere() {
  const FileEngine* f = File();
  if (!f || f->StillHere()) return true;
  SetError(Error::Kind::Moved, QStringLiteral("File database sudah tidak ada di tempatnya (dipindah, dihapus atau diganti), "
                          "tidak ada data yang disimpan: %1").arg(where_.path));
  return false;
}

bool Connection::WriteAllowed() {
  // Inside a transaction the file was checked at its start and is again at
  // its commit.
  if (IsOpen() && !InTransaction() && !FileStillHere()) return false;
  const std::shared_ptr<FileCheck> check = Check();
  if (!check) return true;
  QString why;
  if (check->Wait(&why)) return true;
  SetError(Error::Kind::Damaged, QStringLiteral("File database rusak, tidak ada data yang disimpan: %1").arg(why));
  return false;
}

bool Connection::AddMissingSchema(QStringList* added) {
  added->clear();
  if (!IsOpen()) return NotOpen();
  QString ddl;
  if (!Schema(&ddl)) return false;
  static const QRegularExpression index(QStringLiteral(R"(CREATE INDEX (?:IF NOT EXISTS )?(\w+) (ON [^;]+);)"));
  if (!BeginTrans()) return false;
  auto fail = [&] {
    TakeEngineError();
    const Error why = failure_;
    RollbackTrans();
    SetFailure(why);
    added->clear();
    return false;
  };
  // Tables first: some of the indexes are on them.
  for (const auto& [table, create] : LaterTableStatements()) {
    QList<Column> cols;
    if (engine_->TableColumns(table, &cols)) continue;
    if (!engine_->Execute(Dialect() == db::Dialect::Postgres ? ServerSchema(create) : create)) return fail();
    *added << table;
  }
  for (auto m = index.globalMatch(ddl); m.hasNext();) {
    const QRegularExpressionMatch i = m.next();
    bool there = false;
    if (!engine_->HasIndex(i.captured(1), &there)) return fail();
    if (there) continue;
    QString create = QStringLiteral("CREATE INDEX %1 %2").arg(i.captured(1), i.captured(2));
    if (Dialect() == db::Dialect::Postgres) create = ServerSchema(create);
    if (!engine_->Execute(create)) return fail();
    *added << i.captured(1);
  }
  if (!CommitTrans()) {
    const Error why = failure_;
    RollbackTrans();
    SetFailure(why);
    added->clear();
    return false;
  }
  tables_.clear();  // what was read of the schema before is stale now
  return true;
}

bool Connection::HasTable(const QString& table) { return LoadTable(table); }

bool Connection::LoadTable(const QString& table) {
  const QString key = table.toLower();
  if (tables_.contains(key)) return true;
  if (!IsOpen()) return false;
  QList<Column> cols;
  if (!engine_->TableColumns(table, &cols)) return false;
  TableInfo info;
  QList<QPair<int, QString>> keyed;
  for (const Column& c : std::as_const(cols)) {
    info.columns << c.name;
    if (c.integer) info.integers.insert(c.name.toLower());
    if (c.key > 0) keyed.append({c.key, c.name});
  }
  std::sort(keyed.begin(), keyed.end());
  for (const auto& k : std::as_const(keyed)) info.key << k.second;
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

QStringList Connection::KeyColumns(const QString& table) {
  if (!LoadTable(table)) return {};
  return tables_[table.toLower()].key;
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
    // Blanks around the number are ignored and an empty text is 0; anything
    // else is refused, so that text never lands in an amount column.
    if (!base::WholeText(t->value, &v)) {
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
    // changed and added to; every column of T is read, its key among them.
    oneTable->clear();
    const Reader r(jetSql, tk);
    int p = 3;
    if (r.is(0, "SELECT") && r.punct(1, '*') && r.is(2, "FROM")) {
      const QString t = r.name(p);
      if (!t.isEmpty() && (p >= r.size() || r.is(p, "WHERE") || r.is(p, "ORDER") || r.punct(p, ';'))) *oneTable = t;
    }
  }
  *out = WriteStatement(jetSql, tk, Dialect(), replace);
  return true;
}

std::unique_ptr<Statement> Connection::Compile(const QString& sql) {
  if (!IsOpen()) {
    NotOpen();
    return nullptr;
  }
  std::unique_ptr<Statement> st = engine_->Prepare(sql);
  if (!st) TakeEngineError();
  return st;
}

Statement* Connection::Kept(const QString& sql) {
  if (!IsOpen()) {
    NotOpen();
    return nullptr;
  }
  auto it = kept_.find(sql);
  if (it == kept_.end()) {
    std::unique_ptr<Statement> st = Compile(sql);
    if (!st) return nullptr;
    it = kept_.emplace(sql, std::move(st)).first;
  }
  it->second->Reset();
  return it->second.get();
}

bool Connection::Execute(const QString& jetSql, int* rowsAffected) {
  if (Run(jetSql, rowsAffected)) return true;
  failure_.statement = jetSql;
  return false;
}

bool Connection::Run(const QString& jetSql, int* rowsAffected) {
  if (!IsOpen()) return NotOpen();
  QString sql;
  if (!Prepare(jetSql, &sql) || !WriteAllowed()) return false;
  if (engine_->Execute(sql, rowsAffected)) return true;
  TakeEngineError();
  return false;
}

bool Connection::ExecRaw(const QString& sql) {
  if (!IsOpen()) return NotOpen();
  if (engine_->ExecScript(sql)) return true;
  TakeEngineError();
  return false;
}

bool Connection::QueryRaw(const QString& sql, QStringList* firstColumn) {
  firstColumn->clear();
  const std::unique_ptr<Statement> st = Compile(sql);
  if (!st) return false;
  while (st->Next())
    *firstColumn << (st->TypeAt(0) == Statement::Type::Null ? QString() : QString::fromUtf8(st->TextAt(0)));
  if (!st->Failed()) return true;
  TakeEngineError();
  firstColumn->clear();
  return false;
}

bool Connection::BeginTrans() {
  if (!IsOpen()) return NotOpen();
  if (!WriteAllowed()) return false;
  if (engine_->Begin()) return true;
  TakeEngineError();
  return false;
}

Engine::Doubt Connection::CommitInDoubt(QString* label) {
  if (label) *label = commitLabel_;
  if (!engine_) return Engine::Doubt::None;
  const Engine::Doubt d = engine_->CommitInDoubt();
  if (d == Engine::Doubt::Unknown) TakeEngineError();
  return d;
}

bool Connection::CommitTrans() {
  if (!IsOpen()) return false;
  if (!FileStillHere()) {
    const Error why = failure_;
    RollbackTrans();
    SetFailure(why);
    return false;
  }
  if (engine_->Commit()) return true;
  TakeEngineError();
  return false;
}

bool Connection::RollbackTrans() {
  if (!IsOpen()) return false;
  if (engine_->Rollback()) return true;
  TakeEngineError();
  return false;
}

Dialect Connection::Dialect() const {
  return engine_ && engine_->Kind() == Description::Kind::Server ? db::Dialect::Postgres : db::Dialect::Sqlite;
}

bool Connection::LockSeries(const QString& series) {
  if (!IsOpen()) return NotOpen();
  if (engine_->LockSeries(series)) return true;
  TakeEngineError();
  return false;
}

bool Connection::InTransaction() const { return IsOpen() && engine_->InTransaction(); }

}  // namespace db
