#include "ui/Tombol.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace ui {

namespace {
// Presses its button on Enter (a button that is not a default button
// ignores Enter by itself).
class EnterMenekan : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(ev)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    auto* b = static_cast<QPushButton*>(obj);
    if (b->isEnabled()) b->click();
    return true;
  }
};
}  // namespace

QPushButton* Tombol(QWidget* parent, const char* name, const QString& caption, int minWidth, int minHeight) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setDefault(false);
  b->setMinimumSize(minWidth, minHeight);
  b->installEventFilter(new EnterMenekan(b));
  return b;
}

}  // namespace ui
