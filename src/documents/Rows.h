#pragma once
// The rows a document prints: the result of its command, or rows held in
// memory. Fields are found by name without regard to case.
#include <QStringList>
#include <QVariant>
#include <vector>

#include "db/Recordset.h"

namespace reports {

class Rows {
 public:
  virtual ~Rows() = default;
  virtual int Count() const = 0;
  virtual int Field(const QString& name) const = 0;  // -1 when the rows have no such field
  virtual QVariant Value(int row, int field) const = 0;
};

// The rows of a record set, read where they lie.
class RecordsetRows : public Rows {
 public:
  explicit RecordsetRows(db::RecordsetPtr rs) : rs_(std::move(rs)) {}
  int Count() const override { return rs_->RecordCount(); }
  int Field(const QString& name) const override { return rs_->FieldIndex(name); }
  QVariant Value(int row, int field) const override;

 private:
  db::RecordsetPtr rs_;
};

class TableRows : public Rows {
 public:
  explicit TableRows(QStringList fields) : fields_(std::move(fields)) {}
  void Add(QVariantList values) { rows_.push_back(std::move(values)); }
  int Count() const override { return int(rows_.size()); }
  int Field(const QString& name) const override;
  QVariant Value(int row, int field) const override { return rows_[size_t(row)].value(field); }

 private:
  QStringList fields_;
  std::vector<QVariantList> rows_;
};

}  // namespace reports
