#include "documents/Layout.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <algorithm>
#include <cmath>

#include "base/DateText.h"
#include "db/Sql.h"

namespace reports {

namespace {
constexpr double kMm = kDotsPerInch / 25.4;
constexpr double kPt = kDotsPerInch / 72.0;

constexpr double kMargin = 15 * kMm;
constexpr double kCellPad = 1 * kMm;     // inside a column, on either side
constexpr double kRowGap = 1.2 * kMm;    // added to the body line spacing
constexpr double kThick = 1.0 * kPt;     // rules around the headings, under the title
constexpr double kThin = 0.5 * kPt;

QFont MakeFont(double points, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
  f.setHintingPreference(QFont::PreferNoHinting);  // metrics the same on every device
  f.setPixelSize(int(std::lround(points * kPt)));
  f.setBold(bold);
  return f;
}

// Text widths of a style. The fonts are drawn unshaped, so a Latin text is as
// wide as its letters' advances summed; those are looked up once, which keeps
// a long document quick to lay out. Other scripts are measured whole.
class Measure {
 public:
  explicit Measure(const QFont& f) : fm_(f), advance_(kSimple, -1), ellipsis_(fm_.horizontalAdvance(kEllipsis)) {}
  const QFontMetricsF& Metrics() const { return fm_; }

  double Width(const QString& s) const {
    double w = 0;
    for (QChar c : s) {
      if (c.unicode() >= kSimple) return fm_.horizontalAdvance(s);
      w += Advance(c);
    }
    return w;
  }

  // The text as it fits in `room`, cut with an ellipsis, and its width.
  QString Fit(const QString& text, double room, double* width) const {
    *width = Width(text);
    if (*width <= room) return text;
    for (QChar c : text)
      if (c.unicode() >= kSimple) {
        const QString cut = fm_.elidedText(text, Qt::ElideRight, std::max(0.0, room));
        *width = fm_.horizontalAdvance(cut);
        return cut;
      }
    double w = 0;
    qsizetype k = 0;
    for (; k < text.size() && w + Advance(text[k]) + ellipsis_ <= room; ++k) w += Advance(text[k]);
    while (k > 0 && text[k - 1] == QLatin1Char(' ')) w -= Advance(text[--k]);
    if (w + ellipsis_ > room) {
      *width = 0;
      return QString();
    }
    *width = w + ellipsis_;
    return text.left(k) + kEllipsis;
  }

