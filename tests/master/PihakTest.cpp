// Suppliers and customers: codes the program makes, records stored as typed
// (quotes, blanks, an untouched telephone box), the save's checks on what
// would be stored, changes in place; and on all three new screens, the row
// double-clicked is the row used however far down the list it is.
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "toko/Kode.h"
#include "db/Sql.h"
#include "ui/MaskEdBox.h"

using namespace testsupport;
using namespace mastertest;

namespace {
const QString Tersimpan = "DATA BARU TELAH TERSIMPAN";
const QString KosongTelepon = "[____]-________";

bool pemasok(const QString& layar) { return layar == "frmPemasok"; }
QString kosong(const QString& layar) {
  return pemasok(layar) ? "Tabel Pemasok masih kosong!" : "Tabel Pelanggan masih kosong!";
}
QString tabel(const QString& layar) { return pemasok(layar) ? "Pemasok" : "Pelanggan"; }
QString kolomKode(const QString& layar) { return pemasok(layar) ? "Kode_Pemasok" : "Kode_Pelanggan"; }
QString kolomNama(const QString& layar) { return pemasok(layar) ? "Nama_Pemasok" : "Nama_Pelanggan"; }

void tambah(TempDb* db, const QString& layar, const QString& kode, const QString& nama) {
  if (pemasok(layar))
    db->exec("INSERT INTO Pemasok VALUES (" + db::Quote(kode) + "," + db::Quote(nama) +
             ",'Jl. Gudang 2','Denpasar','Bali','[0361]-234567__','[____]-________','Wayan')");
  else
    db->exec("INSERT INTO Pelanggan VALUES (" + db::Quote(kode) + "," + db::Quote(nama) +
             ",'Jl. Pasar 1','[0361]-234567__')");
}

struct Layar {
  std::unique_ptr<QDialog> w;
  QLineEdit* kode;
  QLineEdit* nama;
  QPlainTextEdit* alamat;
  ui::MaskEdBox* telepon;
  QPushButton *baru, *simpan, *hapus, *keluar;
  ui::FlexGrid* grid;
  explicit Layar(const QString& layar) : w(ui::CreateWindow(layar)) {
    kode = child<QLineEdit>(w.get(), "txtKode");
    nama = child<QLineEdit>(w.get(), "txtNama");
    alamat = child<QPlainTextEdit>(w.get(), "txtAlamat");
    telepon = child<ui::MaskEdBox>(w.get(), "txtTelepon");
    baru = child<QPushButton>(w.get(), "TbBaru");
    simpan = child<QPushButton>(w.get(), "TbSimpan");
    hapus = child<QPushButton>(w.get(), "TbHapus");
    keluar = child<QPushButton>(w.get(), "TbKeluar");
    grid = w->findChild<ui::FlexGrid*>();
    showActive(w.get());
  }
  // Every box the save requires, filled.
  void isiWajib() {
    nama->setText("TOKO MAJU");
    alamat->setPlainText("Jl. Pasar 1");
    for (const char* n : {"txtKota", "txtPropinsi"})
      if (auto* t = w->findChild<QLineEdit*>(n)) t->setText("BALI");
  }
};
}  // namespace

class PihakTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() { db = new TempDb; }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void codes_data() {
    QTest::addColumn<QString>("layar");
    QTest::addColumn<QStringList>("ada");  // codes stored, in this order
    QTest::addColumn<QString>("harap");    // "" when no code can be made
    QTest::newRow("first customer") << "frmPelanggan" << QStringList{} << "PG001";
    QTest::newRow("after PG009") << "frmPelanggan" << QStringList{"PG001", "PG009"} << "PG010";
    QTest::newRow("PS041 stored before PS005") << "frmPemasok" << QStringList{"PS041", "PS005"} << "PS042";
    QTest::newRow("after PS999") << "frmPemasok" << QStringList{"PS001", "PS999"} << "";
    QTest::newRow("after PG999") << "frmPelanggan" << QStringList{"PG999"} << "";
  }
  void codes() {
    QFETCH(QString, layar);
    QFETCH(QStringList, ada);
    QFETCH(QString, harap);
    for (const QString& k : ada) tambah(db, layar, k, "NAMA " + k);
    ScriptedPrompter p;
    if (ada.isEmpty()) p.expect(kosong(layar), ui::vbOK, "Perhatian", ui::vbInformation);
    Layar s(layar);
    if (harap.isEmpty())
      p.expect(toko::NextCode(layar == "frmPemasok" ? "PS" : "PG", 3, ada.last()).error, ui::vbOK, "Error",
               ui::vbCritical);
    s.baru->click();
    VERIFY_PROMPTS(p);
    if (harap.isEmpty()) {
      // Nothing to enter: the screen stays at rest, so nothing can be saved.
      QCOMPARE(s.kode->text(), QString());
      QCOMPARE(s.keluar->text(), QString("&Keluar"));
      QVERIFY(!s.simpan->isEnabled() && s.baru->isEnabled());
      QCOMPARE(db->count(tabel(layar)), ada.size());
      return;
    }
    QCOMPARE(s.kode->text(), harap);
    QVERIFY(!s.kode->isEnabled());
    QCOMPARE(s.w->focusWidget(), s.nama);
    s.isiWajib();
    p.expect(Tersimpan, ui::vbOK, "INFO", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT count(*) FROM " + tabel(layar) + " WHERE " + kolomKode(layar) + "='" + harap + "'"),
             QString("1"));
  }

  void newRecordIsStoredAsTyped_data() {
    QTest::addColumn<QString>("layar");
    QTest::newRow("supplier") << "frmPemasok";
    QTest::newRow("customer") << "frmPelanggan";
  }
  void newRecordIsStoredAsTyped() {
    QFETCH(QString, layar);
    ScriptedPrompter p;
    p.expect(kosong(layar));
    Layar s(layar);
    s.baru->click();
    QCOMPARE(s.telepon->Text(), KosongTelepon);
    s.isiWajib();
    s.nama->clear();
    typeInto(s.nama, "  Toko 'Maju'  Jaya ");
    s.alamat->clear();
    s.alamat->setFocus();
    typeInto(s.alamat, "Jl. O'Brien 5\r");
    // Enter never starts a line; it leaves the box for the save.
    QCOMPARE(s.alamat->toPlainText(), QString("Jl. O'Brien 5"));
    QCOMPARE(s.w->focusWidget(), s.simpan);
    p.expect(Tersimpan, ui::vbOK, "INFO", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    const QString kode = pemasok(layar) ? "PS001" : "PG001";
    const QString where = " FROM " + tabel(layar) + " WHERE " + kolomKode(layar) + "='" + kode + "'";
    QCOMPARE(db->scalar("SELECT " + kolomNama(layar) + where), QString("Toko 'Maju'  Jaya"));
    QCOMPARE(db->scalar("SELECT Alamat" + where), QString("Jl. O'Brien 5"));
    QCOMPARE(db->scalar("SELECT No_Telepon" + where), KosongTelepon);
    if (pemasok(layar)) QCOMPARE(db->scalar("SELECT No_Fax" + where), KosongTelepon);
    QCOMPARE(s.grid->TextMatrix(1, 2), QString("Toko 'Maju'  Jaya"));
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    doubleClickRow(s.grid, 1);
    QCOMPARE(s.nama->text(), QString("Toko 'Maju'  Jaya"));
    QCOMPARE(s.telepon->Text(), KosongTelepon);
  }

  void checksOnTrimmedText_data() {
    QTest::addColumn<QString>("layar");
    QTest::addColumn<QString>("kotak");
    QTest::addColumn<QString>("pesan");
    QTest::newRow("supplier name") << "frmPemasok" << "txtNama" << "NAMA TIDAK BOLEH KOSONG!";
    QTest::newRow("supplier address") << "frmPemasok" << "txtAlamat" << "ALAMAT TIDAK BOLEH KOSONG";
    QTest::newRow("supplier city") << "frmPemasok" << "txtKota" << "KOTA TIDAK BOLEH KOSONG";
    QTest::newRow("supplier province") << "frmPemasok" << "txtPropinsi" << "PROPINSI TIDAK BOLEH KOSONG";
    QTest::newRow("customer name") << "frmPelanggan" << "txtNama" << "NAMA TIDAK BOLEH KOSONG!";
    QTest::newRow("customer address") << "frmPelanggan" << "txtAlamat" << "ALAMAT TIDAK BOLEH KOSONG";
  }
  void checksOnTrimmedText() {
    QFETCH(QString, layar);
    QFETCH(QString, kotak);
    QFETCH(QString, pesan);
    ScriptedPrompter p;
    p.expect(kosong(layar));
    Layar s(layar);
    s.baru->click();
    s.isiWajib();
    QWidget* k = child<QWidget>(s.w.get(), kotak);
    if (auto* t = qobject_cast<QLineEdit*>(k)) t->setText("   ");
    if (auto* t = qobject_cast<QPlainTextEdit*>(k)) t->setPlainText("  \t ");
    p.expect(pesan, ui::vbOK, "Error", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w->focusWidget(), k);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QCOMPARE(db->count(tabel(layar)), 0);
  }

  void changeInPlace_data() {
    QTest::addColumn<QString>("layar");
    QTest::addColumn<QString>("pesan");
    QTest::newRow("supplier") << "frmPemasok" << "DATA PEMASOK TELAH DIUBAH";
    QTest::newRow("customer") << "frmPelanggan" << "DATA PELANGGAN TELAH DIUBAH";
  }
  void changeInPlace() {
    QFETCH(QString, layar);
    QFETCH(QString, pesan);
    tambah(db, layar, pemasok(layar) ? "PS007" : "PG007", "LAMA");
    ScriptedPrompter p;
    Layar s(layar);
    doubleClickRow(s.grid, 1);
    QCOMPARE(s.telepon->Text(), QString("[0361]-234567__"));
    QVERIFY(s.hapus->isEnabled() && !s.kode->isEnabled());
    s.nama->setText("BARU ");
    p.expect(pesan, ui::vbOK, "INFO", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count(tabel(layar)), 1);
    QCOMPARE(db->scalar("SELECT " + kolomNama(layar) + " FROM " + tabel(layar)), QString("BARU"));
    // The telephone read back from the box is stored as it was.
    QCOMPARE(db->scalar("SELECT No_Telepon FROM " + tabel(layar)), QString("[0361]-234567__"));
  }

  void telephoneTakesDigitsOnly() {
    ScriptedPrompter p;
    p.expect(kosong("frmPelanggan"));
    BeepCounter beep;
    Layar s("frmPelanggan");
    s.baru->click();
    s.telepon->setFocus();
    typeInto(s.telepon, "03a61-x");
    QCOMPARE(beep.count, 3);
    QCOMPARE(s.telepon->Text(), QString("[0361]-________"));
    typeInto(s.telepon, "\r");
    QCOMPARE(s.w->focusWidget(), s.alamat);
    VERIFY_PROMPTS(p);
  }

  void doubleClickOnRow300UsesRow300_data() {
    QTest::addColumn<QString>("layar");
    QTest::addColumn<QString>("label");
    QTest::newRow("supplier") << "frmPemasok" << "KODE : ";
    QTest::newRow("customer") << "frmPelanggan" << "KODE : ";
    QTest::newRow("user") << "frmPengguna" << "USER ID : ";
  }
  void doubleClickOnRow300UsesRow300() {
    QFETCH(QString, layar);
    QFETCH(QString, label);
    const bool pengguna = layar == "frmPengguna";
    const QString t = pengguna ? "Pengguna" : tabel(layar);
    const QString kolom = pengguna ? "UserId" : kolomKode(layar);
    const QString awal = pengguna ? "U0" : pemasok(layar) ? "PS" : "PG";
    const QString sisa = pengguna ? "'pw','NAMA ' || i,'KASIR'"
                         : pemasok(layar) ? "'NAMA ' || i,'Jl','Kota','Prop','','',''"
                                          : "'NAMA ' || i,'Jl',''";
    db->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<320) INSERT INTO " + t +
             " SELECT '" + awal + "' || printf('%03d', i), " + sisa + " FROM n");
    ScriptedPrompter p;
    std::unique_ptr<QDialog> w(ui::CreateWindow(layar));
    showActive(w.get());
    auto* grid = w->findChild<ui::FlexGrid*>();
    QCOMPARE(grid->Rows(), 321);
    doubleClickRow(grid, 300);
    const QString kode = awal + "300";
    QCOMPARE(child<QLineEdit>(w.get(), pengguna ? "txtUserId" : "txtKode")->text(), kode);
    QCOMPARE(child<QLineEdit>(w.get(), "txtNama")->text(), QString("NAMA 300"));
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\n" + label + kode + "\r\nNAMA : NAMA 300\r\n", ui::vbYes, "Awass",
             ui::vbQuestion);
    child<QPushButton>(w.get(), "TbHapus")->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count(t), 319);
    QCOMPARE(db->scalar("SELECT count(*) FROM " + t + " WHERE " + kolom + "='" + kode + "'"), QString("0"));
    QCOMPARE(grid->Rows(), 320);
  }
};

REGISTER_TEST(PihakTest);
#include "PihakTest.moc"
