#include "documents/Paint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

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

bool PaintDocument(QPagedPaintDevice* device, const ReportDef& def, const Captions& captions, const Rows& rows,
                   int first, int last) {
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
  return p.end();
}

bool WritePdf(const QString& file, const ReportDef& def, const Captions& captions, const Rows& rows) {
  QPdfWriter pdf(file);
  pdf.setResolution(int(kDotsPerInch));
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(def.title);
  pdf.setCreator(QStringLiteral("Merapu"));
  return PaintDocument(&pdf, def, captions, rows);
}

}  // namespace reports
