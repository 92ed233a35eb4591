#pragma once
// The device layer's tests run without widgets, on a QCoreApplication.
#include <QObject>
#include <functional>

namespace perangkattest {

int registerTest(const char* name, std::function<QObject*()> make);

}  // namespace perangkattest

#define PERANGKAT_TEST(Class) \
  static int Class##_reg = ::perangkattest::registerTest(#Class, [] { return static_cast<QObject*>(new Class); })