 private:
  static constexpr ushort kSimple = 0x0300;  // below: no combining marks, no shaping
  static constexpr QChar kEllipsis = QChar(0x2026);
  double Advance(QChar c) const {
    double& a = advance_[c.unicode()];
    if (a < 0) a = fm_.horizontalAdvance(c);
    return a;
  }
  QFontMetricsF fm_;
  mutable std::vector<double> advance_;
  double ellipsis_;
};

const Measure& Measured(Style s) {
  static const Measure m[] = {Measure(FontOf(Style::Title)), Measure(FontOf(Style::Caption)),
                              Measure(FontOf(Style::Heading)), Measure(FontOf(Style::Body))};
  return m[int(s)];
}

const QFontMetricsF& Metrics(Style s) { return Measured(s).Metrics(); }

// A text in a box, standing left or right, on the given baseline.
void Put(Page* page, const QString& text, const QRectF& box, double baseline, bool right, Style s, Band band,
         int row = -1, int column = -1) {
  const double room = box.width() - 2 * kCellPad;
  double w = 0;
  TextItem t;
  t.text = Measured(s).Fit(text, room, &w);
  t.origin = QPointF(right ? box.right() - kCellPad - w : box.left() + kCellPad, baseline);
  t.box = box;
  t.style = s;
  t.band = band;
  t.row = row;
  t.column = column;
  page->texts.push_back(std::move(t));
}

void Rule(Page* page, double x1, double x2, double y, double width, Band band) {
  page->rules.push_back(RuleItem{QLineF(x1, y, x2, y), width, band});
}

// The report header from `top`; returns its height. Measures only when page
// is null.
double ReportHeader(const ReportDef& def, const Captions& captions, const QRectF& area, double top, Page* page) {
  const QFontMetricsF& tf = Metrics(Style::Title);
  const QFontMetricsF& cf = Metrics(Style::Caption);
  double y = top;
  if (page)
    Put(page, def.title, QRectF(area.left() - kCellPad, y, area.width() + 2 * kCellPad, tf.height()),
        y + tf.ascent(), false, Style::Title, Band::ReportHeader);
  y += tf.height() + 1.5 * kMm;
  if (page) Rule(page, area.left(), area.right(), y, kThick, Band::ReportHeader);
  y += 3 * kMm;
  if (page && !def.header.empty()) {
    double captionWidth = 0;
    bool colon = false;
    for (const HeaderRow& h : def.header) {
      captionWidth = std::max(captionWidth, Measured(Style::Caption).Width(h.caption));
      colon = colon || h.colon;
    }
    const double gap = 2 * kMm;
    const double colonX = area.left() + captionWidth + gap;
    const double valueX = colon ? colonX + Measured(Style::Caption).Width(QStringLiteral(":")) + gap : colonX;
    double ry = y;
    for (const HeaderRow& h : def.header) {
      const double base = ry + cf.ascent();
      const double hgt = cf.height();
      Put(page, h.caption, QRectF(area.left() - kCellPad, ry, captionWidth + gap + kCellPad, hgt), base, false,
          Style::Caption, Band::ReportHeader);
      if (h.colon)
        Put(page, QStringLiteral(":"), QRectF(colonX - kCellPad, ry, valueX - colonX + kCellPad, hgt), base, false,
            Style::Caption, Band::ReportHeader);
      Put(page, captions.value(h.label), QRectF(valueX - kCellPad, ry, area.right() - valueX + 2 * kCellPad, hgt),
          base, false, Style::Caption, Band::ReportHeader);
      ry += cf.lineSpacing() + 0.8 * kMm;
    }
  }
  y += double(def.header.size()) * (cf.lineSpacing() + 0.8 * kMm);
  return y + 4 * kMm - top;
}

// The page header from `top`; returns its height.
double PageHeader(const Plan& plan, const ReportDef& def, double top, Page* page) {
  const QFontMetricsF& hf = Metrics(Style::Heading);
  const QRectF area = plan.page.Printable();
  double y = top;
  if (page) Rule(page, area.left(), area.right(), y, kThick, Band::PageHeader);
  y += 1.2 * kMm;
  if (page)
    for (size_t c = 0; c < def.columns.size(); ++c)
      Put(page, def.columns[c].heading, QRectF(plan.colLeft[c], y, plan.colWidth[c], hf.height()), y + hf.ascent(),
          AlignsRight(def.columns[c].format), Style::Heading, Band::PageHeader, -1, int(c));
  y += hf.height() + 1.2 * kMm;
  if (page) Rule(page, area.left(), area.right(), y, kThin, Band::PageHeader);
  return y + 1 * kMm - top;
}

QString Grouped(qint64 n) {
  QString digits = QString::number(n < 0 ? -n : n);
  const QString sep = QLocale().groupSeparator();
  for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, sep);
  return digits;
}

bool WholeNumber(const QVariant& v, qint64* n) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      *n = v.toLongLong();
      return true;
    case QMetaType::Double:
      *n = std::llround(v.toDouble());
      return true;
    default: {
      bool ok = false;
      const QString t = v.toString().trimmed();
      *n = t.toLongLong(&ok);
      if (ok) return true;
      const double d = t.toDouble(&ok);
      *n = ok ? std::llround(d) : 0;
      return ok;
    }
  }
}

}  // namespace

