// When the store refuses a query, the till, its search dialog and the
// receipt say so instead of "empty", "not found" or a first number, and no
// receipt is laid out without lines.
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "master/frmCariBarang2.h"
#include "transactions/frmCetakJual.h"
#include "transactions/frmPenjualan.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

class GagalTokoTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() { db = toko::BukaToko(); }
  void cleanup() { delete db; }

  // A search the store refuses has not found "nothing": it is shown, and the
  // typed text stays.
  void searchDialog() {
    ScriptedPrompter p;
    QDialog pemanggil;
    frmCariBarang2 w(&pemanggil);
    db->exec("ALTER TABLE Grup RENAME TO Grup_lama");
    p.expectStart("GAGAL MEMBACA DATA Grup, Produk, Barang\r\n", ui::vbOK, "Error", ui::vbCritical);
    typeInto(child<QLineEdit>(&w, "txtCari"), "s");
    VERIFY_PROMPTS(p);
    QCOMPARE(child<QLineEdit>(&w, "txtCari")->text(), QString("s"));
  }

  void tillNumberAndLookup() {
    ScriptedPrompter p;
    frmPenjualan w;
    w.show();
    db->exec("ALTER TABLE Penjualan RENAME TO Penjualan_lama");
    p.expectStart("GAGAL MEMBACA DATA Penjualan\r\n", ui::vbOK, "Error", ui::vbCritical);
    child<QPushButton>(&w, "TbBaru")->click();
    QCOMPARE(child<QLineEdit>(&w, "TxtNoNota")->text(), QString());  // not JL-0000001 again
    db->exec("ALTER TABLE Barang RENAME TO Barang_lama");
    p.expectStart("GAGAL MEMBACA DATA Barang\r\n", ui::vbOK, "Error", ui::vbCritical);
    typeInto(child<QLineEdit>(&w, "txtKodeG"), "001");
    typeInto(child<ui::MaskEdBox>(&w, "TxtKode"), "002003\r");
    VERIFY_PROMPTS(p);
    QCOMPARE(child<QLineEdit>(&w, "TxtNama")->text(), QString());
  }

  // The receipt reads the sale back; when that fails right after the save,
  // the person is told once, naming the receipt, and no empty receipt window
  // opens.
  void receiptAfterSave() {
    frmPenjualan w;
    w.show();
    QList<ui::Message> pesan;
    const ui::Prompter semula = ui::CurrentPrompter();
    ui::SetPrompter([&](const ui::Message& m) {
      pesan << m;
      if (m.text == "DATA TRANSAKSI TELAH TERSIMPAN") db->exec("ALTER TABLE Barang RENAME TO Barang_lama");
      return int(ui::vbOK);
    });
    child<QPushButton>(&w, "TbBaru")->click();
    typeInto(child<QLineEdit>(&w, "txtKodeG"), "001");
    typeInto(child<ui::MaskEdBox>(&w, "TxtKode"), "002003\r");
    typeInto(child<QLineEdit>(&w, "TxtJumlah"), "2");
    child<QPushButton>(&w, "TbMasuk")->click();
    typeInto(child<QLineEdit>(&w, "TxtUBayar"), "5000");
    ModalScript m;
    child<QPushButton>(&w, "TbSimpan")->click();
    ui::SetPrompter(semula);
    QCOMPARE(m.shown, QStringList());
    QCOMPARE(pesan.size(), 2);
    QCOMPARE(pesan[0].text, QString("DATA TRANSAKSI TELAH TERSIMPAN"));
    const ui::Message& nota = pesan[1];
    QVERIFY2(nota.title == "Error" && nota.icon == ui::vbCritical &&
                 nota.text.startsWith("NOTA JL-0000001 TIDAK DAPAT DITAMPILKAN\r\nGAGAL MEMBACA RINCIAN BARANG") &&
                 nota.text.contains(NoSuchTable("Barang")),
             qPrintable(nota.text));
    QCOMPARE(db->count("Penjualan_Detail"), 1);
    // The sale is stored and the till is at rest for the next one.
    QCOMPARE(child<QPushButton>(&w, "TbKeluar")->text(), QString("&Keluar"));
  }
};

REGISTER_TEST(GagalTokoTest);
#include "GagalTest.moc"
