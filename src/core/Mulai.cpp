#include "core/Mulai.h"

#include <QApplication>

#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"
#include "ui/Bahasa.h"
#include "ui/Seams.h"

int Mulai() {
  // Before the first window: every window, message and dialog in Indonesian.
  ui::PakaiBahasaIndonesia();
  auto* login = new frmLogin;
  ui::ShowModal(login);  // nothing is shown once the end was asked at load
  delete login;
  if (ui::EndRequested()) return ui::EndCode();

  // Closing the login window without logging in ends the program.
  FrmUtama* utama = FrmUtama::Existing();
  if (!utama || !utama->isVisible()) return 0;
  mdlUtama::BackupAwal();
  const int status = QApplication::exec();
  return ui::EndRequested() ? ui::EndCode() : status;
}
