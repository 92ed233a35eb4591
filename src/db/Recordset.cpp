#include "db/Recordset.h"

#include "db/Sql.h"

#include "base/Number.h"

namespace db {

namespace {
// Two values of a key alike: both empty, or the same text.
bool SameValue(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  return a.toString() == b.toString();
}
}  // namespace

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
  const std::unique_ptr<Statement> st = conn_->Compile(sqlite_);
  if (!st) return Fail();
  const int total = st->ColumnCount();
  names_.clear();
  lowerNames_.clear();
  for (int c = 0; c < total; ++c) {
    names_.push_back(st->ColumnName(c));
    lowerNames_.push_back(names_.back().toLower());
  }
  cells_.clear();
  arena_.clear();
  rowCount_ = 0;
  while (st->Next()) {
    for (int c = 0; c < total; ++c) {
      Cell cell;
      switch (st->TypeAt(c)) {
        case Statement::Type::Integer:
          cell.kind = Integer;
          cell.i = st->IntAt(c);
          break;
        case Statement::Type::Real:
          cell.kind = Real;
          cell.d = st->RealAt(c);
          break;
        case Statement::Type::Null:
          break;
        case Statement::Type::Text: {
          const QByteArrayView t = st->TextAt(c);
          cell.kind = Text8;
          cell.i = arena_.size();
          cell.len = int(t.size());
          arena_.append(t.data(), t.size());
        }
      }
      cells_.push_back(cell);
    }
    ++rowCount_;
  }
  if (st->Failed()) {
    conn_->TakeEngineError();
    cells_.clear();
    rowCount_ = 0;
    return Fail();
  }
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
      qint64 n = 0;
      if (!base::WholeText(x.toString(), &n)) {
        return Refuse(QStringLiteral("Nilai '%1' untuk kolom %2 bukan angka").arg(x.toString(), col));
      }
      x = n;
    }
    cols << col;
    vals << x;
  }
  // The row is found by its primary key; a table without one by all the
  // values it was read with.
  QStringList key = conn_->KeyColumns(table_);
  if (key.isEmpty()) key = known;
  QList<QVariant> was;  // the edited row's key as read
  QStringList where;
  if (editMode_ == Editing) {
    for (const QString& k : std::as_const(key)) {
      const QVariant v = Value(k);
      if (v.isNull()) {
        where << k + QStringLiteral(" IS NULL");
      } else {
        where << k + QStringLiteral("=?");
        was << v;
      }
    }
  }
  QString sql;
  if (editMode_ == Adding) {
    QStringList marks;
    for (int i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, cols.join(','), marks.join(','));
  } else {
    QStringList sets;
    for (const QString& c : cols) sets << c + QStringLiteral("=?");
    sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table_, sets.join(','), where.join(QStringLiteral(" AND ")));
  }
  if (!conn_->WriteAllowed()) return Fail();
  const std::unique_ptr<Statement> st = conn_->Compile(sql);
  if (!st) return Fail();
  int k = 1;
  for (const QVariant& v : std::as_const(vals) + was) {
    if (v.isNull() || !v.isValid()) {
      st->BindNull(k);
    } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int ||
               v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong ||
               v.typeId() == QMetaType::Long || v.typeId() == QMetaType::Short) {
      st->BindInt(k, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
      st->BindReal(k, v.toDouble());
    } else if (v.typeId() == QMetaType::QDate) {
      st->BindText(k, v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    } else {
      st->BindText(k, v.toString());
    }
    ++k;
  }
  // The key of the row stored: the values just set, the others as read.
  QList<QVariant> stored;
  for (const QString& kc : std::as_const(key)) {
    const qsizetype i = cols.indexOf(kc);
    stored << (i >= 0 ? vals[i] : editMode_ == Editing ? Value(kc) : QVariant());
  }
  st->Next();
  if (st->Failed()) {
    conn_->TakeEngineError();
    return Fail();
  }
  editMode_ = None;
  pending_.clear();
  // Read the rows again and stand on the row just stored.
  if (!Run()) return false;
  for (int r = 0; r < rowCount_; ++r) {
    pos_ = r;
    bool same = true;
    for (int i = 0; same && i < key.size(); ++i) same = SameValue(Value(key[i]), stored[i]);
    if (same) return true;
  }
  pos_ = rowCount_;  // stored, but outside this query's condition
  return true;
}

}  // namespace db
