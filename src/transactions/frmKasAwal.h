#pragma once
// The float of a cashier's drawer, asked before the day's first sale: the
// amount typed (or zero) is stored for the cashier and the day.
#include <QDialog>

class QLineEdit;
class QPushButton;

class frmKasAwal : public QDialog {
  Q_OBJECT
 public:
  explicit frmKasAwal(QWidget* parent = nullptr);

 public slots:
  void TbSimpan_Click();

 private:
  QLineEdit* TxtKasAwal;
  QPushButton* TbSimpan;
};
