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

namespace db {

// A checked backup of a server's database: pg_dump's custom format written
// beside dest, restored into a scratch database on the same server whose
// row counts must equal those the dump saw, and only then given dest's name.
// False with *why; nothing is left at dest then.
bool ServerBackup(const Description& d, const QString& dest, QString* why);
// Puts a backup in the place of d's database: restored and counted in a
// scratch database first, refused while another till is connected. The
// replaced database stays on the server, renamed; its name goes into *kept.
bool ServerRestore(const QString& backup, const Description& d, const QString& stamp, QString* kept, QString* why);
// Whether a backup restores whole: restored into a scratch database on d's
// server, which is dropped again. False with *why.
bool ServerVerify(const QString& backup, const Description& d, QString* why);

}  // namespace db
