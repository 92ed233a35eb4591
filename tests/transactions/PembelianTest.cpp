// Goods coming in: document numbers, the supplier pick, lines that must
// name a stored item, what a save stores, the all-or-nothing save, and the
// search dialog leaving every window usable.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "transactions/frmPembelian.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
QLineEdit* kotak(QWidget* w, const char* n) { return child<QLineEdit>(w, n); }
QPushButton* tombol(QWidget* w, const char* n) { return child<QPushButton>(w, n); }
QComboBox* pemasok(QWidget* w) { return child<QComboBox>(w, "cmbPemasok"); }

// Types a line as the stock keeper does: code (looked up), price, quantity, OK.
void Baris(frmPembelian* w, const QString& kode, const QString& harga, const QString& jumlah) {
  auto* g = kotak(w, "txtKodeG");
  g->setFocus();
  typeInto(g, kode.left(3) + "\r");
  typeInto(child<ui::MaskEdBox>(w, "TxtKode"), kode.mid(4, 3) + kode.right(3) + "\r");
  auto* h = kotak(w, "TxtHBeli");
  h->selectAll();
  typeInto(h, harga);
  typeInto(kotak(w, "TxtJumlah"), jumlah);
  tombol(w, "TbMasuk")->click();
}

void PilihPemasok(frmPembelian* w, int entri) {
  pemasok(w)->setCurrentIndex(entri);
  emit pemasok(w)->activated(entri);
}

QString Stok(TempDb* db, const char* kode) {
  return db->scalar(QString("SELECT Stok || '@' || Harga_Beli FROM Barang WHERE Kode_Barang='%1'").arg(kode));
}
}  // namespace

class PembelianTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;
  frmPembelian* w = nullptr;

  void buka() {
    w = new frmPembelian;
    w->show();
  }
  // A document with the first supplier picked.
  void mulai() {
    buka();
    tombol(w, "TbBaru")->click();
    PilihPemasok(w, 0);
  }

 private slots:
  void init() {
    db = toko::BukaToko();
    mdlUtama::UserAktif = "ADM";
    db->exec("INSERT INTO Pemasok VALUES ('PS002','CV SUMBER REJEKI','Jl. Gudang 2','Denpasar','Bali','','','Wayan')");
    db->exec("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Pasar 1','Tabanan','Bali','','','Made')");
  }
  void cleanup() {
    QWidget* utama = w ? w->parentWidget() : nullptr;
    delete w;
    delete utama;
    w = nullptr;
    delete db;
  }

  // At rest, the supplier list, the pick, and the numbers: the first, the
  // one after the highest stored (not the last row the store returns), and
  // a used-up serial that opens no document.
  void restSupplierAndNumbers() {
    buka();
    QCOMPARE(w->windowTitle(), QString("   :: TRANSAKSI PEMBELIAN BARANG"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
    QVERIFY(!tombol(w, "TbMasuk")->isEnabled());
    QVERIFY(!pemasok(w)->isEnabled());
    QCOMPARE(tombol(w, "TbMasuk")->text(), QString("OK"));
    QCOMPARE(child<ui::FlexGrid>(w, "GridMasuk")->ColWidth(1), 4500);
    QCOMPARE(pemasok(w)->count(), 2);
    QCOMPARE(pemasok(w)->itemText(0), QString("PS001 | UD MAKMUR"));

    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtNoMasuk")->text(), QString("BL-0000001"));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtTgl")->Text(), QString("15/03/2024"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
    PilihPemasok(w, 1);
    QCOMPARE(pemasok(w)->currentText(), QString("PS002"));
    QCOMPARE(kotak(w, "txtNmPemasok")->text(), QString("CV SUMBER REJEKI"));
    QCOMPARE(child<QPlainTextEdit>(w, "TxtAlamat")->toPlainText(), QString("Jl. Gudang 2"));
    tombol(w, "TbKeluar")->click();
    QCOMPARE(pemasok(w)->currentText(), QString());
    QCOMPARE(db->count("Pembelian"), 0);

    db->exec("INSERT INTO Pembelian VALUES ('BL-0000041','2024-03-01','PS001',1,'ADM')");
    db->exec("INSERT INTO Pembelian VALUES ('BL-0000005','2024-03-02','PS001',1,'ADM')");
    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtNoMasuk")->text(), QString("BL-0000042"));
    tombol(w, "TbKeluar")->click();

    db->exec("INSERT INTO Pembelian VALUES ('BL-9999999','2024-03-03','PS001',1,'ADM')");
    ScriptedPrompter p;
    p.expectStart("NOMOR URUT KODE BL- SUDAH HABIS", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbBaru")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
  }

  // The amount boxes show 0 on opening, the quantity too (the first document
  // starts with it); after a line the line's amount is 0 again, not empty.
  void amountBoxesShowZero() {
    buka();
    const char* const nol[] = {"TxtHBeli", "TxtJumlah", "TxtTotal", "TxtTotalHarga"};
    for (const char* n : nol) QCOMPARE(kotak(w, n)->text(), QString("0"));
    tombol(w, "TbBaru")->click();
    QCOMPARE(kotak(w, "TxtJumlah")->text(), QString("0"));
    PilihPemasok(w, 0);
    Baris(w, "001.002.003", "1000", "2");
    QCOMPARE(w->BarisBerikut(), 2);
    QCOMPARE(child<ui::FlexGrid>(w, "GridMasuk")->TextMatrix(1, 3), QString("2"));
    QCOMPARE(kotak(w, "TxtTotalHarga")->text(), QString("2000"));
    QCOMPARE(kotak(w, "TxtHBeli")->text(), QString("0"));
    QCOMPARE(kotak(w, "TxtTotal")->text(), QString("0"));
    QCOMPARE(kotak(w, "TxtJumlah")->text(), QString());
  }

  void noSupplierStillOpens() {
    db->exec("DELETE FROM Pemasok");
    ScriptedPrompter p;
    p.expect("DATA PEMASOK TIDAK ADA", ui::vbOK, "Error", ui::vbCritical);
    buka();
    VERIFY_PROMPTS(p);
    QVERIFY(tombol(w, "TbBaru")->isEnabled());
  }

  // 1000 x 2 and 2500 x 4 of one item: one header of 12000, two lines, the
  // stock raised by both, the later price kept. Another item's line too.
  void saveStoresTheWholePurchase() {
    mulai();
    Baris(w, "001.002.003", "1000", "2");
    Baris(w, "001.002.003", "2500", "4");
    auto* g = child<ui::FlexGrid>(w, "GridMasuk");
    QCOMPARE(g->Rows(), 3);
    QCOMPARE(g->TextMatrix(2, 1), QString("Sabun Mandi"));
    QCOMPARE(g->TextMatrix(2, 4), QString("10000"));
    QCOMPARE(kotak(w, "TxtTotalHarga")->text(), QString("12000"));
    Baris(w, "001.002.005", "0", "3");  // goods given free: a price of 0 is a price
    QCOMPARE(w->BarisBerikut(), 4);
    QCOMPARE(kotak(w, "TxtHBeli")->text(), QString("0"));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtKode")->Text(), QString("___.___"));

    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT group_concat(No_Masuk || '|' || Tgl_Masuk || '|' || Kode_Pemasok || '|' || Total || '|' "
                        "|| UserID) FROM Pembelian"),
             QString("BL-0000001|2024-03-15|PS001|12000|ADM"));
    QCOMPARE(db->scalar("SELECT group_concat(Kode_Barang || ':' || Harga_Beli || 'x' || Jumlah || '=' || SubTotal, ' ') "
                        "FROM (SELECT * FROM Pembelian_Detail ORDER BY rowid)"),
             QString("001.002.003:1000x2=2000 001.002.003:2500x4=10000 001.002.005:0x3=0"));
    QCOMPARE(Stok(db, "001.002.003"), QString("16@2500"));
    // Amounts are stored as numbers, where the reports add them up.
    QCOMPARE(db->scalar("SELECT typeof(Total) || typeof((SELECT Harga_Beli FROM Barang WHERE Kode_Barang='001.002.003')) "
                        "|| (SELECT group_concat(DISTINCT typeof(SubTotal)) FROM Pembelian_Detail) FROM Pembelian"),
             QString("integerintegerinteger"));
    QCOMPARE(Stok(db, "001.002.005"), QString("3@0"));
    QCOMPARE(Stok(db, "001.002.004"), QString("2@9000"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Keluar"));
    QCOMPARE(kotak(w, "TxtTotalHarga")->text(), QString("0"));
    QCOMPARE(child<ui::FlexGrid>(w, "GridMasuk")->Rows(), 2);
  }

  // Each refusal stores nothing and adds no line: an unknown code, a partly
  // typed one, a code edited after its lookup, a supplier text that is no
  // supplier, an empty price, no quantity, no lines.
  void refusals() {
    mulai();
    ScriptedPrompter p;
    auto* g = kotak(w, "txtKodeG");
    auto* k = child<ui::MaskEdBox>(w, "TxtKode");
    auto* h = kotak(w, "TxtHBeli");
    auto* j = kotak(w, "TxtJumlah");
    p.expect("BELUM ADA DATA BARANG YANG MASUK", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();

    p.expect("KODE IDENTITAS GRUP KOSONG", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    p.expect("KODE BARANG TIDAK DIKENALI ", ui::vbOK, "Info", ui::vbInformation);
    p.expect("KODE BARANG TIDAK DIKENALI ", ui::vbOK, "Info", ui::vbInformation);
    Baris(w, "001.009.009", "1000", "2");
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(k));

    g->setText("001");
    k->SetText("002.00");
    h->setText("1000");
    j->setText("2");
    p.expect("KODE BARANG BELUM LENGKAP", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();

    // Looked up as Sabun Mandi, then the code changed by hand to one that
    // is no item: the name goes, and the line is refused.
    k->SetText(QString());
    k->setFocus();
    typeInto(k, "002003\r");
    QCOMPARE(kotak(w, "TxtNama")->text(), QString("Sabun Mandi"));
    k->setFocus();
    k->setCursorPosition(6);
    QTest::keyClick(k, Qt::Key_9);
    QCOMPARE(k->Text(), QString("002.009"));
    QCOMPARE(kotak(w, "TxtNama")->text(), QString());
    j->setText("2");
    p.expect("KODE BARANG TIDAK DIKENALI ", ui::vbOK, "Info", ui::vbInformation);
    tombol(w, "TbMasuk")->click();

    k->SetText("002.003");
    j->setText("0");
    p.expect("JUMLAH BARANG MASIH KOSONG", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    j->setText("2");
    h->clear();
    QCOMPARE(kotak(w, "TxtTotal")->text(), QString("0"));
    p.expect("HARGA BELI BARANG MASIH KOSONG", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(h));

    // A typed supplier text must be a stored supplier's code.
    h->setText("1000");
    pemasok(w)->setEditText("PS009");
    p.expect("DATA PEMASOK BELUM DIPILIH", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbMasuk")->click();
    QCOMPARE(w->BarisBerikut(), 1);
    pemasok(w)->setEditText("ps002");  // typed, not picked: still a stored supplier
    tombol(w, "TbMasuk")->click();
    QCOMPARE(w->BarisBerikut(), 2);
    QCOMPARE(kotak(w, "txtNmPemasok")->text(), QString("CV SUMBER REJEKI"));
    pemasok(w)->setEditText("Toko Lain");
    p.expect("DATA PEMASOK BELUM DIPILIH", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Pembelian"), 0);
    QCOMPARE(db->count("Pembelian_Detail"), 0);
    QCOMPARE(Stok(db, "001.002.003"), QString("10@1000"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
  }

  // The second line refused by the store: nothing stored, the document
  // still on the screen, and saved whole once the store takes it.
  void failedSaveStoresNothing() {
    db->exec("CREATE TRIGGER tolak BEFORE INSERT ON Pembelian_Detail WHEN NEW.Kode_Barang = '001.002.004' "
             "BEGIN SELECT RAISE(ABORT, 'baris ditolak'); END");
    mulai();
    Baris(w, "001.002.003", "1200", "5");
    Baris(w, "001.002.004", "9500", "1");
    ScriptedPrompter p;
    p.expectStart("DATA TRANSAKSI GAGAL DISIMPAN!", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(p.seen[0].text.contains("baris ditolak"));
    QCOMPARE(db->count("Pembelian"), 0);
    QCOMPARE(db->count("Pembelian_Detail"), 0);
    QCOMPARE(Stok(db, "001.002.003"), QString("10@1000"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
    QCOMPARE(w->BarisBerikut(), 3);
    QCOMPARE(kotak(w, "TxtTotalHarga")->text(), QString("15500"));

    db->exec("DROP TRIGGER tolak");
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Pembelian_Detail"), 2);
    QCOMPARE(Stok(db, "001.002.003"), QString("15@1200"));
    QCOMPARE(Stok(db, "001.002.004"), QString("3@9500"));
  }

  // An item deleted by another program after its line was added: the
  // document is not stored with a line whose stock nobody raised.
  void itemGoneBeforeSave() {
    mulai();
    Baris(w, "001.002.003", "1000", "1");
    Baris(w, "001.002.006", "3000", "2");
    db->exec("DELETE FROM Barang WHERE Kode_Barang='001.002.006'");
    ScriptedPrompter p;
    p.expectStart("DATA TRANSAKSI GAGAL DISIMPAN!", ui::vbOK, "Error", ui::vbCritical);
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(p.seen[0].text.contains("001.002.006"));
    QCOMPARE(db->count("Pembelian") + db->count("Pembelian_Detail"), 0);
    QCOMPARE(Stok(db, "001.002.003"), QString("10@1000"));
    QCOMPARE(tombol(w, "TbKeluar")->text(), QString("&Batal"));
  }

  // Another program stored this number since the document was started.
  void numberTakenMeanwhile() {
    mulai();
    QCOMPARE(kotak(w, "TxtNoMasuk")->text(), QString("BL-0000001"));
    Baris(w, "001.002.003", "1000", "1");
    db::Connection lain;
    QVERIFY(lain.Open(db->where()));
    QVERIFY(lain.Execute("INSERT INTO Pembelian VALUES ('BL-0000001','2024-03-15','PS002',777,'LAIN')"));
    ScriptedPrompter p;
    p.expect("DATA TRANSAKSI TELAH TERSIMPAN !", ui::vbOK, "Info");
    tombol(w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Total FROM Pembelian WHERE No_Masuk='BL-0000001'"), QString("777"));
    QCOMPARE(db->scalar("SELECT Total || Kode_Pemasok FROM Pembelian WHERE No_Masuk='BL-0000002'"), QString("1000PS001"));
    QCOMPARE(db->scalar("SELECT No_Masuk FROM Pembelian_Detail"), QString("BL-0000002"));
  }

  // A pick in the search dialog writes the item back (no price); closing by
  // the close box afterwards leaves the main window and this one usable.
  // A document being entered is not closed without asking.
  void searchThenCloseBox() {
    auto* utama = new QWidget;  // deleted with w in cleanup()
    utama->show();
    w = new frmPembelian(utama);
    w->setWindowFlag(Qt::Window);
    w->show();
    tombol(w, "TbBaru")->click();
    ModalScript m;
    m.then([&](QDialog* d) {
      QVERIFY(utama->isEnabled());
      auto* grid = child<ui::FlexGrid>(d, "GridBarang");
      grid->SetRow(2);
      emit grid->DblClick();
    });
    tombol(w, "TbCari")->click();
    QCOMPARE(m.shown, QStringList{"frmCariBarang"});
    QCOMPARE(kotak(w, "txtKodeG")->text(), QString("001"));
    QCOMPARE(child<ui::MaskEdBox>(w, "TxtKode")->Text(), QString("002.004"));
    QCOMPARE(kotak(w, "TxtNama")->text(), QString("PASTA GIGI"));
    QCOMPARE(kotak(w, "TxtHBeli")->text(), QString("0"));
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(kotak(w, "TxtHBeli")));

    ScriptedPrompter p;
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbNo, "Exit", ui::vbQuestion);
    w->close();
    p.expect("YAKIN AKAN MENUTUP JENDELA INI..?", ui::vbNo, "Exit", ui::vbQuestion);
    QTest::keyClick(kotak(w, "txtKodeG"), Qt::Key_Escape);  // a stray Escape
    QVERIFY(w->isVisible());
    tombol(w, "TbKeluar")->click();  // Batal: to rest
    w->close();                      // at rest: closes at once
    VERIFY_PROMPTS(p);
    QVERIFY(!w->isVisible());
    QVERIFY(utama->isEnabled());
    QVERIFY(w->isEnabled());
  }
};

REGISTER_TEST(PembelianTest);
#include "PembelianTest.moc"
