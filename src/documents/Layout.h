#pragma once
// Turns a document, its label captions and its rows into pages of
// positioned texts and rules, without painting. Positions are in dots of
// 1/1200 inch on the paper; the paint routine scales them to any device.
//
// Bands: the report header (title, rule, caption/value rows) once at the top
// of page 1; the page header (column headings between rules) at the top of
// every page; one detail line per row, in order. Footers are empty and there
// are no totals. A text longer than its column is cut to it.
#include <QDate>
#include <QFont>
#include <QHash>
#include <QLineF>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QVariant>
#include <vector>

#include "documents/ReportDef.h"
#include "documents/Rows.h"

class QPageLayout;

namespace reports {

constexpr double kDotsPerInch = 1200.0;

// Caption of each label, by label name (LblTgl, Label3, ...).
using Captions = QHash<QString, QString>;

enum class Band { ReportHeader, PageHeader, Detail };  // Section4, Section2, Section1
enum class Style { Title, Caption, Heading, Body };

// The font of a style, sized in dots.
const QFont& FontOf(Style s);

struct TextItem {
  QString text;     // as printed, cut to its box
  QPointF origin;   // start of the text on its baseline
  QRectF box;       // the space it may take: its column, or the header line
  Style style = Style::Body;
  Band band = Band::Detail;
  int row = -1;     // detail row, 0-based
  int column = -1;  // column of the page header and detail band
};

struct RuleItem {
  QLineF line;
  double width = 0;
  Band band = Band::PageHeader;
};

struct Page {
  int number = 0;  // 0-based
  std::vector<TextItem> texts;
  std::vector<RuleItem> rules;
};

// Paper and margins, in dots.
struct PageSetup {
  QSizeF paper;
  QMarginsF margins;
  static PageSetup A4();
  // The paper and orientation of a printer or PDF writer; our margins, or
  // the device's own where it cannot print closer to the edge.
  static PageSetup FromPageLayout(const QPageLayout& layout);
  QRectF Printable() const;
};

// Where the bands stand on the paper and which rows each page holds. Made
// without looking at a single row, so a long document is planned at once.
struct Plan {
  PageSetup page;
  int rowCount = 0;
  int firstPageRows = 0;  // rows under the report header on page 1
  int pageRows = 1;       // rows on every later page
  double rowHeight = 0;
  double pageHeaderTopFirst = 0, pageHeaderTop = 0;
  std::vector<double> colLeft, colWidth;

  int PageCount() const;
  int FirstRow(int page) const;
  int RowsOn(int page) const;
};

Plan Paginate(const ReportDef& def, int rowCount, const PageSetup& page);
// One page of the plan, with its texts measured and cut.
Page LayoutPage(const Plan& plan, const ReportDef& def, const Captions& captions, const Rows& rows, int page);
// Every page.
std::vector<Page> Layout(const ReportDef& def, const Captions& captions, const Rows& rows,
                         const PageSetup& page = PageSetup::A4());

// A value in the form its column prints it.
QString FormatValue(const QVariant& value, Format format);
// A stored date (yyyy-MM-dd text or a date); invalid when it is none.
QDate DateValue(const QVariant& value);

}  // namespace reports
