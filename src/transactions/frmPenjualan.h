#pragma once
// The till: a sale gets the next receipt number, takes its lines one by one
// (picked in the search dialog or typed by code), takes the payment, shows
// the change, and is stored with its stock decreases; then the receipt.
#include <QString>

#include "transactions/FormTransaksi.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class FlexGrid;
class MaskEdBox;
}  // namespace ui

class frmPenjualan : public FormTransaksi {
  Q_OBJECT
 public:
  explicit frmPenjualan(QWidget* parent = nullptr);

  void FormKosong();
  void FormTransKosong();
  void FormNormal();
  void BuatNotaJual();
  void BersihBarang();

 public slots:
  void TbBaru_Click();
  void TbCari_Click();
  void TbMasuk_Click();
  void TbSimpan_Click();
  // Enter in the code box: the item is looked up by its full code.
  bool TxtKode_Enter();

 protected:
  void Batal() override;
  bool AdaBaris() const override { return baris_ > 1; }
  bool eventFilter(QObject* obj, QEvent* ev) override;
  void AmbilDipindai(const toko::BarangDipindai& b) override;
  void KeBayar() override;

 private:
  void HitungKembali();

  QLineEdit* TxtNoNota;
  ui::MaskEdBox* TxtTgl;
  QLineEdit* TxtHarga;
  ui::FlexGrid* GridJual;
  QLineEdit* TxtTotBayar;
  QLineEdit* TxtUBayar;
  QLineEdit* TxtUKembali;
};
