#pragma once
// Key filters, colours and keyboard rules of the input boxes and buttons.
#include <QColor>
#include <QtGlobal>
#include <functional>

class QLineEdit;
class QString;
class QWidget;

namespace ui {

// Input boxes are white while they take input and light yellow while not.
inline const QColor Putih{255, 255, 255};
inline const QColor Kuning{255, 255, 192};

// Enables or disables an input box and gives it its colour.
void SetInputEnabled(QWidget* w, bool enabled);
// Only the colour (for boxes that stay enabled but are shown as read-only).
void SetBackColor(QWidget* w, const QColor& c);

enum KeyFilter {
  EnterMovesFocus = 1,  // Enter moves to the next control in tab order and is swallowed
  // 0-9 and Backspace; any other key beeps and is dropped. On a plain text box
  // (no input mask) it also makes an amount box: pasted or composed text that
  // is not all digits is refused with a beep, so is a digit more than the box
  // takes (typed, or in pasted text: the number is never cut to the box's
  // length), and entering the box by mouse or keyboard selects its text, so
  // typing replaces a "0" instead of adding to it.
  DigitsOnly = 2,
  UpperCase = 4,  // typed letters become capitals
};
// Installs the filters on a text box, masked box or editable combo box.
void SetKeyFilter(QWidget* w, int filters);

// A text box as every screen makes it: object name, length limit (0: none)
// and no control characters (see TanpaKendali).
QLineEdit* BuatKotak(QWidget* parent, const char* name, int maxLength = 0);
// Drops NUL and every other control character from whatever reaches the box
// (typed, pasted, composed, dropped or set), so they never reach a statement.
// Takes a QLineEdit, an editable QComboBox or a QPlainTextEdit; a multi-line
// box keeps its line breaks.
void TanpaKendali(QWidget* w);

// Enter in the box runs `f` and is swallowed (a lookup, a search).
void SetEnterAction(QWidget* w, std::function<void()> f);

// The whole number a box shows: "" is 0, otherwise an optional minus sign and
// the digits 0-9 only. Anything else, or a number beyond 64 bits, is refused
// (false), never read as some other number.
bool Angka(const QString& text, qint64* value);

// Moves the focus to the next control in tab order, as the Tab key does.
void SendTab(QWidget* from);

// Twips (1/1440 inch) to pixels at the screen's 96 dots per inch.
inline int TwipsToPixels(int twips) { return twips / 15; }

}  // namespace ui
