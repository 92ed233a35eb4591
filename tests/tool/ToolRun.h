#pragma once
// Running the built database tool and reading what it made.
#include <QString>
#include <QStringList>

#include "db/Connection.h"

namespace tooltest {

struct ToolResult {
  int exitCode = -1;
  QString out, err;
  QStringList outLines() const { return out.split('\n', Qt::SkipEmptyParts); }
  QStringList errLines() const { return err.split('\n', Qt::SkipEmptyParts); }
};

// The built merapu-db: MERAPU_TOOL, else beside the test program.
QString toolProgram();

// Runs merapu-db with its input a closed pipe, as from a script.
ToolResult runTool(const QStringList& args);

// The file opened the way the program opens it; null (with a warning) if it
// does not open.
db::ConnectionPtr openDb(const QString& path);

// Rows of a query.
int count(const db::ConnectionPtr& conn, const QString& sql);

}  // namespace tooltest
