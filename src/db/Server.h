#pragma once
// What the tool and the tests ask of a database server beyond a shop's own
// statements: databases made and dropped, and who else is connected.
#include <QString>

#include "db/Description.h"

namespace db {

// Makes database `name` on the server of `server` (as a copy of `templ` when
// given); false with *why.
bool CreateDatabase(const Description& server, const QString& name, const QString& templ, QString* why);
// Drops database `name`, ending whoever is still connected to it.
bool DropDatabase(const Description& server, const QString& name, QString* why);
// How many other connections the database of d has (another till); -1 with
// *why when the server could not say.
int OtherSessions(const Description& d, QString* why);

}  // namespace db
