// The stock-item screen: the group -> product choice, item codes, the live
// name search, prices as whole numbers, and reloads that keep the unit list.
#include <QAbstractItemView>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "toko/Kode.h"
#include "core/mdlUtama.h"
#include "master/frmBarang.h"
#include "ui/Seams.h"

using namespace testsupport;
using namespace mastertest;

namespace {
const QString Kosong = "DATA BARANG UNTUK PRODUK INI MASIH KOSONG";
const QString Tersimpan = "DATA BARU TELAH TERSIMPAN";
const QStringList Satuan{"Set", "Unit", "Pasang", "Kardus", "Paket"};

struct Layar {
  frmBarang w;
  QLineEdit* kode = child<QLineEdit>(&w, "txtKode");
  QComboBox* grup = child<QComboBox>(&w, "CmbGrup");
  QLineEdit* nmGrup = child<QLineEdit>(&w, "txtNmGrup");
  QComboBox* produk = child<QComboBox>(&w, "cmbProduk");
  QLineEdit* nmProduk = child<QLineEdit>(&w, "txtNmProduk");
  QLineEdit* nama = child<QLineEdit>(&w, "txtNama");
  QComboBox* satuan = child<QComboBox>(&w, "cmbSatuan");
  QLineEdit* hBeli = child<QLineEdit>(&w, "TxtHBeli");
  QLineEdit* hJual = child<QLineEdit>(&w, "txtHJual");
  QLineEdit* stok = child<QLineEdit>(&w, "txtStok");
  QLineEdit* cari = child<QLineEdit>(&w, "txtCari");
  QPushButton* baru = child<QPushButton>(&w, "TbBaru");
  QPushButton* simpan = child<QPushButton>(&w, "TbSimpan");
  QPushButton* hapus = child<QPushButton>(&w, "TbHapus");
  QPushButton* keluar = child<QPushButton>(&w, "TbKeluar");
  ui::FlexGrid* grid = child<ui::FlexGrid>(&w, "GridBarang");
  Layar() { showActive(&w); }
  QList<QWidget*> semua() {
    return {kode, grup, nmGrup, produk, nmProduk, nama, satuan, hBeli, hJual, stok};
  }
  QStringList daftarSatuan() {
    QStringList r;
    for (int i = 0; i < satuan->count(); ++i) r << satuan->itemText(i);
    return r;
  }
};

QStringList kodeDiGrid(ui::FlexGrid* g) {
  QStringList r;
  for (int i = 1; i < g->Rows(); ++i) r << g->TextMatrix(i, 1);
  return r;
}
}  // namespace

class BarangTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

  void barang(const QString& kode, const QString& produk, const QString& nama) {
    db->exec("INSERT INTO Barang VALUES (" + db::Quote(kode) + "," + db::Quote(produk) + "," + db::Quote(nama) +
             ",'Unit',1000,1500,5)");
  }

 private slots:
  void init() {
    db = new TempDb;
    db->exec("INSERT INTO Grup VALUES ('001','ALAT TULIS')");
    db->exec("INSERT INTO Grup VALUES ('002','KAIN')");
    db->exec("INSERT INTO Grup VALUES ('003','KOSONG')");
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    db->exec("INSERT INTO Produk VALUES ('001.002','001','PENA')");
    db->exec("INSERT INTO Produk VALUES ('002.001','002','BATIK')");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void openingListsItemsOfExistingProductsInCodeOrder() {
    barang("001.002.002", "001.002", "PENA BIRU");
    barang("001.001.001", "001.001", "PENSIL 2B");
    barang("009.001.001", "009.001", "YATIM");  // its product is gone
    ScriptedPrompter p;
    Layar s;
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w.windowTitle(), QString("   ::  MANAJEMEN DATA BARANG"));
    QCOMPARE(gridRow(s.grid, 0),
             QStringList({"NO", "KODE", "PRODUK", "NAMA BARANG", "SATUAN", "H BELI[Rp.]", "H JUAL[Rp.]", "STOK"}));
    const QList<int> lebar{400, 1440, 1900, 3300, 900, 1500, 1500, 700};
    for (int c = 0; c < 8; ++c) QCOMPARE(s.grid->ColWidth(c), lebar[c]);
    QCOMPARE(s.grid->toolTip(), QString("KLIK DISINI UNTUK MERUBAH DATA ..!"));
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.002"}));
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "001.001.001", "PENSIL", "PENSIL 2B", "Unit", "1000", "1500", "5"}));
    for (QWidget* w : s.semua()) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QWidget* w : {static_cast<QWidget*>(s.grup), static_cast<QWidget*>(s.produk), static_cast<QWidget*>(s.nama), static_cast<QWidget*>(s.satuan),
                       static_cast<QWidget*>(s.hBeli), static_cast<QWidget*>(s.hJual), static_cast<QWidget*>(s.stok)})
      QCOMPARE(back(w), ui::Kuning);
    QCOMPARE(back(s.kode), QColor(192, 255, 192));
    QVERIFY(s.cari->isEnabled());
    QCOMPARE(s.daftarSatuan(), Satuan);
    QCOMPARE(s.grup->itemText(2), QString("003 | KOSONG"));
    QCOMPARE(s.kode->maxLength(), 11);
    for (QLineEdit* t : {s.hBeli, s.hJual, s.stok}) QCOMPARE(t->maxLength(), 10);
    // The search never finds the orphan either.
    p.expect("TIDAK MENEMUKAN DATA YANG DICARI  - y - DALAM KOLEKSI ", ui::vbOK, "Informasi", ui::vbInformation);
    typeInto(s.cari, "y");
    VERIFY_PROMPTS(p);
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.002"}));
  }

  void emptyShopIsReportedInOrder() {
    db->exec("DELETE FROM Produk");
    db->exec("DELETE FROM Grup");
    ScriptedPrompter p;
    p.expect("DATA GRUP TIDAK ADA", ui::vbOK, "Error", ui::vbCritical);
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    Layar s;
    VERIFY_PROMPTS(p);
    QCOMPARE(s.grup->count(), 0);
    QCOMPARE(s.daftarSatuan(), Satuan);
    p.expect("TABEL MASIH KOSONG", ui::vbOK, "Error", ui::vbInformation);
    doubleClickRow(s.grid, 1);
    VERIFY_PROMPTS(p);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QCOMPARE(s.kode->text(), QString());
  }

  void pickingGroupThenProductMakesTheCode() {
    barang("001.002.041", "001.002", "PENA 41");
    barang("001.002.007", "001.002", "PENA 7");
    barang("002.001.001", "002.001", "BATIK SOLO");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QCOMPARE(s.w.focusWidget(), s.grup);
    QVERIFY(pick(s.grup, "001"));
    QCOMPARE(s.grup->currentText(), QString("001"));
    QCOMPARE(s.nmGrup->text(), QString(" ALAT TULIS"));
    QCOMPARE(s.produk->count(), 2);
    QCOMPARE(s.produk->itemText(1), QString("001.002 | PENA"));
    QCOMPARE(s.w.focusWidget(), s.produk);
    QCOMPARE(kodeDiGrid(s.grid).size(), 2);  // the group's items
    QVERIFY(pick(s.produk, "001.002"));
    QCOMPARE(s.produk->currentText(), QString("001.002"));
    QCOMPARE(s.nmProduk->text(), QString(" PENA"));
    QCOMPARE(s.kode->text(), QString("001.002.042"));
    QCOMPARE(s.w.focusWidget(), s.nama);
    // A product without items starts at .001 and reports its empty list.
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    QVERIFY(pick(s.produk, "001.001"));
    QCOMPARE(s.kode->text(), QString("001.001.001"));
    // Another group empties the product fields but keeps the code shown.
    QVERIFY(pick(s.grup, "002"));
    QCOMPARE(s.produk->currentText(), QString());
    QCOMPARE(s.nmProduk->text(), QString());
    QCOMPARE(s.kode->text(), QString("001.001.001"));
    VERIFY_PROMPTS(p);
  }

  // An item's barcodes: a wrong check digit is refused as it is typed, a
  // code of another item at the save (and nothing is stored), the rest are
  // stored with the item and shown again when it is opened.
  void barcodesAreKeptWithTheItem() {
    barang("001.002.001", "001.002", "PENA MERAH");
    db->exec("INSERT INTO Barcode VALUES ('96385074','001.002.001')");
    ScriptedPrompter p;
    Layar s;
    auto* bc = child<QLineEdit>(&s.w, "txtBarcode");
    s.baru->click();
    QVERIFY(pick(s.grup, "001"));
    QVERIFY(pick(s.produk, "001.002"));
    QCOMPARE(s.kode->text(), QString("001.002.002"));
    s.nama->setText("PENA BIRU");
    s.satuan->setEditText("Unit");
    bc->setFocus();
    p.expect("BARCODE 4006381333932 SALAH: ANGKA TERAKHIR EAN-13 HARUS 1", ui::vbOK, "Error", ui::vbCritical);
    typeInto(bc, "4006381333932\r");
    VERIFY_PROMPTS(p);
    bc->setText("4006381333931 96385074");
    p.expect("BARCODE 96385074 SUDAH DIPAKAI BARANG 001.002.001", ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
    bc->setText("4006381333931, 036000291452");
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(bc->text(), QString());
    QCOMPARE(db->scalar("SELECT group_concat(Kode || '=' || Kode_Barang, ' ') FROM (SELECT * FROM Barcode ORDER BY Kode)"),
             QString("036000291452=001.002.002 4006381333931=001.002.002 96385074=001.002.001"));
    const int baris = int(kodeDiGrid(s.grid).indexOf("001.002.002")) + 1;
    QVERIFY(baris > 0);
    doubleClickRow(s.grid, baris);
    QCOMPARE(bc->text(), QString("036000291452 4006381333931"));
    VERIFY_PROMPTS(p);
  }

  // A database from before the barcodes: the screen says what it needs and
  // items are kept as before.
  void olderDatabaseAsksForTheUpgrade() {
    db->exec("DROP TABLE Barcode");
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    QVERIFY(child<QLabel>(&s.w, "LblBarcode")->text().contains("merapu-db upgrade"));
    s.baru->click();
    QVERIFY(!child<QLineEdit>(&s.w, "txtBarcode")->isEnabled());
    QVERIFY(pick(s.grup, "001"));
    QVERIFY(pick(s.produk, "001.001"));
    s.nama->setText("PENSIL 2B");
    s.satuan->setEditText("Unit");
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
  }

  void dropDownListsShowEachEntryWhole() {
    db->exec("UPDATE Grup SET Nama_Grup='PERALATAN DAN PERLENGKAPAN RUMAH TANGGA' WHERE Kode_Grup='002'");
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    auto utuh = [](QComboBox* c) {
      c->showPopup();
      const QFontMetrics fm(c->view()->font());
      int perlu = 0;
      for (int i = 0; i < c->count(); ++i) perlu = qMax(perlu, fm.horizontalAdvance(c->itemText(i)));
      const bool ok = c->view()->viewport()->width() >= perlu;
      c->hidePopup();
      return ok;
    };
    QVERIFY(utuh(s.grup));
    pick(s.grup, "001");
    QVERIFY(utuh(s.produk));
    VERIFY_PROMPTS(p);
  }

  void groupWithoutProductsOffersTheProductScreen() {
    ScriptedPrompter p;
    ModalScript m;
    p.expect(Kosong);  // opening: no items at all, said once however often the list is refilled empty
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    QCOMPARE(s.produk->count(), 2);
    // No: the list keeps the entries it had.
    p.expect("DATA PRODUK KOSONG, INGIN MENAMBAH?", ui::vbNo, "Informasi", ui::vbQuestion);
    pick(s.grup, "003");
    QCOMPARE(s.produk->count(), 2);
    QCOMPARE(s.produk->itemText(0), QString("001.001 | PENSIL"));
    // Yes: the product screen opens at rest on this group with its first code.
    p.expect("DATA PRODUK KOSONG, INGIN MENAMBAH?", ui::vbYes, "Informasi", ui::vbQuestion);
    QString kode, grup, nmGrup, keluar;
    m.then([&](QDialog* d) {
      kode = child<QLineEdit>(d, "txtKode")->text();
      grup = child<QComboBox>(d, "CmbGrup")->currentText();
      nmGrup = child<QLineEdit>(d, "txtNmGrup")->text();
      keluar = child<QPushButton>(d, "TbKeluar")->text();
      child<QPushButton>(d, "TbKeluar")->click();
    });
    pick(s.grup, "003");
    VERIFY_PROMPTS(p);
    QCOMPARE(m.shown, QStringList({"frmProduk"}));
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join('\n')));
    QCOMPARE(kode, QString("003.001"));
    QCOMPARE(grup, QString("003"));
    QCOMPARE(nmGrup, QString(" KOSONG"));
    QCOMPARE(keluar, QString("&Keluar"));
    QCOMPARE(s.grup->currentText(), QString("003"));
  }

  // The first item of a group, and the first product of a group (made from
  // here through the product screen), say "MASIH KOSONG" once each: picking
  // the product, or the group again, finds the list still empty and says it
  // no more.
  void aNewGroupSaysItsListIsEmptyOnce() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    ScriptedPrompter p;
    ModalScript m;
    Layar s;
    s.baru->click();
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    pick(s.grup, "002");
    pick(s.produk, "002.001");
    QCOMPARE(s.kode->text(), QString("002.001.001"));
    s.nama->setText("BATIK TULIS");
    s.satuan->setEditText("Unit");
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"002.001.001"}));

    p.expect("DATA PRODUK KOSONG, INGIN MENAMBAH?", ui::vbYes, "Informasi", ui::vbQuestion);
    p.expect("DATA PRODUK MASIH KOSONG!", ui::vbOK, "Perhatian", ui::vbInformation);
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    m.then([](QDialog* d) {
      child<QPushButton>(d, "TbBaru")->click();
      QVERIFY(pick(child<QComboBox>(d, "CmbGrup"), "003"));
      child<QLineEdit>(d, "txtNama")->setText("SPREI");
      child<QPushButton>(d, "TbSimpan")->click();
      child<QPushButton>(d, "TbKeluar")->click();  // back to rest
      child<QPushButton>(d, "TbKeluar")->click();  // and closed
    });
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);  // group 003 has no items
    pick(s.grup, "003");
    QCOMPARE(m.shown, QStringList({"frmProduk"}));
    QVERIFY2(m.failures.isEmpty(), qPrintable(m.failures.join('\n')));
    QCOMPARE(db->scalar("SELECT Nama_Produk FROM Produk WHERE Kode_Produk='003.001'"), QString("SPREI"));
    pick(s.grup, "003");
    QVERIFY(pick(s.produk, "003.001"));
    QCOMPARE(s.kode->text(), QString("003.001.001"));
    VERIFY_PROMPTS(p);
  }

  void saveStoresWholeNumbersAndStaysOnTheProduct() {
    ScriptedPrompter p;
    BeepCounter beeps;
    p.expect(Kosong);  // opening; TbBaru, the group and the product find the list still empty
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    pick(s.produk, "001.001");
    typeInto(s.nama, "  pensil O'NEIL 2B \r");
    QCOMPARE(s.nama->text(), QString("  pensil O'NEIL 2B "));  // no capitals forced here
    QCOMPARE(s.w.focusWidget(), s.satuan);
    s.satuan->setCurrentIndex(2);
    typeInto(s.satuan, "\r");
    QCOMPARE(s.w.focusWidget(), s.hBeli);
    typeInto(s.hBeli, "1a2.b3\r");
    QCOMPARE(s.hBeli->text(), QString("123"));
    QCOMPARE(beeps.count, 3);
    QCOMPARE(s.w.focusWidget(), s.hJual);
    typeInto(s.stok, "x");
    QCOMPARE(s.stok->text(), QString());
    QCOMPARE(beeps.count, 4);
    // Delete is not a typed key: it edits the box as it does everywhere.
    s.hBeli->setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(s.hBeli, &del);
    QCOMPARE(s.hBeli->text(), QString("23"));
    QCOMPARE(beeps.count, 4);
    s.hBeli->setText("123");
    s.simpan->click();  // selling price and stock left empty
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Nama_Barang || '|' || Satuan || '|' || Harga_Beli || '|' || Harga_Jual || '|' || "
                        "Stok || '|' || typeof(Harga_Jual) FROM Barang WHERE Kode_Barang='001.001.001'"),
             QString("pensil O'NEIL 2B|Pasang|123|0|0|integer"));
    QCOMPARE(s.kode->text(), QString("001.001.002"));
    for (QWidget* w : {static_cast<QWidget*>(s.nama), static_cast<QWidget*>(s.hBeli), static_cast<QWidget*>(s.hJual), static_cast<QWidget*>(s.stok)})
      QCOMPARE(w->property("text").toString(), QString());
    QCOMPARE(s.satuan->currentText(), QString());
    QCOMPARE(s.produk->currentText(), QString("001.001"));
    QCOMPARE(s.w.focusWidget(), s.nama);
    QCOMPARE(gridRow(s.grid, 1),
             QStringList({"1", "001.001.001", "PENSIL", "pensil O'NEIL 2B", "Pasang", "123", "0", "0"}));
    QCOMPARE(s.keluar->text(), QString("&Normal"));
  }

  void saveChecksInOrder() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    p.expect("Produk HARUS DIPILIH", ui::vbOK, "Error", ui::vbInformation);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.produk);
    pick(s.grup, "001");
    pick(s.produk, "001.001");
    p.expect("NAMA MASIH KOSONG", ui::vbOK, "Error", ui::vbInformation);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.nama);
    s.nama->setText("PENSIL HB");
    p.expect("SATUAN MASIH KOSONG", ui::vbOK, "Error", ui::vbInformation);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.satuan);
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
    QCOMPARE(s.kode->text(), QString("001.001.002"));
  }

  void aProductTypedThatDoesNotExistIsRefused() {
    barang("001.002.001", "001.002", "PENA BIRU");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    s.produk->setEditText("009.009");
    p.expect("Produk HARUS DIPILIH", ui::vbOK, "Error", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w.focusWidget(), s.produk);
    QCOMPARE(db->scalar("SELECT Kode_Produk FROM Barang"), QString("001.002"));
    // Typed but existing: the item moves to that product.
    s.produk->setEditText("001.001");
    p.expect("DATA BARANG TELAH DIUBAH");
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Kode_Produk FROM Barang"), QString("001.001"));
    QCOMPARE(gridRow(s.grid, 1).mid(1, 2), QStringList({"001.002.001", "PENSIL"}));
  }

  void aCodeHeldByAnItemOfAnotherProductIsNotHandedOutAgain() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    barang("001.001.002", "001.002", "PINDAHAN");  // moved to another product
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    pick(s.produk, "001.001");
    QCOMPARE(s.kode->text(), QString("001.001.003"));
  }

  void serialPast999IsRefused() {
    barang("001.001.999", "001.001", "TERAKHIR");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    const QString habis = toko::NextCode("001.001.", 3, "001.001.999").error;
    p.expect(habis, ui::vbOK, "Error", ui::vbCritical);
    pick(s.produk, "001.001");
    QCOMPARE(s.kode->text(), QString());
    s.nama->setText("SATU LAGI");
    s.satuan->setEditText("Unit");
    p.expect(habis, ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
  }

  void doubleClickLoadsAnItemAndSavesItInPlace() {
    barang("001.002.001", "001.002", "PENA BIRU");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    QCOMPARE(s.kode->text(), QString("001.002.001"));
    QCOMPARE(s.grup->currentText(), QString("001"));
    QCOMPARE(s.nmGrup->text(), QString("ALAT TULIS"));
    QCOMPARE(s.produk->currentText(), QString("001.002"));
    QCOMPARE(s.nmProduk->text(), QString("PENA"));
    QCOMPARE(s.satuan->currentText(), QString("Unit"));
    QCOMPARE(s.hJual->text(), QString("1500"));
    QCOMPARE(s.w.focusWidget(), s.produk);
    QVERIFY(s.hapus->isEnabled() && !s.baru->isEnabled());
    s.hJual->setText("1750");
    p.expect("DATA BARANG TELAH DIUBAH", ui::vbOK, "Konfirmasi", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
    QCOMPARE(db->scalar("SELECT Harga_Jual FROM Barang"), QString("1750"));
    QCOMPARE(s.kode->text(), QString("001.002.002"));
  }

  void cancelAndDeleteReloadTheScreen() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    barang("002.001.001", "002.001", "BATIK SOLO");
    ScriptedPrompter p;
    Layar s;
    for (int i = 0; i < 3; ++i) {
      doubleClickRow(s.grid, 1);
      s.keluar->click();
      for (QWidget* w : s.semua()) QVERIFY(w->property("text").toString().isEmpty() ||
                                           qobject_cast<QComboBox*>(w));
      QCOMPARE(s.satuan->currentText(), QString());
      QCOMPARE(s.grup->currentText(), QString());
      QCOMPARE(s.daftarSatuan(), Satuan);
      QCOMPARE(s.keluar->text(), QString("&Keluar"));
      QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "002.001.001"}));
    }
    s.baru->click();
    pick(s.grup, "002");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"002.001.001"}));
    doubleClickRow(s.grid, 1);
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\nKODE : 002.001.001\r\nNAMA : BATIK SOLO\r\n", ui::vbYes, "Awass",
             ui::vbQuestion);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001"}));
    QCOMPARE(s.daftarSatuan(), Satuan);
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    QVERIFY(!s.nama->isEnabled());
  }

  void liveSearchByName() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    barang("001.002.001", "001.002", "PENA BIRU");
    barang("002.001.001", "002.001", "KAIN O'NEIL");
    barang("002.001.002", "002.001", "SAPU");
    ScriptedPrompter p;
    Layar s;
    typeInto(s.cari, "p");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.001", "002.001.002"}));
    typeInto(s.cari, "e");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.001"}));
    typeInto(s.cari, "n");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.001"}));
    typeInto(s.cari, "a");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.002.001"}));
    QCOMPARE(s.grid->TextMatrix(1, 0), QString("1"));
    s.cari->clear();
    typeInto(s.cari, "'n");
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"002.001.001"}));
    // Nothing found: the message names the text, then every item is listed.
    s.cari->clear();
    p.expect("TIDAK MENEMUKAN DATA YANG DICARI  - sz - DALAM KOLEKSI ", ui::vbOK, "Informasi", ui::vbInformation);
    typeInto(s.cari, "s");
    QCOMPARE(s.cari->text(), QString("s"));
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "002.001.002"}));
    typeInto(s.cari, "z");
    VERIFY_PROMPTS(p);
    QCOMPARE(s.cari->text(), QString());
    QCOMPARE(s.w.focusWidget(), s.cari);
    QCOMPARE(kodeDiGrid(s.grid).size(), 4);
  }

  // A price box refuses pasted or composed text that is not all digits (with
  // a beep) and cuts digits past its 10 places; what is stored is what the
  // box shows.
  void pastedPricesAreWhatTheBoxShows_data() {
    QTest::addColumn<QString>("masuk");
    QTest::addColumn<bool>("ketik");  // through an input method rather than a paste
    QTest::addColumn<QString>("tampil");
    QTest::addColumn<int>("bunyi");
    QTest::newRow("letters") << "12abc" << false << "7" << 1;
    QTest::newRow("thousands point") << "15.000" << false << "7" << 1;
    QTest::newRow("minus") << "-5" << false << "7" << 1;
    QTest::newRow("input method") << "12abc" << true << "7" << 1;
    QTest::newRow("too many digits") << "123456789012" << false << "7" << 1;  // refused whole, not cut
  }
  void pastedPricesAreWhatTheBoxShows() {
    QFETCH(QString, masuk);
    QFETCH(bool, ketik);
    QFETCH(QString, tampil);
    QFETCH(int, bunyi);
    ScriptedPrompter p;
    p.expect(Kosong);
    p.expect(Tersimpan);
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    pick(s.produk, "001.001");
    s.nama->setText("PENSIL");
    s.satuan->setEditText("Unit");
    s.hBeli->setFocus();
    typeInto(s.hBeli, "7");
    BeepCounter beeps;
    if (ketik) {
      QInputMethodEvent ime;
      ime.setCommitString(masuk);
      QApplication::sendEvent(s.hBeli, &ime);
    } else {
      QGuiApplication::clipboard()->setText(masuk);
      s.hBeli->paste();
    }
    QCOMPARE(s.hBeli->text(), tampil);
    QCOMPARE(beeps.count, bunyi);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Harga_Beli FROM Barang WHERE Kode_Barang='001.001.001'"), tampil);
  }

  // By keyboard: Enter in the search box only searches, the screen stays at
  // rest; Down and Enter in the grid load a row as a double-click does.
  void keyboardOnTheItemScreen() {
    barang("001.001.001", "001.001", "PENSIL 2B");
    barang("001.002.001", "001.002", "PENA BIRU");
    ScriptedPrompter p;
    Layar s;
    s.cari->setFocus();
    typeInto(s.cari, "pen\r");
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    QVERIFY(s.baru->isEnabled());
    QVERIFY(!s.simpan->isEnabled());
    QVERIFY(!s.nama->isEnabled());
    QCOMPARE(kodeDiGrid(s.grid), QStringList({"001.001.001", "001.002.001"}));
    QTest::keyClick(s.cari, Qt::Key_Tab);  // Tab reaches the grid, Down moves to row 2
    QCOMPARE(s.w.focusWidget(), static_cast<QWidget*>(s.grid));
    QTest::keyClick(s.grid, Qt::Key_Down);
    QTest::keyClick(s.grid, Qt::Key_Return);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QCOMPARE(s.kode->text(), QString("001.002.001"));
    QCOMPARE(s.nama->text(), QString("PENA BIRU"));
    VERIFY_PROMPTS(p);
  }

  // Down in a freshly filled list picks its first entry, not the second.
  void downPicksTheFirstEntryOfEachList() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    QCOMPARE(s.w.focusWidget(), static_cast<QWidget*>(s.grup));
    QTest::keyClick(s.grup->lineEdit(), Qt::Key_Down);
    QCOMPARE(s.grup->currentText(), QString("001"));
    QCOMPARE(s.w.focusWidget(), static_cast<QWidget*>(s.produk));
    QTest::keyClick(s.produk->lineEdit(), Qt::Key_Down);
    QCOMPARE(s.produk->currentText(), QString("001.001"));
    QCOMPARE(s.kode->text(), QString("001.001.001"));
    s.satuan->setFocus();
    QTest::keyClick(s.satuan->lineEdit(), Qt::Key_Down);
    QCOMPARE(s.satuan->currentText(), QString("Set"));
    VERIFY_PROMPTS(p);
  }

  void row300OfALongListLoadsByDoubleClick() {
    db->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<400) "
             "INSERT INTO Barang SELECT '001.001.' || printf('%03d', i), '001.001', 'BARANG ' || i, 'Set', i, i*2, 1 "
             "FROM n");
    ScriptedPrompter p;
    Layar s;
    QCOMPARE(s.grid->Rows(), 401);
    doubleClickRow(s.grid, 300);
    QCOMPARE(s.kode->text(), QString("001.001.300"));
    QCOMPARE(s.nama->text(), QString("BARANG 300"));
    QCOMPARE(s.hJual->text(), QString("600"));
    VERIFY_PROMPTS(p);
  }

  void aListOf33000ItemsFillsWhole() {
    db->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<33000) "
             "INSERT INTO Barang SELECT printf('%03d.%03d.%03d', i/1000000, (i/1000)%1000, i%1000), '001.001', "
             "'BARANG ' || i, 'Set', 1, 2, 3 FROM n");
    ScriptedPrompter p;
    Layar s;
    QCOMPARE(s.grid->Rows(), 33001);
    QCOMPARE(s.grid->TextMatrix(33000, 0), QString("33000"));
    QCOMPARE(s.grid->TextMatrix(33000, 3), QString("BARANG 33000"));
    VERIFY_PROMPTS(p);
  }
};

REGISTER_TEST(BarangTest);
#include "BarangTest.moc"
