#pragma once
// Suppliers, picked on the purchase screen. The code is made by the program
// ("PS" and three digits); a supplier that purchases name is kept.
#include "master/MasterKode.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class frmPemasok : public master::MasterKode {
  Q_OBJECT
 public:
  explicit frmPemasok(QWidget* parent = nullptr);

  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
  QLineEdit* txtNama;
  QPlainTextEdit* txtAlamat;
  QLineEdit* txtKota;
  QLineEdit* txtPropinsi;
  ui::MaskEdBox* txtTelepon;
  ui::MaskEdBox* txtFax;
  QLineEdit* txtKontakP;
  ui::FlexGrid* GridPsk;

  void AktifGridPemasok();
  void TampilGridPemasok() { TampilGridData(); }

 protected:
  void AktifGrid() override { AktifGridPemasok(); }
};
