#include "master/frmGrup.h"

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

using namespace mdlUtama;

frmGrup::frmGrup(QWidget* parent) : MasterForm("frmGrup", QStringLiteral("   ::  MANAJEMEN GRUP PRODUK"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("Kode Grup"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Grup"));
  Label3 = BuatLabel("Label3", QStringLiteral("*) Harus 3 digit"));
  txtKode = BuatTeks("txtKode", 3);
  txtNama = BuatTeks("txtNama", 60);
  txtKode->setFixedWidth(60);
  txtNama->setMinimumWidth(330);
  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtKode, 0, 1);
  isian_->addWidget(Label3, 0, 2);
  isian_->addWidget(Label2, 1, 0);
  isian_->addWidget(txtNama, 1, 1, 1, 3);
  isian_->setColumnStretch(3, 1);
  Masukan(txtKode);
  Masukan(txtNama);
  for (QLineEdit* t : {txtKode, txtNama}) ui::SetKeyFilter(t, ui::UpperCase | ui::EnterMovesFocus);

  GridGrup = BuatGrid("GridGrup", QStringLiteral("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridGrup, 1);
  connect(GridGrup, &ui::FlexGrid::DblClick, this, &frmGrup::GridGrup_DblClick);
  UrutanTab({txtKode, txtNama, TbBaru, TbSimpan, TbHapus, TbKeluar, GridGrup});
  resize(500, 470);

  Form_Load();
}

void frmGrup::Form_Load() {
  if (!BukaKoneksi()) return;
  TampilGridData();
  FormMati();
  TbHapus->setEnabled(false);
  TbSimpan->setEnabled(false);
}

void frmGrup::AktifGridGrup() {
  ui::AturGrid(GridGrup, {{QStringLiteral("NO"), 400}, {QStringLiteral("KODE"), 800}, {QStringLiteral("NAMA GRUP"), 5700}});
}

void frmGrup::TampilGridData() {
  GridGrup->Clear();
  AktifGridGrup();
  GridGrup->SetRows(2);
  if (!Buka(RsGrup, QStringLiteral("SELECT * FROM Grup"))) return;
  if (DaftarKosong(RsGrup.get(), QStringLiteral("DATA GRUP MASIH KOSONG!"))) return;
  IsiGrid(GridGrup, RsGrup.get(), {QStringLiteral("Kode_Grup"), QStringLiteral("Nama_Grup")});
}

void frmGrup::TbBaru_Click() {
  FormHidup();
  ModeBaru();
  txtKode->setReadOnly(false);
  txtKode->setFocus();
  TampilGridData();
}

void frmGrup::GridGrup_DblClick() {
  ModeUbah();
  txtKode->setReadOnly(true);
  FormHidup();
  txtNama->setFocus();
  if (!MuatBaris(RsGrup, GridGrup, 1, QStringLiteral(" SELECT * FROM Grup ") + QStringLiteral(" WHERE Kode_Grup="),
                 QStringLiteral("TABEL MASIH KOSONG"), QStringLiteral("Perhatian")))
    return;
  for (RsGrup->MoveFirst(); !RsGrup->Eof(); RsGrup->MoveNext()) {
    txtKode->setText(RsGrup->Text(QStringLiteral("Kode_Grup")));
    txtNama->setText(RsGrup->Text(QStringLiteral("Nama_Grup")));
  }
}

void frmGrup::TbSimpan_Click() {
  // Checked without the outer blanks, which are not stored: "AB " would
  // otherwise pass as three characters and be kept as a two-character code.
  const QString kode = txtKode->text().trimmed();
  const QString nama = txtNama->text().trimmed();
  if (kode.size() != 3) {
    ui::MsgBox(QStringLiteral("KODE GRUP HARUS 3 DIGIT"), ui::vbCritical, QStringLiteral("Error"));
    txtKode->setFocus();
    return;
  }
  if (nama.isEmpty()) {
    ui::MsgBox(QStringLiteral("NAMA GRUP BELUM DIISI"), ui::vbCritical, QStringLiteral("Error"));
    txtNama->setFocus();
    return;
  }
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Grup WHERE Kode_Grup = ") + db::Quote(kode);
  if (!Buka(RsGrup, SQL)) return;
  if (RsGrup->Bof()) {
    RsGrup->AddNew();
    RsGrup->SetField(QStringLiteral("Kode_Grup"), kode);
    RsGrup->SetField(QStringLiteral("Nama_Grup"), nama);
    if (!Simpan(RsGrup.get())) return;
    ui::MsgBox(QStringLiteral("DATA BARU TELAH TERSIMPAN"), ui::vbInformation, QStringLiteral("Info"));
  } else {
    const QString crlf = QStringLiteral("\r\n");
    if (Tanya(QStringLiteral("AKAN MERUBAH DATA GRUP? DARI : ") + crlf + QStringLiteral("Grup Lama : ") +
              RsGrup->Text(QStringLiteral("Nama_Grup")) + crlf + QStringLiteral("Grup Baru : ") + txtNama->text() +
              crlf)) {
      RsGrup->SetField(QStringLiteral("Nama_Grup"), nama);
      if (!Simpan(RsGrup.get())) return;
    }
  }
  SelesaiSimpan(RsGrup.get());
}

void frmGrup::TbHapus_Click() {
  if (!HapusData(txtKode->text(), txtNama->text(), toko::JenisMaster::Grup, RsGrup.get())) return;
  FormMati();
  TampilGridData();
}
