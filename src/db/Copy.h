#pragma once
// A whole shop moved from one store to another (a file onto a server or
// back): every table of the program's schema, in one transaction on the
// target, checked before it is committed.
#include <QList>
#include <QString>
#include <QStringList>

#include "db/Connection.h"

namespace db {

struct TableTally {
  QString table;
  qint64 rows = 0;
  QList<QPair<QString, qint64>> sums;  // every whole-number column's sum
  bool operator==(const TableTally&) const = default;
};

// The tables of the shop on c: the schema's, and those that came later where
// c has them.
QStringList ShopTables(Connection& c);

// The row count and column sums of every table of the schema on c; false
// (c's failure set) when a query failed.
bool Tally(Connection& c, QList<TableTally>* out);

// Whether every table of the schema on c is empty; false when a query failed.
bool IsEmptyShop(Connection& c, bool* empty);

// Copies every row of from into to (whose tables must be empty), in one
// transaction on `to`, committed only when the row count of every table and
// the sum of every whole-number column are the same on both sides. False with
// *why when anything failed; the target is then as it was.
bool CopyShop(Connection& from, Connection& to, QList<TableTally>* tally, QString* why);

}  // namespace db
