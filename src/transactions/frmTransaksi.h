#pragma once
// The cash ledger: money coming in (DEBET) or going out (KREDIT) that is no
// sale and no purchase, one numbered entry at a time, with the list of all
// entries below. Entries are only added here, never changed.
#include <QString>

#include "transactions/FormTransaksi.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
class FlexGrid;
class MaskEdBox;
}  // namespace ui

class frmTransaksi : public FormTransaksi {
  Q_OBJECT
 public:
  explicit frmTransaksi(QWidget* parent = nullptr);

  void FormKosong();
  void FormNormal();
  void kode();
  void AktifGridMasuk();
  // Reads the ledger anew and lists it.
  void TampilGridData();

 public slots:
  void TbBaru_Click();
  void TbSimpan_Click();

 protected:
  void Batal() override;

 private:
  QLineEdit* TxtNoRekening;
  ui::MaskEdBox* TxtTgl;
  QComboBox* cmbDK;
  QLineEdit* txtTransaksi;
  QLineEdit* TxtJumlah;
  ui::FlexGrid* GridRekening;
};
