// A 10,000-row sales document written to PDF by the report engine (layout
// and paint), against raw QPdfWriter drawing the same cell texts and rules at
// the same positions, in one run. The rows are read once beforehand; the
// query's own time is printed apart.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchReport.h"
#include "documents/Paint.h"
#include "reports/DeLaporan.h"

using namespace reports;

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int lines = 10000, reps = 5;
  QTemporaryDir dir;
  if (!bench::SalesOfMarch(dir.filePath("ZovaDavezuZi.mdb"), lines)) return 1;

  QElapsedTimer t;
  QString error;
  t.start();
  const db::RecordsetPtr rs = DeLaporan().Execute("cmdJualPeriode", &error);
  const double query = t.nsecsElapsed() / 1e6;
  if (!rs || rs->RecordCount() != lines) return 2;
  const RecordsetRows rows(rs);
  const ReportDef& def = *FindReport("rptLapJualPeriode");
  const Captions captions{{"LblTgl", "15 Maret 2024"}, {"LblPeriode", "01 Maret 2024 S/D 31 Maret 2024"}};

  // What the raw writer draws: the same texts at the same places.
  const std::vector<Page> pages = Layout(def, captions, rows);
  const QString ours = dir.filePath("ours.pdf"), raw = dir.filePath("raw.pdf");
  auto rawPdf = [&] {
    QPdfWriter pdf(raw);
    pdf.setResolution(1200);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p(&pdf);
    for (const Page& page : pages) {
      if (page.number > 0) pdf.newPage();
      for (const RuleItem& r : page.rules) {
        p.setPen(QPen(Qt::black, r.width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(r.line);
      }
      p.setPen(Qt::black);
      const QFont* font = nullptr;
      for (const TextItem& x : page.texts) {
        if (font != &FontOf(x.style)) p.setFont(*(font = &FontOf(x.style)));
        p.drawText(x.origin, x.text);
      }
    }
  };

  std::vector<double> a, b;
  for (int rep = 0; rep < reps; ++rep) {
    auto kita = [&] {
      t.start();
      if (!WritePdf(ours, def, captions, rows)) std::exit(3);
      a.push_back(t.nsecsElapsed() / 1e6);
    };
    auto mentah = [&] {
      t.start();
      rawPdf();
      b.push_back(t.nsecsElapsed() / 1e6);
    };
    if (rep % 2) { kita(); mentah(); } else { mentah(); kita(); }
  }
  const double o = bench::Best(a), r = bench::Best(b);
  std::printf("a %d-row sales document to PDF (%zu pages), best of %d\n", lines, pages.size(), reps);
  std::printf("  the command's query (read once, not in the ratio) : %8.1f ms\n", query);
  std::printf("  raw QPdfWriter, same texts at the same positions  : %8.1f ms  (%lld bytes)\n", r,
              qlonglong(QFileInfo(raw).size()));
  std::printf("  report engine: layout + paint to PDF              : %8.1f ms  (%lld bytes)   ratio %.2fx "
              "(target <= 1.5x)\n",
              o, qlonglong(QFileInfo(ours).size()), o / r);
  return 0;
}
