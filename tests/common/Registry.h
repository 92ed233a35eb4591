#pragma once
// The registration of test classes and the loop that runs them, shared by
// every test program: those of the windows and those of the layers below
// them, which have no widgets. Header only, on QtTest alone.
#include <QObject>
#include <QStringList>
#include <QtTest>
#include <functional>
#include <utility>
#include <vector>

namespace testregistry {

using Factory = std::function<QObject*()>;

inline std::vector<std::pair<const char*, Factory>>& Classes() {
  static std::vector<std::pair<const char*, Factory>> classes;
  return classes;
}

inline int Add(const char* name, Factory make) {
  Classes().emplace_back(name, std::move(make));
  return int(Classes().size());
}

// Runs every registered class, or only the one named as the first argument;
// 1 when any case failed.
inline int Run(QStringList args) {
  QString only;
  if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
    only = args[1];
    args.removeAt(1);
  }
  int failed = 0;
  for (auto& [name, make] : Classes()) {
    if (!only.isEmpty() && only != QLatin1String(name)) continue;
    QObject* t = make();
    failed += QTest::qExec(t, args);
    delete t;
  }
  return failed ? 1 : 0;
}

}  // namespace testregistry

#define REGISTER_TEST(Class) \
  static int Class##_reg = ::testregistry::Add(#Class, [] { return static_cast<QObject*>(new Class); })
