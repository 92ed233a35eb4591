#pragma once
// A document's rows as CSV for a spreadsheet: UTF-8, a heading line with the
// column headings, then one line per row, fields separated by ";" as
// spreadsheets set to Indonesian read them. Amounts are plain whole numbers
// and dates yyyy-MM-dd, so that a spreadsheet reads them as such.
#include <QString>

#include "documents/Layout.h"

namespace reports {

// All of the file or, when it cannot be written, none of it and the old file
// kept; then false, with the system's reason.
bool WriteCsv(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows,
              QString* reason = nullptr);

}  // namespace reports
