// The preview window: turning pages by keys and buttons, pages laid out only
// when looked at, printing through the printer seam, saving as PDF and CSV.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>

#include "Lap.h"
#include "TestSupport.h"
#include "reports/FormLaporan.h"
#include "reports/PreviewWindow.h"

using namespace reports;
using namespace laptest;
using namespace testsupport;

namespace {
std::unique_ptr<QPrinter> PdfPrinter(const QString& path, QPageLayout::Orientation o) {
  auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
  p->setOutputFormat(QPrinter::PdfFormat);
  p->setOutputFileName(path);
  p->setPageOrientation(o);
  return p;
}
}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { PinLocale(QLocale::English, QLocale::UnitedStates); }
  void cleanup() {
    ui::SetPrinterFactory({});
    testsupport::InstallDefaultSeams();
  }

  void pagesTurnAndOnlyTheShownPageIsLaidOut() {
    const TableRows rows = Jual(2000);
    PreviewWindow w(Def("rptLapJualPeriode"), {}, rows);
    w.show();
    QCOMPARE(w.windowTitle(), QString("LAPORAN PENJUALAN PER-PERIODE"));
    QCOMPARE(w.objectName(), QString("rptLapJualPeriode"));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QVERIFY(w.PageCount() > 30);
    QCOMPARE(child<QLabel>(&w, "LblDari")->text(), QString("dari %1").arg(w.PageCount()));
    w.Render();
    QCOMPARE(w.PagesLaidOut(), 1);

    // Page keys turn pages wherever the focus is, even on the paper that
    // would otherwise scroll.
    auto* paper = child<QScrollArea>(&w, "Kertas");
    auto* page = child<QSpinBox>(&w, "TxtHalaman");
    QTest::keyClick(paper, Qt::Key_PageDown);
    QCOMPARE(w.CurrentPage(), 1);
    QTest::keyClick(page, Qt::Key_PageDown);
    QCOMPARE(w.CurrentPage(), 2);
    QCOMPARE(page->value(), 3);
    QTest::keyClick(paper, Qt::Key_PageUp);
    QTest::keyClick(paper, Qt::Key_PageUp);
    QTest::keyClick(paper, Qt::Key_PageUp);
    QCOMPARE(w.CurrentPage(), 0);
    QTest::keyClick(paper, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(w.CurrentPage(), w.PageCount() - 1);
    QVERIFY(!child<QWidget>(&w, "TbBerikut")->isEnabled());
    page->setValue(5);
    QCOMPARE(w.CurrentPage(), 4);
    w.Render();
    QCOMPARE(Texts(w.PageAt(4), Band::Detail).first(), Texts(Layout(Def("rptLapJualPeriode"), {}, rows)[4], Band::Detail).first());

    QTest::keyClick(page, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
  }

  void savedPdfHoldsTheDocument() {
    const ReportDef& def = Def("rptLapJualPeriode");
    const TableRows rows = Jual(80);
    PreviewWindow w(def,
                    {{"LblTgl", "15 March 2024"},
                     {"LblPeriode", "01 March 2024 S/D 31 March 2024"},
                     {"LblRingkas", "Rp 39,000 - Rp 12,000 = Rp 27,000"}},
                    rows);
    QTemporaryDir dir;
    ui::SetSaveFileNameHandler([&](const QString&, const QString& filter, const QString&, const QString&) {
      return filter.contains("*.pdf") ? dir.filePath("laporan") : QString();
    });
    ScriptedPrompter p;  // saving says nothing
    child<QPushButton>(&w, "TbPdf")->click();
    VERIFY_PROMPTS(p);
    const QString file = dir.filePath("laporan.pdf");
    QCOMPARE(PdfInfo(file, "Pages"), QString::number(w.PageCount()));
    QVERIFY(PdfInfo(file, "Page size").contains("(A4)"));
    const QStringList words = Run("pdftotext", {file, "-"}).simplified().split(' ');
    const QString all = words.join(' ');
    QVERIFY2(all.startsWith("Laporan Penjualan Per-Periode Tanggal Cetak : 15 March 2024 Periode Transaksi : "
                            "01 March 2024 S/D 31 March 2024 Penjualan - Retur = Bersih : Rp 39,000 - Rp 12,000 = "
                            "Rp 27,000 NO NOTA TANGGAL KODE NAMA BARANG HARGA JUAL QTY SUBTOTAL"),
             qPrintable(all.left(300)));
    QCOMPARE(all.count("NO NOTA TANGGAL KODE NAMA BARANG HARGA JUAL QTY SUBTOTAL"), w.PageCount());
    for (int r = 0; r < rows.Count(); ++r) {
      const QString line = QStringList({rows.Value(r, 0).toString(),
                                        FormatValue(rows.Value(r, 1), Format::DateMonth), rows.Value(r, 2).toString(),
                                        rows.Value(r, 3).toString(), FormatValue(rows.Value(r, 4), Format::Money),
                                        rows.Value(r, 5).toString(), FormatValue(rows.Value(r, 6), Format::Money)})
                               .join(' ');
      QVERIFY2(all.count(line) == 1, qPrintable(line));
    }
  }

  void csvHoldsEveryRowWithItsTextsQuoted() {
    TableRows rows({"No_Nota", "Tgl_Nota", "Kode_Barang", "Nama_Barang", "Harga_Jual", "Jumlah", "Subtotal"});
    rows.Add({"JL-0000001", "2024-03-05", "001.002.003", "Sabun, Mandi", 1500, 3, 4500});
    rows.Add({"JL-0000001", "2024-03-05", "001.002.004", "Kopi \"Kapal\"; 200g", 12000, 1, 12000});
    rows.Add({"JL-0000002", "2024-03-06", "001.002.005", "Teh\nCelup", 1250000, 2, 2500000});
    rows.Add({"JL-0000003", "2024-03-07", "001.002.006", " Gula Ñusantara ", 0, 1, QVariant()});
    PreviewWindow w(Def("rptLapJualTanggal"), {}, rows);
    QTemporaryDir dir;
    const QString file = dir.filePath("penjualan.csv");
    ui::SetSaveFileNameHandler([&](const QString&, const QString&, const QString&, const QString&) { return file; });
    child<QPushButton>(&w, "TbCsv")->click();
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // UTF-8 marked as such, listed with ';' as spreadsheets set to Indonesian
    // read it; a field with a ';', a quote, a line break or outer blanks
    // quoted, its quotes doubled, so a spreadsheet reads it back.
    QCOMPARE(QString::fromUtf8(bytes),
             QString("\xEF\xBB\xBF"
                     "NO NOTA;TANGGAL;KODE;NAMA BARANG;HARGA JUAL;QTY;SUBTOTAL\r\n"
                     "JL-0000001;2024-03-05;001.002.003;Sabun, Mandi;1500;3;4500\r\n"
                     "JL-0000001;2024-03-05;001.002.004;\"Kopi \"\"Kapal\"\"; 200g\";12000;1;12000\r\n"
                     "JL-0000002;2024-03-06;001.002.005;\"Teh\nCelup\";1250000;2;2500000\r\n"
                     "JL-0000003;2024-03-07;001.002.006;\" Gula Ñusantara \";0;1;\r\n"));
  }

  // The CSV holds numbers as numbers, not as the page prints them: no "Rp",
  // no thousands separator; the totals of the profit-and-loss document read
  // back from the "standard" text the window gave them. Whatever the locale.
  void csvHoldsPlainNumbers_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("id_ID") << QLocale(QLocale::Indonesian, QLocale::Indonesia);
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
  }
  void csvHoldsPlainNumbers() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    QTemporaryDir dir;
    const QString file = dir.filePath("data.csv");
    ui::SetSaveFileNameHandler([&](const QString&, const QString&, const QString&, const QString&) { return file; });
    auto simpan = [&](const char* dokumen, const Captions& label, const Rows& rows) {
      PreviewWindow w(Def(dokumen), label, rows);
      child<QPushButton>(&w, "TbCsv")->click();
      QFile f(file);
      return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split("\r\n").value(1) : QString();
    };
    TableRows jual({"No_Nota", "Tgl_Nota", "Kode_Barang", "Nama_Barang", "Harga_Jual", "Jumlah", "Subtotal"});
    jual.Add({"JL-0000073", "2026-12-09", "001.002.003", "Beras", qint64(1250000), qint64(2), 2500000.0});
    QCOMPARE(simpan("rptLapJualTanggal", {}, jual), QString("JL-0000073;2026-12-09;001.002.003;Beras;1250000;2;2500000"));
    TableRows satu({"debet"});
    satu.Add({QVariant()});
    const Captions total{{"Label3", FormLaporan::Standar(28208500)},
                         {"Label5", FormLaporan::Standar(28210000)},
                         {"Label6", FormLaporan::Standar(-1500)}};
    QVERIFY(locale.language() == QLocale::English || total["Label3"] == "28.208.500,00");
    QCOMPARE(simpan("rptLapKasPeriode", total, satu), QString("28208500;28210000;-1500"));
  }

  // A saved report is proposed a name from its title and what it covers, in
  // the documents folder; characters no file system takes are replaced.
  void savingProposesANameFromTitleAndPeriod_data() {
    QTest::addColumn<QString>("dokumen");
    QTest::addColumn<Captions>("label");
    QTest::addColumn<QString>("tombol");
    QTest::addColumn<QString>("nama");
    const QString periode = "01 Maret 2024 S/D 31 Maret 2024";
    QTest::newRow("sales per period") << "rptLapJualPeriode"
                                      << Captions{{"LblTgl", "15 Maret 2024"}, {"LblPeriode", periode}} << "TbCsv"
                                      << "Laporan Penjualan Per-Periode 01 Maret 2024 s.d. 31 Maret 2024.csv";
    QTest::newRow("sales per date") << "rptLapJualTanggal"
                                    << Captions{{"LblTgl", "15 Maret 2024"}, {"LblTgl2", "05 Maret 2024"}} << "TbPdf"
                                    << "Laporan Penjualan Per-Tanggal 05 Maret 2024.pdf";
    QTest::newRow("a receipt number as typed") << "rptLapJualNota" << Captions{{"LblNota", "JL/01:*\t?\"<"}}
                                               << "TbCsv" << "Laporan Penjualan Per-Nota JL-01------.csv";
    QTest::newRow("profit and loss") << "rptLapKasPeriode" << Captions{{"LblPeriode", periode}} << "TbPdf"
                                     << "Laporan Kas Laba-Rugi Per-Periode 01 Maret 2024 s.d. 31 Maret 2024.pdf";
    QTest::newRow("a master list") << "rptLapBarang" << Captions{{"LblTanggal", "15 Maret 2024"}} << "TbCsv"
                                   << "Laporan Seluruh Barang.csv";
  }
  void savingProposesANameFromTitleAndPeriod() {
    QFETCH(QString, dokumen);
    QFETCH(Captions, label);
    QFETCH(QString, tombol);
    QFETCH(QString, nama);
    const TableRows rows = Jual(3);
    PreviewWindow w(Def(qPrintable(dokumen)), label, rows);
    QString folder, usul;
    ui::SetSaveFileNameHandler([&](const QString&, const QString&, const QString& f, const QString& n) {
      folder = f;
      usul = n;
      return QString();
    });
    child<QPushButton>(&w, tombol)->click();
    QCOMPARE(usul, nama);
    QCOMPARE(folder, ui::DocumentsFolder());
  }

  // A file that cannot be written is told, naming it, and nothing is left
  // behind; the CSV also says why, as the system put it.
  void aFileThatCannotBeWrittenIsTold_data() {
    QTest::addColumn<QString>("tombol");
    QTest::addColumn<QString>("akhiran");
    QTest::addColumn<bool>("alasan");
    QTest::newRow("pdf") << "TbPdf" << "pdf" << false;
    QTest::newRow("csv") << "TbCsv" << "csv" << true;
  }
  void aFileThatCannotBeWrittenIsTold() {
    QFETCH(QString, tombol);
    QFETCH(QString, akhiran);
    QFETCH(bool, alasan);
    const TableRows rows = Jual(3);
    PreviewWindow w(Def("rptLapJualTanggal"), {}, rows);
    QTemporaryDir dir;
    const QString file = dir.filePath("tidak-ada/laporan." + akhiran);
    ui::SetSaveFileNameHandler([&](const QString&, const QString&, const QString&, const QString&) { return file; });
    ScriptedPrompter p;
    p.expectStart("File tidak dapat ditulis: " + file, ui::vbOK, "Gagal Menyimpan", ui::vbCritical);
    child<QPushButton>(&w, tombol)->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(p.seen.value(0).text.size() > QString("File tidak dapat ditulis: " + file).size(), alasan);
    QVERIFY(!QFile::exists(file));
  }

  void printingThroughThePrinterSeam() {
    const ReportDef& def = Def("rptLapJualPeriode");
    const TableRows rows = Jual(300);
    PreviewWindow w(def, {}, rows);
    auto* cetak = child<QPushButton>(&w, "TbCetak");
    ScriptedPrompter p;

    ui::SetPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    p.expect("Belum ada printer terinstall di komputer Anda.\n"
             "Silahkan install printer terlebih dulu, atau simpan laporan sebagai PDF.",
             ui::vbOK, "Printer Belum Diinstall", ui::vbExclamation);
    cetak->click();

    // A landscape printer: the dialog is passed, and the pages are laid out
    // on the printer's own paper.
    QTemporaryDir dir;
    const QString file = dir.filePath("cetak.pdf");
    ui::SetPrinterFactory([&] { return PdfPrinter(file, QPageLayout::Landscape); });
    {
      ModalScript m;
      m.then([](QDialog* d) { d->accept(); });
      cetak->click();
      QCOMPARE(m.shown, QStringList({"DlgCetak"}));
    }
    VERIFY_PROMPTS(p);
    QVERIFY2(PdfInfo(file, "Page size").startsWith("842 x 595 pts"), qPrintable(PdfInfo(file, "Page size")));
    const PageSetup wide =
        PageSetup::FromPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    QCOMPARE(PdfInfo(file, "Pages"), QString::number(Paginate(def, rows.Count(), wide).PageCount()));
    QVERIFY(Paginate(def, rows.Count(), wide).PageCount() > w.PageCount());

    // Cancelled in the dialog: nothing is printed.
    QFile::remove(file);
    {
      ModalScript m;
      m.then([](QDialog* d) { d->reject(); });
      cetak->click();
    }
    QVERIFY(!QFile::exists(file));
  }
};

REGISTER_TEST(PreviewTest);
#include "PreviewTest.moc"
