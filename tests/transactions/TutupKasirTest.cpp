// A cashier's day through the real windows: the float typed at the first
// sale, a sale, a return the owner allows on the spot, and the close of the
// day with the drawer Rp 2.000 over, its Z report printed and stored.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "Toko.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "transactions/CetakStruk.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

class TutupKasirTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    FrmUtama::DestroyForTests();
    frmLogin::ResetFailuresForTests();
    ui::SetToday(QDate());
    ui::SetPrinterFactory({});
    cetak::SetBerkasSetelanForTests(QString());
  }

  void dayFromFloatToZ() {
    toko::PinLocale();
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Pengguna VALUES ('KSR','kasir1','Siti Aminah','KASIR')");
    db.exec("INSERT INTO Pengguna VALUES ('BOS','b0ss','PAK BOS','ADMIN')");
    ui::SetToday(QDate(2024, 3, 15));
    QTemporaryDir dir;
    // No receipt printer set at this till: the slips go to the page printer.
    cetak::SetBerkasSetelanForTests(dir.filePath("merapu.ini"));
    const QString pdf = dir.filePath("slip.pdf");
    ui::SetPrinterFactory([pdf] { return toko::PdfPrinter(pdf); });

    ScriptedPrompter p;
    ModalScript m;
    frmLogin login;
    toko::Masuk(login, "KSR", "kasir1", "KASIR");
    FrmUtama* utama = FrmUtama::Existing();
    QVERIFY(utama && utama->isVisible());
    QVERIFY(!utama->findChild<QAction*>("mnuLapTutupKasir")->isEnabled());

    // The first sale of the day asks for the float: 50.000. The sale: 3
    // soaps and a toothpaste, 16.500.
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi");
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbYes, "Exit");
    m.then([](QDialog* jual) {
      child<QPushButton>(jual, "TbBaru")->click();
      for (auto [kode, jumlah] : {std::pair{"002003\r", "3"}, std::pair{"002004\r", "1"}}) {
        auto* g = child<QLineEdit>(jual, "txtKodeG");
        g->setFocus();
        typeInto(g, "001\r");
        typeInto(child<ui::MaskEdBox>(jual, "TxtKode"), kode);
        typeInto(child<QLineEdit>(jual, "TxtJumlah"), jumlah);
        child<QPushButton>(jual, "TbMasuk")->click();
      }
      auto* bayar = child<QLineEdit>(jual, "TxtUBayar");
      bayar->selectAll();
      typeInto(bayar, "20000");
      child<QPushButton>(jual, "TbSimpan")->click();
      child<QPushButton>(jual, "TbKeluar")->click();
    });
    m.then([](QDialog* kas) {
      auto* t = child<QLineEdit>(kas, "TxtKasAwal");
      t->selectAll();
      typeInto(t, "50000\r");
    });
    m.then([](QDialog* nota) { child<QPushButton>(nota, "cmdKeluar")->click(); });
    utama->findChild<QAction*>("mnuPenjualan")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmPenjualan", "frmKasAwal", "frmCetakJual"}));
    VERIFY_PROMPTS(p);
    QCOMPARE(db.scalar("SELECT Jumlah FROM Kas_Awal WHERE UserID='KSR' AND Tanggal='2024-03-15'"), QString("50000"));

    // One soap comes back; the cashier needs the owner's password, and a
    // wrong one stores nothing.
    p.expect("User ID atau password ADMIN salah!", ui::vbOK, "Error");
    p.expect("RETUR TELAH TERSIMPAN DENGAN NOMOR RT-0000001\rUang kembali: Rp 1,500", ui::vbOK, "Konfirmasi");
    m.then([&](QDialog* retur) {
      typeInto(child<QLineEdit>(retur, "TxtNoNota"), "jl-0000001\r");
      auto* grid = child<ui::FlexGrid>(retur, "GridRetur");
      QCOMPARE(grid->TextMatrix(1, 0), QString("001.002.003"));
      QCOMPARE(grid->TextMatrix(1, 5), QString("3"));
      grid->SetRow(1);
      typeInto(child<QLineEdit>(retur, "TxtJumlah"), "1\r");
      typeInto(child<QLineEdit>(retur, "TxtAlasan"), "kemasan rusak");
      typeInto(child<QLineEdit>(retur, "TxtAdmin"), "BOS");
      typeInto(child<QLineEdit>(retur, "TxtSandi"), "salah");
      child<QPushButton>(retur, "TbSimpan")->click();
      QCOMPARE(db.scalar("SELECT COUNT(*) FROM Retur"), QString("0"));
      typeInto(child<QLineEdit>(retur, "TxtSandi"), "b0ss");
      child<QPushButton>(retur, "TbSimpan")->click();
      // Read again: what is left to take back.
      QCOMPARE(grid->TextMatrix(1, 5), QString("2"));
      QVERIFY(!child<QPushButton>(retur, "TbVoid")->isEnabled());  // a cashier voids nothing
      child<QPushButton>(retur, "TbKeluar")->click();
    });
    utama->findChild<QAction*>("mnuRetur")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    VERIFY_PROMPTS(p);
    QCOMPARE(db.scalar("SELECT No_Nota || ' ' || Total || ' ' || UserID || ' ' || Penyetuju FROM Retur"),
             QString("JL-0000001 1500 KSR BOS"));
    QCOMPARE(db.scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("8"));

    // The close: 65.000 expected (50.000 + 16.500 - 1.500), 67.000 counted
    // by note.
    p.expect("YAKIN AKAN MENUTUP KASIR HARI INI..?\rKas dihitung: Rp 67,000", ui::vbYes, "Konfirmasi");
    p.expect("KASIR TELAH DITUTUP.\rKas seharusnya: Rp 65,000\rKas dihitung: Rp 67,000\rSelisih: Rp 2,000",
             ui::vbOK, "Konfirmasi");
    m.then([](QDialog* tutup) {
      QCOMPARE(child<QLineEdit>(tutup, "TxtDiharapkan")->text(), QString("65000"));
      for (int i : {1, 3, 4, 5}) typeInto(child<QLineEdit>(tutup, QString("txtPecahan%1").arg(i)), "1");
      QCOMPARE(child<QLineEdit>(tutup, "TxtDihitung")->text(), QString("67000"));
      QCOMPARE(child<QLineEdit>(tutup, "TxtSelisih")->text(), QString("2000"));
      child<QPushButton>(tutup, "TbTutup")->click();
      QVERIFY(!child<QPushButton>(tutup, "TbTutup")->isEnabled());
      child<QPushButton>(tutup, "TbKeluar")->click();
    });
    utama->findChild<QAction*>("mnuTutupKasir")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    VERIFY_PROMPTS(p);
    QCOMPARE(db.scalar("SELECT Kas_Awal || ' ' || Nota || ' ' || Penjualan || ' ' || Retur || ' ' || Diharapkan || "
                       "' ' || Dihitung || ' ' || Selisih FROM Tutup_Kasir WHERE UserID='KSR'"),
             QString("50000 1 16500 1500 65000 67000 2000"));

    QProcess pt;
    pt.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(pt.waitForFinished(20000));
    const QString z = QString::fromUtf8(pt.readAllStandardOutput()).simplified();
    QVERIFY2(z.contains("LAPORAN Z - TUTUP KASIR") && z.contains("Kas dihitung 67,000") &&
                 z.contains("Selisih 2,000"),
             qPrintable(z));

    // The day cannot be closed twice: the window shows the close.
    m.then([](QDialog* tutup) {
      QVERIFY(!child<QPushButton>(tutup, "TbTutup")->isEnabled());
      QCOMPARE(child<QLineEdit>(tutup, "TxtSelisih")->text(), QString("2000"));
      child<QPushButton>(tutup, "TbKeluar")->click();
    });
    utama->findChild<QAction*>("mnuTutupKasir")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
  }
};

REGISTER_TEST(TutupKasirTest);
#include "TutupKasirTest.moc"
