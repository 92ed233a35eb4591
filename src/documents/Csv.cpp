#include "documents/Csv.h"

#include <QDate>
#include <QLocale>
#include <QSaveFile>
#include <cmath>
#include <vector>

namespace reports {

namespace {
// Spreadsheets set to Indonesian read ',' as the decimal comma, so they list
// with ';', and Excel and LibreOffice alike split such a file into columns.
constexpr QLatin1Char kCsvSeparator(';');

// A number as the spreadsheet reads one: plain digits, a decimal comma only
// when there is a fraction.
QString CsvNumber(double d) {
  if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
  return QString::number(d, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString CsvValue(const QVariant& v, const Column& col) {
  if (!v.isValid() || v.isNull()) return QString();
  switch (col.format) {
    case Format::Money:
    case Format::Number:
      if (v.typeId() == QMetaType::Double) return CsvNumber(v.toDouble());
      return FormatValue(v, Format::Number);
    case Format::Date:
    case Format::DateMonth: {
      const QDate d = DateValue(v);
      return d.isValid() ? d.toString(Qt::ISODate) : v.toString();
    }
    default:
      return FormatValue(v, col.format);
  }
}

// An unbound label of the detail band carries the text the window formatted
// in the program's own locale ("8.000,00"); its number is read back from it.
QString CsvLabel(const QString& caption, const Column& col) {
  if (!AlignsRight(col.format)) return caption;
  bool ok = false;
  const double d = QLocale().toDouble(caption, &ok);
  return ok ? CsvNumber(d) : caption;
}

// A field quoted when it holds the separator, a quote, a line break or outer
// blanks, with its quotes doubled (as RFC 4180 does with its comma).
QString CsvField(const QString& s) {
  const bool quote = s.contains(kCsvSeparator) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n')) ||
                     s.contains(QLatin1Char('\r')) || s.startsWith(QLatin1Char(' ')) || s.endsWith(QLatin1Char(' '));
  if (!quote) return s;
  return QLatin1Char('"') + QString(s).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}
}  // namespace

bool WriteCsv(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows,
              QString* reason) {
  QSaveFile out(file);  // all of it, or the old file stays
  if (!out.open(QIODevice::WriteOnly)) {
    if (reason) *reason = out.errorString();
    return false;
  }
  QString text;
  text.reserve(64 * (rows.Count() + 1));
  QStringList line;
  for (const Column& c : def.columns) line << CsvField(c.heading.trimmed());
  text += line.join(kCsvSeparator) + QLatin1String("\r\n");
  std::vector<int> field;
  for (const Column& c : def.columns) field.push_back(c.label.isEmpty() ? rows.Field(c.field) : -1);
  for (int r = 0; r < rows.Count(); ++r) {
    line.clear();
    for (size_t c = 0; c < def.columns.size(); ++c) {
      const Column& col = def.columns[c];
      const QString v = !col.label.isEmpty() ? CsvLabel(captions.value(col.label), col)
                                             : (field[c] >= 0 ? CsvValue(rows.Value(r, field[c]), col) : QString());
      line << CsvField(v);
    }
    text += line.join(kCsvSeparator) + QLatin1String("\r\n");
  }
  // With the byte-order mark a spreadsheet reads the file as UTF-8.
  out.write("\xEF\xBB\xBF");
  out.write(text.toUtf8());
  if (!out.commit()) {
    if (reason) *reason = out.errorString();
    return false;
  }
  return true;
}

}  // namespace reports
