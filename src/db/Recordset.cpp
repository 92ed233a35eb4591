#include "db/Recordset.h"

#include <sqlite3.h>

#include "db/Sql.h"

namespace db {

bool Recordset::Open(const QString& jetSql, ConnectionPtr conn) {
  Close();
  conn_ = std::move(conn);
  source_ = jetSql;
  table_.clear();
  failure_ = Error();
  if (!conn_ || !conn_->IsOpen()) return Refuse(QStringLiteral("Koneksi database belum terbuka"));
  QString sql;
  if (!conn_->Prepare(jetSql, &sql, &table_)) return Fail();
  sqlite_ = sql;
  if (!Run()) return false;
  open_ = true;
  return true;
}

void Recordset::Close() {
  open_ = false;
  names_.clear();
  lowerNames_.clear();
  cells_.clear();
  arena_.clear();
  rowids_.clear();
  rowCount_ = 0;
  pos_ = -1;
  editMode_ = None;
  pending_.clear();
}

bool Recordset::Fail() {
  failure_ = conn_->Failure();
  if (failure_.statement.isEmpty()) failure_.statement = source_;
  return false;
}

bool Recordset::Refuse(const QString& why) {
  failure_ = Error();
  failure_.kind = Error::Kind::Other;
  failure_.message = why;
  failure_.statement = source_;
  return false;
}

bool Recordset::Run() {
  sqlite3_stmt* st = conn_->PrepareOne(sqlite_);
  if (!st) return Fail();
  const int total = sqlite3_column_count(st);
  const int first = table_.isEmpty() ? 0 : 1;  // column 0 is the row id
  names_.clear();
  lowerNames_.clear();
  for (int c = first; c < total; ++c) {
    names_.push_back(QString::fromUtf8(sqlite3_column_name(st, c)));
    lowerNames_.push_back(names_.back().toLower());
  }
  const int nf = total - first;
  cells_.clear();
  arena_.clear();
  rowids_.clear();
  rowCount_ = 0;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    if (first) rowids_.push_back(sqlite3_column_int64(st, 0));
    for (int c = first; c < total; ++c) {
      Cell cell;
      switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER:
          cell.kind = Integer;
          cell.i = sqlite3_column_int64(st, c);
          break;
        case SQLITE_FLOAT:
          cell.kind = Real;
          cell.d = sqlite3_column_double(st, c);
          break;
        case SQLITE_NULL:
          break;
        default: {
          const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
          const int len = sqlite3_column_bytes(st, c);
          cell.kind = Text8;
          cell.i = arena_.size();
          cell.len = len;
          arena_.append(p, len);
        }
      }
      cells_.push_back(cell);
    }
    ++rowCount_;
  }
  if (rc != SQLITE_DONE) conn_->TakeSqliteError();
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) {
    cells_.clear();
    rowCount_ = 0;
    return Fail();
  }
  (void)nf;
  pos_ = rowCount_ > 0 ? 0 : -1;
  return true;
}

void Recordset::MoveFirst() { pos_ = rowCount_ > 0 ? 0 : -1; }
void Recordset::MoveNext() {
  if (pos_ < rowCount_) ++pos_;
}
void Recordset::MovePrevious() {
  if (pos_ >= 0) --pos_;
}
void Recordset::MoveLast() { pos_ = rowCount_ - 1; }
void Recordset::Move(int row) { pos_ = qBound(-1, row, rowCount_); }

