#pragma once
// The login window: the first window of a run and the only way in. It also
// comes back, modally, through "Log In" after a logout.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
  Q_OBJECT
 public:
  explicit frmLogin(QWidget* parent = nullptr);

  // False when the database could not be opened at load (the program is
  // ending then and the window must not be used).
  bool Loaded() const { return loaded_; }

  void TbLogin_Click();
  void TbTutup_Click();

  // Failed attempts of this run; never reset by a login or a logout.
  static int Failures();
  static void ResetFailuresForTests();

 protected:
  // After the first paint the shared item lists are read, while the person
  // types: the window does not wait for them.
  void paintEvent(QPaintEvent* ev) override;

 private:
  void Form_Load();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtUser = nullptr;
  QLineEdit* txtPwd = nullptr;
  QComboBox* cmbLevel = nullptr;
  QPushButton* TbLogin = nullptr;
  QPushButton* TbTutup = nullptr;
  bool loaded_ = false;
  bool dilukis_ = false;
};
