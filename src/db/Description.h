#pragma once
// Where the shop's database is and which engine keeps it. Made in one place
// (ShopDatabase) and handed to whoever opens, copies or checks the store.
#include <QString>

namespace db {

struct Description {
  enum class Kind {
    File,  // one database file (SQLite)
  };
  Kind kind = Kind::File;
  QString path;  // the database file

  static Description File(const QString& path) { return {Kind::File, path}; }
  bool IsFile() const { return kind == Kind::File; }
  // What messages name: the file.
  QString Target() const { return path; }
  bool operator==(const Description&) const = default;
};

// The shop's database: ZovaDavezuZi.mdb in the program's folder, unless
// another was set (a test's own file).
Description ShopDatabase();
// Points ShopDatabase elsewhere; an empty description goes back to the file
// beside the program.
void SetShopDatabase(const Description& d);
// The file name of the shop's database.
inline constexpr const char* kShopFileName = "ZovaDavezuZi.mdb";

}  // namespace db
