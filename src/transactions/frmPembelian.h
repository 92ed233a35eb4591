#pragma once
// Goods coming in from a supplier: a purchase document gets the next number,
// takes its lines one by one (picked in the search dialog or typed by code,
// with the price paid), shows the running total, and is stored whole with
// the stock increases and the new buying prices of its items.
#include <QString>

#include "transactions/FormTransaksi.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class FlexGrid;
class MaskEdBox;
}  // namespace ui

class frmPembelian : public FormTransaksi {
  Q_OBJECT
 public:
  explicit frmPembelian(QWidget* parent = nullptr);
  ~frmPembelian() override;

  void FormKosong();
  void FormNormal();
  void NomorMasuk();
  void DataPemasok();

 public slots:
  void TbBaru_Click();
  void TbCari_Click();
  void TbMasuk_Click();
  void TbSimpan_Click();
  void cmbPemasok_Click(int index);
  // Enter in the code box: the item is looked up by its full code.
  bool TxtKode_Enter();

 protected:
  void Batal() override;
  bool AdaBaris() const override { return baris_ > 1; }
  void AmbilDipindai(const toko::BarangDipindai& b) override;
  bool EnterBaris(QLineEdit* kotak) override;

 private:
  // The supplier code in the combo when it names a stored supplier; then
  // the combo shows the bare code and the name and address boxes are
  // filled. Otherwise the refusal is shown and "" returned.
  QString PemasokTerpilih();
  // Shows the supplier of the current row.
  void TampilPemasok(const db::Recordset& rs);
  // The supplier code of a combo text: the bare code or a "code | name" entry.
  static QString KodePemasok(const QString& teks);

  QLineEdit* TxtNoMasuk;
  ui::MaskEdBox* TxtTgl;
  QComboBox* cmbPemasok;
  QLineEdit* txtNmPemasok;
  QPlainTextEdit* TxtAlamat;
  QLineEdit* TxtHBeli;
  QLineEdit* TxtTotalHarga;
  ui::FlexGrid* GridMasuk;
  bool dipindai_ = false;  // the item line holds a scanned item, quantity 1
};
