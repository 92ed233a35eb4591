#include "ToolRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QUrl>
#include <QtTest>

#include "ServerDb.h"
#include "db/Recordset.h"
#include "db/Server.h"
#include "db/Sql.h"

namespace tooltest {

QString toolProgram() {
  const QString program = qEnvironmentVariable("MERAPU_TOOL");
  return program.isEmpty() ? QCoreApplication::applicationDirPath() + "/merapu-db" : program;
}

ToolResult runTool(const QStringList& args, const QString& workDir) {
  const QString program = toolProgram();
  QProcess p;
  if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
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

db::ConnectionPtr openDb(const db::Description& where) {
  auto conn = std::make_shared<db::Connection>();
  if (!conn->Open(where)) {
    qWarning("cannot open %s: %s", qPrintable(where.Target()), qPrintable(conn->LastError()));
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

QString urlOf(const db::Description& where) {
  if (where.IsFile()) return where.path;
  return QStringLiteral("postgresql:///%1?host=%2")
      .arg(where.dbname, QString::fromLatin1(QUrl::toPercentEncoding(where.host)));
}

namespace {
QString ScratchName(const char* what) {
  static int n = 0;
  return QStringLiteral("merapu_%1%2_%3").arg(QLatin1String(what)).arg(QCoreApplication::applicationPid()).arg(++n);
}
}  // namespace

NewShop::NewShop(const QString& fileName) {
  if (testsupport::OnServer()) {
    where_ = testsupport::ServerDatabase(ScratchName("alat"));
    QString why;
    db::DropDatabase(where_, where_.dbname, &why);  // one a killed run left
  } else {
    where_ = db::Description::File(dir_.filePath(fileName));
  }
}

NewShop::~NewShop() {
  if (where_.IsServer()) testsupport::DropServerDatabase(where_);
}

QString NewShop::target() const { return urlOf(where_); }

QStringList NewShop::createArgs() const {
  return where_.IsServer() ? QStringList{QStringLiteral("--server"), target()} : QStringList{where_.path};
}

ServerScratch::ServerScratch() {
  if (testsupport::OnServer()) where = testsupport::FreshServerDatabase();
}

ServerScratch::~ServerScratch() {
  if (!where.IsServer()) return;
  if (!kept.isEmpty()) testsupport::DropServerDatabase(where.OtherDatabase(kept));
  testsupport::DropServerDatabase(where);
}

QStringList serverDatabases(const db::Description& server, const QString& prefix) {
  db::Connection c;
  QStringList names;
  if (!c.Open(server) || !c.QueryRaw("SELECT datname FROM pg_database WHERE starts_with(datname, " +
                                         db::Quote(prefix) + ") ORDER BY datname",
                                     &names))
    qWarning("cannot list the server's databases: %s", qPrintable(c.LastError()));
  return names;
}

}  // namespace tooltest
