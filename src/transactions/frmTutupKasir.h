#pragma once
// The close of the day of the cashier logged in: the day's figures so far
// (float, receipts, pieces, cash sales, refunds, the cash expected), the
// cash counted by note and coin or typed as one sum, and the difference.
// "Laporan X" prints the figures so far and stores nothing; "Tutup Kasir"
// stores the close (once per cashier and day) and prints the Z report.
#include <QDialog>
#include <QList>

#include "toko/Kasir.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmTutupKasir : public QDialog {
  Q_OBJECT
 public:
  explicit frmTutupKasir(QWidget* parent = nullptr);

 public slots:
  void TbX_Click();
  void TbTutup_Click();

 private:
  bool Hitung();
  void TampilAngka(const toko::AngkaHari& a);
  void HitungPecahan();
  void HitungSelisih();
  // The sum typed or counted; false when the box holds no amount.
  bool Dihitung(qint64* v) const;

  QLabel* LblKasir;
  QLineEdit* TxtKasAwal;
  QLineEdit* TxtNota;
  QLineEdit* TxtBarang;
  QLineEdit* TxtPenjualan;
  QLineEdit* TxtRetur;
  QLineEdit* TxtDiharapkan;
  QList<QLineEdit*> txtPecahan;
  QLineEdit* TxtDihitung;
  QLineEdit* TxtSelisih;
  QPushButton* TbX;
  QPushButton* TbTutup;
  QPushButton* TbKeluar;
  toko::AngkaHari angka_;
};
