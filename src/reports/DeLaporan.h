#pragma once
// The report data environment: the named commands whose text a report
// window writes before showing a document, run through the same translation
// as every other statement on a connection of their own, connUtama, to the
// program's own database file.
#include <QHash>
#include <QString>
#include <QStringList>

#include "db/Connection.h"
#include "db/Recordset.h"

namespace reports {

class DataEnvironment {
 public:
  DataEnvironment();

  // The text of a command (cmdJualNota, ...), to read or to write.
  QString& CommandText(const QString& command);
  QStringList Commands() const { return names_; }

  // Runs a command on connUtama. Null with the reason when the database
  // cannot be opened or the text fails.
  db::RecordsetPtr Execute(const QString& command, QString* error);

  // Open on the database file of the rest of the program (never a file of
  // that name that happens to lie in the current folder).
  db::ConnectionPtr connUtama(QString* error = nullptr);

 private:
  QStringList names_;
  QHash<QString, QString> texts_;
  db::ConnectionPtr conn_;
};

DataEnvironment& DeLaporan();

}  // namespace reports
