#pragma once
// Shared by the login and main-window tests: the two users of every case and
// a login attempt typed into a fresh login window.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"

namespace masuk {

// A fresh database with an ADMIN (ADM / rahasia) and a cashier (KSR / kasir1);
// the failure counter and the main window start from nothing.
inline testsupport::TempDb* Mulai() {
  auto* db = new testsupport::TempDb;
  frmLogin::ResetFailuresForTests();
  FrmUtama::DestroyForTests();
  db->exec("INSERT INTO Pengguna (UserId, PassId, Nama, Level) VALUES ('ADM', 'rahasia', 'Budi Santoso', 'ADMIN')");
  db->exec("INSERT INTO Pengguna (UserId, PassId, Nama, Level) VALUES ('KSR', 'kasir1', 'Sari Dewi', 'KASIR')");
  return db;
}

inline void Selesai(testsupport::TempDb*& db) {
  FrmUtama::DestroyForTests();
  delete db;
  db = nullptr;
}

inline void Isi(frmLogin& w, const QString& user, const QString& pwd, const QString& level) {
  testsupport::child<QLineEdit>(&w, "txtUser")->setText(user);
  testsupport::child<QLineEdit>(&w, "txtPwd")->setText(pwd);
  testsupport::child<QComboBox>(&w, "cmbLevel")->setEditText(level);
}

inline void Login(frmLogin& w) { testsupport::child<QPushButton>(&w, "TbLogin")->click(); }

// One attempt in a fresh window, as a person would make it after a logout.
inline void Coba(const QString& user, const QString& pwd, const QString& level) {
  frmLogin w;
  Isi(w, user, pwd, level);
  Login(w);
}

}  // namespace masuk
