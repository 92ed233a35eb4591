#include "master/frmBarang.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
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
#include "toko/Barcode.h"
#include "toko/Kode.h"
#include "db/Transaction.h"

using namespace mdlUtama;

namespace {
const QStringList kSatuan{QStringLiteral("Set"), QStringLiteral("Unit"), QStringLiteral("Pasang"),
                          QStringLiteral("Kardus"), QStringLiteral("Paket")};
}

frmBarang::frmBarang(QWidget* parent)
    : MasterForm("frmBarang", QStringLiteral("   ::  MANAJEMEN DATA BARANG"), parent) {
  Label1 = BuatLabel("Label1", QStringLiteral("Kode Barang"));
  Label8 = BuatLabel("Label8", QStringLiteral("Grup Barang"));
  Label3 = BuatLabel("Label3", QStringLiteral("Produk Barang"));
  Label2 = BuatLabel("Label2", QStringLiteral("Nama Barang"));
  Label4 = BuatLabel("Label4", QStringLiteral("Satuan"));
  Label5 = BuatLabel("Label5", QStringLiteral("Harga Beli"));
  Label6 = BuatLabel("Label6", QStringLiteral("Harga Jual"));
  Label9 = BuatLabel("Label9", QStringLiteral("Stok Barang"));
  Label10 = BuatLabel("Label10", QStringLiteral("Barcode"));

  txtKode = BuatTeks("txtKode", 11);
  txtKode->setReadOnly(true);
  QFont besar = txtKode->font();
  besar.setPointSize(besar.pointSize() + 4);
  besar.setBold(true);
  txtKode->setFont(besar);
  txtKode->setFixedWidth(170);
  ui::SetBackColor(txtKode, QColor(192, 255, 192));
  CmbGrup = BuatCombo("CmbGrup");
  CmbGrup->setFixedWidth(110);
  txtNmGrup = BuatTeks("txtNmGrup");
  cmbProduk = BuatCombo("cmbProduk");
  cmbProduk->setFixedWidth(110);
  txtNmProduk = BuatTeks("txtNmProduk");
  txtNama = BuatTeks("txtNama");
  cmbSatuan = BuatCombo("cmbSatuan");
  TxtHBeli = BuatTeks("TxtHBeli", 10);
  txtHJual = BuatTeks("txtHJual", 10);
  txtStok = BuatTeks("txtStok", 10);
  txtBarcode = BuatTeks("txtBarcode");
  txtBarcode->setToolTip(QStringLiteral("Satu barang boleh punya beberapa barcode: pisahkan dengan spasi atau koma"));
  LblBarcode = BuatLabel("LblBarcode", QString());
  LblBarcode->setStyleSheet(QStringLiteral("color: #a00000;"));
  LblBarcode->setWordWrap(true);
  for (QWidget* w : {static_cast<QWidget*>(cmbSatuan), static_cast<QWidget*>(TxtHBeli),
                     static_cast<QWidget*>(txtHJual), static_cast<QWidget*>(txtStok)})
    w->setFixedWidth(130);

  isian_->addWidget(Label1, 0, 0);
  isian_->addWidget(txtKode, 0, 1, 1, 2);
  isian_->addWidget(Label8, 1, 0);
  isian_->addWidget(CmbGrup, 1, 1);
  isian_->addWidget(txtNmGrup, 1, 2);
  isian_->addWidget(Label3, 2, 0);
  isian_->addWidget(cmbProduk, 2, 1);
  isian_->addWidget(txtNmProduk, 2, 2);
  isian_->addWidget(Label2, 3, 0);
  isian_->addWidget(txtNama, 3, 1, 1, 2);
  isian_->setColumnMinimumWidth(3, 24);
  isian_->addWidget(Label4, 0, 4);
  isian_->addWidget(cmbSatuan, 0, 5);
  isian_->addWidget(Label5, 1, 4);
  isian_->addWidget(TxtHBeli, 1, 5);
  isian_->addWidget(Label6, 2, 4);
  isian_->addWidget(txtHJual, 2, 5);
  isian_->addWidget(Label9, 3, 4);
  isian_->addWidget(txtStok, 3, 5);
  isian_->addWidget(Label10, 4, 0);
  isian_->addWidget(txtBarcode, 4, 1, 1, 2);
  isian_->addWidget(LblBarcode, 4, 4, 1, 2);
  isian_->setColumnStretch(2, 1);

  // Code, group name and product name keep their design colours.
  Masukan(txtKode, false);
  Masukan(CmbGrup);
  Masukan(txtNmGrup, false);
  Masukan(cmbProduk);
  Masukan(txtNmProduk, false);
  Masukan(txtNama);
  Masukan(cmbSatuan);
  Masukan(TxtHBeli);
  Masukan(txtHJual);
  Masukan(txtStok);
  Masukan(txtBarcode);
  // Enter checks the codes typed (a scanner ends each with Enter) and stays
  // for the next one.
  ui::SetEnterAction(txtBarcode, [this] {
    if (txtBarcode_Periksa() && !txtBarcode->text().isEmpty() && !txtBarcode->text().endsWith(QLatin1Char(' ')))
      txtBarcode->insert(QStringLiteral(" "));
  });
  ui::SetKeyFilter(txtNama, ui::EnterMovesFocus);
  ui::SetKeyFilter(cmbSatuan, ui::EnterMovesFocus);
  for (QLineEdit* t : {TxtHBeli, txtHJual, txtStok}) ui::SetKeyFilter(t, ui::DigitsOnly | ui::EnterMovesFocus);

  auto* cari = new QHBoxLayout;
  Label7 = new QLabel(QStringLiteral("Cari Nama :"), this);
  Label7->setObjectName(QStringLiteral("Label7"));
  txtCari = ui::BuatKotak(this, "txtCari");
  // Enter in the search box only searches.
  ui::SetEnterAction(txtCari, [this] { txtCari_Change(txtCari->text()); });
  ui::SetBackColor(txtCari, ui::Putih);
  txtCari->setFixedWidth(260);
  cari->addWidget(Label7);
  cari->addWidget(txtCari);
  cari->addStretch(1);
  susunan_->addLayout(cari);

  GridBarang = BuatGrid("GridBarang", QStringLiteral("KLIK DISINI UNTUK MERUBAH DATA ..!"));
  susunan_->addWidget(GridBarang, 1);

  connect(CmbGrup, qOverload<int>(&QComboBox::activated), this, &frmBarang::CmbGrup_Click);
  connect(cmbProduk, qOverload<int>(&QComboBox::activated), this, &frmBarang::cmbProduk_Click);
  connect(txtCari, &QLineEdit::textChanged, this, &frmBarang::txtCari_Change);
  connect(GridBarang, &ui::FlexGrid::DblClick, this, &frmBarang::GridBarang_DblClick);
  UrutanTab({txtKode, CmbGrup, txtNmGrup, cmbProduk, txtNmProduk, txtNama, cmbSatuan, TxtHBeli, txtHJual, txtStok,
             txtBarcode, TbBaru, TbSimpan, TbHapus, TbKeluar, txtCari, GridBarang});
  resize(860, 600);

  Form_Load();
}

