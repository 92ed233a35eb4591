#pragma once
// The main window: the frame from which every other window is opened through
// the menus. It shows who is logged in and switches its menus by level.
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QPoint>
#include <QSize>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

// Where the background tiles go: rows of w x h tiles starting at the left
// edge and at y = top, until the client area (width x height) is covered.
// Tiles on the right and bottom edges run past them and are clipped.
QList<QPoint> TitikUbin(int lebar, int tinggi, int top, int w, int h);

class FrmUtama : public QMainWindow {
  Q_OBJECT
 public:
  // There is one main window in a run. It is made on first use (the login
  // reaches it before it has ever been shown) and lives until the end.
  static FrmUtama* Instance();
  // The main window if it has been made, otherwise nullptr.
  static FrmUtama* Existing();
  // Tests start each case without a main window.
  static void DestroyForTests();

  // Menu states after a login of each kind, and after a logout.
  void MenuAdmin();
  void MenuKasir();
  void mnuLogout_Click();
  // Makes a checked copy of the database now and says where it went.
  void mnuBackup_Click();

  // Status-bar panels: 1 the user's name, 2 the level in brackets.
  void SetPanel(int panel, const QString& text);
  QString PanelText(int panel) const;

  // Positions of the toolbar's buttons, should it ever be given some.
  void Toolbar1_ButtonClick(int index);

  // A window that no menu entry opens.
  void TampilLapBarangGrup();

  // No right-click menu that would hide the toolbar (and so move where the
  // background starts).
  QMenu* createPopupMenu() override { return nullptr; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  explicit FrmUtama(QWidget* parent = nullptr);
  ~FrmUtama() override;
  void BuatMenu();
  QMenu* Menu(const char* name, const QString& caption);
  QAction* Entry(QMenu* menu, const char* name, const QString& caption, const char* window = nullptr);
  QAction* Separator(QMenu* menu, const char* name);
  void Open(const QString& window);
  void SetOn(const char* name, bool on);

  QToolBar* Toolbar1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* Panel1 = nullptr;
  QLabel* Panel2 = nullptr;
  QLabel* Picture1 = nullptr;
  friend class Latar;
};
