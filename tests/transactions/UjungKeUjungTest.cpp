// One sale through the real windows: a cashier logs in, opens the till from
// the menu, picks one line in the search dialog, types another by code,
// pays, saves and prints the receipt into a PDF that is read back; and the
// owner's purchase and cash entry.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "Toko.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"
#include "transactions/mdlCetak.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
QStringList Kata(const QString& s) { return s.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts); }
}  // namespace

class UjungKeUjungTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    FrmUtama::DestroyForTests();
    frmLogin::ResetFailuresForTests();
    ui::SetPrinterFactory({});
  }

  void cashierSellsAndPrints() {
    toko::PinLocale();
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Pengguna VALUES ('KSR','kasir1','Siti Aminah','KASIR')");
    ui::SetToday(QDate(2024, 3, 15));
    toko::KasAwal(db, "KSR", QDate(2024, 3, 15));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("nota.pdf");
    ui::SetPrinterFactory([pdf] { return toko::PdfPrinter(pdf); });

    ScriptedPrompter p;
    ModalScript m;
    frmLogin login;
    toko::Masuk(login, "KSR", "kasir1", "KASIR");
    FrmUtama* utama = FrmUtama::Existing();
    QVERIFY(utama && utama->isVisible());

    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    p.expect("Hasil cetakan sudah benar?", ui::vbYes, "Cetak", ui::vbQuestion);
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbYes, "Exit", ui::vbQuestion);

    // The till.
    m.then([](QDialog* jual) {
      child<QPushButton>(jual, "TbBaru")->click();
      child<QPushButton>(jual, "TbCari")->click();  // picks Sabun Mandi below
      typeInto(child<QLineEdit>(jual, "TxtJumlah"), "3");
      child<QPushButton>(jual, "TbMasuk")->click();
      auto* g = child<QLineEdit>(jual, "txtKodeG");
      g->setFocus();
      typeInto(g, "001\r");
      typeInto(child<ui::MaskEdBox>(jual, "TxtKode"), "002004\r");
      typeInto(child<QLineEdit>(jual, "TxtJumlah"), "1");
      child<QPushButton>(jual, "TbMasuk")->click();
      auto* bayar = child<QLineEdit>(jual, "TxtUBayar");
      bayar->selectAll();
      typeInto(bayar, "20000");
      child<QPushButton>(jual, "TbSimpan")->click();
      child<QPushButton>(jual, "TbKeluar")->click();  // at rest again: closes after the question
    });
    // The search dialog: type part of the name, double-click the row.
    m.then([](QDialog* cari) {
      typeInto(child<QLineEdit>(cari, "txtCari"), "mandi");
      auto* grid = child<ui::FlexGrid>(cari, "GridBarang");
      grid->SetRow(1);
      emit grid->DblClick();
    });
    // The receipt: print it, then leave.
    m.then([](QDialog* nota) {
      child<QPushButton>(nota, "cmdCetak")->click();
      child<QPushButton>(nota, "cmdKeluar")->click();
    });

    utama->findChild<QAction*>("mnuPenjualan")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmPenjualan", "frmCariBarang2", "frmCetakJual"}));
    VERIFY_PROMPTS(p);

    // What came out of the printer.
    QProcess pt;
    pt.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(pt.waitForFinished(20000));
    const QString dicetak = QString::fromUtf8(pt.readAllStandardOutput());
    mdlCetak::DataNota harap;
    harap.noNota = "JL-0000001";
    harap.totHarga = "16500";
    harap.uangBayar = "20000";
    harap.uangKembali = "3500";
    harap.tanggal = QDate(2024, 3, 15);
    // The receipt names items as the store holds them.
    harap.baris = {{"001.002.003", "Sabun Mandi", 1500, 3}, {"001.002.004", "Pasta Gigi", 12000, 1}};
    QCOMPARE(Kata(dicetak), Kata(mdlCetak::SusunNota(harap)));

    // What was stored.
    QCOMPARE(db.scalar("SELECT No_Nota || ' ' || Total_Bayar || ' ' || UserID FROM Penjualan"),
             QString("JL-0000001 16500 KSR"));
    QCOMPARE(db.scalar("SELECT group_concat(Kode_Barang || 'x' || Jumlah, ',') FROM Penjualan_Detail"),
             QString("001.002.003x3,001.002.004x1"));
    QCOMPARE(db.scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.003'"), QString("7"));
    QCOMPARE(db.scalar("SELECT Stok FROM Barang WHERE Kode_Barang='001.002.004'"), QString("1"));
  }

  // The same kind of sale by keyboard alone: the cashier logs in, opens the
  // till from the menu, types three lines by code, pays and closes the
  // receipt, and never touches the mouse.
  void cashierSellsByKeyboardAlone() {
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Pengguna VALUES ('KSR','kasir1','Siti Aminah','KASIR')");
    ui::SetToday(QDate(2024, 3, 15));
    toko::KasAwal(db, "KSR", QDate(2024, 3, 15));
    ScriptedPrompter p;
    ModalScript m;
    Keyboard k;

    frmLogin login;
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    k.type("KSR");
    k.key(Qt::Key_Tab);
    k.type("kasir1");
    k.key(Qt::Key_Tab);
    k.key(Qt::Key_Down);  // the first level of the list, KASIR
    k.key(Qt::Key_Tab);
    k.key(Qt::Key_Return);  // on the focused LOGIN button
    FrmUtama* utama = FrmUtama::Existing();
    QVERIFY(utama && utama->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(utama));
    k.presses = 0;  // counted from the main window on

    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbYes, "Exit", ui::vbQuestion);
    int sebelumTutup = 0;
    m.then([&](QDialog* jual) {
      QVERIFY(activate(jual));
      k.key(Qt::Key_B, Qt::AltModifier);  // Transaksi &Baru
      for (const QString& kode : QStringList{"001002003", "001002004", "001002007"}) {
        k.type(kode.left(3) + "\r");  // the group part, Enter moves on
        k.type(kode.mid(3) + "\r");   // the rest, Enter looks it up and goes on to the quantity
        k.type("2\r");                // Enter moves on to Masuk
        k.key(Qt::Key_Return);         // Masuk
      }
      // Back from the code box to the payment: Keluar, Simpan, Uang Bayar.
      for (int i = 0; i < 3; ++i) k.key(Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(jual->focusWidget()->objectName(), QString("TxtUBayar"));
      k.type("50000\r");  // Enter moves on to Simpan
      k.key(Qt::Key_Return);  // Simpan: the message, then the receipt, closed below
      sebelumTutup = k.presses + 1;  // and Enter on the saved message
      QVERIFY(activate(jual));
      QCOMPARE(child<QPushButton>(jual, "TbKeluar")->text(), QString("&Keluar"));
      k.key(Qt::Key_Escape);  // the closing question, answered Yes
    });
    m.then([&](QDialog* nota) {
      QVERIFY(activate(nota));
      k.key(Qt::Key_K, Qt::AltModifier);  // &Keluar
      QVERIFY(!nota->isVisible());
    });
    k.key(Qt::Key_T, Qt::AltModifier);  // &Transaksi
    k.key(Qt::Key_Return);              // on its first entry the cashier may use, Penjualan &Retail
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmPenjualan", "frmCetakJual"}));
    VERIFY_PROMPTS(p);
    qInfo("keystrokes of a three-line sale by typed code, main window to closed receipt: %d", sebelumTutup);

    QCOMPARE(db.scalar("SELECT No_Nota || ' ' || Total_Bayar || ' ' || UserID FROM Penjualan"),
             QString("JL-0000001 32000 KSR"));
    QCOMPARE(db.scalar("SELECT group_concat(Kode_Barang || 'x' || Jumlah || '=' || SubTotal, ',') FROM Penjualan_Detail"),
             QString("001.002.003x2=3000,001.002.004x2=24000,001.002.007x2=5000"));
  }

  // The owner's side: an ADMIN logs in, records a delivery whose item is
  // picked in the search dialog, then a cash payment, each from the menu.
  void adminBuysAndPays() {
    TempDb db;
    toko::Isi(db);
    db.exec("INSERT INTO Pengguna VALUES ('ADM','rahasia','Budi Santoso','ADMIN')");
    db.exec("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Pasar 1','Tabanan','Bali','','','Made')");
    ui::SetToday(QDate(2024, 3, 15));
    ScriptedPrompter p;
    ModalScript m;
    frmLogin login;
    toko::Masuk(login, "ADM", "rahasia", "ADMIN");
    FrmUtama* utama = FrmUtama::Existing();
    QVERIFY(utama && utama->isVisible());

    p.expect("DATA TRANSAKSI TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    p.expect("DATA REKENING MASIH KOSONG!", ui::vbOK, "Perhatian", ui::vbInformation);
    p.expect("DATA REKENING TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    m.then([](QDialog* beli) {
      child<QPushButton>(beli, "TbBaru")->click();
      auto* cmb = child<QComboBox>(beli, "cmbPemasok");
      cmb->setCurrentIndex(0);
      emit cmb->activated(0);
      child<QPushButton>(beli, "TbCari")->click();  // picks Pasta Gigi below
      auto* harga = child<QLineEdit>(beli, "TxtHBeli");
      QCOMPARE(beli->focusWidget(), static_cast<QWidget*>(harga));
      harga->selectAll();
      typeInto(harga, "8750\r");
      typeInto(child<QLineEdit>(beli, "TxtJumlah"), "24\r");
      QTest::keyClick(beli->focusWidget(), Qt::Key_Return);  // on OK
      child<QPushButton>(beli, "TbSimpan")->click();
      child<QPushButton>(beli, "TbKeluar")->click();  // at rest: closes
    });
    m.then([](QDialog* cari) {
      typeInto(child<QLineEdit>(cari, "txtCari"), "pasta");
      doubleClickRow(child<ui::FlexGrid>(cari, "GridBarang"), 1);
    });
    utama->findChild<QAction*>("mnuPembelian")->trigger();
    m.then([](QDialog* kas) {
      child<QPushButton>(kas, "TbBaru")->click();
      auto* dk = child<QComboBox>(kas, "cmbDK");
      QCOMPARE(kas->focusWidget(), static_cast<QWidget*>(dk));
      dk->setCurrentIndex(1);
      QTest::keyClick(dk, Qt::Key_Return);  // Enter moves on through the boxes
      typeInto(child<QLineEdit>(kas, "txtTransaksi"), "Bayar listrik Maret\r");
      typeInto(child<QLineEdit>(kas, "TxtJumlah"), "275000\r");
      QCOMPARE(kas->focusWidget()->objectName(), QString("TbSimpan"));
      QTest::keyClick(kas->focusWidget(), Qt::Key_Return);
      child<QPushButton>(kas, "TbKeluar")->click();
    });
    utama->findChild<QAction*>("mnuRekening")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmPembelian", "frmCariBarang", "frmTransaksi"}));
    VERIFY_PROMPTS(p);
    QVERIFY(utama->isEnabled());

    QCOMPARE(db.scalar("SELECT No_Masuk || ' ' || Tgl_Masuk || ' ' || Kode_Pemasok || ' ' || Total || ' ' || UserID "
                       "FROM Pembelian"),
             QString("BL-0000001 2024-03-15 PS001 210000 ADM"));
    QCOMPARE(db.scalar("SELECT group_concat(Kode_Barang || ':' || Harga_Beli || 'x' || Jumlah || '=' || SubTotal) "
                       "FROM Pembelian_Detail"),
             QString("001.002.004:8750x24=210000"));
    QCOMPARE(db.scalar("SELECT Stok || '@' || Harga_Beli FROM Barang WHERE Kode_Barang='001.002.004'"),
             QString("26@8750"));
    QCOMPARE(db.scalar("SELECT kode || ' ' || tanggal || ' ' || dk || ' ' || transaksi || ' ' || jumlah FROM Rekening"),
             QString("RK-0000001 2024-03-15 KREDIT Bayar listrik Maret 275000"));
  }
};

REGISTER_TEST(UjungKeUjungTest);
#include "UjungKeUjungTest.moc"