void frmBarang::Form_Load() {
  if (!BukaKoneksi()) return;
  barcodeAda_ = toko::AdaTabelBarcode(Conn);
  LblBarcode->setText(barcodeAda_ ? QString()
                                  : QStringLiteral("Barcode belum dapat disimpan: database ini perlu "
                                                   "diperbarui dengan merapu-db upgrade"));
  FormMati();
  DataGrup();
  TampilGridData();
  TbHapus->setEnabled(false);
  TbSimpan->setEnabled(false);
  txtKode->setReadOnly(true);
  // The list is refilled from empty, so it holds the five units once however
  // often the screen is reloaded; the box keeps the text it showed.
  IsiDaftar(cmbSatuan, kSatuan);
}

void frmBarang::DataGrup() { IsiComboGrup(CmbGrup, QStringLiteral("DATA GRUP TIDAK ADA")); }

void frmBarang::DataProduk() {
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Produk WHERE Kode_Grup=") + db::Quote(CmbGrup->currentText());
  if (!Buka(RsProduk, SQL)) return;
  if (!RsProduk->Bof()) {
    IsiDaftar(cmbProduk, RsProduk.get(), QStringLiteral("Kode_Produk"), QStringLiteral("Nama_Produk"));
    return;
  }
  if (!Tanya(QStringLiteral("DATA PRODUK KOSONG, INGIN MENAMBAH?"), QStringLiteral("Informasi"))) return;
  // The product screen opens showing this group and its first product code.
  QDialog* f = ui::CreateWindow(QStringLiteral("frmProduk"), this);
  if (!f) return;
  if (auto* layar = qobject_cast<master::MasterForm*>(f)) layar->BukaDiGrup(CmbGrup->currentText(), txtNmGrup->text());
  ui::ShowModal(f);
  delete f;
}

