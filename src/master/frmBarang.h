#pragma once
// Stock items: picked by group, then product; the item code is the product
// code with a serial within the product. A live search by name runs on every
// change of txtCari.
#include "master/MasterForm.h"

class QComboBox;
class QLabel;
class QLineEdit;

class frmBarang : public master::MasterForm {
  Q_OBJECT
 public:
  explicit frmBarang(QWidget* parent = nullptr);

  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
  QLineEdit* txtKode;
  QComboBox* CmbGrup;
  QLineEdit* txtNmGrup;
  QComboBox* cmbProduk;
  QLineEdit* txtNmProduk;
  QLineEdit* txtNama;
  QComboBox* cmbSatuan;
  QLineEdit* TxtHBeli;
  QLineEdit* txtHJual;
  QLineEdit* txtStok;
  // The item's barcodes, separated by blanks or commas; LblBarcode says why
  // none can be kept (an older database).
  QLineEdit* txtBarcode;
  QLabel* LblBarcode;
  QLineEdit* txtCari;
  ui::FlexGrid* GridBarang;

  void AktifGridBarang();
  void TampilGridData() override;
  void DataGrup();
  void DataProduk();
  void BuatKode();
  void FormHidup() override;

 protected slots:
  void TbBaru_Click() override;
  void TbSimpan_Click() override;
  void TbHapus_Click() override;
  void Batal() override;
  void CmbGrup_Click(int index);
  void cmbProduk_Click(int index);
  void txtCari_Change(const QString& text);
  void GridBarang_DblClick();

 private:
  void Form_Load();
  void BukaBarangProduk();
  // Enter in the barcode box: each code is checked as it is typed.
  bool txtBarcode_Periksa();
  bool barcodeAda_ = false;  // the database has the barcode table
  QString kodeGagal_;
};
