#include "db/FileCheck.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QStringList>

#include "db/SqliteEngine.h"

namespace db {

namespace {
std::mutex& registryLock() {
  static std::mutex m;
  return m;
}
QHash<QString, std::shared_ptr<FileCheck>>& registry() {
  static QHash<QString, std::shared_ptr<FileCheck>> r;
  return r;
}
// Another program may hold the file for a while (a backup): wait for it
// rather than call a sound file damaged.
constexpr int kCheckBusyMs = 60000;
}  // namespace

std::shared_ptr<FileCheck> FileCheck::For(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  // A file put in the place of the one checked (a restored backup) is
  // checked anew.
  QString key = file;
  struct stat st {};
  if (::stat(QFile::encodeName(file).constData(), &st) == 0)
    key += QStringLiteral("|%1|%2").arg(qulonglong(st.st_dev)).arg(qulonglong(st.st_ino));
  std::lock_guard<std::mutex> lock(registryLock());
  std::shared_ptr<FileCheck>& c = registry()[key];
  if (!c) c = std::make_shared<FileCheck>(file);
  return c;
}

void FileCheck::WaitAll() {
  QList<std::shared_ptr<FileCheck>> checks;
  {
    std::lock_guard<std::mutex> lock(registryLock());
    checks = registry().values();
  }
  for (const auto& c : checks) c->Wait();
}

FileCheck::FileCheck(const QString& path) {
  thread_ = std::thread([this, path] { Run(path); });
}

FileCheck::~FileCheck() {
  {
    std::lock_guard<std::mutex> lock(m_);
    stopping_ = true;
    if (interrupt_) interrupt_();
  }
  if (thread_.joinable()) thread_.join();
}

void FileCheck::Run(const QString& path) {
  sqlite3* h = nullptr;
  QStringList findings;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(h, kCheckBusyMs);
    {
      std::lock_guard<std::mutex> lock(m_);
      interrupt_ = [h] { sqlite3_interrupt(h); };
      if (stopping_) sqlite3_interrupt(h);
    }
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(h, "PRAGMA quick_check(20)", -1, &st, nullptr);
    if (rc == SQLITE_OK) {
      while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        findings << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) findings << QString::fromUtf8(sqlite3_errmsg(h));
    sqlite3_finalize(st);
  } else {
    findings << QString::fromUtf8(h ? sqlite3_errmsg(h) : "out of memory");
  }
  std::vector<std::pair<QPointer<QObject>, Verdict>> waiting;
  {
    std::lock_guard<std::mutex> lock(m_);
    interrupt_ = nullptr;
    sqlite3_close_v2(h);
    ok_ = rc == SQLITE_OK && findings == QStringList{QStringLiteral("ok")};
    error_ = ok_ ? QString() : findings.join(QStringLiteral("; "));
    done_ = true;
    waiting.swap(waiting_);
    if (stopping_) waiting.clear();  // the program is ending
  }
  cv_.notify_all();
  for (auto& [context, f] : waiting)
    if (context) Post(context, std::move(f));
}

bool FileCheck::Done() const {
  std::lock_guard<std::mutex> lock(m_);
  return done_;
}

bool FileCheck::Wait(QString* error) {
  std::unique_lock<std::mutex> lock(m_);
  cv_.wait(lock, [this] { return done_; });
  if (error) *error = error_;
  return ok_;
}

void FileCheck::WhenDone(QObject* context, Verdict f) {
  {
    std::lock_guard<std::mutex> lock(m_);
    if (!done_) {
      waiting_.emplace_back(context, std::move(f));
      return;
    }
  }
  Post(context, std::move(f));
}

void FileCheck::Post(QObject* context, Verdict f) {
  bool ok;
  QString error;
  {
    std::lock_guard<std::mutex> lock(m_);
    ok = ok_;
    error = error_;
  }
  QMetaObject::invokeMethod(
      context, [f = std::move(f), ok, error] { f(ok, error); }, Qt::QueuedConnection);
}

}  // namespace db
