#pragma once
// The receipt printer of this till (ADMIN): where the receipt goes, the
// paper's width, the cut, the drawer and the header lines, kept in
// merapu.ini [struk]; and a test page to the printer as set in the window.
#include <QDialog>

#include "perangkat/Setelan.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmSetelanStruk : public QDialog {
  Q_OBJECT
 public:
  explicit frmSetelanStruk(QWidget* parent = nullptr);

  // The settings the window shows; false, told, when a value cannot be used.
  bool Isian(perangkat::SetelanStruk* s);
  void Tampilkan(const perangkat::SetelanStruk& s);

 public slots:
  void TbSimpan_Click();
  void TbCetakCoba_Click();

 private:
  void JenisBerubah();

  QComboBox* cmbJenis;
  QLineEdit* txtAlamat;
  QComboBox* cmbLebar;
  QCheckBox* chkPotong;
  QCheckBox* chkLaci;
  QPlainTextEdit* txtKepala;
  QLabel* lblMasalah;
  QPushButton* TbCetakCoba;
  QPushButton* TbSimpan;
  QPushButton* TbKeluar;
};
