// The cash ledger: entry numbers, the checks, what a save stores (the date
// of saving, the description as typed, only the two directions), the list,
// and a save the store refuses.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "TestSupport.h"
#include "Toko.h"
#include "core/mdlUtama.h"
#include "transactions/frmTransaksi.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;

namespace {
QLineEdit* kotak(QWidget* w, const char* n) { return child<QLineEdit>(w, n); }
QPushButton* tombol(QWidget* w, const char* n) { return child<QPushButton>(w, n); }
QComboBox* arah(QWidget* w) { return child<QComboBox>(w, "cmbDK"); }
}  // namespace

class RekeningTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() { db = toko::BukaToko(); }
  void cleanup() { delete db; }

  // The first entry ever: the empty ledger is said once on opening, never
  // again after the save; the entry is dated today whatever the date box
  // shows, its description is stored as typed, and the list shows it.
  void firstEntryEver() {
    ScriptedPrompter p;
    p.expect("DATA REKENING MASIH KOSONG!", ui::vbOK, "Perhatian", ui::vbInformation);
    frmTransaksi w;
    w.show();
    VERIFY_PROMPTS(p);
    QCOMPARE(w.windowTitle(), QString("  :: REKENING TRANSAKSI"));
    QVERIFY(!arah(&w)->isEnabled());
    tombol(&w, "TbBaru")->click();
    QCOMPARE(kotak(&w, "TxtNoRekening")->text(), QString("RK-0000001"));
    QCOMPARE(tombol(&w, "TbKeluar")->text(), QString("&Batal"));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(arah(&w)));
    child<ui::MaskEdBox>(&w, "TxtTgl")->SetText("01/01/2020");
    arah(&w)->setCurrentIndex(1);
    const QString teks = "Bayar listrik Jan'24 \"lunas\" -- ; DROP TABLE Rekening";
    kotak(&w, "txtTransaksi")->setText(teks);
    typeInto(kotak(&w, "TxtJumlah"), "150000");
    p.expect("DATA REKENING TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    tombol(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT kode || '|' || tanggal || '|' || dk || '|' || jumlah || '|' || typeof(jumlah) "
                        "FROM Rekening"),
             QString("RK-0000001|2024-03-15|KREDIT|150000|integer"));
    QCOMPARE(db->scalar("SELECT transaksi FROM Rekening"), teks);
    auto* g = child<ui::FlexGrid>(&w, "GridRekening");
    QCOMPARE(g->Rows(), 2);
    QCOMPARE(g->TextMatrix(1, 0), QString("RK-0000001"));
    QCOMPARE(g->TextMatrix(1, 1), QString("3/15/2024"));
    QCOMPARE(g->TextMatrix(1, 2), QString("KREDIT"));
    QCOMPARE(g->TextMatrix(1, 3), teks);
    QCOMPARE(g->TextMatrix(1, 4), QString("150000"));
    QCOMPARE(tombol(&w, "TbKeluar")->text(), QString("&Keluar"));
    QCOMPARE(arah(&w)->currentText(), QString());
  }

  // The number follows the highest stored one, whatever order the rows
  // come in; the list is in number order.
  void numbersAndList() {
    db->exec("INSERT INTO Rekening VALUES ('RK-0000009','2024-03-10','DEBET','Modal',500000)");
    db->exec("INSERT INTO Rekening VALUES ('RK-0000002','2024-03-01','KREDIT','Sewa',100000)");
    frmTransaksi w;
    w.show();
    auto* g = child<ui::FlexGrid>(&w, "GridRekening");
    QCOMPARE(g->Rows(), 3);
    QCOMPARE(g->TextMatrix(1, 0), QString("RK-0000002"));
    QCOMPARE(g->TextMatrix(2, 3), QString("Modal"));
    tombol(&w, "TbBaru")->click();
    QCOMPARE(kotak(&w, "TxtNoRekening")->text(), QString("RK-0000010"));
    // Abandoned: nothing stored, the list as it was.
    tombol(&w, "TbKeluar")->click();
    QCOMPARE(db->count("Rekening"), 2);
    QCOMPARE(g->Rows(), 3);
    QCOMPARE(kotak(&w, "TxtNoRekening")->text(), QString());
  }

  // The checks in their order; a direction can only be one of the two
  // entries, so typed words never reach the ledger; the amount takes digits
  // only, nine at most, and 0 is an amount.
  void checksAndDirection() {
    db->exec("INSERT INTO Rekening VALUES ('RK-0000001','2024-03-10','DEBET','Modal',500000)");
    frmTransaksi w;
    w.show();
    tombol(&w, "TbBaru")->click();
    ScriptedPrompter p;
    kotak(&w, "txtTransaksi")->setText("Sewa");
    p.expect("DEBET / KREDIT BELUM DIPILIH", ui::vbOK, "Error", ui::vbCritical);
    tombol(&w, "TbSimpan")->click();
    QCOMPARE(arah(&w)->count(), 2);
    QVERIFY(!arah(&w)->isEditable());
    typeInto(arah(&w), "LAIN");
    QVERIFY(arah(&w)->currentText() != "LAIN");
    arah(&w)->setCurrentIndex(-1);
    p.expect("DEBET / KREDIT BELUM DIPILIH", ui::vbOK, "Error", ui::vbCritical);
    tombol(&w, "TbSimpan")->click();
    arah(&w)->setCurrentIndex(0);
    kotak(&w, "txtTransaksi")->setText("   ");
    p.expect("KETERANGAN TRANSAKSI MASIH KOSONG", ui::vbOK, "Error", ui::vbCritical);
    tombol(&w, "TbSimpan")->click();
    kotak(&w, "txtTransaksi")->setText("Setoran");
    p.expect("JUMLAH MASIH KOSONG", ui::vbOK, "Error", ui::vbCritical);
    tombol(&w, "TbSimpan")->click();
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(kotak(&w, "TxtJumlah")));
    VERIFY_PROMPTS(p);

    BeepCounter beep;
    typeInto(kotak(&w, "TxtJumlah"), "1x23456789");
    typeInto(kotak(&w, "TxtJumlah"), "0");
    QCOMPARE(kotak(&w, "TxtJumlah")->text(), QString("123456789"));
    QCOMPARE(beep.count, 2);  // the letter, and the tenth digit: refused, not cut
    kotak(&w, "TxtJumlah")->setText("0");
    p.expect("DATA REKENING TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    tombol(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT dk || jumlah FROM Rekening WHERE kode='RK-0000002'"), QString("DEBET0"));
  }

  // An insert the store refuses is not reported as saved; the entry stays
  // open and is saved once the store takes it.
  void failedInsertKeepsTheEntry() {
    db->exec("INSERT INTO Rekening VALUES ('RK-0000001','2024-03-10','DEBET','Modal',500000)");
    db->exec("CREATE TRIGGER tolak BEFORE INSERT ON Rekening BEGIN SELECT RAISE(ABORT, 'buku ditutup'); END");
    frmTransaksi w;
    w.show();
    tombol(&w, "TbBaru")->click();
    arah(&w)->setCurrentIndex(0);
    kotak(&w, "txtTransaksi")->setText("Setoran");
    kotak(&w, "TxtJumlah")->setText("2500");
    ScriptedPrompter p;
    p.expectStart("DATA TRANSAKSI GAGAL DISIMPAN!", ui::vbOK, "Error", ui::vbCritical);
    tombol(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QVERIFY(p.seen[0].text.contains("buku ditutup"));
    QCOMPARE(tombol(&w, "TbKeluar")->text(), QString("&Batal"));
    QCOMPARE(kotak(&w, "TxtJumlah")->text(), QString("2500"));
    QCOMPARE(db->count("Rekening"), 1);
    db->exec("DROP TRIGGER tolak");
    p.expect("DATA REKENING TELAH TERSIMPAN !", ui::vbOK, "Info", ui::vbInformation);
    tombol(&w, "TbSimpan")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT transaksi || jumlah FROM Rekening WHERE kode='RK-0000002'"), QString("Setoran2500"));
  }
};

REGISTER_TEST(RekeningTest);
#include "RekeningTest.moc"
