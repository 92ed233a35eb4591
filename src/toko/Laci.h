#pragma once
// The cash drawer opened without a sale: each opening is written down
// (LogLaci) for the day's close. It moves no money and no stock.
#include <QDate>
#include <QString>
#include <QTime>
#include <functional>

#include "db/Connection.h"
#include "db/Error.h"

namespace toko {

inline const QString TabelLaci = QStringLiteral("LogLaci");

struct BukaLaci {
  QDate tanggal;
  QTime jam;
  QString user;   // UserID
  QString kassa;  // the till it was opened at
  QString alasan;
};

// Whether the database has LogLaci (an older file gets it from the upgrade).
bool AdaCatatanLaci(const db::ConnectionPtr& c);

struct HasilLaci {
  db::Error error;     // the store's failure; nothing written then
  bool dibuka = false;  // `buka` said the drawer opened
  bool ok() const { return !error.failed() && dibuka; }
};

// Writes the opening and calls `buka`, which opens the drawer, inside one
// transaction: the row is kept only when the drawer opened, so the record
// never shows an opening that did not happen.
HasilLaci CatatBukaLaci(const db::ConnectionPtr& c, const BukaLaci& laci, const std::function<bool()>& buka);

}  // namespace toko
