#pragma once
// The cash drawer opened without a sale (ADMIN): a reason is asked, the
// drawer gets its pulse through the receipt printer and the opening is
// written down for the day's close.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmBukaLaci : public QDialog {
  Q_OBJECT
 public:
  explicit frmBukaLaci(QWidget* parent = nullptr);

  // Why the drawer cannot be opened from here; empty when it can.
  QString Halangan() const;

 public slots:
  void TbBuka_Click();

 private:
  QLabel* lblKeterangan;
  QLineEdit* txtAlasan;
  QPushButton* TbBuka;
  QPushButton* TbKeluar;
};
