#pragma once
// Item search for the purchase screen: every item, picked by name.
#include "master/frmCariBarangDasar.h"

class frmCariBarang : public frmCariBarangDasar {
  Q_OBJECT
 public:
  explicit frmCariBarang(QWidget* parent = nullptr);

 protected:
  QString SqlDaftar() const override;
  QString SqlCari(const QString& teks) const override;
  db::RecordsetPtr& Rs() const override;
};
