#include "master/frmPengguna.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "toko/Master.h"

using namespace mdlUtama;

namespace {
const QString kAdmin = QStringLiteral("ADMIN");
const QString kKasir = QStringLiteral("KASIR");
const QString kCrLf = QStringLiteral("\r\n");

bool AdminMasuk(const db::Recordset& rs) {
  return toko::AdminMasuk(rs.Text(QStringLiteral("Level")), rs.Text(QStringLiteral("PassId")));
}
}  // namespace

frmPengguna::frmPengguna(QWidget* parent) : MasterForm("frmPengguna", QStringLiteral("   ::  MANAJEMEN PENGGUNA"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("User ID"));
  Label3 = BuatLabel("Label3", QStringLiteral("*) Minimal 4 digit"));
  Label4 = BuatLabel("Label4", QStringLiteral("Password"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Pemilik"));
  Label5 = BuatLabel("Label5", QStringLiteral("Level"));
  txtUserId = BuatTeks("txtUserId", 30);
  txtPassword = BuatTeks("txtPassword", 30);
  txtPassword->setEchoMode(QLineEdit::Password);
  txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));  // '#'
  txtNama = BuatTeks("txtNama", 60);
  cmbLevel = BuatCombo("cmbLevel");
  for (QWidget* w : {static_cast<QWidget*>(txtUserId), static_cast<QWidget*>(txtPassword)}) w->setFixedWidth(200);
  cmbLevel->setFixedWidth(110);
  txtNama->setMinimumWidth(300);
  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtUserId, 0, 1);
  isian_->addWidget(Label3, 0, 2);
  isian_->addWidget(Label4, 1, 0);
  isian_->addWidget(txtPassword, 1, 1);
  isian_->addWidget(Label2, 2, 0);
  isian_->addWidget(txtNama, 2, 1, 1, 3);
  isian_->addWidget(Label5, 3, 0);
  isian_->addWidget(cmbLevel, 3, 1, Qt::AlignLeft);
  isian_->setColumnStretch(3, 1);
  for (QWidget* w : {static_cast<QWidget*>(txtUserId), static_cast<QWidget*>(txtPassword),
                     static_cast<QWidget*>(txtNama), static_cast<QWidget*>(cmbLevel)})
    Masukan(w);
  ui::SetKeyFilter(txtUserId, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtPassword, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtNama, ui::UpperCase | ui::EnterMovesFocus);
  ui::SetKeyFilter(cmbLevel, ui::EnterMovesFocus);

  GridPengguna = BuatGrid("GridPengguna", QStringLiteral("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridPengguna, 1);
  connect(GridPengguna, &ui::FlexGrid::DblClick, this, &frmPengguna::GridPengguna_DblClick);
  UrutanTab({txtUserId, txtPassword, txtNama, cmbLevel, TbBaru, TbSimpan, TbHapus, TbKeluar, GridPengguna});
  resize(540, 480);

  Form_Load();
}

void frmPengguna::Form_Load() {
  if (!BukaKoneksi()) return;
  TampilGridData();
  // Not put to rest: the boxes and all four buttons start as designed.
  IsiDaftar(cmbLevel, {kKasir, kAdmin});
}

void frmPengguna::AktifGridPengguna() {
  ui::AturGrid(GridPengguna, {{QStringLiteral("USER ID"), 1300},
                              {QStringLiteral("PASSWORD"), 1300},
                              {QStringLiteral("NAMA PEMILIK"), 3700},
                              {QStringLiteral("LEVEL"), 700}});
  GridPengguna->SetRowHeightMin(300);
}

void frmPengguna::TampilGridData() {
  GridPengguna->Clear();
  AktifGridPengguna();
  GridPengguna->SetRows(2);
  if (!Buka(RsPengguna, QStringLiteral("SELECT * FROM Pengguna"))) return;
  if (DaftarKosong(RsPengguna.get(), QStringLiteral("DATA Pengguna MASIH KOSONG!"))) return;
  // The password is never shown.
  const int n = IsiGrid(GridPengguna, RsPengguna.get(),
                        {QStringLiteral("UserId"), QString(), QStringLiteral("Nama"), QStringLiteral("Level")}, false);
  for (int i = 1; i <= n; ++i) GridPengguna->SetTextMatrix(i, 1, QStringLiteral("xxxxxxx"));
}

void frmPengguna::TbBaru_Click() {
  FormHidup();
  TampilGridData();
  ModeBaru();
  txtUserId->setReadOnly(false);
  txtUserId->setFocus();
}

void frmPengguna::GridPengguna_DblClick() {
  ModeUbah();
  txtUserId->setReadOnly(true);
  FormHidup();
  txtPassword->setFocus();
  // A password typed for one user never lands on the next one loaded: the
  // box starts empty, which keeps the stored password.
  txtPassword->clear();
  if (!MuatBaris(RsPengguna, GridPengguna, 0, QStringLiteral(" SELECT * FROM Pengguna ") + QStringLiteral(" WHERE UserId="),
                 QStringLiteral("TABEL MASIH KOSONG"), QStringLiteral("Perhatian")))
    return;
  txtUserId->setText(RsPengguna->Text(QStringLiteral("UserId")));
  txtNama->setText(RsPengguna->Text(QStringLiteral("Nama")));
  cmbLevel->setEditText(RsPengguna->Text(QStringLiteral("Level")));
}

bool frmPengguna::AdaAdminLain(const QString& userId, bool* ada) {
  const toko::AdminLain a = toko::AdaAdminLain(Conn, userId);
  if (a.error.failed()) {
    TampilGagal(a.error);
    return false;
  }
  *ada = a.ada;
  return true;
}

void frmPengguna::TbSimpan_Click() {
  // Checked as it will be stored, without the blanks around it.
  const QString id = txtUserId->text().trimmed();
  const QString nama = txtNama->text().trimmed();
  const QString level = cmbLevel->currentText().trimmed();
  auto tolak = [](const QString& pesan, QWidget* kotak) {
    ui::MsgBox(pesan, ui::vbCritical, QStringLiteral("Error"));
    kotak->setFocus();
  };
  if (id.size() < 4) return tolak(QStringLiteral("USER ID MINIMAL 4 DIGIT"), txtUserId);
  if (nama.isEmpty()) return tolak(QStringLiteral("NAMA BELUM DIISI"), txtNama);
  // The login knows only these two words.
  if (level != kKasir && level != kAdmin) return tolak(QStringLiteral("LEVEL HARUS KASIR ATAU ADMIN"), cmbLevel);
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Pengguna WHERE UserId = ") + db::Quote(id);
  if (!Buka(RsPengguna, SQL)) return;
  if (RsPengguna->Bof()) {
    const QString sandi = txtPassword->text().trimmed();
    if (sandi.isEmpty()) return tolak(QStringLiteral("PASSWORD BELUM DIISI"), txtPassword);
    QString hash;
    if (!HashSandi(sandi, &hash)) return;
    RsPengguna->AddNew();
    RsPengguna->SetField(QStringLiteral("UserId"), id);
    RsPengguna->SetField(QStringLiteral("PassId"), hash);
    RsPengguna->SetField(QStringLiteral("Nama"), nama);
    RsPengguna->SetField(QStringLiteral("Level"), level);
    if (!Simpan(RsPengguna.get())) return;
    ui::MsgBox(QStringLiteral("DATA PENGGUNA BARU TELAH TERSIMPAN"), ui::vbInformation, QStringLiteral("Sukses"));
  } else {
    // An empty box keeps this user's own stored password (its hash, or as it
    // stands in an older file); a typed one is stored as its hash.
    const bool tetap = txtPassword->text().trimmed().isEmpty();
    if (tetap && RsPengguna->Text(QStringLiteral("PassId")).isEmpty())
      return tolak(QStringLiteral("PASSWORD BELUM DIISI"), txtPassword);
    if (AdminMasuk(*RsPengguna) && level != kAdmin) {
      bool ada = false;
      if (!AdaAdminLain(id, &ada)) return;
      if (!ada)
        return tolak(QStringLiteral("LEVEL TIDAK DAPAT DIUBAH, ") + id +
                         QStringLiteral(" ADALAH SATU-SATUNYA ADMIN"),
                     cmbLevel);
    }
    if (Tanya(QStringLiteral("AKAN MERUBAH DATA PENGGUNA? DARI : ") + kCrLf + QStringLiteral("NAMA LAMA : ") +
              RsPengguna->Text(QStringLiteral("Nama")) + kCrLf + QStringLiteral("NAMA BARU : ") + txtNama->text() +
              kCrLf)) {
      QString sandi = RsPengguna->Text(QStringLiteral("PassId"));
      if (!tetap && !HashSandi(txtPassword->text(), &sandi)) return;
      RsPengguna->SetField(QStringLiteral("PassId"), sandi);
      RsPengguna->SetField(QStringLiteral("Nama"), nama);
      RsPengguna->SetField(QStringLiteral("Level"), level);
      if (!Simpan(RsPengguna.get())) return;
    }
  }
  SelesaiSimpan(RsPengguna.get());
}

void frmPengguna::TbHapus_Click() {
  // The delete asks again whether the user is there and whether it is the
  // only ADMIN, so nobody can be left without one.
  const QString id = txtUserId->text().trimmed();
  if (!HapusData(id, txtNama->text(), toko::JenisMaster::Pengguna, RsPengguna.get(), QStringLiteral("USER ID : ")))
    return;
  FormMati();
  TampilGridData();
}
