#pragma once
// Goods taken back: a stored sale is found by its receipt number, the person
// sets how many of each of its items come back and why, and the return is
// stored with its own number, the stock back up and the refund; its receipt
// is printed. A cashier's return needs an ADMIN's user id and password typed
// here. An ADMIN may void a sale of today: all that is left of it comes back.
#include <QDialog>

#include "toko/Retur.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class FlexGrid;
}

class frmRetur : public QDialog {
  Q_OBJECT
 public:
  explicit frmRetur(QWidget* parent = nullptr);

 public slots:
  void TbCari_Click();
  void TbMasuk_Click();
  void TbSimpan_Click();
  void TbVoid_Click();

 private:
  void Kosong();
  void TampilSisa();
  // A refusal or failure of a save, shown; true when it was stored.
  bool Tersimpan(const toko::HasilRetur& h);
  void Cetak(const toko::Retur& r);

  QLineEdit* TxtNoNota;
  QLabel* LblNota;
  ui::FlexGrid* GridRetur;
  QLineEdit* TxtJumlah;
  QLineEdit* TxtAlasan;
  QLineEdit* TxtAdmin;
  QLineEdit* TxtSandi;
  QPushButton* TbCari;
  QPushButton* TbMasuk;
  QPushButton* TbSimpan;
  QPushButton* TbVoid;
  QPushButton* TbKeluar;
  bool ada_ = false;
  toko::SisaJual sisa_;
};
