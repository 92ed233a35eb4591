#pragma once
// Item search for the till: only items in stock that sell above their
// buying price; the pick also hands back the selling price.
#include "master/frmCariBarangDasar.h"

class frmCariBarang2 : public frmCariBarangDasar {
  Q_OBJECT
 public:
  explicit frmCariBarang2(QWidget* parent = nullptr);

 protected:
  QString SqlDaftar() const override;
  QString SqlCari(const QString& teks) const override;
  db::RecordsetPtr& Rs() const override;
};
