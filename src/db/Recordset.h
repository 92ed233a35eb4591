#pragma once
// The rows of one query, held in memory, with a current position.
// Field values are found by name without regard to case.
#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "db/Connection.h"

namespace db {

class Recordset {
 public:
  Recordset() = default;

  // Runs the query on the connection; the record set keeps using that
  // connection for Requery and Update even if the caller opens another.
  // False (LastError set) when the store refuses it: that is no answer, not
  // an empty one.
  [[nodiscard]] bool Open(const QString& jetSql, ConnectionPtr conn);
  void Close();
  bool IsOpen() const { return open_; }
  ConnectionPtr ActiveConnection() const { return conn_; }
  QString Source() const { return source_; }
  // The table a one-table query (SELECT * FROM T ...) edits; empty otherwise.
  QString Table() const { return table_; }
  // The last failure, as the connection reported it (the statement is the
  // record set's query when the store named none).
  const Error& Failure() const { return failure_; }
  QString LastError() const { return failure_.message; }
  bool LastErrorBusy() const { return failure_.kind == Error::Kind::Busy; }

  // Navigation. BOF: before the first row; EOF: after the last. Both are true
  // on an empty result.
  bool Bof() const { return pos_ < 0 || rowCount_ == 0; }
  bool Eof() const { return pos_ >= rowCount_ || rowCount_ == 0; }
  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  int RecordCount() const { return rowCount_; }
  int AbsolutePosition() const { return pos_; }  // 0-based current row
  void Move(int row);                            // to a 0-based row

  // Fields of the current row.
  int FieldCount() const { return int(names_.size()); }
  QString FieldName(int i) const { return names_[size_t(i)]; }
  int FieldIndex(const QString& name) const;  // -1 if absent
  QVariant Value(const QString& name) const;  // null QVariant if empty/absent
  QVariant Value(int i) const;
  QString Text(const QString& name) const;    // "" when empty
  QString Text(int i) const;
  qint64 Int(const QString& name) const;      // 0 when empty
  QDate Date(const QString& name) const;      // invalid when empty
  bool IsNull(const QString& name) const;

  // Re-runs the query on its own connection, back at the first row.
  [[nodiscard]] bool Requery();

  // Editing, for a query on one table (SELECT * FROM T ...):
  // AddNew starts a new row; SetField on a current row starts an edit;
  // Update stores it (whole-number fields get numbers, an empty text as 0).
  void AddNew();
  void SetField(const QString& name, const QVariant& value);
  [[nodiscard]] bool Update();
  void CancelUpdate();
  bool EditPending() const { return editMode_ != None; }

 private:
  enum Kind : unsigned char { Null, Integer, Real, Text8 };
  struct Cell {
    union {
      qint64 i = 0;   // integer value, or offset into the text arena
      double d;       // real value
    };
    int len = 0;      // text length in bytes
    Kind kind = Null;
  };
  bool Run();
  bool Fail();  // takes the connection's failure
  const Cell* CellAt(int field) const;
  QVariant CellValue(const Cell& c) const;

  ConnectionPtr conn_;
  QString source_;
  QString sqlite_;
  Error failure_;
  // A failure of the record set itself (not of the store).
  bool Refuse(const QString& why);
  QString table_;        // set when the query reads one table with *
  bool open_ = false;
  std::vector<QString> names_;
  std::vector<QString> lowerNames_;
  std::vector<Cell> cells_;  // rowCount_ * FieldCount()
  QByteArray arena_;
  int rowCount_ = 0;
  int pos_ = -1;

  enum Mode { None, Adding, Editing } editMode_ = None;
  std::vector<std::pair<QString, QVariant>> pending_;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace db
