#pragma once
// The one way a window makes a push button.
#include <QString>

class QPushButton;
class QWidget;

namespace ui {

// A button named for tests and tools (its object name), with its caption and
// an optional minimum size in pixels. It is never a default button, so Enter
// in a text box does not press it; Enter on the button itself presses it, as
// a click does.
QPushButton* Tombol(QWidget* parent, const char* name, const QString& caption, int minWidth = 0,
                    int minHeight = 0);

}  // namespace ui
