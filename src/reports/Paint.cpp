#include "reports/Paint.h"

#include <QDate>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <cmath>

namespace reports {

void ScaleToDots(QPainter& p, const QPaintDevice& device, double zoom) {
  p.scale(zoom * device.logicalDpiX() / kDotsPerInch, zoom * device.logicalDpiY() / kDotsPerInch);
}

void PaintPage(QPainter& p, const Page& page) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  for (const RuleItem& r : page.rules) {
    p.setPen(QPen(Qt::black, r.width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(r.line);
  }
  p.setPen(Qt::black);
  int style = -1;
  for (const TextItem& t : page.texts) {
    if (int(t.style) != style) {
      style = int(t.style);
      p.setFont(FontOf(t.style));
    }
    p.drawText(t.origin, t.text);
  }
}

bool PrintDocument(QPagedPaintDevice* device, const ReportDef& def, const Captions& captions, const Rows& rows,
                   int first, int last) {
  if (auto* printer = dynamic_cast<QPrinter*>(device)) printer->setFullPage(true);
  const Plan plan = Paginate(def, rows.Count(), PageSetup::FromPageLayout(device->pageLayout()));
  if (last < 0 || last >= plan.PageCount()) last = plan.PageCount() - 1;
  first = std::clamp(first, 0, last);
  QPainter p;
  if (!p.begin(device)) return false;
  ScaleToDots(p, *device);
  for (int n = first; n <= last; ++n) {
    if (n > first && !device->newPage()) return false;
    PaintPage(p, LayoutPage(plan, def, captions, rows, n));
  }
  if (!p.end()) return false;
  auto* printer = dynamic_cast<QPrinter*>(device);
  return !printer || printer->printerState() != QPrinter::Error;
}

bool WritePdf(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows,
              QString* error) {
  QPdfWriter pdf(file);
  pdf.setResolution(int(kDotsPerInch));
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(def.title);
  pdf.setCreator(QStringLiteral("Merapu"));
  if (PrintDocument(&pdf, def, captions, rows)) return true;
  *error = QStringLiteral("File tidak dapat ditulis: %1").arg(file);
  return false;
}

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
              QString* error) {
  QSaveFile out(file);  // all of it, or the old file stays
  if (!out.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("File tidak dapat ditulis: %1 (%2)").arg(file, out.errorString());
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
    *error = QStringLiteral("File tidak dapat ditulis: %1 (%2)").arg(file, out.errorString());
    return false;
  }
  return true;
}

}  // namespace reports
