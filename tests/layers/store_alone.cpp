// layer: db
// The store builds on its own headers and QtCore alone.
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/Sql.h"

int probe_store_alone() { return db::Quote(QStringLiteral("x")).size(); }
