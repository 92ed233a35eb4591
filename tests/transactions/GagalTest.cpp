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

namespace {
bool Gagal(const ui::Message& m, const QString& tabel) {
  return m.title == "Error" && m.icon == ui::vbCritical && m.text.startsWith("GAGAL MEMBACA DATA ") &&
         m.text.contains("no such table: " + tabel);
}
}  // namespace

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
  // the person is told, and there is no receipt of no lines to print.
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
    m.then([&](QDialog* d) {
      auto* nota = qobject_cast<frmCetakJual*>(d);
      QVERIFY(nota);
      QCOMPARE(nota->Teks(), QString());
      child<QPushButton>(d, "cmdCetak")->click();
    });
    QTemporaryDir dir;
    ui::SetPrinterFactory([&dir] {
      auto p = std::make_unique<QPrinter>();
      p->setOutputFormat(QPrinter::PdfFormat);
      p->setOutputFileName(dir.filePath("nota.pdf"));
      return p;
    });
    child<QPushButton>(&w, "TbSimpan")->click();
    ui::SetPrinterFactory({});
    ui::SetPrompter(semula);
    QCOMPARE(m.shown, QStringList{"frmCetakJual"});
    QCOMPARE(pesan.size(), 3);
    QCOMPARE(pesan[0].text, QString("DATA TRANSAKSI TELAH TERSIMPAN"));
    QVERIFY2(Gagal(pesan[1], "Barang"), qPrintable(pesan[1].text));
    QVERIFY(pesan[2].text.startsWith("Belum ada data yang akan dicetak!"));
    QCOMPARE(db->count("Penjualan_Detail"), 1);
  }
};

REGISTER_TEST(GagalTokoTest);
#include "GagalTest.moc"