int Recordset::FieldIndex(const QString& name) const {
  QStringView n(name);
  const int dot = int(n.lastIndexOf(QLatin1Char('.')));
  if (dot >= 0) n = n.mid(dot + 1);
  for (size_t i = 0; i < names_.size(); ++i)
    if (QStringView(names_[i]).compare(n, Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

const Recordset::Cell* Recordset::CellAt(int field) const {
  if (field < 0 || pos_ < 0 || pos_ >= rowCount_) return nullptr;
  return &cells_[size_t(pos_) * names_.size() + size_t(field)];
}

QVariant Recordset::CellValue(const Cell& c) const {
  switch (c.kind) {
    case Integer: return QVariant(c.i);
    case Real: return QVariant(c.d);
    case Text8: return QVariant(QString::fromUtf8(arena_.constData() + c.i, c.len));
    default: return QVariant();
  }
}

QVariant Recordset::Value(int i) const {
  const Cell* c = CellAt(i);
  return c ? CellValue(*c) : QVariant();
}
QVariant Recordset::Value(const QString& name) const { return Value(FieldIndex(name)); }

QString Recordset::Text(int i) const {
  const Cell* c = CellAt(i);
  if (!c) return QString();
  switch (c->kind) {
    case Integer: return QString::number(c->i);
    case Real: return QString::number(c->d, 'g', 15);
    case Text8: return QString::fromUtf8(arena_.constData() + c->i, c->len);
    default: return QString();
  }
}
QString Recordset::Text(const QString& name) const { return Text(FieldIndex(name)); }

qint64 Recordset::Int(const QString& name) const {
  const Cell* c = CellAt(FieldIndex(name));
  if (!c) return 0;
  switch (c->kind) {
    case Integer: return c->i;
    case Real: return qint64(c->d);
    case Text8: return LeadingNumber(QString::fromUtf8(arena_.constData() + c->i, c->len));
    default: return 0;
  }
}

QDate Recordset::Date(const QString& name) const {
  const QString t = Text(name);
  if (t.isEmpty()) return QDate();
  QDate d = QDate::fromString(t.left(10), Qt::ISODate);
  return d;
}

bool Recordset::IsNull(const QString& name) const {
  const Cell* c = CellAt(FieldIndex(name));
  return !c || c->kind == Null;
}

bool Recordset::Requery() {
  failure_ = Error();
  if (!conn_ || !conn_->IsOpen()) return Refuse(QStringLiteral("Koneksi database belum terbuka"));
  editMode_ = None;
  pending_.clear();
  return Run();
}

void Recordset::AddNew() {
  editMode_ = Adding;
  pending_.clear();
}

void Recordset::SetField(const QString& name, const QVariant& value) {
  if (editMode_ == None) editMode_ = Editing;
  for (auto& p : pending_)
    if (p.first.compare(name, Qt::CaseInsensitive) == 0) {
      p.second = value;
      return;
    }
  pending_.emplace_back(name, value);
}

void Recordset::CancelUpdate() {
  editMode_ = None;
  pending_.clear();
}

bool Recordset::Update() {
  if (editMode_ == None) return true;
  failure_ = Error();
  if (table_.isEmpty()) return Refuse(QStringLiteral("Data hasil query ini tidak dapat diubah"));
  if (editMode_ == Editing && (pos_ < 0 || pos_ >= rowCount_))
    return Refuse(QStringLiteral("Tidak ada baris yang sedang dipilih"));
  const QSet<QString>& ints = conn_->IntegerColumns(table_);
  const QStringList known = conn_->Columns(table_);
  QStringList cols;
  QList<QVariant> vals;
  for (const auto& [name, v] : pending_) {
    QString col;
    for (const QString& k : known)
      if (k.compare(name, Qt::CaseInsensitive) == 0) col = k;
    if (col.isEmpty()) {
      return Refuse(QStringLiteral("Kolom %1 tidak ada di tabel %2").arg(name, table_));
    }
    QVariant x = v;
    if (ints.contains(col.toLower()) && x.typeId() == QMetaType::QString) {
      const QString t = x.toString().trimmed();
      bool ok = t.isEmpty();
      const qint64 n = ok ? 0 : t.toLongLong(&ok);
      if (!ok) {
        return Refuse(QStringLiteral("Nilai '%1' untuk kolom %2 bukan angka").arg(x.toString(), col));
      }
      x = n;
    }
    cols << col;
    vals << x;
  }
  QString sql;
  if (editMode_ == Adding) {
    QStringList marks;
    for (int i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, cols.join(','), marks.join(','));
  } else {
    QStringList sets;
    for (const QString& c : cols) sets << c + QStringLiteral("=?");
    sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(table_, sets.join(','));
  }
  if (!conn_->WriteAllowed()) return Fail();
  sqlite3* db = conn_->Handle();
  sqlite3_stmt* st = conn_->PrepareOne(sql);
  if (!st) return Fail();
  int k = 1;
  for (const QVariant& v : vals) {
    if (v.isNull() || !v.isValid()) {
      sqlite3_bind_null(st, k);
    } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int ||
               v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong ||
               v.typeId() == QMetaType::Long || v.typeId() == QMetaType::Short) {
      sqlite3_bind_int64(st, k, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
      sqlite3_bind_double(st, k, v.toDouble());
    } else if (v.typeId() == QMetaType::QDate) {
      const QByteArray d = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
      sqlite3_bind_text(st, k, d.constData(), int(d.size()), SQLITE_TRANSIENT);
    } else {
      const QByteArray t = v.toString().toUtf8();
      sqlite3_bind_text(st, k, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    ++k;
  }
  const qint64 keepId = editMode_ == Editing ? rowids_[size_t(pos_)] : 0;
  if (editMode_ == Editing) sqlite3_bind_int64(st, k, keepId);
  const int rc = sqlite3_step(st);
  if (rc != SQLITE_DONE) conn_->TakeSqliteError();
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) return Fail();
  const qint64 id = editMode_ == Adding ? sqlite3_last_insert_rowid(db) : keepId;
  editMode_ = None;
  pending_.clear();
  // Read the rows again and stand on the row just stored.
  if (!Run()) return false;
  for (int r = 0; r < rowCount_; ++r)
    if (rowids_[size_t(r)] == id) {
      pos_ = r;
      return true;
    }
  pos_ = rowCount_;  // stored, but outside this query's condition
  return true;
}

}  // namespace db
