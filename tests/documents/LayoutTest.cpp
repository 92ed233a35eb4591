// Laying out a document: where the bands fall on the pages, the formats of
// its values, cutting long texts, and the paper of the printer.
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <set>

#include "Lap.h"
#include "Registry.h"

using namespace reports;
using namespace laptest;

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { PinLocale(QLocale::English, QLocale::UnitedStates); }

  void bandsOverManyPages() {
    const ReportDef& def = Def("rptLapJualPeriode");
    const TableRows rows = Jual(120);
    const Captions cap{{"LblTgl", "15 March 2024"},
                       {"LblPeriode", "01 March 2024 S/D 31 March 2024"},
                       {"LblRingkas", "Rp 39,000 - Rp 12,000 = Rp 27,000"}};
    const std::vector<Page> pages = Layout(def, cap, rows);
    QVERIFY(pages.size() >= 3);
    const double bottom = PageSetup::A4().Printable().bottom();
    std::vector<int> order;
    int details = 0;
    for (const Page& p : pages) {
      double headingTop = 1e12, headerBottom = 0, lastRowTop = -1;
      for (const TextItem& t : p.texts) {
        QVERIFY2(t.box.bottom() <= bottom, qPrintable(t.text));
        if (t.band == Band::ReportHeader) headerBottom = std::max(headerBottom, t.box.bottom());
        if (t.band == Band::PageHeader) headingTop = std::min(headingTop, t.box.top());
      }
      for (const TextItem& t : p.texts) {
        if (t.band != Band::Detail) continue;
        ++details;
        QVERIFY(t.box.top() > headingTop);
        if (t.column == 0) {
          QVERIFY(t.box.top() > lastRowTop);
          lastRowTop = t.box.top();
          order.push_back(t.row);
        }
      }
      for (const RuleItem& r : p.rules) QVERIFY(r.line.y1() <= bottom);
      QCOMPARE(Texts(p, Band::PageHeader), Headings(def));
      if (p.number == 0) {
        QCOMPARE(Texts(p, Band::ReportHeader),
                 QStringList({"Laporan Penjualan Per-Periode", "Tanggal Cetak", ":", "15 March 2024",
                              "Periode Transaksi", ":", "01 March 2024 S/D 31 March 2024",
                              "Penjualan - Retur = Bersih", ":", "Rp 39,000 - Rp 12,000 = Rp 27,000"}));
        QVERIFY(headerBottom <= headingTop);
      } else {
        QVERIFY(Texts(p, Band::ReportHeader).isEmpty());
      }
    }
    std::vector<int> all(120);
    for (int i = 0; i < 120; ++i) all[size_t(i)] = i;
    QCOMPARE(order, all);
    // Nothing else is printed: no total line, no count.
    QCOMPARE(details, 120 * 7);
    QCOMPARE(pages.back().texts.back().text, QString("Rp 4,857"));  // 1619 x 3, the last cell of the last row
  }

  void threeLineReceipt() {
    const ReportDef& def = Def("rptLapJualNota");
    TableRows rows({"No_Nota", "Tgl_Nota", "Kode_Barang", "Nama_Barang", "Harga_Jual", "Jumlah", "Subtotal"});
    rows.Add({"JL-0000007", "2024-03-15", "001.002.003", "Sabun Mandi", 1500, 3, 4500});
    rows.Add({"JL-0000007", "2024-03-15", "001.002.004", "Pasta Gigi", 12000, 1, 12000});
    rows.Add({"JL-0000007", "2024-03-15", "001.002.007", "Sabun Cuci", 2500, 2, 4999});
    const std::vector<Page> pages = Layout(def, {{"LblTgl", "15 March 2024"}, {"LblNota", "JL-0000007"}}, rows);
    QCOMPARE(pages.size(), size_t(1));
    const Page& p = pages[0];
    QCOMPARE(Texts(p, Band::ReportHeader).count("Laporan Penjualan Per-Nota"), 1);
    QCOMPARE(Texts(p, Band::PageHeader), QStringList({"KODE", "NAMA BARANG", "HARGA JUAL", "QTY", "SUBTOTAL"}));
    QCOMPARE(Texts(p, Band::Detail),
             QStringList({"001.002.003", "Sabun Mandi", "Rp 1,500", "3", "Rp 4,500", "001.002.004", "Pasta Gigi",
                          "Rp 12,000", "1", "Rp 12,000", "001.002.007", "Sabun Cuci", "Rp 2,500", "2", "Rp 4,999"}));
    // Amounts stand right in their columns, under their headings' right ends.
    const TextItem* heading = nullptr;
    for (const TextItem& t : p.texts)
      if (t.text == "SUBTOTAL") heading = &t;
    const TextItem& last = p.texts.back();
    const QFontMetricsF body(FontOf(Style::Body)), bold(FontOf(Style::Heading));
    QVERIFY(heading);
    QVERIFY(qAbs(last.origin.x() + body.horizontalAdvance(last.text) -
                 (heading->origin.x() + bold.horizontalAdvance(heading->text))) < 1);
  }

  void formats_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    const QLocale id(QLocale::Indonesian, QLocale::Indonesia), us(QLocale::English, QLocale::UnitedStates);
    const int money = int(Format::Money), month = int(Format::DateMonth), date = int(Format::Date);
    QTest::newRow("money id") << id << QVariant(qint64(12500)) << money << "Rp 12.500";
    QTest::newRow("money us") << us << QVariant(qint64(12500)) << money << "Rp 12,500";
    QTest::newRow("money millions") << us << QVariant(qint64(1234567)) << money << "Rp 1,234,567";
    QTest::newRow("money zero") << id << QVariant(qint64(0)) << money << "Rp 0";
    QTest::newRow("money stored as text") << id << QVariant("12500") << money << "Rp 12.500";
    QTest::newRow("money empty") << id << QVariant() << money << "";
    QTest::newRow("month us") << us << QVariant("2024-03-05") << month << "05-Mar-2024";
    QTest::newRow("month id") << id << QVariant("2024-08-05") << month << "05-Agu-2024";
    QTest::newRow("ledger date us") << us << QVariant("2024-03-05") << date << "3/5/2024";
    QTest::newRow("ledger date id") << id << QVariant("2024-03-05") << date << "05/03/2024";
    QTest::newRow("amount as digits") << id << QVariant(1500000.0) << int(Format::Number) << "1500000";
    QTest::newRow("text kept") << id << QVariant("O'Brien, \"Toko\"") << int(Format::Text) << "O'Brien, \"Toko\"";
  }
  void formats() {
    QFETCH(QLocale, locale);
    QFETCH(QVariant, value);
    QFETCH(int, format);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(FormatValue(value, Format(format)), text);
  }

  void longTextIsCutToItsColumn() {
    const ReportDef& def = Def("rptLapJualTanggal");
    TableRows rows({"No_Nota", "Tgl_Nota", "Kode_Barang", "Nama_Barang", "Harga_Jual", "Jumlah", "Subtotal"});
    const QString name = QString("Minyak Goreng Kemasan Ekonomis ").repeated(4);
    rows.Add({"JL-0000001", "2024-03-05", "001.002.003", name, 999999999, 12, 999999999});
    const Page p = Layout(def, {}, rows)[0];
    const QFontMetricsF fm(FontOf(Style::Body));
    for (const TextItem& t : p.texts) {
      if (t.band != Band::Detail) continue;
      // Every text ends inside its own column, before the next begins.
      QVERIFY2(t.origin.x() >= t.box.left() && t.origin.x() + fm.horizontalAdvance(t.text) <= t.box.right(),
               qPrintable(t.text));
      if (t.column == 3) {
        QVERIFY(t.text.size() < name.size());
        QVERIFY(name.startsWith(t.text.chopped(1)));
      }
    }
  }

  void printerPaperIsHonoured() {
    const ReportDef& def = Def("rptLapJualPeriode");
    const PageSetup a4 = PageSetup::A4();
    const PageSetup turned =
        PageSetup::FromPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    const PageSetup letter =
        PageSetup::FromPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    QVERIFY(qAbs(turned.paper.height() - a4.paper.width()) < 10 && qAbs(turned.paper.width() - a4.paper.height()) < 10);
    QVERIFY(qAbs(letter.paper.width() - 8.5 * kDotsPerInch) < 1);
    const Plan upright = Paginate(def, 500, a4), wide = Paginate(def, 500, turned);
    QVERIFY(wide.pageRows < upright.pageRows);
    QVERIFY(wide.PageCount() > upright.PageCount());
    // The columns fill the wider line to its right margin.
    QVERIFY(qAbs(wide.colLeft.back() + wide.colWidth.back() - turned.Printable().right()) < 1);
    const std::vector<Page> pages = Layout(def, {}, Jual(500), turned);
    QCOMPARE(int(pages.size()), wide.PageCount());
    for (const Page& p : pages)
      for (const TextItem& t : p.texts) QVERIFY(t.box.bottom() <= turned.Printable().bottom());
  }
};

REGISTER_TEST(LayoutTest);
#include "LayoutTest.moc"
