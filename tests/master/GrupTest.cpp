// The item-group screen: the shape every master screen shares (rest, new and
// edit states, colours, the two questions) on its simplest table.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "master/frmGrup.h"
#include "ui/Seams.h"

using namespace testsupport;
using namespace mastertest;

namespace {
const QString Kosong = "DATA GRUP MASIH KOSONG!";
const QString Tersimpan = "DATA BARU TELAH TERSIMPAN";
const QString Panjang = "KODE GRUP HARUS 3 DIGIT";

struct Layar {
  frmGrup w;
  QLineEdit* kode = child<QLineEdit>(&w, "txtKode");
  QLineEdit* nama = child<QLineEdit>(&w, "txtNama");
  QPushButton* baru = child<QPushButton>(&w, "TbBaru");
  QPushButton* simpan = child<QPushButton>(&w, "TbSimpan");
  QPushButton* hapus = child<QPushButton>(&w, "TbHapus");
  QPushButton* keluar = child<QPushButton>(&w, "TbKeluar");
  ui::FlexGrid* grid = child<ui::FlexGrid>(&w, "GridGrup");
  Layar() { showActive(&w); }
};

void expectRest(Layar& s) {
  for (QLineEdit* t : {s.kode, s.nama}) {
    QVERIFY(!t->isEnabled());
    QCOMPARE(back(t), ui::Kuning);
    QCOMPARE(t->text(), QString());
  }
  QVERIFY(s.baru->isEnabled());
  QVERIFY(!s.simpan->isEnabled());
  QVERIFY(!s.hapus->isEnabled());
  QCOMPARE(s.keluar->text(), QString("&Keluar"));
}
}  // namespace

class GrupTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() { db = new TempDb; }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void emptyTableAtOpening() {
    ScriptedPrompter p;
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    Layar s;
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w.windowTitle(), QString("   ::  MANAJEMEN GRUP PRODUK"));
    QCOMPARE(s.grid->Rows(), 2);
    QCOMPARE(gridRow(s.grid, 0), QStringList({"NO", "KODE", "NAMA GRUP"}));
    QCOMPARE(gridRow(s.grid, 1), QStringList({"", "", ""}));
    QCOMPARE(s.grid->ColWidth(0), 400);
    QCOMPARE(s.grid->ColWidth(1), 800);
    QCOMPARE(s.grid->ColWidth(2), 5700);
    QCOMPARE(s.grid->toolTip(), QString("KLIK GANDA DISINI UNTUK MERUBAH DATA ..!"));
    QCOMPARE(child<QLabel>(&s.w, "Label3")->text(), QString("*) Harus 3 digit"));
    QCOMPARE(s.kode->maxLength(), 3);
    QCOMPARE(s.nama->maxLength(), 60);
    expectRest(s);
    QVERIFY(!s.kode->isReadOnly());
    QVERIFY(ui::HasWindow("frmGrup"));
  }

  void newGroupIsStoredInCapitalsWithoutOuterBlanks() {
    ScriptedPrompter p;
    p.expect(Kosong);  // once: TbBaru refreshes the grid, still empty, without saying it again
    p.expect(Tersimpan, ui::vbOK, "Info", ui::vbInformation);
    Layar s;
    s.baru->click();
    QVERIFY(s.kode->isEnabled());
    QCOMPARE(back(s.kode), ui::Putih);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QVERIFY(!s.baru->isEnabled() && s.simpan->isEnabled() && !s.hapus->isEnabled());
    QCOMPARE(s.w.focusWidget(), s.kode);
    typeInto(s.kode, "kaiN");  // a fourth character does not fit
    QCOMPARE(s.kode->text(), QString("KAI"));
    typeInto(s.kode, "\r");
    QCOMPARE(s.w.focusWidget(), s.nama);
    typeInto(s.nama, "  kain  batik  \r");
    QCOMPARE(s.nama->text(), QString("  KAIN  BATIK  "));
    QCOMPARE(s.w.focusWidget(), s.simpan);  // TbBaru is disabled, Enter skips it
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Nama_Grup FROM Grup WHERE Kode_Grup='KAI'"), QString("KAIN  BATIK"));
    expectRest(s);
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "KAI", "KAIN  BATIK"}));
  }

  void wrongCodeLengthsKeepTheEntry() {
    db->exec("INSERT INTO Grup VALUES ('001','ALAT')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    for (const QString& kode : {QString(), QString("A"), QString("AB"), QString("AB ")}) {
      s.kode->setText(kode);
      s.nama->setText("SEMBAKO");
      s.nama->setFocus();
      p.expect(Panjang, ui::vbOK, "Error", ui::vbCritical);
      s.simpan->click();
      VERIFY_PROMPTS(p);
      QCOMPARE(s.w.focusWidget(), s.kode);
      QCOMPARE(s.keluar->text(), QString("&Normal"));
      QCOMPARE(s.nama->text(), QString("SEMBAKO"));
    }
    s.kode->setText("A-$");
    s.nama->clear();
    p.expect("NAMA GRUP BELUM DIISI", ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    QCOMPARE(s.w.focusWidget(), s.nama);
    s.nama->setText("   ");  // blanks only are no name either
    p.expect("NAMA GRUP BELUM DIISI", ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    s.nama->setText("TANDA");
    p.expect(Tersimpan);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Grup"), 2);
    QCOMPARE(db->scalar("SELECT Nama_Grup FROM Grup WHERE Kode_Grup='A-$'"), QString("TANDA"));
  }

  void existingCodeInNewStateAsksToRename() {
    db->exec("INSERT INTO Grup VALUES ('001','ALAT')");
    const QString tanya = "AKAN MERUBAH DATA GRUP? DARI : \r\nGrup Lama : ALAT\r\nGrup Baru : PERKAKAS \r\n";
    ScriptedPrompter p;
    Layar s;
    // No: nothing is written, the screen is back at rest with a fresh grid.
    s.baru->click();
    s.kode->setText("001");
    s.nama->setText("PERKAKAS ");
    p.expect(tanya, ui::vbNo, "Awass", ui::vbQuestion);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(mdlUtama::Pesan, QString::number(ui::vbNo));
    QCOMPARE(db->scalar("SELECT Nama_Grup FROM Grup"), QString("ALAT"));
    expectRest(s);
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "001", "ALAT"}));
    // Yes: the same row is renamed, no second row appears.
    s.baru->click();
    s.kode->setText("001");
    s.nama->setText("PERKAKAS ");
    p.expect(tanya, ui::vbYes, "Awass", ui::vbQuestion);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Grup"), 1);
    QCOMPARE(db->scalar("SELECT Nama_Grup FROM Grup"), QString("PERKAKAS"));
    expectRest(s);
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "001", "PERKAKAS"}));
  }

  void doubleClickLoadsARowAndLocksTheCode() {
    db->exec("INSERT INTO Grup VALUES ('001','ALAT')");
    db->exec("INSERT INTO Grup VALUES ('002','BAHAN')");
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    s.kode->setText("XYZ");
    s.nama->setText("KETIK");
    doubleClickRow(s.grid, 2);
    QCOMPARE(s.kode->text(), QString("002"));
    QCOMPARE(s.nama->text(), QString("BAHAN"));
    QVERIFY(s.kode->isReadOnly());
    QVERIFY(s.hapus->isEnabled() && s.simpan->isEnabled() && !s.baru->isEnabled());
    QCOMPARE(s.w.focusWidget(), s.nama);
    // The lock stays after cancelling; TbBaru unlocks it again.
    s.keluar->click();
    expectRest(s);
    QVERIFY(s.kode->isReadOnly());
    s.baru->click();
    QVERIFY(!s.kode->isReadOnly());
    VERIFY_PROMPTS(p);
  }

  void deleteAnsweredNoThenYes() {
    db->exec("INSERT INTO Grup VALUES ('001','ALAT')");
    const QString tanya = "YAKIN AKAN MENGHAPUS DATA INI?\r\nKODE : 001\r\nNAMA : ALAT\r\n";
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    p.expect(tanya, ui::vbNo, "Awass", ui::vbQuestion);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    expectRest(s);
    QCOMPARE(db->count("Grup"), 1);
    doubleClickRow(s.grid, 1);
    p.expect(tanya, ui::vbYes, "Awass", ui::vbQuestion);
    p.expect(Kosong, ui::vbOK, "Perhatian", ui::vbInformation);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Grup"), 0);
    expectRest(s);
    QCOMPARE(s.grid->Rows(), 2);
    QCOMPARE(gridRow(s.grid, 1), QStringList({"", "", ""}));
  }

  void namesAndCodesWithQuotes() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    typeInto(s.kode, "o'n");
    typeInto(s.nama, "kain 'batik'");
    p.expect(Tersimpan);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Nama_Grup FROM Grup WHERE Kode_Grup='O''N'"), QString("KAIN 'BATIK'"));
    QCOMPARE(gridRow(s.grid, 1), QStringList({"1", "O'N", "KAIN 'BATIK'"}));
    doubleClickRow(s.grid, 1);
    QCOMPARE(s.nama->text(), QString("KAIN 'BATIK'"));
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\nKODE : O'N\r\nNAMA : KAIN 'BATIK'\r\n", ui::vbYes);
    p.expect(Kosong);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Grup"), 0);
  }

  void doubleClickOnTheEmptyGridReportsAnEmptyTable() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    p.expect("TABEL MASIH KOSONG", ui::vbOK, "Perhatian", ui::vbInformation);
    doubleClickRow(s.grid, 1);
    VERIFY_PROMPTS(p);
    // The screen is in the editing state all the same, with empty boxes.
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QVERIFY(s.nama->isEnabled() && s.hapus->isEnabled() && !s.baru->isEnabled());
    QCOMPARE(s.kode->text(), QString());
  }

  void aListOf400GroupsFillsAndLoads() {
    db->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<400) "
             "INSERT INTO Grup SELECT printf('%03d', i), 'GRUP ' || i FROM n");
    ScriptedPrompter p;
    Layar s;
    QCOMPARE(s.grid->Rows(), 401);
    QCOMPARE(gridRow(s.grid, 400), QStringList({"400", "400", "GRUP 400"}));
    doubleClickRow(s.grid, 300);
    QCOMPARE(s.kode->text(), QString("300"));
    QCOMPARE(s.nama->text(), QString("GRUP 300"));
    VERIFY_PROMPTS(p);
  }

  void keluarClosesOnlyAtRest() {
    ScriptedPrompter p;
    p.expect(Kosong);
    Layar s;
    s.baru->click();
    s.kode->setText("001");
    s.nama->setText("ALAT");
    s.keluar->click();  // cancels the entry
    QVERIFY(s.w.isVisible());
    expectRest(s);
    QCOMPARE(db->count("Grup"), 0);
    s.keluar->click();
    QVERIFY(!s.w.isVisible());
    VERIFY_PROMPTS(p);
  }
};

REGISTER_TEST(GrupTest);
#include "GrupTest.moc"
