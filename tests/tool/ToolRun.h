#pragma once
// Running the built database tool and reading what it made.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "db/Connection.h"
#include "db/Description.h"

namespace tooltest {

struct ToolResult {
  int exitCode = -1;
  QString out, err;
  QStringList outLines() const { return out.split('\n', Qt::SkipEmptyParts); }
  QStringList errLines() const { return err.split('\n', Qt::SkipEmptyParts); }
};

// The built merapu-db: MERAPU_TOOL, else beside the test program.
QString toolProgram();

// Runs merapu-db with its input a closed pipe, as from a script; in workDir
// when one is given.
ToolResult runTool(const QStringList& args, const QString& workDir = QString());

// The database opened the way the program opens it; null (with a warning) if
// it does not open.
db::ConnectionPtr openDb(const db::Description& where);
inline db::ConnectionPtr openDb(const QString& path) { return openDb(db::Description::File(path)); }

// Rows of a query.
int count(const db::ConnectionPtr& conn, const QString& sql);

// A database on the server as the tool takes it.
QString urlOf(const db::Description& where);

// Where a case has the tool make a new shop: a file in a folder of its own,
// or, when the tests run on a server, a database the server does not have
// yet, dropped with this object.
class NewShop {
 public:
  explicit NewShop(const QString& fileName = QStringLiteral("ZovaDavezuZi.mdb"));
  ~NewShop();
  NewShop(const NewShop&) = delete;
  NewShop& operator=(const NewShop&) = delete;
  db::Description where() const { return where_; }
  // How the tool names it: the path, or the server's URL.
  QString target() const;
  // What create takes for it: PATH, or --server URL.
  QStringList createArgs() const;
  QString folder() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  db::Description where_;
};

// When the tests run on a server, a database there with the shop's empty
// tables, dropped with this object (with the one a restore into it kept
// aside, when named); on the file, nothing.
struct ServerScratch {
  ServerScratch();
  ~ServerScratch();
  ServerScratch(const ServerScratch&) = delete;
  ServerScratch& operator=(const ServerScratch&) = delete;
  db::Description where;
  QString kept;
};

// The databases on the server whose names begin with `prefix`.
QStringList serverDatabases(const db::Description& server, const QString& prefix);

}  // namespace tooltest
