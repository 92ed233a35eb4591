#pragma once
// Shared helpers of the test programs: a fresh database per case, a scripted
// prompter for message boxes, catchers for the end of the program and beeps,
// and the registration of test classes (one program per folder runs them all).
#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <type_traits>

#include "Registry.h"
#include "ServerDb.h"
#include "db/Connection.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"

namespace testsupport {

// In a case about the database file alone (its bytes, its lock, its journal,
// its copies beside it): skipped with the reason when the suite runs on a
// server.
#define FILE_ONLY(why)                                                   \
  do {                                                                   \
    if (::testsupport::OnServer()) QSKIP("on a server: " why);           \
  } while (false)

// A new database file made from the schema, in a temporary folder. The shared
// state of the program is cleared and pointed at it (BukaKoneksi opens it).
class TempDb {
 public:
  TempDb();
  ~TempDb();
  QString path() const { return path_; }
  // Where the case's shop is: the file, or its database on the server; and
  // the same as the database tool takes it (a path or a server's URL).
  db::Description where() const { return server_.IsServer() ? server_ : db::Description::File(path_); }
  QString url() const;
  // A connection of the test's own, for setting up rows and checking results.
  db::ConnectionPtr conn() const { return conn_; }
  // Runs a statement on the test's connection; QFAIL-style abort on failure.
  void exec(const QString& sql);
  // The first column of the first row of a query, as text ("" if no row).
  QString scalar(const QString& sql);
  qint64 count(const QString& table);
  // Overwrites the first page of a table's tree with garbage, as a disk or a
  // crash can; the test's connection is closed first.
  void damagePage(const QString& table);
  QByteArray bytes() const;  // the file as it stands

 private:
  QTemporaryDir dir_;
  QString path_;
  db::ConnectionPtr conn_;
  db::Description server_;  // the case's database on a server, when the tests run there
};

// Outside a ScriptedPrompter, EndCatcher or ModalScript, every message box,
// end of the program, modal window and save dialog fails the running test
// (and is answered No/OK, ignored, rejected, cancelled): nothing a test did
// not expect can hang it on a real box or end the test program. Passwords
// are hashed at the cheap cost.
void InstallDefaultSeams();

// Answers message boxes from a queue of expectations. Every message is
// recorded. A message that was not expected (or differs from the next
// expectation) is recorded as a failure, answered with vbOK/vbNo, and
// reported by verify().
class ScriptedPrompter {
 public:
  ScriptedPrompter();
  ~ScriptedPrompter();
  // Expect the next message to have exactly this text (and title/icon when
  // given: pass -1 for icon to ignore it).
  void expect(const QString& text, int answer = ui::vbOK, const QString& title = QString(), int icon = -1);
  // Expect a message that begins with `start` (a failure of the store, whose
  // text goes on with the statement and the store's own message).
  void expectStart(const QString& start, int answer = ui::vbOK, const QString& title = QString(), int icon = -1);
  QList<ui::Message> seen;
  QStringList failures;
  int pending() const { return int(queue_.size()); }
  // True when every expectation was met and nothing unexpected came.
  bool ok() const { return failures.isEmpty() && queue_.isEmpty(); }
  QString report() const;

 private:
  struct Exp { QString text; int answer; QString title; int icon; bool start = false; };
  QList<Exp> queue_;
  ui::Prompter before_;
};
// Use in a test: VERIFY_PROMPTS(p) checks that all went as scripted.
#define VERIFY_PROMPTS(p) QVERIFY2((p).ok(), qPrintable((p).report()))

// Counts EndApplication calls instead of ending the process.
class EndCatcher {
 public:
  EndCatcher();
  ~EndCatcher();
  int count = 0;
  int code = -1;  // the exit status asked for last
};

// Counts beeps.
class BeepCounter {
 public:
  BeepCounter();
  ~BeepCounter();
  int count = 0;
};

// Installs a modal handler for the life of the object: each window shown
// through ui::ShowModal is passed to the next function of the queue, which
// must close it (reject()/accept()/close()). A window with no handler left is
// closed and recorded as a failure.
class ModalScript {
 public:
  ModalScript();
  ~ModalScript();
  void then(std::function<void(QDialog*)> f) { queue_.append(std::move(f)); }
  QStringList shown;     // object names of the windows shown, in order
  QStringList failures;
 private:
  QList<std::function<void(QDialog*)>> queue_;
};

// Finds a child by object name. A missing one fails the running test and
// stands in as a new unnamed child of the same kind, so the test goes on to
// its end instead of ending the whole test program.
template <class T>
T* child(QObject* parent, const QString& name) {
  T* c = parent->findChild<T*>(name);
  if (c) return c;
  QTest::qFail(qPrintable(QStringLiteral("no child %1 of %2").arg(name, parent->objectName())), __FILE__, __LINE__);
  if constexpr (std::is_default_constructible_v<T>) {
    c = new T;
    if constexpr (std::is_base_of_v<QWidget, T>)
      c->setParent(qobject_cast<QWidget*>(parent));
    else
      c->setParent(parent);
    return c;
  } else {
    qFatal("no child %s", qPrintable(name));
  }
}

// Double-clicks a data row of a grid (1..), scrolling it into view first,
// as a person would with the mouse.
void doubleClickRow(ui::FlexGrid* grid, int row, int col = 0);

// Types text into the focused-or-given widget key by key (as a person would).
void typeInto(QWidget* w, const QString& text);

// Presses keys as a person does: into the open menu, else into the widget
// that has the focus, else the active window. Counts the presses (a key
// together with its modifiers is one press). An Alt chord waits for the
// button it presses, which clicks a moment later.
class Keyboard {
 public:
  int presses = 0;
  void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
  // One press per character; '\r' is Enter.
  void type(const QString& text);
};

// Makes a window the active one, as the window manager does when it opens
// (a window shown from inside a menu's key press is not, off screen).
bool activate(QWidget* window);

}  // namespace testsupport
