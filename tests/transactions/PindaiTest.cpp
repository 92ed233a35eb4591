// The scanner at the till and at the goods-in desk: a code typed fast and
// ended by Enter into any box of the item line, the lines changed and
// removed before the save, the keys of a fast till and how many a sale takes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "transactions/frmPembelian.h"
#include "transactions/frmPenjualan.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
QLineEdit* kotak(QWidget* w, const QString& n) { return child<QLineEdit>(w, n); }
QPushButton* tombol(QWidget* w, const char* n) { return child<QPushButton>(w, n); }

// A keyboard-wedge scanner: the code's characters and Enter, as fast as
// events go, into the window's box that has the focus. Not a person's
// keystrokes.
void Pindai(QWidget* window, const QString& kode) {
  QWidget* w = window->focusWidget();
  QVERIFY(w);
  QTest::keyClicks(w, kode);
  QTest::keyClick(w, Qt::Key_Return);
}

// Lines as "code x quantity = amount".
QStringList Baris(ui::FlexGrid* g, int n) {
  QStringList r;
  for (int i = 1; i <= n; ++i) r << g->TextMatrix(i, 0) + "x" + g->TextMatrix(i, 3) + "=" + g->TextMatrix(i, 4);
  return r;
}

void Barcode(TempDb* db) {
  db->exec("INSERT INTO Barcode VALUES ('4006381333931','001.002.003')");  // Sabun Mandi 1500
  db->exec("INSERT INTO Barcode VALUES ('96385074','001.002.004')");       // Pasta Gigi 12000
}
}  // namespace

class PindaiTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = toko::BukaToko();
    Barcode(db);
  }
  void cleanup() { delete db; }

  void scanIntoEachBoxOfTheSale_data() {
    QTest::addColumn<QString>("kotakPindai");
    for (const char* k : {"txtKodeG", "TxtKode", "TxtJumlah"}) QTest::newRow(k) << QString(k);
  }
  void scanIntoEachBoxOfTheSale() {
    QFETCH(QString, kotakPindai);
    ScriptedPrompter p;  // no message box at all: a scan needs no key
    BeepCounter beep;
    frmPenjualan w;
    w.show();
    tombol(&w, "TbBaru")->click();
    auto* grid = child<ui::FlexGrid>(&w, "GridJual");
    auto* catatan = child<QLabel>(&w, "LblPindai");
    auto scan = [&](const QString& kode) {
      kotak(&w, kotakPindai)->setFocus();
      Pindai(&w, kode);
    };
    scan("4006381333931");
    QCOMPARE(Baris(grid, 1), QStringList({"001.002.003x1=1500"}));
    QCOMPARE(grid->TextMatrix(1, 1), QString("Sabun Mandi"));
    scan("4006381333931");  // the same item again: one line more of it
    QCOMPARE(w.BarisBerikut(), 2);
    QCOMPARE(Baris(grid, 1), QStringList({"001.002.003x2=3000"}));
    scan("036000291452");
    QCOMPARE(beep.count, 1);
    QVERIFY(catatan->isVisible());
    QCOMPARE(catatan->text(), QString("KODE 036000291452 TIDAK DIKENALI"));
    QCOMPARE(w.BarisBerikut(), 2);
    scan("96385074");  // EAN-8, and the note goes
    QVERIFY(!catatan->isVisible());
    scan("001.002.007");  // an item's own code, whole
    QCOMPARE(Baris(grid, 3), QStringList({"001.002.003x2=3000", "001.002.004x1=12000", "001.002.007x1=2500"}));
    QCOMPARE(kotak(&w, "TxtTotBayar")->text(), QString("17500"));
    QCOMPARE(child<QLabel>(&w, "LblTotalBesar")->text(), QString("Rp 17.500"));
    // Nothing of the scans is left in the item line.
    QCOMPARE(kotak(&w, "txtKodeG")->text(), QString());
    QCOMPARE(kotak(&w, "TxtJumlah")->text(), QString());
    QCOMPARE(w.focusWidget()->objectName(), QString("txtKodeG"));
    VERIFY_PROMPTS(p);
  }

  // At the goods-in desk the scan fills the item line with quantity 1 and the
  // last buying price, and the price comes next; Enter on it adds the line.
  void scanIntoEachBoxOfThePurchase_data() {
    QTest::addColumn<QString>("kotakPindai");
    for (const char* k : {"txtKodeG", "TxtKode", "TxtHBeli", "TxtJumlah"}) QTest::newRow(k) << QString(k);
  }
  void scanIntoEachBoxOfThePurchase() {
    QFETCH(QString, kotakPindai);
    db->exec("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Pasar 1','','','','','')");
    ScriptedPrompter p;
    BeepCounter beep;
    frmPembelian w;
    w.show();
    tombol(&w, "TbBaru")->click();
    auto* cmb = child<QComboBox>(&w, "cmbPemasok");
    cmb->setCurrentIndex(0);
    emit cmb->activated(0);
    auto* grid = child<ui::FlexGrid>(&w, "GridMasuk");
    auto* harga = kotak(&w, "TxtHBeli");
    kotak(&w, kotakPindai)->setFocus();
    Pindai(&w, "4006381333931");
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(harga));
    QCOMPARE(harga->text(), QString("1000"));
    QCOMPARE(kotak(&w, "TxtJumlah")->text(), QString("1"));
    QTest::keyClicks(harga, "950");  // the price typed over the one offered
    QTest::keyClick(harga, Qt::Key_Return);
    QCOMPARE(Baris(grid, 1), QStringList({"001.002.003x1=950"}));
    kotak(&w, kotakPindai)->setFocus();
    Pindai(&w, "4006381333931");
    QCOMPARE(Baris(grid, 1), QStringList({"001.002.003x2=1900"}));
    kotak(&w, kotakPindai)->setFocus();
    Pindai(&w, "4006381333948");
    QCOMPARE(beep.count, 1);
    QCOMPARE(child<QLabel>(&w, "LblPindai")->text(), QString("KODE 4006381333948 TIDAK DIKENALI"));
    QCOMPARE(kotak(&w, "TxtTotalHarga")->text(), QString("1900"));
    VERIFY_PROMPTS(p);
  }

  // Before the save: Delete on a line asks (No keeps it), F4 changes the
  // quantity of the last line; the total and the change follow.
  void linesChangeBeforeTheSave() {
    ScriptedPrompter p;
    frmPenjualan w;
    w.show();
    QVERIFY(activate(&w));
    tombol(&w, "TbBaru")->click();
    auto* grid = child<ui::FlexGrid>(&w, "GridJual");
    Pindai(&w, "4006381333931");
    Pindai(&w, "96385074");
    auto* bayar = kotak(&w, "TxtUBayar");
    bayar->setText("50000");
    QCOMPARE(kotak(&w, "TxtUKembali")->text(), QString("36500"));
    QTest::keyClick(w.focusWidget(), Qt::Key_F4);
    auto* jumlah = kotak(&w, "TxtJumlahBaris");
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(jumlah));
    QCOMPARE(jumlah->text(), QString("1"));
    QTest::keyClicks(jumlah, "3");
    QTest::keyClick(jumlah, Qt::Key_Return);
    QCOMPARE(Baris(grid, 2), QStringList({"001.002.003x1=1500", "001.002.004x3=36000"}));
    QCOMPARE(kotak(&w, "TxtUKembali")->text(), QString("12500"));
    QCOMPARE(child<QLabel>(&w, "LblKembaliBesar")->text(), QString("Rp 12.500"));

    grid->setFocus();
    grid->SetRow(1);
    const QString tanya = "HAPUS BARIS INI DARI TRANSAKSI?\r\n\r\nKODE : 001.002.003\r\nNAMA : Sabun Mandi\r\nJUMLAH : 1";
    p.expect(tanya, ui::vbNo, "Konfirmasi", ui::vbQuestion);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(w.BarisBerikut(), 3);
    p.expect(tanya, ui::vbYes, "Konfirmasi", ui::vbQuestion);
    QTest::keyClick(grid, Qt::Key_Delete);
    VERIFY_PROMPTS(p);
    QCOMPARE(p.seen.first().defaultButton, ui::vbDefaultButton2);
    QCOMPARE(w.BarisBerikut(), 2);
    QCOMPARE(Baris(grid, 1), QStringList({"001.002.004x3=36000"}));
    QCOMPARE(kotak(&w, "TxtTotBayar")->text(), QString("36000"));
    QCOMPARE(kotak(&w, "TxtUKembali")->text(), QString("14000"));
    // What is saved is what the grid shows.
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    ModalScript m;
    m.then([](QDialog* nota) { nota->reject(); });
    QTest::keyClick(w.focusWidget(), Qt::Key_F12);
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT group_concat(Kode_Barang || 'x' || Jumlah || '=' || SubTotal) FROM Penjualan_Detail"),
             QString("001.002.004x3=36000"));
    QCOMPARE(db->scalar("SELECT Total_Bayar FROM Penjualan"), QString("36000"));
  }

  // F12 saves only after the checks of the save button; F2 opens the
  // search; each button names its key.
  void keysOfTheTill() {
    ScriptedPrompter p;
    ModalScript m;
    frmPenjualan w;
    w.show();
    QVERIFY(activate(&w));
    tombol(&w, "TbBaru")->click();
    p.expect("Belum ada Barang yang akan dijual!", ui::vbOK, "Error", ui::vbCritical);
    QTest::keyClick(w.focusWidget(), Qt::Key_F12);
    VERIFY_PROMPTS(p);
    m.then([](QDialog* cari) { cari->reject(); });
    QTest::keyClick(w.focusWidget(), Qt::Key_F2);
    QCOMPARE(m.shown, QStringList({"frmCariBarang2"}));
    kotak(&w, "txtKodeG")->setFocus();
    Pindai(&w, "4006381333931");
    QTest::keyClick(w.focusWidget(), Qt::Key_F8);  // to the payment, offering the exact amount
    QCOMPARE(w.focusWidget()->objectName(), QString("TxtUBayar"));
    QCOMPARE(kotak(&w, "TxtUBayar")->selectedText(), QString("1500"));
    for (const auto& [tombolNama, tombolKunci] : {std::pair{"TbCari", "(F2)"}, {"TbSimpan", "(F12)"}})
      QVERIFY2(tombol(&w, tombolNama)->toolTip().contains(tombolKunci), tombolNama);
    VERIFY_PROMPTS(p);
  }

  // Keystrokes of a three-line sale, from the till at rest to the receipt
  // closed: by scanner (its own keys not counted) and by codes typed whole.
  void keystrokesOfAThreeLineSale_data() {
    QTest::addColumn<bool>("scanner");
    QTest::addColumn<QString>("bayar");
    QTest::addColumn<int>("paling");
    QTest::newRow("scanner, paid 20000") << true << "20000" << 12;
    QTest::newRow("scanner, exact amount") << true << "" << 12;
    QTest::newRow("typed codes, exact amount") << false << "" << 35;
    QTest::newRow("typed codes, paid 20000") << false << "20000" << 40;
  }
  void keystrokesOfAThreeLineSale() {
    QFETCH(bool, scanner);
    QFETCH(QString, bayar);
    QFETCH(int, paling);
    ScriptedPrompter p;
    ModalScript m;
    Keyboard k;
    frmPenjualan w;
    w.show();
    QVERIFY(activate(&w));
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN", ui::vbOK, "Konfirmasi", ui::vbInformation);
    m.then([&](QDialog* nota) {
      QVERIFY(activate(nota));
      k.key(Qt::Key_K, Qt::AltModifier);  // &Keluar
    });
    k.key(Qt::Key_Return);  // Transaksi &Baru has the focus at rest
    for (const QString& kode : QStringList{"001002003", "001002004", "001002007"}) {
      if (scanner) {
        db->exec("INSERT INTO Barcode VALUES ('899" + kode + "0', '" + kode.left(3) + "." + kode.mid(3, 3) + "." +
                 kode.right(3) + "')");
        Pindai(&w, "899" + kode + "0");  // not an EAN: a code of the shop's own labels
      } else {
        k.type(kode + "\r");
      }
    }
    k.key(Qt::Key_F8);
    k.type(bayar);
    k.key(Qt::Key_F12);
    const int tombol = k.presses + 1;  // and Enter on the saved message
    VERIFY_PROMPTS(p);
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join("\n")));
    QCOMPARE(m.shown, QStringList({"frmCetakJual"}));
    QCOMPARE(db->scalar("SELECT Total_Bayar FROM Penjualan"), QString("16000"));
    qInfo("keystrokes of a three-line sale (%s): %d", QTest::currentDataTag(), tombol);
    QVERIFY2(tombol <= paling, qPrintable(QString::number(tombol)));
  }
};

REGISTER_TEST(PindaiTest);
#include "PindaiTest.moc"
