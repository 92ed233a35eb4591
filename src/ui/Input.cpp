#include "ui/Input.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "ui/Seams.h"

namespace ui {

void SetBackColor(QWidget* w, const QColor& c) {
  QWidget* target = w;
  if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) target = cb->lineEdit();
  QPalette p = target->palette();
  p.setColor(QPalette::Base, c);
  p.setColor(QPalette::Disabled, QPalette::Base, c);
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(90, 90, 90));
  target->setPalette(p);
  if (target != w) {
    QPalette q = w->palette();
    q.setColor(QPalette::Base, c);
    q.setColor(QPalette::Disabled, QPalette::Base, c);
    w->setPalette(q);
  }
}

void SetInputEnabled(QWidget* w, bool enabled) {
  if (!w) return;
  w->setEnabled(enabled);
  SetBackColor(w, enabled ? Putih : Kuning);
}

void SendTab(QWidget* from) {
  if (!from) return;
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(from, &tab);
}

namespace {

class KeyFilterObject : public QObject {
 public:
  KeyFilterObject(QObject* parent, int filters) : QObject(parent), filters_(filters) {}
  int filters_;

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() != QEvent::KeyPress) return false;
    auto* ke = static_cast<QKeyEvent*>(ev);
    auto* w = qobject_cast<QWidget*>(obj);
    const int key = ke->key();
    if ((filters_ & EnterMovesFocus) && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      // The editable combo's line edit is the one typed into; move from the combo.
      QWidget* from = w;
      if (auto* le = qobject_cast<QLineEdit*>(w); le && qobject_cast<QComboBox*>(le->parentWidget()))
        from = le->parentWidget();
      SendTab(from);
      return true;
    }
    const QString t = ke->text();
    if (t.isEmpty() || ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (filters_ & DigitsOnly) {
      if (key == Qt::Key_Backspace) return false;
      // Delete edits the box like Backspace; it only carries the DEL
      // character as its text on X11, it is not a typed character.
      if (key == Qt::Key_Delete) return false;
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
      if (t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9')) return false;
      Beep();
      return true;
    }
    if (filters_ & UpperCase) {
      const QString up = t.toUpper();
      if (up != t) {
        QKeyEvent copy(QEvent::KeyPress, key, ke->modifiers(), up, ke->isAutoRepeat(), ushort(ke->count()));
        QApplication::sendEvent(obj, &copy);
        return true;
      }
    }
    return false;
  }
};

class EnterObject : public QObject {
 public:
  EnterObject(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}

 protected:
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(ev)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    f_();
    return true;
  }

 private:
  std::function<void()> f_;
};

}  // namespace

void SetEnterAction(QWidget* w, std::function<void()> f) {
  if (!w) return;
  auto* e = new EnterObject(w, std::move(f));
  w->installEventFilter(e);
  if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) cb->lineEdit()->installEventFilter(e);
}

void SetKeyFilter(QWidget* w, int filters) {
  if (!w) return;
  auto* f = new KeyFilterObject(w, filters);
  w->installEventFilter(f);
  if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) cb->lineEdit()->installEventFilter(f);
  // Text pasted or set by hand is not a key; capitals are kept for typing only.
}

}  // namespace ui
