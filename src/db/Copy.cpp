#include "db/Copy.h"

#include "db/SqliteEngine.h"
#include "db/Sql.h"
#include "db/Transaction.h"

namespace db {

namespace {

// The rows of a table in the order they were stored: the file's rowid, the
// server's hidden key, or the primary key.
QString InOrder(Connection& c, const QString& table) {
  if (c.Dialect() == db::Dialect::Sqlite) return QStringLiteral(" ORDER BY rowid");
  const QStringList key = c.KeyColumns(table);
  return QStringLiteral(" ORDER BY ") + (key.isEmpty() ? QString::fromLatin1(kHiddenKey) : key.join(QLatin1Char(',')));
}

bool Scalar(Connection& c, const QString& sql, qint64* v) {
  QStringList rows;
  if (!c.QueryRaw(sql, &rows)) return false;
  *v = rows.value(0).toLongLong();
  return true;
}

}  // namespace

QStringList ShopTables(Connection& c) {
  QStringList out;
  for (const auto& ref : SchemaReference()) out << ref.first;
  // The tables that came later, where this database has them.
  for (const QString& later : LaterTables())
    if (c.HasTable(later)) out << later;
  return out;
}

bool Tally(Connection& c, QList<TableTally>* out) {
  out->clear();
  for (const QString& table : ShopTables(c)) {
    TableTally t;
    t.table = table;
    if (!Scalar(c, QStringLiteral("SELECT count(*) FROM ") + t.table, &t.rows)) return false;
    for (const QString& col : c.Columns(t.table)) {
      if (!c.IntegerColumns(t.table).contains(col.toLower())) continue;
      qint64 sum = 0;
      if (!Scalar(c, QStringLiteral("SELECT COALESCE(sum(%1), 0) FROM %2").arg(col, t.table), &sum)) return false;
      t.sums.append({col.toLower(), sum});
    }
    out->append(t);
  }
  return true;
}

bool IsEmptyShop(Connection& c, bool* empty) {
  *empty = true;
  for (const QString& table : ShopTables(c)) {
    qint64 n = 0;
    if (!Scalar(c, QStringLiteral("SELECT count(*) FROM ") + table, &n)) return false;
    if (n > 0) *empty = false;
  }
  return true;
}

bool CopyShop(Connection& from, Connection& to, QList<TableTally>* tally, QString* why) {
  auto fail = [&](const Connection& c) {
    *why = c.Failure().target + QStringLiteral(": ") + c.LastError();
    return false;
  };
  bool empty = false;
  if (!IsEmptyShop(to, &empty)) return fail(to);
  if (!empty) {
    *why = QStringLiteral("%1 sudah berisi data; salinan hanya ke database yang kosong").arg(to.Where().Target());
    return false;
  }
  // The source is read in one transaction too, so that a till selling
  // meanwhile cannot make the two sides differ.
  Transaction read(from);
  if (!read.ok()) return fail(from);
  Transaction write(to);
  if (!write.ok()) return fail(to);
  const QStringList tables = ShopTables(from);
  const QStringList targets = ShopTables(to);
  for (const QString& table : tables)
    if (!targets.contains(table)) {
      *why = QStringLiteral("%1 belum memuat tabel %2; jalankan dulu merapu-db upgrade padanya")
                 .arg(to.Where().Target(), table);
      return false;
    }
  for (const QString& table : tables) {
    const QStringList cols = from.Columns(table);
    QStringList marks;
    for (int i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
    const std::unique_ptr<Statement> src =
        from.Compile(QStringLiteral("SELECT ") + cols.join(QLatin1Char(',')) + QStringLiteral(" FROM ") + table +
                     InOrder(from, table));
    if (!src) return fail(from);
    const std::unique_ptr<Statement> dst = to.Compile(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                          .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    if (!dst) return fail(to);
    while (src->Next()) {
      for (int c = 0; c < int(cols.size()); ++c) {
        switch (src->TypeAt(c)) {
          case Statement::Type::Null: dst->BindNull(c + 1); break;
          case Statement::Type::Integer: dst->BindInt(c + 1, src->IntAt(c)); break;
          case Statement::Type::Real: dst->BindReal(c + 1, src->RealAt(c)); break;
          case Statement::Type::Text: dst->BindText(c + 1, QString::fromUtf8(src->TextAt(c))); break;
        }
      }
      dst->Next();
      if (dst->Failed()) {
        to.TakeEngineError();
        return fail(to);
      }
      dst->Reset();
    }
    if (src->Failed()) {
      from.TakeEngineError();
      return fail(from);
    }
  }
  QList<TableTally> there, here;
  if (!Tally(from, &there)) return fail(from);
  if (!Tally(to, &here)) return fail(to);
  for (const TableTally& a : std::as_const(there)) {
    TableTally b;
    for (const TableTally& h : std::as_const(here))
      if (h.table == a.table) b = h;
    if (b == a) continue;
    *why = QStringLiteral("Salinan tabel %1 tidak sama dengan aslinya (%2 baris, aslinya %3); tidak ada yang disimpan")
               .arg(a.table)
               .arg(b.rows)
               .arg(a.rows);
    return false;
  }
  if (!write.Commit()) return fail(to);
  read.Rollback();
  *tally = there;
  return true;
}

}  // namespace db
