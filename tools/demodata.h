#pragma once
// A small believable shop for trying the program out: groups, products,
// stock items, suppliers, customers, a cashier, and some weeks of sales,
// purchases and cash-ledger entries ending on a given day.
#include <QDate>
#include <QString>

namespace db {
class Connection;
}

namespace demodata {

// The logins of a demo database (documented in the tool's help).
inline const char* const kAdminId = "admin";
inline const char* const kAdminPassword = "admin";
inline const char* const kAdminName = "ADMINISTRATOR";
inline const char* const kKasirId = "kasir";
inline const char* const kKasirPassword = "kasir";
inline const char* const kKasirName = "SITI RAHAYU";

// How many days of trade the demo holds, the last one being `lastDay`.
inline constexpr int kDays = 35;

struct Summary {
  int groups = 0, products = 0, items = 0, barcodes = 0, suppliers = 0, customers = 0;
  int sales = 0, purchases = 0, ledger = 0;
};

// Writes the demo rows on `conn` (the caller holds the transaction). The
// ADMIN user `adminId` must already exist; it is the one who buys goods and
// sometimes sells. The cashier kasir/kasir is added here. Rows are made the
// way the program's own screens make them: a sale lowers the stock of its
// items, a purchase raises it and sets the buying price. The same lastDay
// always gives the same rows. Returns false with *error on the first
// statement that fails.
bool Fill(db::Connection& conn, const QDate& lastDay, const QString& adminId, Summary* summary,
          QString* error);

}  // namespace demodata
