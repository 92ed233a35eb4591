// The two item-search dialogs: what each lists, the search on every typed
// letter, the not-found reset, and the pick written into the caller.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "master/frmCariBarang.h"
#include "master/frmCariBarang2.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
// A stand-in for the screen that opens the dialog: the boxes a pick fills.
struct Pemanggil {
  QDialog w;
  QLineEdit* kodeG = new QLineEdit(&w);
  ui::MaskEdBox* kode = new ui::MaskEdBox(&w);
  QLineEdit* nama = new QLineEdit(&w);
  QLineEdit* harga = new QLineEdit(&w);
  Pemanggil() {
    kodeG->setObjectName("txtKodeG");
    kode->setObjectName("TxtKode");
    kode->SetMask("###.###");
    nama->setObjectName("TxtNama");
    harga->setObjectName("TxtHarga");
    harga->setText("0");
  }
};

QStringList Kolom(ui::FlexGrid* g, int col) {
  QStringList s;
  for (int r = 1; r < g->Rows(); ++r) s << g->TextMatrix(r, col);
  return s;
}
}  // namespace

class CariBarangTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = new TempDb;
    toko::Isi(*db);
  }
  void cleanup() { delete db; }

  void saleDialogListsOnlySellableItems() {
    Pemanggil p;
    frmCariBarang2 w(&p.w);
    QCOMPARE(w.windowTitle(), QString("   ::  CARI STOK BARANG"));
    auto* g = child<ui::FlexGrid>(&w, "GridBarang");
    QCOMPARE(g->toolTip(), QString("KLIK DISINI UNTUK MEMILIH PRODUK"));
    QCOMPARE(g->Cols(), 6);
    QCOMPARE(g->TextMatrix(0, 4), QString("HARGA [Rp.]"));
    // Stock 0 and price not above cost are left out; negative stock stays.
    QCOMPARE(Kolom(g, 1), QStringList({"001.002.003", "001.002.004", "001.002.007"}));
    QCOMPARE(Kolom(g, 0), QStringList({"1", "2", "3"}));
    QCOMPARE(g->TextMatrix(1, 2), QString("PERLENGKAPAN MANDI"));
    QCOMPARE(g->TextMatrix(2, 4), QString("12000"));
    QCOMPARE(g->TextMatrix(3, 5), QString("-4"));
    QCOMPARE(g->ColWidth(1), 1100);
    QCOMPARE(g->ColWidth(3), 3300);

    // Nor does a search find them.
    ScriptedPrompter pr;
    pr.expect("TIDAK MENEMUKAN NAMA BARANG - Sampo - DALAM TABEL", ui::vbOK, "Informasi", ui::vbInformation);
    child<QLineEdit>(&w, "txtCari")->setText("Sampo");
    VERIFY_PROMPTS(pr);
    QCOMPARE(child<QLineEdit>(&w, "txtCari")->text(), QString());
    QCOMPARE(g->Rows(), 4);  // back to the full list
  }

  void purchaseDialogListsEveryItem() {
    Pemanggil p;
    frmCariBarang w(&p.w);
    QCOMPARE(w.windowTitle(), QString("   ::  CARI DATA BARANG"));
    auto* g = child<ui::FlexGrid>(&w, "GridBarang");
    QCOMPARE(g->Cols(), 4);
    QCOMPARE(g->TextMatrix(0, 2), QString("JENIS"));
    QCOMPARE(g->toolTip(), QString("KLIK DISINI UNTUK MEMILIH PRODUK ..!"));
    QCOMPARE(Kolom(g, 1).size(), 5);
    // An item whose product is gone is listed by neither dialog.
    db->exec("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Harga_Beli,Harga_Jual,Stok) "
             "VALUES ('009.009.001','009.009','Yatim',1,2,3)");
    // Nor one whose product's group is gone.
    db->exec("INSERT INTO Produk VALUES ('008.001','008','TANPA GRUP')");
    db->exec("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Harga_Beli,Harga_Jual,Stok) "
             "VALUES ('008.001.001','008.001','Piatu',1,2,3)");
    child<QPushButton>(&w, "TbNormal")->click();
    QCOMPARE(Kolom(g, 1).size(), 5);
    QVERIFY(!Kolom(g, 3).contains("Yatim"));
    QVERIFY(!Kolom(g, 3).contains("Piatu"));
    // Both would be sellable, yet the till's dialog does not list them either.
    frmCariBarang2 jual(&p.w);
    auto* gj = child<ui::FlexGrid>(&jual, "GridBarang");
    QCOMPARE(Kolom(gj, 1), QStringList({"001.002.003", "001.002.004", "001.002.007"}));
  }

  void everyLetterSearchesAnywhereInTheName() {
    Pemanggil p;
    frmCariBarang2 w(&p.w);
    auto* g = child<ui::FlexGrid>(&w, "GridBarang");
    auto* cari = child<QLineEdit>(&w, "txtCari");
    QTest::keyClick(cari, Qt::Key_B, Qt::NoModifier);  // "b": Sabun Mandi, Sabun Cuci
    QCOMPARE(Kolom(g, 3), QStringList({"Sabun Mandi", "Sabun Cuci"}));
    typeInto(cari, "un c");
    QCOMPARE(Kolom(g, 3), QStringList({"Sabun Cuci"}));
    // A search with a quote in it is text like any other.
    ScriptedPrompter pr;
    pr.expect("TIDAK MENEMUKAN NAMA BARANG - x' OR '1'='1 - DALAM TABEL", ui::vbOK, "Informasi");
    cari->setText("x' OR '1'='1");
    VERIFY_PROMPTS(pr);
    QCOMPARE(g->Rows(), 4);
  }

  void purchaseNotFoundMessage() {
    Pemanggil p;
    frmCariBarang w(&p.w);
    ScriptedPrompter pr;
    pr.expect("TIDAK MENEMUKAN DATA YANG DICARI  - zz - DALAM KOLEKSI ", ui::vbOK, "Informasi", ui::vbInformation);
    child<QLineEdit>(&w, "txtCari")->setText("zz");
    VERIFY_PROMPTS(pr);
  }

  void emptyListMessages() {
    db->exec("DELETE FROM Barang");
    Pemanggil p;
    {
      ScriptedPrompter pr;
      pr.expect("TABEL BARANG KOSONG ATAU HARGA BELUM DISETTING!", ui::vbOK, "Info", ui::vbInformation);
      frmCariBarang2 w(&p.w);
      VERIFY_PROMPTS(pr);
      QCOMPARE(child<ui::FlexGrid>(&w, "GridBarang")->Rows(), 2);
      // Picking the blank row hands back empty texts.
      p.nama->setText("LAMA");
      w.GridBarang_DblClick();
      QCOMPARE(p.nama->text(), QString());
      QCOMPARE(p.kode->Text(), QString("___.___"));
    }
    ScriptedPrompter pr;
    pr.expect("TABEL BARANG MASIH KOSONG!", ui::vbOK, "Informasi", ui::vbInformation);
    frmCariBarang w(&p.w);
    VERIFY_PROMPTS(pr);
  }

  void pickWritesTheCaller() {
    db->exec("UPDATE Barang SET Nama_Barang='sabun mandi wangi' WHERE Kode_Barang='001.002.003'");
    Pemanggil p;
    p.w.setEnabled(false);
    frmCariBarang2 w(&p.w);
    auto* g = child<ui::FlexGrid>(&w, "GridBarang");
    g->SetRow(1);
    w.show();
    w.GridBarang_DblClick();
    QCOMPARE(p.kodeG->text(), QString("001"));
    QCOMPARE(p.kode->Text(), QString("002.003"));
    QCOMPARE(p.nama->text(), QString("SABUN MANDI WANGI"));
    QCOMPARE(p.harga->text(), QString("1500"));
    QVERIFY(p.w.isEnabled());
    QVERIFY(!w.isVisible());

    // The purchase twin hands back no price.
    Pemanggil q;
    frmCariBarang b(&q.w);
    child<ui::FlexGrid>(&b, "GridBarang")->SetRow(2);
    b.GridBarang_DblClick();
    QCOMPARE(q.kodeG->text() + "." + q.kode->Text(), QString("001.002.004"));
    QCOMPARE(q.harga->text(), QString("0"));
  }

  void closeChangesNothing() {
    Pemanggil p;
    p.nama->setText("TETAP");
    frmCariBarang2 w(&p.w);
    w.show();
    child<QPushButton>(&w, "TbTutup")->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(p.nama->text(), QString("TETAP"));
    QCOMPARE(p.kodeG->text(), QString());
  }

  // A caller that switched itself off for the dialog gets its input back
  // however the dialog is closed: Escape and the close box included.
  void everyCloseGivesTheCallerBack() {
    Pemanggil p;
    p.w.show();
    for (bool escape : {true, false}) {
      p.w.setEnabled(false);
      frmCariBarang w(&p.w);
      w.show();
      if (escape)
        QTest::keyClick(&w, Qt::Key_Escape);
      else
        w.close();
      QVERIFY(!w.isVisible());
      QVERIFY2(p.w.isEnabled(), escape ? "Escape" : "close box");
      QCOMPARE(p.nama->text(), QString());
    }
  }
};

REGISTER_TEST(CariBarangTest);
#include "CariBarangTest.moc"
