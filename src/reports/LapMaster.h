#pragma once
// The master-data lists (suppliers, item groups, products, stock items) and
// the chooser of the goods-per-group list. A list opens as its preview
// window, with the printing date in its header.
#include <QDialog>
#include <memory>

#include "db/Recordset.h"
#include "documents/Rows.h"
#include "reports/PreviewWindow.h"

class QComboBox;
class QPushButton;

namespace reports {

// The rows of a list, read before its preview is laid out over them.
struct BarisDaftar {
  explicit BarisDaftar(const QString& dokumen);
  std::unique_ptr<Rows> baris;
  bool ok = false;
};

class LapDaftar : private BarisDaftar, public PreviewWindow {
 public:
  LapDaftar(const QString& dokumen, QWidget* parent);
};

}  // namespace reports

#define LAP_DAFTAR(Class) \
  class Class : public reports::LapDaftar { \
   public: \
    explicit Class(QWidget* parent = nullptr) : LapDaftar(QStringLiteral(#Class), parent) {} \
  };
LAP_DAFTAR(rptLapPemasok)
LAP_DAFTAR(rptLapGrup)
LAP_DAFTAR(rptLapProduk)
LAP_DAFTAR(rptLapBarang)
#undef LAP_DAFTAR

class frmLapBarangGrup : public QDialog {
  Q_OBJECT
 public:
  explicit frmLapBarangGrup(QWidget* parent = nullptr);

 public slots:
  void TbTampil_Click();

 private:
  QComboBox* CmbGrup;
  QPushButton* TbTampil;
  QPushButton* TbBatal;
};
