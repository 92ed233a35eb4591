#include "db/Description.h"

#include <QCoreApplication>
#include <QDir>
#include <mutex>

namespace db {

namespace {
std::mutex& lock() {
  static std::mutex m;
  return m;
}
Description& chosen() {
  static Description d;
  return d;
}
}  // namespace

Description ShopDatabase() {
  {
    std::lock_guard<std::mutex> l(lock());
    if (!chosen().path.isEmpty()) return chosen();
  }
  return Description::File(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kShopFileName)));
}

void SetShopDatabase(const Description& d) {
  std::lock_guard<std::mutex> l(lock());
  chosen() = d;
}

}  // namespace db
