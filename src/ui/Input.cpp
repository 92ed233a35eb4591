#include "ui/Input.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QValidator>

#include "base/Number.h"
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

bool Angka(const QString& text, qint64* value) {
  // Digits alone, a minus before them at most; an empty box is 0.
  const base::Whole r = base::ReadWhole(text, 0, false);
  if (r.end != text.size() || !r.fits || (!r.digits && !text.isEmpty())) return false;
  *value = r.value;
  return true;
}

namespace {

bool IsEnter(const QEvent* ev) {
  if (ev->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(ev)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Only the digits 0-9, and never a number cut to the box's length: the box
// would show (and the screen use) another amount than the one typed or
// pasted. The box cuts what it inserts before the validator sees it, but it
// says so first (inputRejected); the validator then refuses that change
// whole. `tahap` carries what happened until the box reports it, so each
// refusal beeps once.
class DigitValidator : public QValidator {
 public:
  explicit DigitValidator(QObject* parent) : QValidator(parent) {}
  enum Tahap { Tenang, Ditolak, Terpotong, PotonganDitolak };
  mutable Tahap tahap = Tenang;
  State validate(QString& input, int&) const override {
    if (tahap == Terpotong) {
      tahap = PotonganDitolak;
      return Invalid;
    }
    for (QChar c : input)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
        tahap = Ditolak;
        return Invalid;
      }
    tahap = Tenang;
    return Acceptable;
  }
};

// Control characters out of a one-line text: a line break or a tab becomes
// a blank (a pasted address keeps its words apart), the others go. `pos`
// follows the characters it stood behind.
QString Bersih(const QString& in, int* pos) {
  QString out;
  out.reserve(in.size());
  int newPos = *pos;
  for (qsizetype i = 0; i < in.size(); ++i) {
    const QChar c = in[i];
    if (c.category() != QChar::Other_Control)
      out += c;
    else if (c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
             (c == QLatin1Char('\r') && !(i + 1 < in.size() && in[i + 1] == QLatin1Char('\n'))))
      out += QLatin1Char(' ');
    else if (i < *pos)
      --newPos;
  }
  *pos = newPos;
  return out;
}

class TextValidator : public QValidator {
 public:
  explicit TextValidator(QObject* parent) : QValidator(parent) {}
  State validate(QString& input, int& pos) const override {
    for (QChar c : input)
      if (c.category() == QChar::Other_Control) {
        input = Bersih(input, &pos);
        break;
      }
    return Acceptable;
  }
};

class KeyFilterObject : public QObject {
 public:
  KeyFilterObject(QObject* parent, int filters) : QObject(parent), filters_(filters) {}
  int filters_;
  QLineEdit* amountBox_ = nullptr;  // an amount box selects its text on entry
  DigitValidator* digits_ = nullptr;
  bool selectOnRelease_ = false;

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (amountBox_ && obj == amountBox_) PilihSemua(ev);
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
      if (digits_) digits_->tahap = DigitValidator::Tenang;  // a new key, a new change
      if (key == Qt::Key_Backspace) return false;
      // Delete edits the box like Backspace; it only carries the DEL
      // character as its text on X11, it is not a typed character.
      if (key == Qt::Key_Delete) return false;
      // Escape carries ESC as its text but is no typed character: the window
      // closes (or asks first) from a number box as from any other.
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
          key == Qt::Key_Escape)
        return false;
      if (t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9')) {
        // A digit more than the box takes is refused, as any other key.
        auto* le = qobject_cast<QLineEdit*>(obj);
        if (!le || le->text().size() - le->selectedText().size() < le->maxLength()) return false;
      }
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

 private:
  // Entering by keyboard selects at once; a click places the cursor on its
  // press, so the text is selected when the button comes up.
  void PilihSemua(QEvent* ev) {
    if (ev->type() == QEvent::FocusIn) {
      const Qt::FocusReason r = static_cast<QFocusEvent*>(ev)->reason();
      if (r == Qt::MouseFocusReason)
        selectOnRelease_ = true;
      else if (r != Qt::PopupFocusReason)
        amountBox_->selectAll();
    } else if (ev->type() == QEvent::MouseButtonRelease && selectOnRelease_) {
      selectOnRelease_ = false;
      amountBox_->selectAll();
    } else if (ev->type() == QEvent::FocusOut) {
      selectOnRelease_ = false;
    }
  }
};

class EnterObject : public QObject {
 public:
  EnterObject(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}

 protected:
  bool eventFilter(QObject*, QEvent* ev) override {
    if (!IsEnter(ev)) return false;
    f_();
    return true;
  }

 private:
  std::function<void()> f_;
};

}  // namespace

void SetKeyFilter(QWidget* w, int filters) {
  if (!w) return;
  auto* f = new KeyFilterObject(w, filters);
  w->installEventFilter(f);
  if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) cb->lineEdit()->installEventFilter(f);
  // Keys are filtered above; text that arrives otherwise (paste, input
  // method, drop) meets the validator, which refuses anything but digits.
  auto* le = qobject_cast<QLineEdit*>(w);
  if ((filters & DigitsOnly) && le && le->inputMask().isEmpty()) {
    f->amountBox_ = le;
    auto* v = new DigitValidator(le);
    f->digits_ = v;
    le->setValidator(v);
    // Only the person's own input beeps: a negative stock the screen shows
    // is not refused input.
    QObject::connect(le, &QLineEdit::inputRejected, v, [v, le] {
      switch (v->tahap) {
        case DigitValidator::Ditolak:
          v->tahap = DigitValidator::Tenang;
          if (le->hasFocus()) Beep();
          break;
        case DigitValidator::PotonganDitolak:  // told when it was cut
          v->tahap = DigitValidator::Tenang;
          break;
        case DigitValidator::Tenang:
        case DigitValidator::Terpotong:
          // The box cut what came in to its length: the change that follows
          // is refused whole. Nothing may follow (nothing fitted at all), so
          // the mark does not outlive this event.
          v->tahap = DigitValidator::Terpotong;
          QTimer::singleShot(0, v, [v] {
            if (v->tahap == DigitValidator::Terpotong) v->tahap = DigitValidator::Tenang;
          });
          if (le->hasFocus()) Beep();
          break;
      }
    });
  }
}

void TanpaKendali(QWidget* w) {
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    le->setValidator(new TextValidator(le));
  } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
    if (cb->lineEdit()) cb->lineEdit()->setValidator(new TextValidator(cb));
  } else if (auto* pt = qobject_cast<QPlainTextEdit*>(w)) {
    QObject::connect(pt->document(), &QTextDocument::contentsChange, pt, [pt](int from, int, int added) {
      QTextDocument* doc = pt->document();
      // A block boundary is the document's own line break, not a character.
      for (int i = from + added - 1; i >= from; --i) {
        const QChar c = doc->characterAt(i);
        if (c.category() != QChar::Other_Control) continue;
        QTextCursor k(doc);
        k.setPosition(i);
        k.setPosition(i + 1, QTextCursor::KeepAnchor);
        k.insertText(c == QLatin1Char('\t') ? QStringLiteral(" ") : QString());
      }
    });
  }
}

QLineEdit* BuatKotak(QWidget* parent, const char* name, int maxLength) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(QString::fromLatin1(name));
  if (maxLength > 0) t->setMaxLength(maxLength);
  TanpaKendali(t);
  return t;
}

void SetEnterAction(QWidget* w, std::function<void()> f) {
  if (!w) return;
  auto* e = new EnterObject(w, std::move(f));
  w->installEventFilter(e);
  if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) cb->lineEdit()->installEventFilter(e);
}

}  // namespace ui
