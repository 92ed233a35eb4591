#include "ui/Seams.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>

namespace ui {

namespace {
Prompter& prompter() { static Prompter p; return p; }
ModalHandler& modalHandler() { static ModalHandler h; return h; }
WindowTable& windows() { static WindowTable w; return w; }
QDate& pinnedToday() { static QDate d; return d; }
PrinterFactory& printerFactory() { static PrinterFactory f; return f; }
std::function<void(int)>& endHandler() { static std::function<void(int)> h; return h; }
struct Akhir {
  bool diminta = false;
  int kode = 0;
};
Akhir& akhir() { static Akhir a; return a; }
std::function<void()>& beepHandler() { static std::function<void()> h; return h; }
SaveFileNameHandler& saveHandler() {
  static SaveFileNameHandler h;
  return h;
}
}  // namespace

int MsgBox(const QString& text, int style, const QString& title) {
  Message m;
  m.text = text;
  m.title = title.isEmpty() ? QApplication::applicationName() : title;
  m.buttons = style & 15;
  m.icon = style & (16 | 32 | 48 | 64);
  m.defaultButton = style & (vbDefaultButton2 | vbDefaultButton3);
  if (prompter()) return prompter()(m);

  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(m.title);
  box.setText(text);
  switch (m.icon) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon);
  }
  // The buttons' captions come from the platform's texts, in the program's
  // language ("&Ya", "&Tidak", "Batal").
  QHash<QAbstractButton*, int> answers;
  QList<QPushButton*> urutan;  // the buttons from left to right
  auto add = [&](QMessageBox::StandardButton b, int answer) {
    QPushButton* p = box.addButton(b);
    answers.insert(p, answer);
    urutan.append(p);
    return p;
  };
  switch (m.buttons) {
    case vbYesNo:
      add(QMessageBox::Yes, vbYes);
      // Escape is No: it never says Yes to a question.
      box.setEscapeButton(add(QMessageBox::No, vbNo));
      break;
    case vbYesNoCancel:
      add(QMessageBox::Yes, vbYes);
      add(QMessageBox::No, vbNo);
      box.setEscapeButton(add(QMessageBox::Cancel, vbCancel));
      break;
    case vbOKCancel:
      add(QMessageBox::Ok, vbOK);
      box.setEscapeButton(add(QMessageBox::Cancel, vbCancel));
      break;
    default:
      add(QMessageBox::Ok, vbOK);
  }
  const int awal = m.defaultButton / vbDefaultButton2;  // 0 for the first button
  box.setDefaultButton(urutan.value(awal, urutan.first()));
  box.exec();
  const int a = answers.value(box.clickedButton(), 0);
  if (a) return a;
  // Closed with Escape or the close box.
  return m.buttons == vbYesNo ? vbNo : (m.buttons == vbOKOnly ? vbOK : vbCancel);
}

void SetPrompter(Prompter p) { prompter() = std::move(p); }
Prompter CurrentPrompter() { return prompter(); }

int ShowModal(QDialog* w) {
  if (!w || EndRequested()) return 0;
  if (modalHandler()) {
    w->setModal(true);
    w->show();
    ModalHandler h = modalHandler();
    h(w);
    return w->result();
  }
  return w->exec();
}

void SetModalHandler(ModalHandler h) { modalHandler() = std::move(h); }

void SetWindows(WindowTable table) { windows() = table; }
WindowTable Windows() { return windows(); }

static const WindowEntry* Find(const QString& name) {
  for (const WindowEntry& e : windows())
    if (name == QLatin1String(e.name)) return &e;
  return nullptr;
}

bool HasWindow(const QString& name) { return Find(name) != nullptr; }

QDialog* CreateWindow(const QString& name, QWidget* parent) {
  const WindowEntry* e = Find(name);
  return e ? e->make(parent) : nullptr;
}

bool OpenModal(const QString& name, QWidget* parent) {
  QDialog* w = CreateWindow(name, parent);
  if (!w) return false;
  ShowModal(w);
  delete w;
  return true;
}

QDate Today() { return pinnedToday().isValid() ? pinnedToday() : QDate::currentDate(); }
void SetToday(const QDate& d) { pinnedToday() = d; }

std::unique_ptr<QPrinter> DefaultPrinter() {
  if (printerFactory()) return printerFactory()();
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
void SetPrinterFactory(PrinterFactory f) { printerFactory() = std::move(f); }

void EndApplication(int code) {
  if (endHandler()) {
    endHandler()(code);
    return;
  }
  if (!akhir().diminta) akhir() = {true, code};
  if (!QCoreApplication::instance()) std::exit(code);
  // Leaves every running loop, the program's own exec with them.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(akhir().kode);
}
bool EndRequested() { return akhir().diminta; }
int EndCode() { return akhir().kode; }
void SetEndHandler(std::function<void(int)> h) { endHandler() = std::move(h); }
void ResetEndForTests() { akhir() = {}; }

void Beep() {
  if (beepHandler()) {
    beepHandler()();
    return;
  }
  QApplication::beep();
}
void SetBeepHandler(std::function<void()> h) { beepHandler() = std::move(h); }

QString DialogFilter(const QString& filter) {
  if (!filter.contains(QLatin1Char('|'))) return filter;
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
               QStringLiteral(")");
  return out.join(QStringLiteral(";;"));
}

QString DocumentsFolder() {
  const QString dok = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !dok.isEmpty() && QFileInfo(dok).isDir() ? dok : QDir::homePath();
}

QString NamaFile(const QString& text) {
  QString s;
  s.reserve(text.size());
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c)) s += QLatin1Char('-');
    else s += c.isSpace() ? QLatin1Char(' ') : c;
  }
  s = s.simplified().left(120);
  // Windows drops a point or blank at the end of a name.
  while (!s.isEmpty() && (s.endsWith(QLatin1Char('.')) || s.endsWith(QLatin1Char(' ')))) s.chop(1);
  while (!s.isEmpty() && s.startsWith(QLatin1Char('.'))) s.remove(0, 1);
  return s.trimmed();
}

QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& usul) {
  const QString folder = DocumentsFolder();
  QString name = saveHandler() ? saveHandler()(title, filter, folder, usul)
                               : QFileDialog::getSaveFileName(parent, title, QDir(folder).filePath(usul),
                                                              DialogFilter(filter), nullptr,
                                                              QFileDialog::DontUseNativeDialog);
  if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
  // "*.txt" gives ".txt"; a pattern such as "*.*" gives nothing to add.
  static const QRegularExpression ext(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
  const QString pola = filter.contains(QLatin1Char('|')) ? filter.section(QLatin1Char('|'), 1, 1) : filter;
  const QRegularExpressionMatch m = ext.match(pola);
  if (m.hasMatch()) name += QLatin1Char('.') + m.captured(1);
  return name;
}
void SetSaveFileNameHandler(SaveFileNameHandler h) { saveHandler() = std::move(h); }

}  // namespace ui