void frmBarang::BuatKode() {
  const QString produk = cmbProduk->currentText().left(7);
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Barang WHERE Kode_Produk=") + db::Quote(produk);
  // No code from a store that failed: the save then asks for one.
  kodeGagal_.clear();
  txtKode->clear();
  if (!Buka(RsBarang, SQL)) return;
  // The serial continues from the highest code of the product; past 999 no
  // code is made, so nothing malformed or already used can be saved.
  const toko::NextCodeResult r = KodeBaru({.tabel = QStringLiteral("Barang"),
                                           .kolom = QStringLiteral("Kode_Barang"),
                                           .awalan = produk + QStringLiteral("."),
                                           .syarat = QStringLiteral("Kode_Produk=") + db::Quote(produk)});
  kodeGagal_ = r.error;
  txtKode->setText(r.code);
  if (!r.error.isEmpty()) ui::MsgBox(r.error, ui::vbCritical, QStringLiteral("Error"));
}

void frmBarang::FormHidup() {
  MasterForm::FormHidup();
  // An older database has nowhere to keep barcodes.
  if (!barcodeAda_) ui::SetInputEnabled(txtBarcode, false);
}

bool frmBarang::txtBarcode_Periksa() {
  for (const QString& k : toko::PisahBarcode(txtBarcode->text())) {
    if (toko::DigitBenar(k)) continue;
    ui::MsgBox(QStringLiteral("BARCODE %1 SALAH: ANGKA TERAKHIR %2 HARUS %3")
                   .arg(k, toko::NamaJenis(toko::Jenis(k)))
                   .arg(toko::DigitPemeriksa(k)),
               ui::vbCritical, QStringLiteral("Error"));
    txtBarcode->setFocus();
    return false;
  }
  return true;
}

void frmBarang::AktifGridBarang() {
  ui::AturGrid(GridBarang, {{QStringLiteral("NO"), 400},
                        {QStringLiteral("KODE"), 1440},
                        {QStringLiteral("PRODUK"), 1900},
                        {QStringLiteral("NAMA BARANG"), 3300},
                        {QStringLiteral("SATUAN"), 900},
                        {QStringLiteral("H BELI[Rp.]"), 1500, true},
                        {QStringLiteral("H JUAL[Rp.]"), 1500, true},
                        {QStringLiteral("STOK"), 700, true}});
}

void frmBarang::TampilGridData() {
  GridBarang->Clear();
  AktifGridBarang();
  GridBarang->SetRows(2);
  if (DaftarKosong(RsBarang.get(), QStringLiteral("DATA BARANG UNTUK PRODUK INI MASIH KOSONG"))) return;
  IsiGrid(GridBarang, RsBarang.get(),
          {QStringLiteral("Kode_Barang"), QStringLiteral("Nama_Produk"), QStringLiteral("Nama_Barang"),
           QStringLiteral("Satuan"), QStringLiteral("Harga_Beli"), QStringLiteral("Harga_Jual"),
           QStringLiteral("Stok")});
}

void frmBarang::CmbGrup_Click(int index) {
  FormHidup();
  const QString e = CmbGrup->itemText(index);
  txtNmGrup->setText(e.right(e.size() - 5));
  CmbGrup->setEditText(e.left(3));
  cmbProduk->setEditText(QString());
  txtNmProduk->clear();
  cmbProduk->setFocus();
  DataProduk();
  if (!RsProduk) return;  // the store failed, and said so
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.Nama_Produk ") + QStringLiteral(" FROM Grup, Barang, Produk ") +
        QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
        QStringLiteral(" AND Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" AND Grup.Kode_Grup =") +
        db::Quote(CmbGrup->currentText());
  if (!Buka(RsBarang, SQL)) return;
  TampilGridData();
}

void frmBarang::BukaBarangProduk() {
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.Nama_Produk ") + QStringLiteral(" FROM Barang, Produk ") +
        QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" AND Produk.Kode_Produk =") +
        db::Quote(cmbProduk->currentText());
  (void)Buka(RsBarang, SQL);  // a failure is shown; the grid then lists nothing, and says nothing
}

void frmBarang::cmbProduk_Click(int index) {
  FormHidup();
  const QString e = cmbProduk->itemText(index);
  txtNmProduk->setText(e.right(e.size() - 9));
  cmbProduk->setEditText(e.left(7));
  txtNama->setFocus();
  BuatKode();
  if (!RsBarang) return;  // the store failed, and said so
  BukaBarangProduk();
  TampilGridData();
}

