#pragma once
// A report document as data: its titles, the caption/value rows of its
// report header, and its columns with their bound fields and formats. The
// engine (layout, paint, preview) reads these; no document paints itself.
#include <QString>
#include <vector>

namespace reports {

// How a value is written in its column.
enum class Format {
  Text,       // the value's own text
  Number,     // plain digits, standing right in the column
  Money,      // "Rp #,#": Rp, a blank, the amount grouped in thousands
  Date,       // the short-date form
  DateMonth,  // "dd-MMM-yyyy"
};

// Report-header row: a fixed caption, ":" and a value label whose caption
// the report window sets before showing the document.
struct HeaderRow {
  QString caption;
  QString label;       // LblTgl, LblPeriode, ...
  bool colon = true;   // false when the caption carries its own colon
};

// One column of the page header and the detail band.
struct Column {
  QString heading;
  QString field = {};  // bound field of the command's result
  Format format = Format::Text;
  double width = 10;   // share of the line, in characters of the body font
  QString label = {};  // instead of a field: an unbound label of the detail band
};

struct ReportDef {
  QString name;         // rptLapJualNota
  QString windowTitle;  // the preview window's title
  QString title;        // the report's own title, first line of page 1
  QString command;      // the data member: a command of DeLaporan
  std::vector<HeaderRow> header;
  std::vector<Column> columns;
};

// Every document of the program.
const std::vector<ReportDef>& Reports();
// The document of that name, or nullptr.
const ReportDef* FindReport(const QString& name);

inline bool AlignsRight(Format f) { return f == Format::Number || f == Format::Money; }

}  // namespace reports
