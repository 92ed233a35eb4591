// The till's receipt printer: the receipt after a sale on an ESC/POS
// printer, a failed print that leaves the sale stored and is printed again,
// who may reprint, the drawer opened without a sale, and the settings window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>

#include "Dekoder.h"
#include "FakePrinter.h"
#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "perangkat/EscPos.h"
#include "perangkat/Setelan.h"
#include "reports/FormLaporan.h"
#include "transactions/CetakStruk.h"
#include "transactions/frmBukaLaci.h"
#include "transactions/frmCetakJual.h"
#include "transactions/frmPenjualan.h"
#include "transactions/frmSetelanStruk.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;
using perangkattest::FakePrinter;

namespace {
QLineEdit* kotak(QWidget* w, const char* n) { return child<QLineEdit>(w, n); }
QPushButton* tombol(QWidget* w, const char* n) { return child<QPushButton>(w, n); }

// A port nobody listens on: taken from the system and given back.
quint16 PortTertutup() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost);
  return s.serverPort();
}

QString Net(quint16 port) { return QStringLiteral("net:127.0.0.1:%1").arg(port); }

// A sale of two soaps (1,500 each), paid with 5,000.
void Jual(frmPenjualan* w) {
  tombol(w, "TbBaru")->click();
  auto* g = kotak(w, "txtKodeG");
  g->setFocus();
  typeInto(g, "001\r");
  typeInto(child<ui::MaskEdBox>(w, "TxtKode"), "002003\r");
  typeInto(kotak(w, "TxtJumlah"), "2");
  tombol(w, "TbMasuk")->click();
  kotak(w, "TxtUBayar")->selectAll();
  typeInto(kotak(w, "TxtUBayar"), "5000");
}

// The stored sale JL-0000001 of `tanggal`, by KASIR1.
void Tersimpan(TempDb* db, const QDate& tanggal) {
  db->exec(QStringLiteral("INSERT INTO Penjualan VALUES ('JL-0000001','%1',3000,'','KASIR1')")
               .arg(tanggal.toString(Qt::ISODate)));
  db->exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.003',1500,2,3000)");
}
}  // namespace

class PrinterStrukTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;
  QTemporaryDir* dir = nullptr;
  QString ini;

  void Setel(const QString& tujuan, bool laci = true) {
    QSettings s(ini, QSettings::IniFormat);
    s.setValue("struk/tujuan", tujuan);
    s.setValue("struk/lebar", 32);
    s.setValue("struk/laci", laci ? "ya" : "tidak");
  }

 private slots:
  void init() {
    db = toko::BukaToko();
    dir = new QTemporaryDir;
    ini = dir->filePath("merapu.ini");
    cetak::SetBerkasSetelanForTests(ini);
  }
  void cleanup() {
    cetak::SetBerkasSetelanForTests(QString());
    delete dir;
    delete db;
  }

  // After the save the receipt goes to the network printer, not to a window;
  // the drawer opens only when the till is set to open it.
  void saleIsPrintedOnTheNetworkPrinter_data() {
    QTest::addColumn<bool>("laci");
    QTest::newRow("drawer set") << true;
    QTest::newRow("no drawer") << false;
  }
  void saleIsPrintedOnTheNetworkPrinter() {
    QFETCH(bool, laci);
    FakePrinter printer;
    Setel(Net(printer.port()), laci);
    frmPenjualan w;
    w.show();
    Jual(&w);
    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
    ModalScript m;
    tombol(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(m.shown.isEmpty());
    const dekoder::Hasil h = dekoder::Baca(printer.Diterima());
    const QString teks = h.teks().join('\n');
    QVERIFY2(teks.contains("JL-0000001"), qPrintable(teks));
    QVERIFY(teks.contains("Sabun Mandi"));
    QVERIFY(teks.contains(QRegularExpression("Kembali +2,000")));
    QVERIFY(!teks.contains("CETAK ULANG"));
    QVERIFY(h.ada("GS V"));
    QCOMPARE(h.ada("ESC p"), laci);
  }

  // A printer that refuses: the person is told which printer and why, the
  // sale stays stored, and the report window prints it again, marked, with
  // no drawer pulse.
  void failedPrintKeepsTheSaleAndCanBeReprinted() {
    const quint16 mati = PortTertutup();
    Setel(Net(mati));
    {
      frmPenjualan w;
      w.show();
      Jual(&w);
      ScriptedPrompter p;
      p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
      p.expectStart(QString("STRUK NOTA JL-0000001 TIDAK TERCETAK.\rPrinter: %1\rPrinter struk menolak sambungan")
                        .arg(Net(mati)),
                    ui::vbNo, "Printer Struk", ui::vbCritical);
      tombol(&w, "TbSimpan")->click();
      VERIFY_PROMPTS(p);
      QVERIFY(p.seen.value(1).text.contains("DATA TRANSAKSI SUDAH TERSIMPAN."));
    }
    QCOMPARE(db->count("Penjualan"), qint64(1));
    QCOMPARE(db->count("Penjualan_Detail"), qint64(1));

    FakePrinter printer;
    Setel(Net(printer.port()));
    frmLapJualNota lap;
    child<QComboBox>(&lap, "cmbNota")->setEditText("JL-0000001");
    ScriptedPrompter p;
    tombol(&lap, "TbCetakUlang")->click();
    VERIFY_PROMPTS(p);
    const dekoder::Hasil h = dekoder::Baca(printer.Diterima());
    const QString teks = h.teks().join('\n');
    QVERIFY2(teks.contains("*** CETAK ULANG ***"), qPrintable(teks));
    QVERIFY(teks.contains("JL-0000001"));
    QVERIFY(teks.contains(QRegularExpression("TOTAL +3,000")));
    QVERIFY(!teks.contains("Kembali"));  // not stored, not made up
    QVERIFY(!h.ada("ESC p"));
  }

  // A cashier reprints today's receipts only; ADMIN any. The receipt
  // window's own button goes the same way.
  void whoMayReprint_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("hariLalu");
    QTest::addColumn<bool>("boleh");
    QTest::newRow("cashier, today") << "KASIR" << 0 << true;
    QTest::newRow("cashier, yesterday") << "KASIR" << 1 << false;
    QTest::newRow("admin, last month") << "ADMIN" << 30 << true;
  }
  void whoMayReprint() {
    QFETCH(QString, level);
    QFETCH(int, hariLalu);
    QFETCH(bool, boleh);
    mdlUtama::LevelAktif = level;
    Tersimpan(db, ui::Today().addDays(-hariLalu));
    FakePrinter printer;
    Setel(Net(printer.port()));
    mdlUtama::BukaKoneksi(false);
    frmCetakJual nota;
    nota.NoNota = "JL-0000001";
    ScriptedPrompter p;
    if (!boleh)
      p.expectStart("NOTA JL-0000001 TANGGAL 14/03/2024 TIDAK DAPAT DICETAK ULANG.\rKASIR HANYA DAPAT", ui::vbOK,
                    "Cetak Ulang");
    tombol(&nota, "cmdCetakUlang")->click();
    VERIFY_PROMPTS(p);
    const QByteArray bytes = printer.Diterima(boleh ? 5000 : 300);
    QCOMPARE(dekoder::Baca(bytes).teks().join('\n').contains("CETAK ULANG"), boleh);
  }

  // On the page printer a reprint is the page receipt of the stored sale,
  // marked under its number, without the payment lines nobody stored.
  void pageReprintIsMarked() {
    Tersimpan(db, ui::Today());
    mdlUtama::BukaKoneksi(false);
    frmCetakJual nota;
    ModalScript m;
    QString teks;
    m.then([&](QDialog* d) {
      teks = static_cast<frmCetakJual*>(d)->Teks();
      d->accept();
    });
    nota.CetakUlang("JL-0000001");
    QCOMPARE(m.shown, QStringList{"frmCetakJual"});
    const QStringList l = teks.split("\r\n");
    QCOMPARE(l.value(5), QString(43, ' ') + "No Transaksi: JL-0000001");
    QCOMPARE(l.value(6), QString(43, ' ') + "*** CETAK ULANG ***");
    QCOMPARE(l.value(4), QString(" Jumat, 15/03/2024"));
    QVERIFY(!teks.contains("Bayar"));
  }

  // "Buka Laci": the pulse and one row of LogLaci, or, when the printer
  // refuses, neither.
  void drawerOpeningIsWrittenDown_data() {
    QTest::addColumn<bool>("hidup");
    QTest::newRow("printer answers") << true;
    QTest::newRow("printer refuses") << false;
  }
  void drawerOpeningIsWrittenDown() {
    QFETCH(bool, hidup);
    mdlUtama::LevelAktif = "ADMIN";
    mdlUtama::UserAktif = "ADM";
    FakePrinter printer;
    const quint16 port = hidup ? printer.port() : PortTertutup();
    Setel(Net(port));
    frmBukaLaci w;
    QVERIFY(tombol(&w, "TbBuka")->isEnabled());
    kotak(&w, "txtAlasan")->setText("tukar uang receh");
    ScriptedPrompter p;
    if (hidup)
      p.expect("LACI KAS TELAH DIBUKA DAN DICATAT.", ui::vbOK, "Buka Laci");
    else
      p.expectStart(QString("LACI KAS TIDAK TERBUKA.\rPrinter: %1\rPrinter struk menolak").arg(Net(port)), ui::vbOK,
                    "Printer Struk");
    tombol(&w, "TbBuka")->click();
    VERIFY_PROMPTS(p);
    if (hidup) QCOMPARE(printer.Diterima(), perangkat::BukaLaci());
    QCOMPARE(db->scalar("SELECT count(*) || '|' || coalesce(CAST(max(Tanggal) AS TEXT),'') || '|' || coalesce(max(UserID),'') || "
                        "'|' || coalesce(max(Alasan),'') FROM LogLaci"),
             hidup ? QString("1|2024-03-15|ADM|tukar uang receh") : QString("0|||"));
  }

  // A cashier cannot open the drawer; a file without LogLaci says it needs
  // the upgrade; a till on the page printer has no drawer.
  void drawerRefusals_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("tabel");
    QTest::addColumn<bool>("escpos");
    QTest::addColumn<QString>("kata");
    QTest::newRow("cashier") << "KASIR" << true << true << "HANYA ADMIN";
    QTest::newRow("older file") << "ADMIN" << false << true << "merapu-db upgrade";
    QTest::newRow("page printer") << "ADMIN" << true << false << "PRINTER HALAMAN";
  }
  void drawerRefusals() {
    QFETCH(QString, level);
    QFETCH(bool, tabel);
    QFETCH(bool, escpos);
    QFETCH(QString, kata);
    mdlUtama::LevelAktif = level;
    if (!tabel) db->exec("DROP TABLE LogLaci");
    if (escpos) Setel(Net(PortTertutup()));
    frmBukaLaci w;
    QVERIFY(!tombol(&w, "TbBuka")->isEnabled());
    QVERIFY2(child<QLabel>(&w, "lblKeterangan")->text().contains(kata),
             qPrintable(child<QLabel>(&w, "lblKeterangan")->text()));
  }

  // What the window saves is what the till reads back; a bad address is
  // refused and nothing is written.
  void settingsWindow() {
    mdlUtama::LevelAktif = "ADMIN";
    {
      frmSetelanStruk w;
      child<QComboBox>(&w, "cmbJenis")->setCurrentIndex(2);
      kotak(&w, "txtAlamat")->setText("10.0.0.7:99999");
      ScriptedPrompter p;
      p.expectStart("ALAMAT PRINTER STRUK TIDAK SAH: \"10.0.0.7:99999\"", ui::vbOK, "Error");
      tombol(&w, "TbSimpan")->click();
      VERIFY_PROMPTS(p);
      QVERIFY(!QFile::exists(ini));

      kotak(&w, "txtAlamat")->setText("10.0.0.7:9101");
      child<QComboBox>(&w, "cmbLebar")->setCurrentIndex(1);
      child<QCheckBox>(&w, "chkPotong")->setChecked(false);
      child<QCheckBox>(&w, "chkLaci")->setChecked(true);
      child<QPlainTextEdit>(&w, "txtKepala")->setPlainText("TOKO SERBA ADA\n  Jl. Pasar 1  \n");
      p.expect("SETELAN PRINTER STRUK TELAH TERSIMPAN.", ui::vbOK, "Printer Struk");
      tombol(&w, "TbSimpan")->click();
      VERIFY_PROMPTS(p);
    }
    perangkat::SetelanStruk harap;
    harap.tujuan = perangkat::Tujuan::Jaringan("10.0.0.7", 9101);
    harap.lebar = perangkat::Lebar80;
    harap.potong = false;
    harap.laci = true;
    harap.kepala = QStringList{"TOKO SERBA ADA", "Jl. Pasar 1"};
    const perangkat::BacaanSetelan b = perangkat::BacaSetelan(ini);
    QVERIFY2(b.masalah.isEmpty(), qPrintable(b.masalah.join('\n')));
    QVERIFY(b.setelan == harap);
    // Opened again, the window shows what was saved.
    frmSetelanStruk lagi;
    QCOMPARE(kotak(&lagi, "txtAlamat")->text(), QString("10.0.0.7:9101"));
    QCOMPARE(child<QComboBox>(&lagi, "cmbLebar")->currentIndex(), 1);
  }

  // The test page goes to the printer the window shows, ruler and all.
  void testPrint() {
    FakePrinter printer;
    frmSetelanStruk w;
    child<QComboBox>(&w, "cmbJenis")->setCurrentIndex(2);
    kotak(&w, "txtAlamat")->setText(QString("127.0.0.1:%1").arg(printer.port()));
    ScriptedPrompter p;
    p.expectStart(QString("TES CETAK TERKIRIM KE %1 (32 KOLOM).").arg(Net(printer.port())), ui::vbOK,
                  "Printer Struk");
    tombol(&w, "TbCetakCoba")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(dekoder::Baca(printer.Diterima()).teks().contains("12345678901234567890123456789012"));
  }
};

REGISTER_TEST(PrinterStrukTest);
#include "PrinterStrukTest.moc"