void frmBarang::txtCari_Change(const QString& text) {
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.* ") + QStringLiteral(" FROM Barang, Produk ") +
        QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" AND Barang.Nama_Barang LIKE ") +
        db::Quote(QStringLiteral("%") + text + QStringLiteral("%")) + QStringLiteral(" ORDER BY Barang.Kode_Barang ");
  if (!Buka(RsBarang, SQL)) return;
  if (!RsBarang->Bof()) {
    TampilGridData();
    return;
  }
  ui::MsgBox(QStringLiteral("TIDAK MENEMUKAN DATA YANG DICARI ") + QStringLiteral(" - ") + text +
                 QStringLiteral(" - DALAM KOLEKSI "),
             ui::vbInformation, QStringLiteral("Informasi"));
  // Emptying the box is itself a change: the search runs again on the empty
  // text and lists every item.
  txtCari->clear();
  txtCari->setFocus();
}

void frmBarang::TbBaru_Click() {
  FormHidup();
  TampilGridData();
  ModeBaru();
  CmbGrup->setFocus();
}

void frmBarang::GridBarang_DblClick() {
  ModeUbah();
  FormHidup();
  cmbProduk->setFocus();
  if (!MuatBaris(RsBarang, GridBarang, 1,
                 QStringLiteral("SELECT Barang.*, Produk.Nama_Produk, Grup.* ") +
                     QStringLiteral(" FROM Barang, Produk, Grup ") +
                     QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") +
                     QStringLiteral(" AND Grup.Kode_Grup=Produk.Kode_Grup ") + QStringLiteral(" AND Kode_Barang="),
                 QStringLiteral("TABEL MASIH KOSONG"), QStringLiteral("Error")))
    return;
  txtKode->setText(RsBarang->Text(QStringLiteral("Kode_Barang")));
  CmbGrup->setEditText(RsBarang->Text(QStringLiteral("Kode_Grup")));
  txtNmGrup->setText(RsBarang->Text(QStringLiteral("Nama_Grup")));
  cmbProduk->setEditText(RsBarang->Text(QStringLiteral("Kode_Produk")));
  txtNmProduk->setText(RsBarang->Text(QStringLiteral("Nama_Produk")));
  txtNama->setText(RsBarang->Text(QStringLiteral("Nama_Barang")));
  cmbSatuan->setEditText(RsBarang->Text(QStringLiteral("Satuan")));
  TxtHBeli->setText(RsBarang->Text(QStringLiteral("Harga_Beli")));
  txtHJual->setText(RsBarang->Text(QStringLiteral("Harga_Jual")));
  txtStok->setText(RsBarang->Text(QStringLiteral("Stok")));
  const toko::DaftarBarcode d = toko::BacaBarcode(Conn, txtKode->text());
  if (!d.ok()) TampilGagal(d.error);
  txtBarcode->setText(d.kode.join(QStringLiteral(" ")));
}

