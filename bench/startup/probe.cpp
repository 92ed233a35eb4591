// Linked into a program whose start-up is measured: once its first window
// has been exposed and painted, it writes "shown" on its output and ends at
// once, so the measurement stops at what a person would first see.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <unistd.h>

namespace {
class Probe : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (!fired_ && ev->type() == QEvent::Expose && obj->isWindowType() && static_cast<QWindow*>(obj)->isExposed()) {
      fired_ = true;
      // After this event has been handled, i.e. after the window painted.
      QTimer::singleShot(0, [] {
        static const char shown[] = "shown\n";
        (void)!write(STDOUT_FILENO, shown, sizeof shown - 1);
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool fired_ = false;
};

void InstallProbe() { QCoreApplication::instance()->installEventFilter(new Probe(QCoreApplication::instance())); }
}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
