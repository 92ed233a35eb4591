// Painting on a paged device that is no printer: a PDF written by QtGui
// alone, the whole document or the range of pages the print dialog asks for.
#include <QPdfWriter>
#include <QTemporaryDir>

#include "Lap.h"
#include "Registry.h"
#include "documents/Paint.h"

using namespace reports;
using namespace laptest;

namespace {
QString Nota(int row) { return QStringLiteral("JL-%1").arg(row + 1, 7, 10, QLatin1Char('0')); }
}  // namespace

class PaintTest : public QObject {
  Q_OBJECT
  const int kRows = 300;

  Plan Planned() const { return Paginate(Def("rptLapJualPeriode"), kRows, PageSetup::A4()); }

 private slots:
  void init() { PinLocale(QLocale::English, QLocale::UnitedStates); }

  // Pages first..last of the document, cut to the pages it has.
  void pageRangesArePainted_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("from");  // the pages expected, 0-based
    QTest::addColumn<int>("to");
    const int n = Planned().PageCount();
    QVERIFY(n > 5);
    QTest::newRow("every page") << 0 << -1 << 0 << n - 1;
    QTest::newRow("pages 3 to 5") << 2 << 4 << 2 << 4;
    QTest::newRow("the current page") << 1 << 1 << 1 << 1;
    QTest::newRow("past the last page") << n - 2 << n + 10 << n - 2 << n - 1;
    QTest::newRow("before the first page") << -3 << 0 << 0 << 0;
  }
  void pageRangesArePainted() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, from);
    QFETCH(int, to);
    const Plan plan = Planned();
    QTemporaryDir dir;
    const QString file = dir.filePath("halaman.pdf");
    {
      QPdfWriter pdf(file);
      pdf.setResolution(int(kDotsPerInch));
      pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
      QVERIFY(PaintDocument(&pdf, Def("rptLapJualPeriode"), {}, Jual(kRows), first, last));
    }
    QCOMPARE(PdfInfo(file, "Pages"), QString::number(to - from + 1));
    // The rows of exactly those pages, in order.
    const QStringList words = Run("pdftotext", {file, "-"}).simplified().split(' ');
    QStringList notas;
    for (const QString& w : words)
      if (w.startsWith("JL-")) notas << w;
    QCOMPARE(notas.size(), plan.FirstRow(to) + plan.RowsOn(to) - plan.FirstRow(from));
    QCOMPARE(notas.first(), Nota(plan.FirstRow(from)));
    QCOMPARE(notas.last(), Nota(plan.FirstRow(to) + plan.RowsOn(to) - 1));
  }
};

REGISTER_TEST(PaintTest);
#include "PaintTest.moc"
