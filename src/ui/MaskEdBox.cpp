#include "ui/MaskEdBox.h"

#include <QTimer>

namespace ui {

namespace {
bool IsPlaceholder(QChar c) { return c == QLatin1Char('#') || c == QLatin1Char('&'); }

// '#' digit, '&' any character; other characters are literals, escaped for Qt.
QString ToQtMask(const QString& mask) {
  QString q;
  for (QChar c : mask) {
    if (c == QLatin1Char('#')) q += QLatin1Char('9');
    else if (c == QLatin1Char('&')) q += QLatin1Char('X');
    else if (QStringLiteral("AaNnXx90DdHhBb><!;[]{}\\#").contains(c)) q += QLatin1Char('\\') + QString(c);
    else q += c;
  }
  return q + QStringLiteral(";_");
}
}  // namespace

MaskEdBox::MaskEdBox(QWidget* parent) : QLineEdit(parent) {
  // A '&' place takes any character, a NUL pasted in too: such a character
  // is cleared, which leaves its place unfilled.
  connect(this, &QLineEdit::textEdited, this, [this] {
    const QString t = text();
    const int pos = cursorPosition();
    bool kendali = false;
    for (int i = 0; i < int(t.size()); ++i)
      if (t[i].category() == QChar::Other_Control) {
        setSelection(i, 1);
        del();
        kendali = true;
      }
    if (kendali) setCursorPosition(pos);
  });
}

void MaskEdBox::SetMask(const QString& mask) {
  mask_ = mask;
  setInputMask(mask.isEmpty() ? QString() : ToQtMask(mask));
  setCursorPosition(0);
}

QString MaskEdBox::Text() const { return mask_.isEmpty() ? text() : displayText(); }

QString MaskEdBox::ClipText() const {
  if (mask_.isEmpty()) return text();
  const QString shown = displayText();
  QString out;
  for (int i = 0; i < mask_.size() && i < shown.size(); ++i)
    if (IsPlaceholder(mask_[i]) && shown[i] != QLatin1Char('_')) out += shown[i];
  return out;
}

void MaskEdBox::SetText(const QString& t) {
  if (mask_.isEmpty()) {
    setText(t);
  } else if (SusunanMask(t)) {
    // A text as the box itself reads (literals and prompts in their places),
    // as stored: each filled place is put back where it stood, so unfilled
    // places stay unfilled and nothing shifts.
    clear();
    for (int i = 0; i < mask_.size(); ++i) {
      if (!IsPlaceholder(mask_[i]) || t[i] == QLatin1Char('_')) continue;
      setCursorPosition(i);
      insert(QString(t[i]));
    }
  } else {
    setText(t);
  }
  setCursorPosition(0);
}

bool MaskEdBox::SusunanMask(const QString& t) const {
  if (t.size() != mask_.size()) return false;
  for (int i = 0; i < mask_.size(); ++i) {
    if (IsPlaceholder(mask_[i])) {
      if (mask_[i] == QLatin1Char('#') && t[i] != QLatin1Char('_') && !t[i].isDigit()) return false;
    } else if (t[i] != mask_[i]) {
      return false;
    }
  }
  return true;
}

void MaskEdBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (mask_.isEmpty()) return;
  // Start typing at the first unfilled place rather than at the end.
  const QString shown = displayText();
  int first = 0;
  for (; first < mask_.size() && first < shown.size(); ++first)
    if (IsPlaceholder(mask_[first]) && shown[first] == QLatin1Char('_')) break;
  if (first >= shown.size()) first = 0;
  QTimer::singleShot(0, this, [this, first] { setCursorPosition(first); });
  setCursorPosition(first);
}

void MaskEdBox::mousePressEvent(QMouseEvent* e) { QLineEdit::mousePressEvent(e); }

}  // namespace ui
