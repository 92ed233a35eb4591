#include "TokoTest.h"

#include <QCoreApplication>
#include <QtTest>
#include <vector>

#include "db/Recordset.h"

namespace tokotest {

TempDb::TempDb() : path_(dir_.filePath(QStringLiteral("ZovaDavezuZi.mdb"))) {
  if (!db::Connection().Create(path_)) qFatal("cannot create %s", qPrintable(path_));
  conn_ = another();
}

db::ConnectionPtr TempDb::another() const {
  auto c = std::make_shared<db::Connection>();
  if (!c->Open(path_)) qFatal("cannot open %s: %s", qPrintable(path_), qPrintable(c->LastError()));
  return c;
}

void TempDb::exec(const QString& sql) {
  if (!conn_->Execute(sql))
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

namespace {
std::vector<std::pair<const char*, std::function<QObject*()>>>& registry() {
  static std::vector<std::pair<const char*, std::function<QObject*()>>> r;
  return r;
}
}  // namespace

int registerTest(const char* name, std::function<QObject*()> make) {
  registry().emplace_back(name, std::move(make));
  return int(registry().size());
}

}  // namespace tokotest

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments();
  QString only;
  if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
    only = args[1];
    args.removeAt(1);
  }
  int failed = 0;
  for (auto& [name, make] : tokotest::registry()) {
    if (!only.isEmpty() && only != QLatin1String(name)) continue;
    QObject* t = make();
    failed += QTest::qExec(t, args);
    delete t;
  }
  return failed ? 1 : 0;
}
