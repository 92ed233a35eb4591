// The product screen: codes made from the group, a save that stays ready for
// the next product, and the reload after cancelling.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "toko/Kode.h"
#include "core/mdlUtama.h"
#include "master/frmProduk.h"
#include "ui/Seams.h"

using namespace testsupport;
using namespace mastertest;

namespace {
const QString Kosong = "DATA PRODUK MASIH KOSONG!";
const QString Tersimpan = "DATA BARU TELAH TERSIMPAN";

struct Layar {
  frmProduk w;
  QLineEdit* kode = child<QLineEdit>(&w, "txtKode");
  QComboBox* grup = child<QComboBox>(&w, "CmbGrup");
  QLineEdit* nmGrup = child<QLineEdit>(&w, "txtNmGrup");
  QLineEdit* nama = child<QLineEdit>(&w, "txtNama");
  QPushButton* baru = child<QPushButton>(&w, "TbBaru");
  QPushButton* simpan = child<QPushButton>(&w, "TbSimpan");
  QPushButton* hapus = child<QPushButton>(&w, "TbHapus");
  QPushButton* keluar = child<QPushButton>(&w, "TbKeluar");
  ui::FlexGrid* grid = child<ui::FlexGrid>(&w, "GridProduk");
  Layar() { showActive(&w); }
};
}  // namespace

class ProdukTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = new TempDb;
    db->exec("INSERT INTO Grup VALUES ('001','ALAT TULIS')");
    db->exec("INSERT INTO Grup VALUES ('002','KAIN')");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void openingShowsAllProductsAtRest() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    db->exec("INSERT INTO Produk VALUES ('002.001','002','BATIK')");
    ScriptedPrompter p;
    Layar s;
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w.windowTitle(), QString("   ::  MANAJEMEN PRODUK BARANG"));
    QCOMPARE(gridRow(s.grid, 0), QStringList({"NO", "KODE", "NAMA PRODUK"}));
    QCOMPARE(s.grid->ColWidth(1), 1000);
    QCOMPARE(s.grid->ColWidth(2), 5800);
    QCOMPARE(gridRow(s.grid, 2), QStringList({"2", "002.001", "BATIK"}));
    QCOMPARE(s.grup->count(), 2);
    QCOMPARE(s.grup->itemText(0), QString("001 | ALAT TULIS"));
    QCOMPARE(s.grup->currentText(), QString());
    QVERIFY(!s.grup->isEnabled() && !s.nama->isEnabled() && !s.kode->isEnabled());
    QCOMPARE(back(s.grup), ui::Kuning);
    QVERIFY(s.kode->isReadOnly());
    QCOMPARE(s.kode->maxLength(), 7);
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
  }

  void emptyGroupTableIsReported() {
    db->exec("DELETE FROM Grup");
    ScriptedPrompter p;
    p.expect("DATA GRUP TIDAK ASDA", ui::vbOK, "Error", ui::vbCritical);
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    Layar s;
    VERIFY_PROMPTS(p);
  }

  void doubleClickOnTheEmptyGridReportsAnEmptyTable() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    p.expect("TABEL MASIH KOSONG", ui::vbOK, "Perhatian", ui::vbInformation);
    doubleClickRow(s.grid, 1);
    VERIFY_PROMPTS(p);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QVERIFY(s.grup->isEnabled());
  }

  void pickingAGroupMakesTheNextCode() {
    db->exec("INSERT INTO Produk VALUES ('001.008','001','PENA')");
    db->exec("INSERT INTO Produk VALUES ('001.009','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    QVERIFY(s.grup->isEnabled());
    QCOMPARE(back(s.grup), ui::Putih);
    QCOMPARE(back(s.kode), ui::Kuning);  // design colour kept
    QCOMPARE(s.w.focusWidget(), s.grup);
    QCOMPARE(s.kode->text(), QString());  // no code until a group is picked
    QVERIFY(pick(s.grup, "001"));
    QCOMPARE(s.kode->text(), QString("001.010"));
    QCOMPARE(s.grup->currentText(), QString("001"));
    QCOMPARE(s.nmGrup->text(), QString(" ALAT TULIS"));
    QCOMPARE(s.w.focusWidget(), s.nama);
    QCOMPARE(s.grid->Rows(), 3);
    // A group without products starts at .001 and shows an empty grid.
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    QVERIFY(pick(s.grup, "002"));
    VERIFY_PROMPTS(p);
    QCOMPARE(s.kode->text(), QString("002.001"));
    QCOMPARE(s.grid->Rows(), 2);
    QCOMPARE(gridRow(s.grid, 1), QStringList({"", "", ""}));
  }

  void theSerialFollowsTheHighestCodeNotTheOrderOfEntry() {
    db->exec("INSERT INTO Produk VALUES ('001.005','001','PENA')");
    db->exec("INSERT INTO Produk VALUES ('001.002','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    pick(s.grup, "001");
    QCOMPARE(s.kode->text(), QString("001.006"));
  }

  void saveStaysReadyForTheNextProduct() {
    ScriptedPrompter p;
    p.expect(Kosong);  // opening: no products; TbBaru and the group's empty list say it no more
    p.expect(Tersimpan, ui::vbOK, "Konfirmasi", ui::vbInformation);
    Layar s;
    s.baru->click();
    pick(s.grup, "002");
    typeInto(s.nama, " batik o'neil ");
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Nama_Produk FROM Produk WHERE Kode_Produk='002.001'"), QString("BATIK O'NEIL"));
    QCOMPARE(db->scalar("SELECT Kode_Grup FROM Produk"), QString("002"));
    QCOMPARE(s.kode->text(), QString("002.002"));
    QCOMPARE(s.nama->text(), QString());
    QCOMPARE(s.w.focusWidget(), s.nama);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QVERIFY(s.simpan->isEnabled() && !s.baru->isEnabled());
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "002.001", "BATIK O'NEIL"}));
  }

  void saveChecksInOrder() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    s.nama->setText("X");
    p.expect("DATA GRUP BELUM DIPILIH", ui::vbOK, "Perhatian", ui::vbCritical);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.grup);
    pick(s.grup, "001");
    s.nama->clear();
    p.expect("NAMA PRODUK BELUM DIISI", ui::vbOK, "Perhatian", ui::vbCritical);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.nama);
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 0);
  }

  void aGroupTypedThatDoesNotExistIsRefused() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    s.grup->setEditText("999");
    p.expect("DATA GRUP BELUM DIPILIH", ui::vbOK, "Perhatian", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Kode_Grup FROM Produk"), QString("001"));
  }

  void aGroupTypedButNotPickedStoresNoCodelessRow() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    s.grup->setEditText("001");
    s.nama->setText("PENSIL");
    p.expect("KODE PRODUK BELUM ADA, PILIH DATA GRUP DARI DAFTAR", ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 0);
  }

  void serialPast999IsRefused() {
    db->exec("INSERT INTO Produk VALUES ('001.999','001','TERAKHIR')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    const QString habis = toko::NextCode("001.", 3, "001.999").error;
    QVERIFY(!habis.isEmpty());
    p.expect(habis, ui::vbOK, "Error", ui::vbCritical);
    pick(s.grup, "001");
    QCOMPARE(s.kode->text(), QString());
    s.nama->setText("SATU LAGI");
    p.expect(habis, ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 1);
  }

  void doubleClickFillsCodesNotListEntries() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    QCOMPARE(s.kode->text(), QString("001.001"));
    QCOMPARE(s.grup->currentText(), QString("001"));
    QCOMPARE(s.nmGrup->text(), QString("ALAT TULIS"));  // no leading blank, unlike a pick
    QCOMPARE(s.nama->text(), QString("PENSIL"));
    QVERIFY(s.hapus->isEnabled() && s.simpan->isEnabled() && !s.baru->isEnabled());
    QCOMPARE(s.grid->Rows(), 2);  // the grid is not changed
    // Saving in place: a change, no question.
    s.nama->setText("PENSIL 2B");
    p.expect("DATA Produk TELAH DIUBAH", ui::vbOK, "Konfirmasi", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Nama_Produk FROM Produk"), QString("PENSIL 2B"));
    QCOMPARE(s.kode->text(), QString("001.002"));
  }

  void pickingAnotherGroupWhileEditingAddsThere() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    p.expect(Kosong);
    pick(s.grup, "002");
    QCOMPARE(s.kode->text(), QString("002.001"));
    p.expect(Tersimpan);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 2);
    QCOMPARE(db->scalar("SELECT Kode_Grup FROM Produk WHERE Kode_Produk='001.001'"), QString("001"));
    QCOMPARE(db->scalar("SELECT Nama_Produk FROM Produk WHERE Kode_Produk='002.001'"), QString("PENSIL"));
  }

  void cancellingAfterAPickListsAllProducts() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    db->exec("INSERT INTO Produk VALUES ('002.001','002','BATIK')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    pick(s.grup, "002");
    QCOMPARE(s.grid->Rows(), 2);
    s.keluar->click();
    QCOMPARE(s.grid->Rows(), 3);
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    QCOMPARE(s.grup->currentText(), QString());
    QCOMPARE(s.kode->text(), QString());
    QCOMPARE(s.grup->count(), 2);
    QVERIFY(!s.grup->isEnabled());
    VERIFY_PROMPTS(p);
  }

  void deleteAsksFirst() {
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\nKODE : 001.001\r\nNAMA : PENSIL\r\n", ui::vbNo, "Awass",
             ui::vbQuestion);
    s.hapus->click();
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    QCOMPARE(s.nama->text(), QString());
    QCOMPARE(db->count("Produk"), 1);
    doubleClickRow(s.grid, 1);
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\nKODE : 001.001\r\nNAMA : PENSIL\r\n", ui::vbYes);
    p.expect(Kosong);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 0);
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
  }
};

REGISTER_TEST(ProdukTest);
#include "ProdukTest.moc"
