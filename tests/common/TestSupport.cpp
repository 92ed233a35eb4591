#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QUrl>

#include "WindowTable.h"
#include "core/mdlUtama.h"
#include "db/FileCheck.h"
#include "db/Password.h"
#include "db/Recordset.h"

namespace testsupport {

TempDb::TempDb() {
  path_ = dir_.filePath(QStringLiteral("ZovaDavezuZi.mdb"));
  conn_ = std::make_shared<db::Connection>();
  mdlUtama::ResetForTests();
  if (OnServer()) {
    server_ = FreshServerDatabase();
    server_.backups = dir_.filePath(QStringLiteral("backup"));  // the dumps go with the case's folder
    if (!conn_->Open(server_)) qFatal("cannot open test database: %s", qPrintable(conn_->LastError()));
    db::SetShopDatabase(server_);
  } else {
    if (!conn_->Create(path_)) qFatal("cannot create test database: %s", qPrintable(conn_->LastError()));
    mdlUtama::SetDatabasePathForTests(path_);
  }
  ui::SetToday(QDate());
}

TempDb::~TempDb() {
  // A check of the file still running would find it gone with the folder.
  db::FileCheck::WaitAll();
  mdlUtama::ResetForTests();
  mdlUtama::SetDatabasePathForTests(QString());
  conn_->Close();
  if (server_.IsServer()) DropServerDatabase(server_);
}

QString TempDb::url() const {
  if (!server_.IsServer()) return path_;
  return QStringLiteral("postgresql:///%1?host=%2").arg(server_.dbname, QString::fromLatin1(QUrl::toPercentEncoding(server_.host)));
}

void TempDb::exec(const QString& sql) {
  bool script = false;
  const QString here = server_.IsServer() ? ServerStatement(sql, &script) : sql;
  if (script ? !conn_->ExecRaw(here) : !conn_->Execute(here)) qFatal("test statement failed: %s\n%s", qPrintable(conn_->LastError()), qPrintable(sql));
}

QString TempDb::scalar(const QString& sql) {
  db::Recordset rs;
  if (!rs.Open(sql, conn_)) qFatal("test query failed: %s\n%s", qPrintable(rs.LastError()), qPrintable(sql));
  return rs.Eof() ? QString() : rs.Text(0);
}

qint64 TempDb::count(const QString& table) {
  return scalar(QStringLiteral("SELECT count(*) FROM ") + table).toLongLong();
}

void TempDb::damagePage(const QString& table) {
  const qint64 root = scalar("SELECT rootpage FROM sqlite_master WHERE name = " + db::Quote(table)).toLongLong();
  const qint64 size = scalar("PRAGMA page_size").toLongLong();
  conn_->Close();
  QFile f(path_);
  if (root < 2 || !f.open(QIODevice::ReadWrite) || !f.seek((root - 1) * size) ||
      f.write(QByteArray(int(size), char(0xA5))) != size)
    qFatal("cannot damage %s", qPrintable(path_));
}

QByteArray TempDb::bytes() const {
  QFile f(path_);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static QString IconName(int icon) {
  switch (icon) {
    case ui::vbCritical: return QStringLiteral("critical");
    case ui::vbQuestion: return QStringLiteral("question");
    case ui::vbExclamation: return QStringLiteral("exclamation");
    case ui::vbInformation: return QStringLiteral("information");
    case 0: return QStringLiteral("none");
    default: return QString::number(icon);
  }
}

void InstallDefaultSeams() {
  ui::SetPrompter([](const ui::Message& m) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected message [%1] \"%2\" (%3)").arg(m.title, m.text, IconName(m.icon))),
                 __FILE__, __LINE__);
    return m.buttons == ui::vbYesNo ? int(ui::vbNo) : int(ui::vbOK);
  });
  ui::SetEndHandler([](int code) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected end of the program (status %1)").arg(code)), __FILE__, __LINE__);
  });
  ui::SetModalHandler([](QDialog* d) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected window %1").arg(d->objectName())), __FILE__, __LINE__);
    d->reject();
  });
  ui::SetSaveFileNameHandler([](const QString& title, const QString&, const QString&, const QString&) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected save dialog \"%1\"").arg(title)), __FILE__, __LINE__);
    return QString();
  });
  // Logins and user saves hash a password each; at the program's cost that
  // is a tenth of a second apiece. The database tool, run as its own
  // process, keeps the program's cost.
  db::SetPasswordCost(db::PasswordCost::CheapForTests);
}

