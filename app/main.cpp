// Starts the program: the login window first; a successful login shows the
// main window, which then lives until the person confirms closing it.
#include <QApplication>

#include "WindowTable.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Merapu");
  ui::SetWindows(ProgramWindows());

  auto* login = new frmLogin;
  if (!login->Loaded()) return 1;  // the connection message has been shown
  login->exec();
  delete login;

  // Closing the login window without logging in ends the program.
  FrmUtama* utama = FrmUtama::Existing();
  if (!utama || !utama->isVisible()) return 0;
  return app.exec();
}
