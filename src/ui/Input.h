#pragma once
// Key filters and colours of the input boxes.
#include <QColor>
#include <functional>

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
  DigitsOnly = 2,       // 0-9 and Backspace; any other key beeps and is dropped
  UpperCase = 4,        // typed letters become capitals
};
// Installs the filters on a text box, masked box or editable combo box.
void SetKeyFilter(QWidget* w, int filters);

// Enter in the box runs `f` and is swallowed.
void SetEnterAction(QWidget* w, std::function<void()> f);

// Moves the focus to the next control in tab order, as the Tab key does.
void SendTab(QWidget* from);

// Twips (1/1440 inch) to pixels at the screen's 96 dots per inch.
inline int TwipsToPixels(int twips) { return twips / 15; }

}  // namespace ui
