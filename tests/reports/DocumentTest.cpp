// The hand-over from a report window to its document: the command runs
// afresh at every showing, on the program's own database file.
#include <QDir>
#include <QTemporaryDir>

#include "Lap.h"
#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "reports/DeLaporan.h"
#include "reports/Document.h"
#include "reports/PreviewWindow.h"

using namespace reports;
using namespace laptest;
using namespace testsupport;

namespace {
struct Shown {
  bool shown = false;
  QString title;
  QStringList header, detail;
};

// Shows the document as a report window would and reads what its preview
// holds on every page.
Shown ShowDocument(const QString& name) {
  Shown s;
  ModalScript m;
  m.then([&](QDialog* d) {
    auto* w = qobject_cast<PreviewWindow*>(d);
    QVERIFY(w);
    s.shown = true;
    s.title = w->windowTitle();
    for (int p = 0; p < w->PageCount(); ++p) {
      s.header << Texts(w->PageAt(p), Band::ReportHeader);
      s.detail << Texts(w->PageAt(p), Band::Detail);
    }
    d->reject();
  });
  Document::Get(name).Show();
  return s;
}

void Jual(TempDb& db, const char* nota, const char* tgl, const char* kode, const char* nama, int harga, int qty) {
  db.exec(QString("INSERT INTO Barang VALUES ('%1','001.002','%2','PCS',1000,%3,10) ON CONFLICT DO NOTHING").arg(kode, nama).arg(harga));
  db.exec(QString("INSERT INTO Penjualan VALUES ('%1','%2',0,'','KASIR') ON CONFLICT DO NOTHING").arg(nota, tgl));
  db.exec(QString("INSERT INTO Penjualan_Detail VALUES ('%1','%2',%3,%4,%5)").arg(nota, kode).arg(harga).arg(qty).arg(harga * qty));
}

void Kas(TempDb& db, const char* kode, const char* tgl, const char* dk, const char* apa, int jumlah) {
  db.exec(QString("INSERT INTO Rekening VALUES ('%1','%2','%3','%4',%5)").arg(kode, tgl, dk, apa).arg(jumlah));
}

QString PerTanggal(const QString& tgl) {
  return " SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota,  Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, "
         " Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah,  Penjualan_Detail.Subtotal   FROM Barang, Penjualan, "
         "Penjualan_Detail  WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota  AND Barang.Kode_Barang = "
         "Penjualan_Detail.Kode_Barang  AND Penjualan.Tgl_Nota = #" + tgl + "# ORDER BY Penjualan.No_Nota, Barang.Kode_Barang";
}

QString KasMasukPeriode(const QString& a, const QString& b) {
  return " SELECT * FROM Rekening WHERE dk = 'DEBET'  AND (tanggal >= #" + a + "# AND tanggal <= #" + b +
         "# ) ORDER BY kode";
}
}  // namespace

class DocumentTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    PinLocale(QLocale::English, QLocale::UnitedStates);
    db = new TempDb;
    db->exec("INSERT INTO Grup VALUES ('001','MANDI')");
    db->exec("INSERT INTO Produk VALUES ('001.002','001','SABUN')");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void profitAndLossPrintsItsTotalsOnce_data() {
    QTest::addColumn<bool>("income");
    QTest::addColumn<bool>("expense");
    QTest::newRow("empty ledger") << false << false;
    QTest::newRow("expenses only") << false << true;
    QTest::newRow("both sides") << true << true;
  }
  void profitAndLossPrintsItsTotalsOnce() {
    QFETCH(bool, income);
    QFETCH(bool, expense);
    if (income) Kas(*db, "KM-0000001", "2024-03-05", "DEBET", "Setoran", 8000);
    if (expense) Kas(*db, "KK-0000001", "2024-03-05", "KREDIT", "Listrik", 2000);
    Document& rpt = Document::Get("rptLapKasPeriode");
    rpt.SetCaption("LblTgl", "15 March 2024");
    rpt.SetCaption("LblPeriode", "01 March 2024 S/D 31 March 2024");
    rpt.SetCaption("Label3", "8,000.00");
    rpt.SetCaption("Label5", "2,000.00");
    rpt.SetCaption("Label6", "6,000.00");
    const Shown s = ShowDocument("rptLapKasPeriode");
    QCOMPARE(s.title, QString("LAPORAN LABA/RUGI PERIODE"));
    QCOMPARE(s.detail, QStringList({"8,000.00", "2,000.00", "6,000.00"}));
  }

  // Each showing prints the rows of the text written just before it and the
  // labels set for it; the cash documents too.
  void secondShowingPrintsTheSecondText_data() {
    QTest::addColumn<QString>("doc");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("firstRows");
    QTest::addColumn<QStringList>("secondRows");
    QTest::newRow("sales per date") << "rptLapJualTanggal" << "cmdJualTanggal" << "LblTgl2" << PerTanggal("3/5/2024")
                                    << PerTanggal("3/6/2024")
                                    << QStringList({"JL-0000001", "05-Mar-2024", "001.002.003", "Sabun Mandi",
                                                    "Rp 1,500", "3", "Rp 4,500"})
                                    << QStringList({"JL-0000002", "06-Mar-2024", "001.002.004", "Pasta Gigi",
                                                    "Rp 12,000", "1", "Rp 12,000", "JL-0000003", "06-Mar-2024",
                                                    "001.002.003", "Sabun Mandi", "Rp 1,500", "2", "Rp 3,000"});
    QTest::newRow("cash in per period") << "rptLapKasMasukPeriode" << "cmdKasMasukPeriode" << "LblPeriode"
                                        << KasMasukPeriode("3/1/2024", "3/5/2024")
                                        << KasMasukPeriode("3/6/2024", "3/31/2024")
                                        << QStringList({"KM-0000001", "3/5/2024", "DEBET", "Setoran pagi", "1000"})
                                        << QStringList({"KM-0000002", "3/6/2024", "DEBET", "Setoran siang", "2500",
                                                        "KM-0000003", "3/31/2024", "DEBET", "Setoran, \"akhir\"",
                                                        "1500000"});
  }
  void secondShowingPrintsTheSecondText() {
    QFETCH(QString, doc);
    QFETCH(QString, command);
    QFETCH(QString, label);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QStringList, firstRows);
    QFETCH(QStringList, secondRows);
    Jual(*db, "JL-0000001", "2024-03-05", "001.002.003", "Sabun Mandi", 1500, 3);
    Jual(*db, "JL-0000002", "2024-03-06", "001.002.004", "Pasta Gigi", 12000, 1);
    Jual(*db, "JL-0000003", "2024-03-06", "001.002.003", "Sabun Mandi", 1500, 2);
    Kas(*db, "KM-0000001", "2024-03-05", "DEBET", "Setoran pagi", 1000);
    Kas(*db, "KM-0000002", "2024-03-06", "DEBET", "Setoran siang", 2500);
    Kas(*db, "KM-0000003", "2024-03-31", "DEBET", "Setoran, \"akhir\"", 1500000);
    Kas(*db, "KK-0000001", "2024-03-06", "KREDIT", "Listrik", 700);

    Document& rpt = Document::Get(doc);
    DeLaporan().CommandText(command) = first;
    rpt.SetCaption(label, "pertama");
    const Shown a = ShowDocument(doc);
    DeLaporan().CommandText(command) = second;
    rpt.SetCaption(label, "kedua");
    const Shown b = ShowDocument(doc);
    QVERIFY(a.shown && b.shown);
    QCOMPARE(a.detail, firstRows);
    QCOMPARE(b.detail, secondRows);
    QVERIFY(a.header.contains("pertama"));
    QVERIFY(b.header.contains("kedua") && !b.header.contains("pertama"));
  }

  // A database of the same name in the current folder is not the program's.
  void readsTheProgramsOwnDatabase() {
    Kas(*db, "KM-0000001", "2024-03-05", "DEBET", "Milik program", 1000);
    QTemporaryDir elsewhere;
    db::Connection other;
    QVERIFY(other.Create(QDir(elsewhere.path()).filePath("ZovaDavezuZi.mdb")));
    QVERIFY(other.Execute("INSERT INTO Rekening VALUES ('KM-0000001','2024-03-05','DEBET','File lain',999)"));
    other.Close();
    const QString was = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    DeLaporan().CommandText("cmdKasMasukPeriode") = KasMasukPeriode("3/1/2024", "3/31/2024");
    const Shown s = ShowDocument("rptLapKasMasukPeriode");
    QDir::setCurrent(was);
    QCOMPARE(s.detail, QStringList({"KM-0000001", "3/5/2024", "DEBET", "Milik program", "1000"}));
    QCOMPARE(DeLaporan().connUtama()->Path(), mdlUtama::DatabasePath());
  }

  // A command that fails, or that lacks a column the document prints, is
  // told to the person and no half-empty document is shown.
  void failuresAreTold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("says");
    QTest::newRow("broken query") << "SELECT No_Nota FROM Penjualan WHERE"
                                    << (OnServer() ? "syntax error at end of input" : "incomplete input");
    QTest::newRow("missing column") << "SELECT Penjualan.No_Nota, Tgl_Nota, Kode_Barang FROM Penjualan_Detail, Penjualan "
                                       "WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota"
                                    << "Kolom Nama_Barang tidak ada pada hasil perintah cmdJualTanggal";
    QTest::newRow("no text") << "" << "Perintah cmdJualTanggal belum berisi query";
  }
  void failuresAreTold() {
    QFETCH(QString, text);
    QFETCH(QString, says);
    QList<ui::Message> seen;
    const ui::Prompter semula = ui::CurrentPrompter();
    ui::SetPrompter([&](const ui::Message& m) {
      seen << m;
      return int(ui::vbOK);
    });
    ModalScript m;
    DeLaporan().CommandText("cmdJualTanggal") = text;
    const bool shown = Document::Get("rptLapJualTanggal").Show();
    ui::SetPrompter(semula);
    QVERIFY(!shown);
    QVERIFY(m.shown.isEmpty());
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QString("Kesalahan"));
    QCOMPARE(seen[0].icon, ui::vbCritical);
    QVERIFY2(seen[0].text.startsWith("LAPORAN PENJUALAN PER-TANGGAL TIDAK DAPAT DITAMPILKAN\n"),
             qPrintable(seen[0].text));
    QVERIFY2(seen[0].text.contains(says), qPrintable(seen[0].text));
  }
};

REGISTER_TEST(DocumentTest);
#include "DocumentTest.moc"
