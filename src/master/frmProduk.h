#pragma once
// Products: each belongs to a group, and its code is the group code with a
// serial within the group ("001.001", "001.002", ...).
#include "master/MasterForm.h"

class QComboBox;
class QLabel;
class QLineEdit;

class frmProduk : public master::MasterForm {
  Q_OBJECT
 public:
  explicit frmProduk(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* txtKode;
  QComboBox* CmbGrup;
  QLineEdit* txtNmGrup;
  QLineEdit* txtNama;
  ui::FlexGrid* GridProduk;

  void AktifGridProduk();
  void TampilGridData() override;
  void DataGrup();
  void BuatKode();
  void BukaDiGrup(const QString& kode, const QString& nama) override;

 protected slots:
  void TbBaru_Click() override;
  void TbSimpan_Click() override;
  void TbHapus_Click() override;
  void Batal() override;
  void CmbGrup_Click(int index);
  void GridProduk_DblClick();

 private:
  void Form_Load();
  // Why the last BuatKode left txtKode empty (the serial was used up).
  QString kodeGagal_;
};
