#include "TokoTest.h"

#include <QCoreApplication>
#include <QtTest>

#include "Registry.h"
#include "ServerDb.h"
#include "db/Recordset.h"

namespace tokotest {

TempDb::TempDb() : path_(dir_.filePath(QStringLiteral("ZovaDavezuZi.mdb"))) {
  if (testsupport::OnServer())
    where_ = testsupport::FreshServerDatabase();
  else if (!db::Connection().Create(path_))
    qFatal("cannot create %s", qPrintable(path_));
  conn_ = another();
}

TempDb::~TempDb() {
  conn_.reset();
  if (where_.IsServer()) testsupport::DropServerDatabase(where_);
}

db::ConnectionPtr TempDb::another() const {
  auto c = std::make_shared<db::Connection>();
  const db::Description d = where_.IsServer() ? where_ : db::Description::File(path_);
  if (!c->Open(d)) qFatal("cannot open %s: %s", qPrintable(d.Target()), qPrintable(c->LastError()));
  return c;
}

void TempDb::exec(const QString& sql) {
  bool script = false;
  const QString here = where_.IsServer() ? testsupport::ServerStatement(sql, &script) : sql;
  if (script ? !conn_->ExecRaw(here) : !conn_->Execute(here))
    QTest::qFail(qPrintable(sql + QStringLiteral(": ") + conn_->LastError()), __FILE__, __LINE__);
}

QString TempDb::scalar(const QString& sql) {
  db::Recordset rs;
  if (!rs.Open(sql, conn_)) {
    QTest::qFail(qPrintable(sql + QStringLiteral(": ") + rs.LastError()), __FILE__, __LINE__);
    return QString();
  }
  return rs.Eof() ? QString() : rs.Text(0);
}

int registerTest(const char* name, std::function<QObject*()> make) { return testregistry::Add(name, std::move(make)); }

}  // namespace tokotest

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return testregistry::Run(app.arguments());
}
