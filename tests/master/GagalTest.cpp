// When the store refuses a query, the master screens say so instead of
// "not chosen" or handing out a code; and a record that other rows still
// name is never deleted.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "master/frmBarang.h"
#include "master/frmGrup.h"
#include "master/frmProduk.h"

using namespace testsupport;
using namespace mastertest;

namespace {
void Gagal(ScriptedPrompter& p, const QString& tabel) {
  p.expectStart("GAGAL MEMBACA DATA " + tabel + "\r\n", ui::vbOK, "Error", ui::vbCritical);
}
}  // namespace

class GagalMasterTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = new TempDb;
    db->exec("INSERT INTO Grup VALUES ('001','ALAT TULIS')");
    db->exec("INSERT INTO Produk VALUES ('001.001','001','PENSIL')");
    db->exec("INSERT INTO Barang VALUES ('001.001.001','001.001','PENSIL 2B','Unit',1000,1500,3)");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void productScreen() {
    ScriptedPrompter p;
    frmProduk w;
    showActive(&w);
    auto* grup = child<QComboBox>(&w, "CmbGrup");
    child<QPushButton>(&w, "TbBaru")->click();
    // The next code is not made from a read that failed.
    db->exec("ALTER TABLE Produk RENAME TO Produk_lama");
    Gagal(p, "Produk");
    pick(grup, "001");
    QCOMPARE(child<QLineEdit>(&w, "txtKode")->text(), QString());
    db->exec("ALTER TABLE Produk_lama RENAME TO Produk");
    // A group the store cannot look up is not a group "not chosen".
    db->exec("ALTER TABLE Grup RENAME TO Grup_lama");
    grup->setEditText("001");
    child<QLineEdit>(&w, "txtNama")->setText("SPIDOL");
    Gagal(p, "Grup");
    child<QPushButton>(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Produk"), 1);
  }

  void itemScreen() {
    ScriptedPrompter p;
    frmBarang w;
    showActive(&w);
    child<QPushButton>(&w, "TbBaru")->click();
    db->exec("ALTER TABLE Produk RENAME TO Produk_lama");
    child<QComboBox>(&w, "cmbProduk")->setEditText("001.001");
    child<QLineEdit>(&w, "txtNama")->setText("PENSIL 4B");
    child<QComboBox>(&w, "cmbSatuan")->setEditText("Unit");
    Gagal(p, "Produk");
    child<QPushButton>(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Barang"), 1);
  }

  // Lists and reports join on these codes: the record's history would vanish.
  void referencedRecordIsNotDeleted_data() {
    QTest::addColumn<int>("layar");
    QTest::addColumn<QString>("tabel");
    QTest::addColumn<QString>("pesan");
    QTest::newRow("group with a product") << 0 << "Grup" << "1 DATA PRODUK";
    QTest::newRow("product with items") << 1 << "Produk" << "2 DATA BARANG";
    QTest::newRow("item sold and bought") << 2 << "Barang" << "2 BARIS PENJUALAN\r\n1 BARIS PEMBELIAN";
  }
  void referencedRecordIsNotDeleted() {
    QFETCH(int, layar);
    QFETCH(QString, tabel);
    QFETCH(QString, pesan);
    db->exec("INSERT INTO Barang VALUES ('001.001.002','001.001','PENSIL HB','Unit',1000,1500,3)");
    db->exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.001.001',1500,1,1500)");
    db->exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000002','001.001.001',1500,2,3000)");
    db->exec("INSERT INTO Pembelian_Detail VALUES ('BL-0000001','001.001.001',1000,5,5000)");
    ScriptedPrompter p;
    std::unique_ptr<QDialog> w;
    if (layar == 0) w = std::make_unique<frmGrup>();
    if (layar == 1) w = std::make_unique<frmProduk>();
    if (layar == 2) w = std::make_unique<frmBarang>();
    showActive(w.get());
    doubleClickRow(w->findChild<ui::FlexGrid*>(), 1);
    const qint64 sebelum = db->count(tabel);
    p.expect("DATA TIDAK DAPAT DIHAPUS, MASIH DIPAKAI OLEH:\r\n" + pesan, ui::vbOK, "Error", ui::vbCritical);
    child<QPushButton>(w.get(), "TbHapus")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count(tabel), sebelum);
    QCOMPARE(child<QPushButton>(w.get(), "TbKeluar")->text(), QString("&Normal"));
  }
};

REGISTER_TEST(GagalMasterTest);
#include "GagalTest.moc"
