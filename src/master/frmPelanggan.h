#pragma once
// Customers. The code is made by the program ("PG" and three digits); a
// customer that sales name is kept.
#include "master/MasterKode.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class frmPelanggan : public master::MasterKode {
  Q_OBJECT
 public:
  explicit frmPelanggan(QWidget* parent = nullptr);

  QLabel *Label1, *Label2, *Label3, *Label4;
  QLineEdit* txtNama;
  ui::MaskEdBox* txtTelepon;
  QPlainTextEdit* txtAlamat;
  ui::FlexGrid* GridPlg;

  void AktifGridPelanggan();
  void TampilGridPelanggan() { TampilGridData(); }

 protected:
  void AktifGrid() override { AktifGridPelanggan(); }
};
