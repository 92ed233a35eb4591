#pragma once
// The people who may log in: a typed user id, a password, a name and a level.
// Nobody is locked out: the last ADMIN who can log in is neither deleted nor
// made a cashier, and nobody is stored who could never log in.
#include "master/MasterForm.h"

class QComboBox;
class QLabel;
class QLineEdit;

class frmPengguna : public master::MasterForm {
  Q_OBJECT
 public:
  explicit frmPengguna(QWidget* parent = nullptr);

  QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
  QLineEdit* txtUserId;
  QLineEdit* txtPassword;
  QLineEdit* txtNama;
  QComboBox* cmbLevel;
  ui::FlexGrid* GridPengguna;

  void AktifGridPengguna();
  void TampilGridData() override;

 protected slots:
  void TbBaru_Click() override;
  void TbSimpan_Click() override;
  void TbHapus_Click() override;
  void GridPengguna_DblClick();

 private:
  void Form_Load();
  // Whether another user than `userId` can log in as ADMIN. False when the
  // store failed (shown).
  bool AdaAdminLain(const QString& userId, bool* ada);
};
