#pragma once
// The engine's quick check of a whole database file, run once per file and run
// of the program on a thread of its own: on a large store it takes longer
// than the rest of start-up, so the login does not wait for it. Writes do
// (Connection::WriteAllowed), so nothing is ever stored in a damaged file.
#include <QPointer>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QObject;

namespace db {

class FileCheck {
 public:
  using Verdict = std::function<void(bool ok, const QString& error)>;

  // The check of this file for this run, started on first asking.
  static std::shared_ptr<FileCheck> For(const QString& path);
  // Waits until every check started so far has run.
  static void WaitAll();

  explicit FileCheck(const QString& path);
  ~FileCheck();
  FileCheck(const FileCheck&) = delete;
  FileCheck& operator=(const FileCheck&) = delete;

  bool Done() const;
  // Blocks until the check has run; true when the file is sound, otherwise
  // false with the store's findings in *error.
  bool Wait(QString* error = nullptr);
  // Calls f once in the thread of `context` (through its event loop) when the
  // check has run, also when it already has.
  void WhenDone(QObject* context, Verdict f);

 private:
  void Run(const QString& path);
  void Post(QObject* context, Verdict f);

  mutable std::mutex m_;
  std::condition_variable cv_;
  bool done_ = false;
  bool ok_ = false;
  bool stopping_ = false;
  QString error_;
  std::function<void()> interrupt_;  // while the check runs, to stop it at exit
  std::vector<std::pair<QPointer<QObject>, Verdict>> waiting_;
  std::thread thread_;
};

}  // namespace db
