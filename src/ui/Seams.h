#pragma once
// The places where a window meets the person and the machine: message boxes,
// modal showing, today's date, the default printer, the end of the program
// and the beep. Each has a replacement hook so that tests can drive windows
// without a display, a clock or a printer.
#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <span>

class QDialog;
class QWidget;
class QPrinter;

namespace ui {

// ---- message boxes, with fixed button/icon/answer numbers ---------------
// Plain int constants, so that a button set and an icon combine with |.
constexpr int vbOKOnly = 0, vbOKCancel = 1, vbYesNoCancel = 3, vbYesNo = 4;
constexpr int vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64;
// Which button Enter presses: the first unless the style says otherwise.
constexpr int vbDefaultButton1 = 0, vbDefaultButton2 = 256, vbDefaultButton3 = 512;
constexpr int vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7;

struct Message {
  QString text;
  QString title;
  int buttons = vbOKOnly;  // the button part of the style
  int icon = 0;            // the icon part of the style, 0 for none
  int defaultButton = vbDefaultButton1;  // the default-button part of the style
};

// Shows a modal message box and returns the answer (vbOK, vbYes, vbNo, ...).
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());

// A prompter answers message boxes in place of a person.
using Prompter = std::function<int(const Message&)>;
void SetPrompter(Prompter p);  // empty function: real message boxes again
Prompter CurrentPrompter();

// ---- windows ------------------------------------------------------------
// Shows a window modally and returns when it is closed. A test may install a
// modal handler: it receives the window instead of a person and must close it.
int ShowModal(QDialog* w);
using ModalHandler = std::function<void(QDialog*)>;
void SetModalHandler(ModalHandler h);

// Windows are made by name, so that the main window and the screens can open
// each other without knowing each other's classes. The names come from one
// table (app/WindowTable.cpp) that the program hands over at start.
using WindowFactory = QDialog* (*)(QWidget* parent);
struct WindowEntry {
  const char* name;
  WindowFactory make;
};
using WindowTable = std::span<const WindowEntry>;
void SetWindows(WindowTable table);
WindowTable Windows();
bool HasWindow(const QString& name);
QDialog* CreateWindow(const QString& name, QWidget* parent = nullptr);
// Creates the named window, shows it modally and deletes it. False if no
// window of that name exists.
bool OpenModal(const QString& name, QWidget* parent = nullptr);

// The maker of a table entry: {"frmGrup", ui::Make<frmGrup>}.
template <class W>
QDialog* Make(QWidget* parent) {
  return new W(parent);
}

// ---- clock ----------------------------------------------------------------
QDate Today();
void SetToday(const QDate& d);  // invalid date: the system clock again

// ---- printer ----------------------------------------------------------------
// The default printer, or nullptr when none is installed. Caller owns it.
std::unique_ptr<QPrinter> DefaultPrinter();
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
void SetPrinterFactory(PrinterFactory f);  // empty: the system's default printer

// ---- end of program ---------------------------------------------------------
// Ends the application with an exit status: through the event loop when one
// runs (every open window returns from its exec and the program's own exec
// returns `code`), otherwise it is only noted and the start-up code returns
// `code` from main. Windows are not shown any more once the end is asked.
// Under a test hook it only calls the hook. Either way callers must return
// right after calling it.
void EndApplication(int code = 0);
bool EndRequested();
int EndCode();
void SetEndHandler(std::function<void(int code)> h);
void ResetEndForTests();

// ---- beep ---------------------------------------------------------------------
void Beep();
void SetBeepHandler(std::function<void()> h);

// ---- save-file dialog --------------------------------------------------------
// Asks for a file name to save to; empty when cancelled. The dialog opens in
// the person's documents folder, not wherever the program was started, with
// `name` (if given) proposed as the file's name. It is the program's own
// dialog, so it speaks the program's language whatever the desktop's. The
// filter may be given as pairs "description|pattern|..." (patterns separated
// by ';'). A name without an extension gets the first pattern's (".txt" for
// "*.txt").
QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& name = {});
// Such a filter in the file dialog's own form: "description (pattern);;...".
QString DialogFilter(const QString& filter);
// The documents folder (the home folder when there is none).
QString DocumentsFolder();
// A text as a file name every file system takes, still readable: characters
// no file system allows (/ \ : * ? " < > | and control characters) become
// "-", runs of blanks one blank, no blank or point at either end, at most
// 120 characters.
QString NamaFile(const QString& text);
// Stands in for the dialog: gets its title, filter, starting folder and the
// name it proposes.
using SaveFileNameHandler = std::function<QString(const QString& title, const QString& filter,
                                                  const QString& folder, const QString& name)>;
void SetSaveFileNameHandler(SaveFileNameHandler h);

}  // namespace ui
