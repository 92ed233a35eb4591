#pragma once
// Item groups: the group code is typed (three characters), the name is kept
// in capitals.
#include "master/MasterForm.h"

class QLabel;
class QLineEdit;

class frmGrup : public master::MasterForm {
  Q_OBJECT
 public:
  explicit frmGrup(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* txtKode;
  QLineEdit* txtNama;
  ui::FlexGrid* GridGrup;

  void AktifGridGrup();
  void TampilGridData() override;

 protected slots:
  void TbBaru_Click() override;
  void TbSimpan_Click() override;
  void TbHapus_Click() override;
  void GridGrup_DblClick();

 private:
  void Form_Load();
};
