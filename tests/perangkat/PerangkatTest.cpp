#include "PerangkatTest.h"

#include <QCoreApplication>

#include "Registry.h"

namespace perangkattest {

int registerTest(const char* name, std::function<QObject*()> make) { return testregistry::Add(name, std::move(make)); }

}  // namespace perangkattest

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return testregistry::Run(app.arguments());
}
