#include "ui/DTPicker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/Seams.h"

namespace ui {

namespace {
// Reads a typed entry into day, month and year. *ke is the part the next
// digit goes to; *lanjut tells that the last digit moved on by itself, so a
// separator right after it is the same step. False when a separator stands
// where none can (at the start of a part or in the year).
bool Urai(const QString& ketik, QString bagian[3], int* ke, bool* lanjut) {
  for (int i = 0; i < 3; ++i) bagian[i].clear();
  *ke = 0;
  *lanjut = false;
  for (const QChar c : ketik) {
    if (c.isDigit()) {
      *lanjut = false;
      QString& b = bagian[*ke];
      b += c;
      if (*ke == 2) continue;
      // A day cannot start with 4-9 nor a month with 2-9 and another digit.
      if (b.size() == 2 || c > QLatin1Char(*ke == 0 ? '3' : '1')) {
        b = b.rightJustified(2, QLatin1Char('0'));
        ++*ke;
        *lanjut = true;
      }
    } else if (*lanjut) {
      *lanjut = false;
    } else if (*ke < 2 && !bagian[*ke].isEmpty()) {
      bagian[*ke] = bagian[*ke].rightJustified(2, QLatin1Char('0'));
      ++*ke;
    } else {
      return false;
    }
  }
  return true;
}

bool Pemisah(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.'); }
}  // namespace

DTPicker::DTPicker(const QDate& date, QWidget* parent) : QDateEdit(date, parent) {
  setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  setCalendarPopup(true);
  // A click into the text ends an entry under way, as any other step does.
  lineEdit()->installEventFilter(this);
}

void DTPicker::keyPressEvent(QKeyEvent* e) {
  const QString t = e->text();
  const bool polos = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (polos && t.size() == 1 && t[0].isPrint()) {
    const QChar c = t[0];
    if (c.isDigit() && c.unicode() < 128) {
      Ketik(c);
    } else if (Pemisah(c)) {
      // Outside an entry the box would skip a part on it: nothing to do.
      if (mengetik_) Ketik(c);
    } else {
      Beep();
    }
    return;
  }
  if (mengetik_) {
    if (e->key() == Qt::Key_Backspace) {
      ketik_.chop(1);
      if (ketik_.isEmpty()) Batal();
      else Tampilkan();
      return;
    }
    if (e->key() == Qt::Key_Escape) {
      Batal();
      return;
    }
    Selesai();
  }
  QDateEdit::keyPressEvent(e);
}

void DTPicker::Ketik(QChar c) {
  const QString calon = ketik_ + c;
  QString bagian[3];
  int ke = 0;
  bool lanjut = false;
  if (!Urai(calon, bagian, &ke, &lanjut)) {
    Beep();
    return;
  }
  ketik_ = calon;
  mengetik_ = true;
  if (bagian[2].size() == 4) Selesai();
  else Tampilkan();
}

void DTPicker::Tampilkan() {
  QString bagian[3];
  int ke = 0;
  bool lanjut = false;
  Urai(ketik_, bagian, &ke, &lanjut);
  const QString teks = bagian[0].leftJustified(2, QLatin1Char('_')) + QLatin1Char('/') +
                       bagian[1].leftJustified(2, QLatin1Char('_')) + QLatin1Char('/') +
                       bagian[2].leftJustified(4, QLatin1Char('_'));
  const qsizetype sisa = teks.indexOf(QLatin1Char('_'));
  // Past the date box's own reading of its text: it shows, it is not parsed.
  const QSignalBlocker tahan(lineEdit());
  lineEdit()->setText(teks);
  lineEdit()->setCursorPosition(int(sisa < 0 ? teks.size() : sisa));
}

void DTPicker::Selesai() {
  if (!mengetik_) return;
  QString bagian[3];
  int ke = 0;
  bool lanjut = false;
  Urai(ketik_, bagian, &ke, &lanjut);
  mengetik_ = false;
  ketik_.clear();
  const QDate lama = date();
  const int bulan = bagian[1].isEmpty() ? lama.month() : bagian[1].toInt();
  int tahun = lama.year();
  if (bagian[2].size() == 4) tahun = bagian[2].toInt();
  else if (bagian[2].size() == 2) tahun = 2000 + bagian[2].toInt();
  else if (!bagian[2].isEmpty()) tahun = 0;  // 1 or 3 digits: no year
  const QDate baru(tahun, bulan, bagian[0].toInt());
  if (tahun > 0 && baru.isValid() && baru >= minimumDate() && baru <= maximumDate()) setDate(baru);
  else Beep();
  Pulihkan();
  if (hasFocus()) setSelectedSection(QDateTimeEdit::DaySection);
}

void DTPicker::Batal() {
  mengetik_ = false;
  ketik_.clear();
  Pulihkan();
}

void DTPicker::Pulihkan() {
  const QSignalBlocker tahan(lineEdit());
  lineEdit()->setText(textFromDateTime(dateTime()));
}

void DTPicker::mousePressEvent(QMouseEvent* e) {
  Selesai();
  QDateEdit::mousePressEvent(e);
}

void DTPicker::wheelEvent(QWheelEvent* e) {
  Selesai();
  QDateEdit::wheelEvent(e);
}

void DTPicker::focusOutEvent(QFocusEvent* e) {
  Selesai();
  QDateEdit::focusOutEvent(e);
}

bool DTPicker::focusNextPrevChild(bool next) {
  Selesai();
  // Straight to the next control: day, month and year are reached by the
  // arrow keys, as in the pickers people know.
  return QWidget::focusNextPrevChild(next);
}

bool DTPicker::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lineEdit() && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick))
    Selesai();
  return QDateEdit::eventFilter(watched, e);
}

}  // namespace ui
