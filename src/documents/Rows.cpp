#include "documents/Rows.h"

namespace reports {

QVariant RecordsetRows::Value(int row, int field) const {
  rs_->Move(row);
  return rs_->Value(field);
}

int TableRows::Field(const QString& name) const {
  for (qsizetype i = 0; i < fields_.size(); ++i)
    if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

}  // namespace reports
