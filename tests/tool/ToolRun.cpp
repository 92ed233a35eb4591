#include "ToolRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include "db/Recordset.h"

namespace tooltest {

QString toolProgram() {
  const QString program = qEnvironmentVariable("MERAPU_TOOL");
  return program.isEmpty() ? QCoreApplication::applicationDirPath() + "/merapu-db" : program;
}

ToolResult runTool(const QStringList& args) {
  const QString program = toolProgram();
  QProcess p;
  p.start(program, args);
  ToolResult r;
  if (!p.waitForStarted(10000)) {
    r.err = "could not start " + program;
    return r;
  }
  p.closeWriteChannel();
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    r.err = "timed out";
    return r;
  }
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
  r.err = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

db::ConnectionPtr openDb(const QString& path) {
  auto conn = std::make_shared<db::Connection>();
  if (!conn->Open(path)) {
    qWarning("cannot open %s: %s", qPrintable(path), qPrintable(conn->LastError()));
    return nullptr;
  }
  return conn;
}

int count(const db::ConnectionPtr& conn, const QString& sql) {
  db::Recordset rs;
  if (!rs.Open(sql, conn)) {
    qWarning("query failed: %s: %s", qPrintable(sql), qPrintable(rs.LastError()));
    return -1;
  }
  return rs.RecordCount();
}

}  // namespace tooltest
