#include "core/frmLogin.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/FrmUtama.h"
#include "core/mdlUtama.h"
#include "db/Password.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

namespace {
// Failed attempts since the program started. A login does not clear it and
// neither does a logout, so the fourth failure of the run ends the program.
qint16 gagal = 0;
}  // namespace

int frmLogin::Failures() { return gagal; }
void frmLogin::ResetFailuresForTests() { gagal = 0; }

frmLogin::frmLogin(QWidget* parent) : QDialog(parent) {
  setObjectName("frmLogin");
  setWindowTitle("  ::: Login Sistem CV. MERAPU v 1.0");
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  auto* bingkai = new QFrame(this);
  bingkai->setObjectName("Frame1");
  bingkai->setFrameShape(QFrame::StyledPanel);
  bingkai->setFrameShadow(QFrame::Sunken);

  Label1 = new QLabel("Login ID", bingkai);
  Label1->setObjectName("Label1");
  Label2 = new QLabel("Password", bingkai);
  Label2->setObjectName("Label2");
  Label3 = new QLabel("Level", bingkai);
  Label3->setObjectName("Label3");

  txtUser = ui::BuatKotak(bingkai, "txtUser");
  txtPwd = ui::BuatKotak(bingkai, "txtPwd");
  txtPwd->setEchoMode(QLineEdit::Password);
  txtPwd->setStyleSheet("lineedit-password-character: 42;");  // '*'
  cmbLevel = new QComboBox(bingkai);
  cmbLevel->setObjectName("cmbLevel");
  cmbLevel->setEditable(true);
  cmbLevel->setInsertPolicy(QComboBox::NoInsert);
  ui::TanpaKendali(cmbLevel);

  auto* isian = new QGridLayout(bingkai);
  isian->setContentsMargins(16, 14, 16, 14);
  isian->setHorizontalSpacing(12);
  isian->setVerticalSpacing(10);
  isian->addWidget(Label1, 0, 0);
  isian->addWidget(txtUser, 0, 1);
  isian->addWidget(Label2, 1, 0);
  isian->addWidget(txtPwd, 1, 1);
  isian->addWidget(Label3, 2, 0);
  isian->addWidget(cmbLevel, 2, 1);
  isian->setColumnStretch(1, 1);

  // Enter in a box does not log in; Enter on a focused button presses it.
  TbLogin = ui::Tombol(this, "TbLogin", "&LOGIN", 96);
  TbTutup = ui::Tombol(this, "TbTutup", "&TUTUP", 96);

  auto* tombol = new QHBoxLayout;
  tombol->addStretch(1);
  tombol->addWidget(TbLogin);
  tombol->addWidget(TbTutup);

  auto* utama = new QVBoxLayout(this);
  utama->setContentsMargins(14, 14, 14, 14);
  utama->setSpacing(12);
  utama->addWidget(bingkai);
  utama->addLayout(tombol);
  setFixedSize(380, sizeHint().height());

  setTabOrder(txtUser, txtPwd);
  setTabOrder(txtPwd, cmbLevel);
  setTabOrder(cmbLevel, TbLogin);
  setTabOrder(TbLogin, TbTutup);

  connect(TbLogin, &QPushButton::clicked, this, [this] { TbLogin_Click(); });
  connect(TbTutup, &QPushButton::clicked, this, [this] { TbTutup_Click(); });

  Form_Load();
}

void frmLogin::paintEvent(QPaintEvent* ev) {
  QDialog::paintEvent(ev);
  if (dilukis_ || !loaded_) return;
  dilukis_ = true;
  QTimer::singleShot(0, this, [] { mdlUtama::BacaDaftarBarang(); });
}

void frmLogin::Form_Load() {
  // Nothing here needs the item lists: they are read once the window shows.
  if (!mdlUtama::BukaKoneksi(false)) return;  // the program is ending
  cmbLevel->addItem("KASIR");
  cmbLevel->addItem("ADMIN");
  cmbLevel->setCurrentIndex(-1);
  cmbLevel->setEditText(QString());
  loaded_ = true;
}

void frmLogin::TbLogin_Click() {
  using namespace mdlUtama;
  if (txtUser->text().isEmpty()) {
    ui::MsgBox("USER ID MASIH KOSONG !", ui::vbOKOnly | ui::vbCritical, "Error");
    txtUser->setFocus();
    return;
  }
  if (txtPwd->text().isEmpty()) {
    ui::MsgBox("PASSWORD MASIH KOSONG !", ui::vbOKOnly | ui::vbCritical, "Error");
    txtPwd->setFocus();
    return;
  }

  // The password is kept as a hash: the row is found by user and level, and
  // the typed password is checked against it here.
  SQL = "";
  SQL = "SELECT * FROM Pengguna " + QString("WHERE UserID=") + db::Quote(txtUser->text()) + " " +
        " AND Level=" + db::Quote(cmbLevel->currentText());
  // Trouble in the store itself is not a wrong password: it is shown and
  // nothing is counted.
  if (!Buka(RsLogin, SQL)) return;
  // Nothing chosen never matches, not even a user stored with an empty level
  // (the user screen accepts one): a blank level is a failed attempt. The
  // store compares without regard to case; the password must match exactly.
  if (RsLogin->Eof() || cmbLevel->currentText().isEmpty() ||
      !db::PasswordMatches(RsLogin->Text("PassId"), txtPwd->text())) {
    if (gagal >= 3) {
      ui::MsgBox("ANDA BUKAN USER YANG BERHAK!", ui::vbOKOnly | ui::vbCritical, "Error");
      ui::EndApplication();
      return;
    }
    ui::MsgBox("ID ATAU PASSWORD MASIH SALAH, SILAHKAN ULANGI LAGI!", ui::vbOKOnly | ui::vbCritical, "Error");
    txtUser->clear();
    txtPwd->clear();
    txtUser->setFocus();
    gagal = qint16(gagal + 1);
    return;
  }

  // A password still kept as typed (a file of an older version) is replaced
  // by its hash now that it is known. Failing that, the person is told and
  // works on; the next login tries again.
  if (!db::IsPasswordHash(RsLogin->Text("PassId"))) SimpanHashSandi(RsLogin->Text("UserId"), txtPwd->text());

  const QString level = RsLogin->Text("Level");
  FrmUtama* utama = FrmUtama::Instance();
  accept();
  utama->setEnabled(true);
  utama->show();
  // Exact comparison: a level stored as "admin" passes the query (levels
  // compare without regard to case) but gets the cashier's menus.
  if (level == "ADMIN")
    utama->MenuAdmin();
  else
    utama->MenuKasir();

  UserAktif = RsLogin->Text("UserId");
  LevelAktif = level;
  utama->SetPanel(1, RsLogin->Text("Nama"));
  utama->SetPanel(2, "[" + level + "]");
  utama->findChild<QAction*>("mnuLogout")->setEnabled(true);
  if (isVisible()) accept();
}

void frmLogin::TbTutup_Click() { reject(); }
