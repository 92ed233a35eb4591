// From the till to the report: a cashier rings up a sale, then opens the
// per-date sales report from the menu and finds its lines under today.
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

class UjungLaporanTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    FrmUtama::DestroyForTests();
    frmLogin::ResetFailuresForTests();
    ui::SetToday(QDate());
  }

  void saleShowsInTodaysReport() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TempDb db;
    db.exec("INSERT INTO Grup VALUES ('001','MANDI')");
    db.exec("INSERT INTO Produk VALUES ('001.002','001','SABUN')");
    db.exec("INSERT INTO Barang VALUES ('001.002.004','001.002','Pasta Gigi','PCS',9000,12000,5)");
    db.exec("INSERT INTO Pengguna VALUES ('KSR','kasir1','Siti Aminah','KASIR')");
    ui::SetToday(QDate(2024, 3, 15));
    // The float of the day is typed already.
    db.exec("INSERT INTO Kas_Awal VALUES ('KSR','2024-03-15',0)");

    frmLogin login;
    login.show();
    child<QLineEdit>(&login, "txtUser")->setText("KSR");
    child<QLineEdit>(&login, "txtPwd")->setText("kasir1");
    child<QComboBox>(&login, "cmbLevel")->setEditText("KASIR");
    child<QPushButton>(&login, "TbLogin")->click();
    FrmUtama* utama = FrmUtama::Existing();
    QVERIFY(utama);

    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbYes, "Exit", ui::vbQuestion);
    ModalScript m;
    m.then([](QDialog* jual) {
      child<QPushButton>(jual, "TbBaru")->click();
      auto* g = child<QLineEdit>(jual, "txtKodeG");
      g->setFocus();
      typeInto(g, "001\r");
      typeInto(child<ui::MaskEdBox>(jual, "TxtKode"), "002004\r");
      typeInto(child<QLineEdit>(jual, "TxtJumlah"), "2");
      child<QPushButton>(jual, "TbMasuk")->click();
      auto* bayar = child<QLineEdit>(jual, "TxtUBayar");
      bayar->selectAll();
      typeInto(bayar, "30000");
      child<QPushButton>(jual, "TbSimpan")->click();
      child<QPushButton>(jual, "TbKeluar")->click();
    });
    m.then([](QDialog* nota) { child<QPushButton>(nota, "cmdKeluar")->click(); });
    QStringList dilihat;
    m.then([&](QDialog* lap) {
      QCOMPARE(child<QDateEdit>(lap, "DTPicker1")->date(), QDate(2024, 3, 15));
      child<QPushButton>(lap, "TbPreview")->click();
      auto* grid = child<ui::FlexGrid>(lap, "GridPrev");
      for (int c = 0; c < grid->Cols(); ++c) dilihat << grid->TextMatrix(1, c);
      dilihat << QString::number(grid->Rows());
      lap->reject();
    });
    utama->findChild<QAction*>("mnuPenjualan")->trigger();
    utama->findChild<QAction*>("mnuLapJualTanggal")->trigger();
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmPenjualan", "frmCetakJual", "frmLapJualTanggal"}));
    VERIFY_PROMPTS(p);
    QCOMPARE(dilihat, QStringList({"1", "JL-0000001", "3/15/2024", "001.002.004", "Pasta Gigi", "12000", "2",
                                   "24000", "2"}));
  }
};

REGISTER_TEST(UjungLaporanTest);
#include "UjungLaporanTest.moc"