QDate DateValue(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return v.toDate();
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
  return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

const QFont& FontOf(Style s) {
  static const QFont f[] = {MakeFont(14, true), MakeFont(10, false), MakeFont(9, true), MakeFont(9, false)};
  return f[int(s)];
}

QString FormatValue(const QVariant& v, Format format) {
  if (!v.isValid() || v.isNull()) return QString();
  switch (format) {
    case Format::Money: {
      qint64 n = 0;
      if (!WholeNumber(v, &n)) return v.toString();
      return (n < 0 ? QStringLiteral("-Rp ") : QStringLiteral("Rp ")) + Grouped(n);
    }
    case Format::Date:
    case Format::DateMonth: {
      const QDate d = DateValue(v);
      if (!d.isValid()) return v.toString();
      return format == Format::Date ? base::ShortDateText(d) : QLocale().toString(d, QStringLiteral("dd-MMM-yyyy"));
    }
    default:
      if (v.typeId() == QMetaType::Double) {
        // Whole amounts as plain digits, never in exponent form.
        const double d = v.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
      }
      return v.toString();
  }
}

PageSetup PageSetup::A4() {
  return PageSetup{QSizeF(210 * kMm, 297 * kMm), QMarginsF(kMargin, kMargin, kMargin, kMargin)};
}

PageSetup PageSetup::FromPageLayout(const QPageLayout& layout) {
  const QSizeF pts = layout.fullRectPoints().size();
  QPageLayout inPoints = layout;
  inPoints.setUnits(QPageLayout::Point);
  const QMarginsF m = inPoints.minimumMargins() * (kDotsPerInch / 72.0);
  return PageSetup{pts * (kDotsPerInch / 72.0),
                  QMarginsF(std::max(kMargin, m.left()), std::max(kMargin, m.top()), std::max(kMargin, m.right()),
                            std::max(kMargin, m.bottom()))};
}

QRectF PageSetup::Printable() const { return QRectF(QPointF(0, 0), paper).marginsRemoved(margins); }

int Plan::PageCount() const {
  if (rowCount <= firstPageRows) return 1;
  return 1 + (rowCount - firstPageRows + pageRows - 1) / pageRows;
}

int Plan::FirstRow(int p) const { return p == 0 ? 0 : firstPageRows + (p - 1) * pageRows; }

int Plan::RowsOn(int p) const {
  const int room = p == 0 ? firstPageRows : pageRows;
  return std::clamp(rowCount - FirstRow(p), 0, room);
}

Plan Paginate(const ReportDef& def, int rowCount, const PageSetup& setup) {
  Plan plan;
  plan.page = setup;
  plan.rowCount = rowCount;
  const QRectF area = setup.Printable();
  double total = 0;
  for (const Column& c : def.columns) total += c.width;
  double x = area.left();
  for (const Column& c : def.columns) {
    const double w = total > 0 ? area.width() * c.width / total : 0;
    plan.colLeft.push_back(x);
    plan.colWidth.push_back(w);
    x += w;
  }
  plan.rowHeight = Metrics(Style::Body).lineSpacing() + kRowGap;
  const double pageHeader = PageHeader(plan, def, 0, nullptr);
  plan.pageHeaderTop = area.top();
  plan.pageHeaderTopFirst = area.top() + ReportHeader(def, Captions(), area, area.top(), nullptr);
  const auto fit = [&](double top) { return int(std::floor((area.bottom() - top - pageHeader) / plan.rowHeight)); };
  plan.firstPageRows = std::max(0, fit(plan.pageHeaderTopFirst));
  plan.pageRows = std::max(1, fit(plan.pageHeaderTop));
  return plan;
}

Page LayoutPage(const Plan& plan, const ReportDef& def, const Captions& captions, const Rows& rows, int number) {
  Page page;
  page.number = number;
  const QRectF area = plan.page.Printable();
  double y = plan.pageHeaderTop;
  if (number == 0) {
    ReportHeader(def, captions, area, area.top(), &page);
    y = plan.pageHeaderTopFirst;
  }
  y += PageHeader(plan, def, y, &page);

  std::vector<int> field(def.columns.size(), -1);
  std::vector<QString> label(def.columns.size());
  for (size_t c = 0; c < def.columns.size(); ++c) {
    if (def.columns[c].label.isEmpty()) field[c] = rows.Field(def.columns[c].field);
    else label[c] = captions.value(def.columns[c].label);
  }
  const QFontMetricsF& bf = Metrics(Style::Body);
  const double lift = (plan.rowHeight - bf.height()) / 2 + bf.ascent();
  const int first = plan.FirstRow(number), count = plan.RowsOn(number);
  page.texts.reserve(page.texts.size() + size_t(count) * def.columns.size());
  for (int i = 0; i < count; ++i, y += plan.rowHeight) {
    const int r = first + i;
    for (size_t c = 0; c < def.columns.size(); ++c) {
      const Column& col = def.columns[c];
      const QString text = col.label.isEmpty() ? (field[c] >= 0 ? FormatValue(rows.Value(r, field[c]), col.format)
                                                                 : QString())
                                               : label[c];
      if (text.isEmpty()) continue;
      Put(&page, text, QRectF(plan.colLeft[c], y, plan.colWidth[c], plan.rowHeight), y + lift,
          AlignsRight(col.format), Style::Body, Band::Detail, r, int(c));
    }
  }
  return page;
}

std::vector<Page> Layout(const ReportDef& def, const Captions& captions, const Rows& rows, const PageSetup& setup) {
  const Plan plan = Paginate(def, rows.Count(), setup);
  std::vector<Page> pages;
  pages.reserve(size_t(plan.PageCount()));
  for (int p = 0; p < plan.PageCount(); ++p) pages.push_back(LayoutPage(plan, def, captions, rows, p));
  return pages;
}

}  // namespace reports
