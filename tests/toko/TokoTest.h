#pragma once
// The shop core's tests run without widgets, on a QCoreApplication: a fresh
// database per case, and the registration of test classes.
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <functional>

#include "db/Connection.h"

namespace tokotest {

// A new database file made from the schema, in a temporary folder, with a
// connection opened on it as the program opens one.
class TempDb {
 public:
  TempDb();
  ~TempDb();
  QString path() const { return path_; }
  db::ConnectionPtr conn() const { return conn_; }
  // Another connection on the same file: a second till.
  db::ConnectionPtr another() const;
  // Runs a statement; fails the running test when the store refuses it.
  void exec(const QString& sql);
  // The first column of the first row of a query, as text ("" if no row).
  QString scalar(const QString& sql);

 private:
  QTemporaryDir dir_;
  QString path_;
  db::Description where_;  // the case's database on a server, when the tests run there
  db::ConnectionPtr conn_;
};

int registerTest(const char* name, std::function<QObject*()> make);

}  // namespace tokotest

#define TOKO_TEST(Class) \
  static int Class##_reg = ::tokotest::registerTest(#Class, [] { return static_cast<QObject*>(new Class); })
