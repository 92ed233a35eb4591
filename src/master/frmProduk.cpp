#include "master/frmProduk.h"

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
#include "toko/Kode.h"

using namespace mdlUtama;

frmProduk::frmProduk(QWidget* parent)
    : MasterForm("frmProduk", QStringLiteral("   ::  MANAJEMEN PRODUK BARANG"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("Kode Produk"));
  Label3 = BuatLabel("Label3", QStringLiteral("Data Grup"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Produk"));
  txtKode = BuatTeks("txtKode", 7);
  txtKode->setReadOnly(true);
  txtKode->setFixedWidth(90);
  CmbGrup = BuatCombo("CmbGrup");
  CmbGrup->setFixedWidth(90);
  txtNmGrup = BuatTeks("txtNmGrup");
  txtNama = BuatTeks("txtNama", 60);
  txtNama->setMinimumWidth(330);
  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtKode, 0, 1);
  isian_->addWidget(Label3, 1, 0);
  isian_->addWidget(CmbGrup, 1, 1);
  isian_->addWidget(txtNmGrup, 1, 2);
  isian_->addWidget(Label2, 2, 0);
  isian_->addWidget(txtNama, 2, 1, 1, 2);
  isian_->setColumnStretch(2, 1);
  // Code and group name keep their design colour; only these two are repainted.
  Masukan(txtKode, false);
  Masukan(CmbGrup);
  Masukan(txtNmGrup, false);
  Masukan(txtNama);
  ui::SetKeyFilter(CmbGrup, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtNmGrup, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtNama, ui::UpperCase | ui::EnterMovesFocus);
  connect(CmbGrup, qOverload<int>(&QComboBox::activated), this, &frmProduk::CmbGrup_Click);

  GridProduk = BuatGrid("GridProduk", QStringLiteral("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridProduk, 1);
  connect(GridProduk, &ui::FlexGrid::DblClick, this, &frmProduk::GridProduk_DblClick);
  UrutanTab({txtKode, CmbGrup, txtNmGrup, txtNama, TbBaru, TbSimpan, TbHapus, TbKeluar, GridProduk});
  resize(520, 490);

  Form_Load();
}

void frmProduk::Form_Load() {
  if (!BukaKoneksi()) return;
  FormMati();
  DataGrup();
  TampilGridData();
  TbHapus->setEnabled(false);
  TbSimpan->setEnabled(false);
  txtKode->setReadOnly(true);
}

void frmProduk::DataGrup() { IsiComboGrup(CmbGrup, QStringLiteral("DATA GRUP TIDAK ASDA")); }

void frmProduk::AktifGridProduk() {
  ui::AturGrid(GridProduk,
           {{QStringLiteral("NO"), 400}, {QStringLiteral("KODE"), 1000}, {QStringLiteral("NAMA PRODUK"), 5800}});
}

void frmProduk::TampilGridData() {
  GridProduk->Clear();
  AktifGridProduk();
  GridProduk->SetRows(2);
  if (DaftarKosong(RsProduk.get(), QStringLiteral("DATA PRODUK MASIH KOSONG!"))) return;
  IsiGrid(GridProduk, RsProduk.get(), {QStringLiteral("Kode_Produk"), QStringLiteral("Nama_Produk")});
}

void frmProduk::BuatKode() {
  const QString grup = CmbGrup->currentText().left(3);
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Produk WHERE Kode_Grup=") + db::Quote(grup);
  // No code from a store that failed: the save then asks for one.
  kodeGagal_.clear();
  txtKode->clear();
  if (!Buka(RsProduk, SQL)) return;
  // The serial continues from the highest code of the group; past 999 no
  // code is made, so nothing malformed or already used can be saved.
  const toko::NextCodeResult r = KodeBaru({.tabel = QStringLiteral("Produk"),
                                           .kolom = QStringLiteral("Kode_Produk"),
                                           .awalan = grup + QStringLiteral("."),
                                           .syarat = QStringLiteral("Kode_Grup=") + db::Quote(grup)});
  kodeGagal_ = r.error;
  txtKode->setText(r.code);
  if (!r.error.isEmpty()) ui::MsgBox(r.error, ui::vbCritical, QStringLiteral("Error"));
}

void frmProduk::BukaDiGrup(const QString& kode, const QString& nama) {
  CmbGrup->setEditText(kode);
  txtNmGrup->setText(nama);
  BuatKode();
}

void frmProduk::CmbGrup_Click(int index) {
  FormHidup();
  const QString e = CmbGrup->itemText(index);
  txtNmGrup->setText(e.right(e.size() - 5));
  CmbGrup->setEditText(e.left(3));
  txtNama->setFocus();
  BuatKode();
  if (!RsProduk) return;  // the store failed, and said so
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Produk ") + QStringLiteral("WHERE Kode_Grup=") + db::Quote(CmbGrup->currentText());
  if (!Buka(RsProduk, SQL)) return;
  TampilGridData();
}

void frmProduk::TbBaru_Click() {
  FormHidup();
  ModeBaru();
  CmbGrup->setFocus();
  TampilGridData();
}

void frmProduk::GridProduk_DblClick() {
  ModeUbah();
  FormHidup();
  txtNama->setFocus();
  if (!MuatBaris(RsProduk, GridProduk, 1,
                 QStringLiteral(" SELECT Produk.*, Grup.Nama_Grup ") + QStringLiteral(" FROM Produk, Grup ") +
                     QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") + QStringLiteral(" AND Kode_Produk="),
                 QStringLiteral("TABEL MASIH KOSONG"), QStringLiteral("Perhatian")))
    return;
  for (RsProduk->MoveFirst(); !RsProduk->Eof(); RsProduk->MoveNext()) {
    txtKode->setText(RsProduk->Text(QStringLiteral("Kode_Produk")));
    CmbGrup->setEditText(RsProduk->Text(QStringLiteral("Kode_Grup")));
    txtNmGrup->setText(RsProduk->Text(QStringLiteral("Nama_Grup")));
    txtNama->setText(RsProduk->Text(QStringLiteral("Nama_Produk")));
  }
}

void frmProduk::TbSimpan_Click() {
  const QString nama = txtNama->text().trimmed();
  // A group typed into the box must exist, or the product would belong nowhere.
  db::RecordsetPtr adaGrup;
  if (!CmbGrup->currentText().isEmpty() &&
      !Buka(adaGrup, QStringLiteral("SELECT * FROM Grup WHERE Kode_Grup=") + db::Quote(CmbGrup->currentText())))
    return;
  if (CmbGrup->currentText().isEmpty() || adaGrup->Bof()) {
    ui::MsgBox(QStringLiteral("DATA GRUP BELUM DIPILIH"), ui::vbCritical, QStringLiteral("Perhatian"));
    CmbGrup->setFocus();
    return;
  }
  if (nama.isEmpty()) {
    ui::MsgBox(QStringLiteral("NAMA PRODUK BELUM DIISI"), ui::vbCritical, QStringLiteral("Perhatian"));
    txtNama->setFocus();
    return;
  }
  // No code yet (the group was typed rather than picked, or its serials are
  // used up): a row without a proper code is never stored.
  if (txtKode->text().trimmed().isEmpty()) {
    ui::MsgBox(kodeGagal_.isEmpty() ? QStringLiteral("KODE PRODUK BELUM ADA, PILIH DATA GRUP DARI DAFTAR") : kodeGagal_,
               ui::vbCritical, QStringLiteral("Error"));
    CmbGrup->setFocus();
    return;
  }
  const QString kode = txtKode->text().trimmed();
  const QString grup = CmbGrup->currentText().trimmed();
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Produk WHERE Kode_Produk = ") + db::Quote(txtKode->text());
  if (!Buka(RsProduk, SQL)) return;
  if (RsProduk->Bof()) {
    RsProduk->AddNew();
    RsProduk->SetField(QStringLiteral("Kode_Produk"), kode);
    RsProduk->SetField(QStringLiteral("Kode_Grup"), grup);
    RsProduk->SetField(QStringLiteral("Nama_Produk"), nama);
    if (!Simpan(RsProduk.get())) return;
    ui::MsgBox(QStringLiteral("DATA BARU TELAH TERSIMPAN"), ui::vbInformation, QStringLiteral("Konfirmasi"));
  } else {
    RsProduk->SetField(QStringLiteral("Kode_Grup"), grup);
    RsProduk->SetField(QStringLiteral("Nama_Produk"), nama);
    if (!Simpan(RsProduk.get())) return;
    ui::MsgBox(QStringLiteral("DATA Produk TELAH DIUBAH"), ui::vbInformation, QStringLiteral("Konfirmasi"));
  }
  (void)BacaUlang(RsProduk.get());
  txtNama->clear();
  txtNama->setFocus();
  BuatKode();
  if (!RsProduk) return;  // the store failed, and said so
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Produk ") + QStringLiteral("WHERE Kode_Grup=") + db::Quote(CmbGrup->currentText());
  if (!Buka(RsProduk, SQL)) return;
  TampilGridData();
}

void frmProduk::TbHapus_Click() {
  if (!HapusData(txtKode->text(), txtNama->text(), toko::JenisMaster::Produk, RsProduk.get())) return;
  FormMati();
  Form_Load();
}

void frmProduk::Batal() {
  FormNormal();
  Form_Load();
}