void frmBarang::TbSimpan_Click() {
  // A product typed into the box must exist: an item of a product that is not
  // there would be listed nowhere, and its code would be malformed.
  db::RecordsetPtr produk;
  if (!cmbProduk->currentText().isEmpty() &&
      !Buka(produk, QStringLiteral("SELECT * FROM Produk WHERE Kode_Produk=") + db::Quote(cmbProduk->currentText())))
    return;
  if (cmbProduk->currentText().isEmpty() || produk->Bof()) {
    ui::MsgBox(QStringLiteral("Produk HARUS DIPILIH"), ui::vbInformation, QStringLiteral("Error"));
    cmbProduk->setFocus();
    return;
  }
  if (txtNama->text().trimmed().isEmpty()) {
    ui::MsgBox(QStringLiteral("NAMA MASIH KOSONG"), ui::vbInformation, QStringLiteral("Error"));
    txtNama->setFocus();
    return;
  }
  if (cmbSatuan->currentText().trimmed().isEmpty()) {
    ui::MsgBox(QStringLiteral("SATUAN MASIH KOSONG"), ui::vbInformation, QStringLiteral("Error"));
    cmbSatuan->setFocus();
    return;
  }
  // No code yet (the product was typed rather than picked, or its serials
  // are used up): a row without a proper code is never stored.
  if (txtKode->text().trimmed().isEmpty()) {
    ui::MsgBox(kodeGagal_.isEmpty() ? QStringLiteral("KODE BARANG BELUM ADA, PILIH PRODUK DARI DAFTAR") : kodeGagal_,
               ui::vbCritical, QStringLiteral("Error"));
    cmbProduk->setFocus();
    return;
  }
  // Prices and stock are stored as the boxes show them, or not at all.
  qint64 angka[3];
  const QList<QLineEdit*> kotakAngka{TxtHBeli, txtHJual, txtStok};
  for (int i = 0; i < 3; ++i) {
    if (!ui::Angka(kotakAngka[i]->text(), &angka[i])) {
      ui::MsgBox(QStringLiteral("HARGA DAN STOK HARUS BERUPA ANGKA"), ui::vbCritical, QStringLiteral("Error"));
      kotakAngka[i]->setFocus();
      return;
    }
  }
  // The barcodes are checked before anything is stored.
  const QStringList barcode = toko::PisahBarcode(txtBarcode->text());
  if (!txtBarcode_Periksa()) return;
  const toko::CekBarcode cek = toko::PeriksaBarcode(Conn, txtKode->text().trimmed(), barcode);
  if (cek.error.failed()) return TampilGagal(cek.error);
  if (!cek.dipakai.isEmpty()) {
    ui::MsgBox(QStringLiteral("BARCODE %1 SUDAH DIPAKAI BARANG %2").arg(cek.dipakai, cek.olehBarang), ui::vbCritical,
               QStringLiteral("Error"));
    txtBarcode->setFocus();
    return;
  }
  // The item and its barcodes are stored together, or neither.
  db::Transaction t(*Conn);
  if (!t.ok()) return TampilGagal(Conn->Failure());
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Barang WHERE Kode_Barang = ") + db::Quote(txtKode->text());
  if (!Buka(RsBarang, SQL)) return;
  const bool baru = RsBarang->Bof();
  if (baru) {
    RsBarang->AddNew();
    RsBarang->SetField(QStringLiteral("Kode_Barang"), txtKode->text().trimmed());
  }
  RsBarang->SetField(QStringLiteral("Kode_Produk"), cmbProduk->currentText().trimmed());
  RsBarang->SetField(QStringLiteral("Nama_Barang"), txtNama->text().trimmed());
  RsBarang->SetField(QStringLiteral("Satuan"), cmbSatuan->currentText().trimmed());
  RsBarang->SetField(QStringLiteral("Harga_Beli"), angka[0]);
  RsBarang->SetField(QStringLiteral("Harga_Jual"), angka[1]);
  RsBarang->SetField(QStringLiteral("Stok"), angka[2]);
  if (!Simpan(RsBarang.get())) return;
  if (barcodeAda_ && !toko::GantiBarcode(Conn, txtKode->text().trimmed(), barcode)) {
    const db::Error why = Conn->Failure();
    t.Rollback();
    // The item row was changed in memory too: read it again as stored.
    (void)BacaUlang(RsBarang.get());
    if (why.is(db::Error::Kind::DuplicateKey))
      ui::MsgBox(QStringLiteral("BARCODE SUDAH DIPAKAI BARANG LAIN, DATA BARANG TIDAK DISIMPAN"), ui::vbCritical,
                 QStringLiteral("Error"));
    else
      TampilGagal(why);
    return;
  }
  if (!t.Commit()) {
    const db::Error why = Conn->Failure();
    (void)BacaUlang(RsBarang.get());
    return TampilGagal(why);
  }
  ui::MsgBox(baru ? QStringLiteral("DATA BARU TELAH TERSIMPAN") : QStringLiteral("DATA BARANG TELAH DIUBAH"),
             ui::vbInformation, QStringLiteral("Konfirmasi"));
  (void)BacaUlang(RsBarang.get());
  txtNama->clear();
  cmbSatuan->setCurrentIndex(-1);
  cmbSatuan->setEditText(QString());
  TxtHBeli->clear();
  txtHJual->clear();
  txtStok->clear();
  txtBarcode->clear();
  txtNama->setFocus();
  BuatKode();
  if (!RsBarang) return;  // the store failed, and said so
  BukaBarangProduk();
  TampilGridData();
}

void frmBarang::TbHapus_Click() {
  if (!HapusData(txtKode->text(), txtNama->text(), toko::JenisMaster::Barang, RsBarang.get())) return;
  Form_Load();
}

void frmBarang::Batal() {
  FormNormal();
  Form_Load();
}
