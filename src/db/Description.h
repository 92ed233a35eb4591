#pragma once
// Where the shop's database is and which engine keeps it. Made in one place
// (ShopDatabase) and handed to whoever opens, copies or checks the store.
#include <QString>

namespace db {

struct Description {
  enum class Kind {
    File,    // one database file (SQLite)
    Server,  // a database on a PostgreSQL server
  };
  Kind kind = Kind::File;
  QString path;  // the database file
  // The server's database: host (a name, an address or a socket folder),
  // port, database, user and the password file libpq reads (empty: its own
  // ~/.pgpass); a password written in the settings file itself.
  QString host;
  int port = 0;
  QString dbname;
  QString user;
  QString passfile;
  QString password;
  // Where the program keeps this server database's dumps ([database] backup;
  // empty: the folder backup beside the program).
  QString backups;
  // Why the settings that named this store were refused (empty when they
  // were not): opening such a store fails with this reason.
  QString refused;

  static Description File(const QString& path) {
    Description d;
    d.path = path;
    return d;
  }
  // postgresql://[user@]host[:port]/dbname, or host=... dbname=... words.
  // False with *why when the text names no database.
  static bool FromUrl(const QString& url, Description* out, QString* why);
  bool IsFile() const { return kind == Kind::File; }
  bool IsServer() const { return kind == Kind::Server; }
  // What messages name: the file, or the server and its database.
  QString Target() const;
  // The same server with another database on it.
  Description OtherDatabase(const QString& name) const;
  bool operator==(const Description&) const = default;
};

// Whether a tool's argument names a server rather than a file.
bool IsServerUrl(const QString& text);

// The store a till's settings file names: its [database] section, with
// engine=postgresql (and host, port, dbname, user, passfile or password), or
// no section (the file beside the program). A settings file that keeps a
// password and can be read by others is refused: the description then carries
// the reason. *kasir gets the till's name from [kasir] nama.
Description StoreFromSettings(const QString& iniPath, const QString& fileBeside, QString* kasir = nullptr);
// merapu.ini in the program's folder.
QString SettingsFile();
// The till's name from the settings file ("KASIR-1"); empty when none is set.
QString TillName();

// The shop's database: the one merapu.ini names, else ZovaDavezuZi.mdb in
// the program's folder, unless another was set (a test's own).
Description ShopDatabase();
// Points ShopDatabase elsewhere; an empty description goes back to the
// settings file and the file beside the program.
void SetShopDatabase(const Description& d);
// The file name of the shop's database.
inline constexpr const char* kShopFileName = "ZovaDavezuZi.mdb";

}  // namespace db
