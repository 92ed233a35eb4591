#pragma once
// The copies of the database in its backup folder: when each was made, its
// size and whether it was checked; one can be checked again now, or put in
// the place of the database after a clear question.
#include <QDialog>
#include <QList>

#include "db/Backup.h"

class QPushButton;
namespace ui {
class FlexGrid;
}

class frmBackup : public QDialog {
  Q_OBJECT
 public:
  explicit frmBackup(QWidget* parent = nullptr);

  ui::FlexGrid* GridBackup;
  QPushButton *TbPeriksa, *TbPulihkan, *TbTutup;

  void TampilDaftar();
  void TbPeriksa_Click();
  void TbPulihkan_Click();

 private:
  // The copy of the current row; null (told) when no row is chosen.
  const db::BackupFile* Terpilih();
  QList<db::BackupFile> daftar_;
};