ScriptedPrompter::ScriptedPrompter() : before_(ui::CurrentPrompter()) {
  ui::SetPrompter([this](const ui::Message& m) {
    seen.append(m);
    if (queue_.isEmpty()) {
      failures << QStringLiteral("unexpected message [%1] \"%2\" (%3)").arg(m.title, m.text, IconName(m.icon));
      return m.buttons == ui::vbYesNo ? int(ui::vbNo) : int(ui::vbOK);
    }
    const Exp e = queue_.takeFirst();
    if ((e.start ? !m.text.startsWith(e.text) : e.text != m.text) || (!e.title.isEmpty() && e.title != m.title) || (e.icon >= 0 && e.icon != m.icon))
      failures << QStringLiteral("expected [%1] \"%2\" (%3), got [%4] \"%5\" (%6)")
                      .arg(e.title, e.text, IconName(e.icon), m.title, m.text, IconName(m.icon));
    return e.answer;
  });
}

ScriptedPrompter::~ScriptedPrompter() { ui::SetPrompter(before_); }

void ScriptedPrompter::expect(const QString& text, int answer, const QString& title, int icon) {
  queue_.append({text, answer, title, icon});
}
void ScriptedPrompter::expectStart(const QString& start, int answer, const QString& title, int icon) {
  queue_.append({start, answer, title, icon, true});
}

QString ScriptedPrompter::report() const {
  QStringList r = failures;
  for (const Exp& e : queue_) r << QStringLiteral("expected but never shown: \"%1\"").arg(e.text);
  return r.join(QLatin1Char('\n'));
}

EndCatcher::EndCatcher() {
  ui::SetEndHandler([this](int c) {
    ++count;
    code = c;
  });
}
EndCatcher::~EndCatcher() { InstallDefaultSeams(); }

BeepCounter::BeepCounter() { ui::SetBeepHandler([this] { ++count; }); }
BeepCounter::~BeepCounter() { ui::SetBeepHandler({}); }

ModalScript::ModalScript() {
  ui::SetModalHandler([this](QDialog* d) {
    shown << d->objectName();
    if (queue_.isEmpty()) {
      failures << QStringLiteral("no script for window %1").arg(d->objectName());
      d->reject();
      return;
    }
    auto f = queue_.takeFirst();
    f(d);
    if (d->isVisible()) d->reject();
  });
}
ModalScript::~ModalScript() { InstallDefaultSeams(); }

void typeInto(QWidget* w, const QString& text) {
  for (QChar c : text) {
    int key = c.toUpper().unicode();
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      QTest::keyClick(w, Qt::Key_Return);
      continue;
    }
    QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key(key), QString(c), Qt::NoModifier);
  }
}

namespace {
QWidget* KeyTarget() {
  if (QWidget* w = QApplication::activePopupWidget()) return w;
  if (QWidget* w = QApplication::focusWidget()) return w;
  return QApplication::activeWindow();
}
}  // namespace

void Keyboard::key(int key, Qt::KeyboardModifiers mods) {
  QWidget* w = KeyTarget();
  if (!w) qFatal("no window takes the key %d", key);
  ++presses;
  QTest::keyClick(w, Qt::Key(key), mods);
  if (mods & Qt::AltModifier) QTest::qWait(150);
}

bool activate(QWidget* window) {
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) return false;
  QApplication::setActiveWindow(window);
  return QApplication::activeWindow() == window;
}

void Keyboard::type(const QString& text) {
  for (QChar c : text) {
    if (c == QLatin1Char('\r')) {
      key(Qt::Key_Return);
      continue;
    }
    QWidget* w = KeyTarget();
    if (!w) qFatal("no window takes the key %s", qPrintable(QString(c)));
    ++presses;
    QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
  }
}

void doubleClickRow(ui::FlexGrid* grid, int row, int col) {
  const QModelIndex idx = grid->model()->index(row - 1, col);
  grid->scrollTo(idx);
  const QPoint at = grid->visualRect(idx).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace testsupport

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("merapu-test"));
  ui::SetWindows(ProgramWindows());
  testsupport::InstallDefaultSeams();
  return testregistry::Run(app.arguments());
}
