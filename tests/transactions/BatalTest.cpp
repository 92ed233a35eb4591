// "&Batal" shares Alt+B with "Transaksi &Baru": pressed by habit during a
// sale or a purchase that holds lines, it asks before anything is thrown
// away; without lines it cancels at once.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

class BatalTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = toko::BukaToko();
    db->exec("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Pasar 1','Tabanan','Bali','','','Made')");
  }
  void cleanup() { delete db; }

  void altBAsksOnlyWhenTheDocumentHasLines_data() {
    QTest::addColumn<QString>("layar");
    QTest::addColumn<bool>("baris");  // a line entered before Alt+B
    QTest::addColumn<int>("jawab");   // the answer to the question, if asked
    for (const char* l : {"frmPenjualan", "frmPembelian"}) {
      QTest::addRow("%s, no lines", l) << l << false << 0;
      QTest::addRow("%s, a line, No", l) << l << true << int(ui::vbNo);
      QTest::addRow("%s, a line, Yes", l) << l << true << int(ui::vbYes);
    }
  }
  void altBAsksOnlyWhenTheDocumentHasLines() {
    QFETCH(QString, layar);
    QFETCH(bool, baris);
    QFETCH(int, jawab);
    const bool beli = layar == "frmPembelian";
    std::unique_ptr<QDialog> w(ui::CreateWindow(layar));
    w->show();
    QVERIFY(activate(w.get()));
    Keyboard k;
    k.key(Qt::Key_B, Qt::AltModifier);  // Transaksi &Baru
    auto* keluar = child<QPushButton>(w.get(), "TbKeluar");
    QCOMPARE(keluar->text(), QString("&Batal"));
    if (baris) {
      if (beli) {
        auto* p = child<QComboBox>(w.get(), "cmbPemasok");
        p->setCurrentIndex(0);
        emit p->activated(0);
        child<QLineEdit>(w.get(), "TxtHBeli")->setText("1000");
      }
      typeInto(child<QLineEdit>(w.get(), "txtKodeG"), "001");
      typeInto(child<ui::MaskEdBox>(w.get(), "TxtKode"), "002003\r");
      child<QLineEdit>(w.get(), "TxtJumlah")->setText("2");
      child<QPushButton>(w.get(), "TbMasuk")->click();
    }
    auto* grid = child<ui::FlexGrid>(w.get(), beli ? "GridMasuk" : "GridJual");
    QCOMPARE(grid->TextMatrix(1, 0), baris ? QString("001.002.003") : QString());

    ScriptedPrompter p;
    if (baris) p.expect("YAKIN AKAN MEMBATALKAN TRANSAKSI INI..?", jawab, "Konfirmasi", ui::vbQuestion);
    QVERIFY(activate(w.get()));
    k.key(Qt::Key_B, Qt::AltModifier);  // by habit, during the document: &Batal
    VERIFY_PROMPTS(p);
    if (baris) QCOMPARE(p.seen.at(0).defaultButton, int(ui::vbDefaultButton2));
    const bool dibatalkan = !baris || jawab == ui::vbYes;
    QCOMPARE(keluar->text(), dibatalkan ? QString("&Keluar") : QString("&Batal"));
    QCOMPARE(grid->TextMatrix(1, 0), dibatalkan ? QString() : QString("001.002.003"));
    QCOMPARE(db->count(beli ? "Pembelian" : "Penjualan"), 0);
  }
};

REGISTER_TEST(BatalTest);
#include "BatalTest.moc"
