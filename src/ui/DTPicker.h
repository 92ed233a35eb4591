#pragma once
// The date picker of the report windows: a date box "dd/MM/yyyy" with its
// calendar pop-up, where a date can also be typed whole.
//
// Typing digits always starts a new date at the day, wherever the box was
// clicked: "01/11/2026", "1/11/2026" and "01112026" all give 1 November 2026.
// Day and month move on by themselves after two digits (or after a first digit
// that can only be one: "5" is the 5th), and a "/", "-" or "." right after
// that is taken as the same step, not as a second one. The entry is taken
// with the fourth digit of the year, or when the person leaves it (Tab, Enter,
// a click, an arrow): a missing month or year is the one shown before, a
// two-digit year is 20yy. A date that does not exist beeps and the box keeps
// the date it showed. Backspace takes back a typed character, Escape the
// whole entry. Arrows, Page keys and the pop-up work as in any date box; Tab
// leaves the box instead of walking through its parts.
#include <QDate>
#include <QDateEdit>
#include <QString>

namespace ui {

class DTPicker : public QDateEdit {
  Q_OBJECT
 public:
  explicit DTPicker(const QDate& date, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Ketik(QChar c);
  // Ends the entry: takes its date when it makes one, or beeps and shows
  // the date of before.
  void Selesai();
  void Batal();
  void Tampilkan();
  void Pulihkan();

  bool mengetik_ = false;
  QString ketik_;  // the digits and separators of the entry, as typed
};

}  // namespace ui
