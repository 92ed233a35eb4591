#include "master/frmPemasok.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"

frmPemasok::frmPemasok(QWidget* parent)
    : MasterKode("frmPemasok", QStringLiteral("   ::  MANAJEMEN DATA PEMASOK"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("Kode Pemasok"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Pemasok"));
  Label3 = BuatLabel("Label3", QStringLiteral("Alamat"));
  Label4 = BuatLabel("Label4", QStringLiteral("Kota"));
  Label5 = BuatLabel("Label5", QStringLiteral("Propinsi"));
  Label6 = BuatLabel("Label6", QStringLiteral("No. Telepon"));
  Label7 = BuatLabel("Label7", QStringLiteral("No. Fax"));
  Label8 = BuatLabel("Label8", QStringLiteral("Kontak Person"));
  txtNama = BuatTeks("txtNama");
  txtAlamat = BuatAlamat("txtAlamat");
  txtKota = BuatTeks("txtKota");
  txtPropinsi = BuatTeks("txtPropinsi");
  txtTelepon = BuatTelepon("txtTelepon");
  txtFax = BuatTelepon("txtFax");
  txtKontakP = BuatTeks("txtKontakP");
  txtNama->setMinimumWidth(250);

  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtKode, 0, 1, Qt::AlignLeft);
  isian_->addWidget(Label2, 1, 0);
  isian_->addWidget(txtNama, 1, 1);
  isian_->addWidget(Label3, 2, 0, Qt::AlignTop);
  isian_->addWidget(txtAlamat, 2, 1, 3, 1, Qt::AlignTop);
  isian_->setColumnMinimumWidth(2, 16);
  isian_->addWidget(Label4, 0, 3);
  isian_->addWidget(txtKota, 0, 4);
  isian_->addWidget(Label5, 1, 3);
  isian_->addWidget(txtPropinsi, 1, 4);
  isian_->addWidget(Label6, 2, 3);
  isian_->addWidget(txtTelepon, 2, 4);
  isian_->addWidget(Label7, 3, 3);
  isian_->addWidget(txtFax, 3, 4);
  isian_->addWidget(Label8, 4, 3);
  isian_->addWidget(txtKontakP, 4, 4);
  isian_->setColumnStretch(1, 3);
  isian_->setColumnStretch(4, 2);

  for (QLineEdit* t : {txtNama, txtKota, txtPropinsi, txtKontakP}) ui::SetKeyFilter(t, ui::EnterMovesFocus);
  // Enter in the address never starts a line: it goes straight to saving.
  ui::SetEnterAction(txtAlamat, [this] { TbSimpan->setFocus(); });
  ui::SetKeyFilter(txtTelepon, ui::DigitsOnly | ui::EnterMovesFocus);
  // The fax box takes whatever its mask takes; Enter moves on as everywhere.
  ui::SetKeyFilter(txtFax, ui::EnterMovesFocus);

  GridPsk = BuatGrid("GridPsk", QStringLiteral("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridPsk, 1);
  UrutanTab({txtKode, txtNama, txtAlamat, txtKota, txtPropinsi, txtTelepon, txtFax, txtKontakP, TbBaru, TbSimpan,
             TbHapus, TbKeluar, GridPsk});
  resize(700, 560);

  Siapkan({.jenis = toko::JenisMaster::Pemasok,
           .awalan = QStringLiteral("PS"),
           .rs = &mdlUtama::RsPemasok,
           .pesanKosong = QStringLiteral("Tabel Pemasok masih kosong!"),
           .pesanUbah = QStringLiteral("DATA PEMASOK TELAH DIUBAH"),
           .isian = {{txtNama, QStringLiteral("Nama_Pemasok")},
                     {txtAlamat, QStringLiteral("Alamat")},
                     {txtKota, QStringLiteral("Kota")},
                     {txtPropinsi, QStringLiteral("Propinsi")},
                     {txtTelepon, QStringLiteral("No_Telepon")},
                     {txtFax, QStringLiteral("No_Fax")},
                     {txtKontakP, QStringLiteral("KontakP")}},
           .kolomGrid = {QStringLiteral("Kode_Pemasok"), QStringLiteral("Nama_Pemasok"), QStringLiteral("Alamat"),
                         QStringLiteral("Kota"), QStringLiteral("Propinsi")},
           .wajib = {{txtNama, QStringLiteral("NAMA TIDAK BOLEH KOSONG!")},
                     {txtAlamat, QStringLiteral("ALAMAT TIDAK BOLEH KOSONG")},
                     {txtKota, QStringLiteral("KOTA TIDAK BOLEH KOSONG")},
                     {txtPropinsi, QStringLiteral("PROPINSI TIDAK BOLEH KOSONG")}}},
          GridPsk);
}

void frmPemasok::AktifGridPemasok() {
  ui::AturGrid(GridPsk, {{QStringLiteral("NO"), 400},
                         {QStringLiteral("KODE"), 750},
                         {QStringLiteral("NAMA PEMASOK"), 2000},
                         {QStringLiteral("ALAMAT"), 3000},
                         {QStringLiteral("KOTA"), 1500},
                         {QStringLiteral("PROPINSI"), 1500}});
  GridPsk->SetRowHeightMin(300);
}
