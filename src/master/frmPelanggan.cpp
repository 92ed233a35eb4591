#include "master/frmPelanggan.h"

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

frmPelanggan::frmPelanggan(QWidget* parent)
    : MasterKode("frmPelanggan", QStringLiteral("   ::  MANAJEMEN DATA PELANGGAN"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("Kode Pelanggan"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Pelanggan"));
  Label3 = BuatLabel("Label3", QStringLiteral("No. Telepon"));
  Label4 = BuatLabel("Label4", QStringLiteral("Alamat"));
  txtNama = BuatTeks("txtNama");
  txtTelepon = BuatTelepon("txtTelepon");
  txtAlamat = BuatAlamat("txtAlamat");
  txtNama->setMinimumWidth(300);

  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtKode, 0, 1, Qt::AlignLeft);
  isian_->addWidget(Label2, 1, 0);
  isian_->addWidget(txtNama, 1, 1);
  isian_->addWidget(Label3, 2, 0);
  isian_->addWidget(txtTelepon, 2, 1, Qt::AlignLeft);
  isian_->addWidget(Label4, 3, 0, Qt::AlignTop);
  isian_->addWidget(txtAlamat, 3, 1);
  isian_->setColumnStretch(1, 1);

  ui::SetKeyFilter(txtNama, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtTelepon, ui::DigitsOnly | ui::EnterMovesFocus);
  // Enter never starts a new line in the address: it moves on.
  ui::SetKeyFilter(txtAlamat, ui::EnterMovesFocus);

  GridPlg = BuatGrid("GridPlg", QStringLiteral("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridPlg, 1);
  UrutanTab({txtKode, txtNama, txtTelepon, txtAlamat, TbBaru, TbSimpan, TbHapus, TbKeluar, GridPlg});
  resize(600, 520);

  Siapkan({.jenis = toko::JenisMaster::Pelanggan,
           .awalan = QStringLiteral("PG"),
           .rs = &mdlUtama::RsPelanggan,
           .pesanKosong = QStringLiteral("Tabel Pelanggan masih kosong!"),
           .pesanUbah = QStringLiteral("DATA PELANGGAN TELAH DIUBAH"),
           .isian = {{txtNama, QStringLiteral("Nama_Pelanggan")},
                     {txtTelepon, QStringLiteral("No_Telepon")},
                     {txtAlamat, QStringLiteral("Alamat")}},
           .kolomGrid = {QStringLiteral("Kode_Pelanggan"), QStringLiteral("Nama_Pelanggan"),
                         QStringLiteral("No_Telepon"), QStringLiteral("Alamat")},
           .wajib = {{txtNama, QStringLiteral("NAMA TIDAK BOLEH KOSONG!")},
                     {txtAlamat, QStringLiteral("ALAMAT TIDAK BOLEH KOSONG")}}},
          GridPlg);
}

void frmPelanggan::AktifGridPelanggan() {
  ui::AturGrid(GridPlg, {{QStringLiteral("NO"), 400},
                         {QStringLiteral("KODE"), 750},
                         {QStringLiteral("NAMA PELANGGAN"), 2000},
                         {QStringLiteral("NO.TELEPON"), 1600},
                         {QStringLiteral("ALAMAT"), 3250}});
  GridPlg->SetRowHeightMin(300);
}
