// The receipt: its text column by column, the widened layout for long
// receipts, printing with every printer message, and saving as text.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "transactions/frmCetakJual.h"
#include "transactions/mdlCetak.h"

using namespace testsupport;

namespace {
const QString S(int n) { return QString(n, QLatin1Char(' ')); }
const QString Sama = QStringLiteral(" ") + QString(67, QLatin1Char('='));
const QString Minus = QStringLiteral(" ") + QString(67, QLatin1Char('-'));
const QString Kepala = QStringLiteral(" No. Kode         Nama                      Qty    Harga    Total   ");

// The nine heading lines of a receipt made on Friday 15 March 2024.
QStringList Atas(const QString& nota) {
  return {QStringLiteral(" CV. MERAPU ") + mdlCetak::NamaUsaha + S(5),
          QStringLiteral(" ") + mdlCetak::Slogan + QStringLiteral(" "),
          QStringLiteral(" "),
          QStringLiteral(" ") + mdlCetak::Alamat + QStringLiteral(" "),
          QStringLiteral(" Jumat, 15/03/2024"),
          S(43) + QStringLiteral("No Transaksi: ") + nota,
          Sama,
          Kepala,
          Minus};
}

mdlCetak::DataNota Nota(QList<mdlCetak::BarisNota> baris, QString total, QString bayar, QString kembali) {
  mdlCetak::DataNota d;
  d.noNota = QStringLiteral("JL-0000007");
  d.totHarga = total;
  d.uangBayar = bayar;
  d.uangKembali = kembali;
  d.tanggal = QDate(2024, 3, 15);
  d.baris = baris;
  return d;
}

}  // namespace

class CetakTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { toko::PinLocale(); }
  void cleanup() {
    ui::SetPrinterFactory({});
    InstallDefaultSeams();
  }

  void columnFunctions() {
    QCOMPARE(mdlCetak::KolomAngka(1500, "#,###,###"), QString("1,500    "));
    QCOMPARE(mdlCetak::KolomAngka(1234567, "#,###,###"), QString("1,234,567"));
    QCOMPARE(mdlCetak::KolomAngka(0, "#,###,###,###"), S(12) + "0");
    QCOMPARE(mdlCetak::KolomAngka(-20, "###"), QString("  0"));
    QCOMPARE(mdlCetak::KolomAngka(QString("12000"), "#"), QString("12000"));  // wider: kept whole
    QCOMPARE(mdlCetak::KolomAngka(7, "#"), QString("7"));
    QCOMPARE(mdlCetak::KolomTeks("Sabun", "########"), QString("Sabun   "));
    QCOMPARE(mdlCetak::KolomTeks("ABCDEFGHIJ", "#####"), QString("ABCDEFGHIJ"));
    // A name that looks like a number is still printed as the name.
    QCOMPARE(mdlCetak::KolomTeks("0", "####"), QString("0   "));
    QCOMPARE(mdlCetak::KolomTeks("007", "####"), QString("007 "));
    QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    QCOMPARE(mdlCetak::KolomAngka(1500, "#,###,###"), QString("1.500    "));
  }

  void dayNames() {
    QCOMPARE(mdlCetak::NamaHari(QDate(2024, 3, 17)), QString("Minggu"));
    QCOMPARE(mdlCetak::NamaHari(QDate(2024, 3, 18)), QString("Senin"));
    QCOMPARE(mdlCetak::NamaHari(QDate(2024, 3, 23)), QString("Sabtu"));
  }

  void headingLinesHaveTheirLengths() {
    const QStringList l = mdlCetak::SusunNota(Nota({}, "0", "0", "0")).split("\r\n");
    QCOMPARE(l[0].size(), 29);
    QCOMPARE(l[1].size(), 45);
    QCOMPARE(l[3].size(), 52);
    QCOMPARE(l[7].size(), 68);
    QCOMPARE(l.last().size(), 68);
  }

  void twoLineSale() {
    const QString teks = mdlCetak::SusunNota(
        Nota({{"001.002.003", "Sabun Mandi", 1500, 3}, {"001.002.004", "Pasta Gigi", 12000, 1}}, "16500", "20000",
             "3500"));
    QStringList harap = Atas("JL-0000007");
    harap << " 1.  001.002.003  Sabun Mandi            " "   3    1,500      4,500    "
          << " 2.  001.002.004  Pasta Gigi             " "   1    12,000     12,000   "
          << Minus
          << " Total Jenis Barang = 2  ;      Total Besar Uang = 16,500         "
          << Sama << S(48) + "Total   : 16,500       " << S(48) + "Bayar   : 20,000       "
          << S(48) + "Kembali : 3,500        " << Sama
          << S(24) + "** TERIMA KASIH **" + S(26);
    QCOMPARE(teks, harap.join("\r\n"));
    // Columns stand under their headings.
    const QStringList l = teks.split("\r\n");
    QCOMPARE(l[9].indexOf("001.002.003"), Kepala.indexOf("Kode"));
    QCOMPARE(l[9].indexOf("Sabun"), Kepala.indexOf("Nama"));
    QCOMPARE(l[9].indexOf("4,500"), Kepala.indexOf("Total"));
  }

  void zeroChangeAndLongName() {
    const QString nama24 = "SABUN MANDI CAIR 450 MLX";
    QCOMPARE(nama24.size(), 24);
    const QStringList l =
        mdlCetak::SusunNota(Nota({{"001.002.003", nama24, 1500, 2}}, "3000", "3000", "0")).split("\r\n");
    // The long name is printed whole and pushes the rest one place right.
    QCOMPARE(l[9], " 1.  001.002.003  " + nama24 + "   2    1,500      3,000    ");
    QCOMPARE(l[9].indexOf("2    1,500"), Kepala.indexOf("Qty") + 1);
    QCOMPARE(l[l.size() - 3], S(48) + "Kembali : " + S(12) + "0");
  }

  void sameItemTwiceCountsTwoLines() {
    const QStringList l = mdlCetak::SusunNota(
        Nota({{"001.002.003", "Sabun Mandi", 1500, 1}, {"001.002.003", "Sabun Mandi", 1500, 2}}, "4500", "5000",
             "500")).split("\r\n");
    QCOMPARE(l[12], " Total Jenis Barang = 2  ;      Total Besar Uang = 4,500          ");
  }

  void noRows() {
    const QStringList l = mdlCetak::SusunNota(Nota({}, "0", "0", "0")).split("\r\n");
    QCOMPARE(l.size(), 9 + 8);
    QCOMPARE(l[9], Minus);
    QCOMPARE(l[10], " Total Jenis Barang = " + S(2) + "0" + ";      Total Besar Uang = " + S(14) + "0");
  }

  // Ten lines and an amount past 9,999,999: the columns widen and stay
  // under their headings, rules and all.
  void longReceiptWidensColumns() {
    QList<mdlCetak::BarisNota> baris;
    for (int i = 0; i < 10; ++i) baris.append({"001.002.003", "Sabun Mandi", 1500, 1});
    baris.append({"001.002.004", "Televisi", 12500000, 2});  // line total 25,000,000
    const QStringList l = mdlCetak::SusunNota(Nota(baris, "25015000", "25015000", "0")).split("\r\n");
    const QString kepala = l[7];
    QCOMPARE(kepala.trimmed().split(' ', Qt::SkipEmptyParts),
             QStringList({"No.", "Kode", "Nama", "Qty", "Harga", "Total"}));
    for (int i = 9; i < 9 + 11; ++i) {
      QCOMPARE(l[i].indexOf("001.002.00"), kepala.indexOf("Kode"));
      QCOMPARE(l[i].size(), l[8].size() + 1);
    }
    QCOMPARE(l[9].left(6), QString("  1.  "));
    QCOMPARE(l[18].left(6), QString(" 10.  "));
    QCOMPARE(l[19].mid(1, 3), QString("11."));
    QCOMPARE(l[19].indexOf("2 "), kepala.indexOf("Qty"));
    QCOMPARE(l[19].indexOf("12,500,000"), kepala.indexOf("Harga") - 2);
    QCOMPARE(l[19].indexOf("25,000,000"), kepala.indexOf("Total"));
    QCOMPARE(l[18].indexOf("1,500"), l[19].indexOf("12,500,000"));
    QCOMPARE(l[6].size(), kepala.size());  // rules as wide as the heading
    QCOMPARE(l[8].size(), kepala.size());
  }

  // The window reads the sale's lines back from the store.
  void windowBuildsFromStoredSale() {
    TempDb db;
    toko::Isi(db);
    ui::SetToday(QDate(2024, 3, 15));
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000007','2024-03-15',16500,'','KASIR')");
    db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000007','001.002.003',1500,3,4500)");
    db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000007','001.002.004',12000,1,12000)");
    db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000008','001.002.004',12000,9,108000)");
    QVERIFY(mdlUtama::BukaKoneksi());
    frmCetakJual w;
    w.NoNota = "JL-0000007";
    w.TotHarga = "16500";
    w.UangBayar = "20000";
    w.UangKembali = "3500";
    w.Form_Load();
    QCOMPARE(w.windowTitle(), QString("  :: CETAK NOTA TRANSAKSI PENJUALAN"));
    QCOMPARE(w.Teks(), mdlCetak::SusunNota(Nota({{"001.002.003", "Sabun Mandi", 1500, 3},
                                                  {"001.002.004", "Pasta Gigi", 12000, 1}},
                                                 "16500", "20000", "3500")));
    QCOMPARE(child<QPlainTextEdit>(&w, "rtfLap")->toPlainText(), QString(w.Teks()).replace("\r\n", "\n"));
    QVERIFY(!QFile::exists("Temp.txt"));
  }

  // A sale whose lines cannot be read back gives no empty receipt window:
  // the window says so, naming the receipt, and is not to be shown.
  void noReceiptWithoutLines_data() {
    QTest::addColumn<QString>("sebab");
    QTest::addColumn<QString>("pesan");
    QTest::newRow("no lines stored") << "no lines" << "TIDAK ADA RINCIAN BARANG UNTUK NOTA INI DI DATABASE.";
    QTest::newRow("the read fails") << "read fails" << "GAGAL MEMBACA RINCIAN BARANG DARI DATABASE";
  }
  void noReceiptWithoutLines() {
    QFETCH(QString, sebab);
    QFETCH(QString, pesan);
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000073','2024-03-15',4500,'','KASIR')");
    QVERIFY(mdlUtama::BukaKoneksi());
    if (sebab == "read fails") {
      db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000073','001.002.003',1500,3,4500)");
      db.exec("ALTER TABLE Penjualan_Detail RENAME TO Penjualan_Detail_lama");
    }
    ScriptedPrompter p;
    p.expectStart("NOTA JL-0000073 TIDAK DAPAT DITAMPILKAN\r\n" + pesan, ui::vbOK, "Error", ui::vbCritical);
    frmCetakJual w;
    w.NoNota = "JL-0000073";
    w.TotHarga = "4500";
    QVERIFY(!w.Form_Load());
    VERIFY_PROMPTS(p);
    QCOMPARE(w.Teks(), QString());
  }

  void printerMessages() {
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-15',1500,'','KASIR')");
    db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.003',1500,1,1500)");
    QVERIFY(mdlUtama::BukaKoneksi());
    frmCetakJual w;
    w.NoNota = "JL-0000001";
    w.Form_Load();
    ScriptedPrompter p;

    ui::SetPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    p.expect("Belum ada printer terinstall di\rkomputer Anda. Silahkan install\rprinter terlebih dulu!", ui::vbOK,
             "Printer Belum Diinstall", ui::vbCritical);
    child<QPushButton>(&w, "cmdCetak")->click();

    ui::SetPrinterFactory([] { return toko::PdfPrinter("/nonexistent-folder/nota.pdf"); });
    p.expect("Kesalahan nomor: 482. Keterangan: Printer error\r\rKemungkinan printer belum diaktifkan\r"
             "atau kertas habis/belum dipasang!\rNyalakan printer atau pasang kertas,\rlalu klik menu Cetak kembali!",
             ui::vbOK, "Printer Error", ui::vbCritical);
    child<QPushButton>(&w, "cmdCetak")->click();

    QTemporaryDir dir;
    const QString pdf = dir.filePath("nota.pdf");
    ui::SetPrinterFactory([pdf] { return toko::PdfPrinter(pdf); });
    p.expect("Hasil cetakan sudah benar?", ui::vbNo, "Cetak", ui::vbQuestion);
    child<QPushButton>(&w, "cmdCetak")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(QFileInfo(pdf).size() > 0);
  }

  // By keyboard: Tab goes from the receipt text on to the buttons, and Enter
  // on the focused Keluar closes the window.
  void enterOnTheFocusedKeluarCloses() {
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-15',1500,'','KASIR')");
    db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.003',1500,1,1500)");
    QVERIFY(mdlUtama::BukaKoneksi());
    frmCetakJual w;
    w.NoNota = "JL-0000001";
    QVERIFY(w.Form_Load());
    w.show();
    QVERIFY(activate(&w));
    auto* keluar = child<QPushButton>(&w, "cmdKeluar");
    for (int i = 0; i < 4 && w.focusWidget() != keluar; ++i) QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(keluar));
    QTest::keyClick(keluar, Qt::Key_Return);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
  }

  void saveAsTextTwiceKeepsLast() {
    TempDb db;
    toko::Isi(db);
    for (const char* nota : {"JL-0000001", "JL-0000002"}) {
      db.exec(QString("INSERT INTO Penjualan VALUES ('%1','2024-03-15',1500,'','KASIR')").arg(nota));
      db.exec(QString("INSERT INTO Penjualan_Detail VALUES ('%1','001.002.003',1500,1,1500)").arg(nota));
    }
    QVERIFY(mdlUtama::BukaKoneksi());
    QTemporaryDir dir;
    const QString file = dir.filePath("nota.txt");
    QString titleSeen, filterSeen, folderSeen, nameSeen;
    ui::SetSaveFileNameHandler([&](const QString& t, const QString& f, const QString& folder, const QString& name) {
      titleSeen = t;
      filterSeen = f;
      folderSeen = folder;
      nameSeen = name;
      return file;
    });
    ScriptedPrompter p;  // saving says nothing
    {
      frmCetakJual a;
      a.NoNota = "JL-0000001";
      a.TotHarga = "999999";
      a.Form_Load();
      child<QPushButton>(&a, "cmdSimpan")->click();
    }
    frmCetakJual b;
    b.NoNota = "JL-0000002";
    b.Form_Load();
    child<QPushButton>(&b, "cmdSimpan")->click();
    QCOMPARE(titleSeen, QString("Simpan sebagai file..."));
    // The documents folder (or home without one), not where the program started.
    QVERIFY2(folderSeen == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) ||
                 folderSeen == QDir::homePath(),
             qPrintable(folderSeen));
    QCOMPARE(filterSeen, QString("*.txt|*.txt"));
    // The receipt's own number is proposed as the name.
    QCOMPARE(nameSeen, QString("JL-0000002.txt"));
    // The file dialog itself lists the text files under that filter.
    QCOMPARE(ui::DialogFilter(filterSeen), QString("*.txt (*.txt)"));
    QCOMPARE(ui::DialogFilter("Teks|*.txt;*.log|Semua|*.*"), QString("Teks (*.txt *.log);;Semua (*.*)"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(f.readAll()), b.Teks() + "\r\n");

    // A name typed without an extension is saved as a text file.
    ui::SetSaveFileNameHandler(
        [&](const QString&, const QString&, const QString&, const QString&) { return dir.filePath("nota"); });
    child<QPushButton>(&b, "cmdSimpan")->click();
    QVERIFY(QFile::exists(dir.filePath("nota.txt")));
    QVERIFY(!QFile::exists(dir.filePath("nota")));

    // A cancelled dialog leaves the file as it was, silently.
    ui::SetSaveFileNameHandler([](const QString&, const QString&, const QString&, const QString&) { return QString(); });
    child<QPushButton>(&b, "cmdSimpan")->click();
    VERIFY_PROMPTS(p);
  }
};

REGISTER_TEST(CetakTest);
#include "CetakTest.moc"
