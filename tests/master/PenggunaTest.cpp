// The users screen: its opened state, passwords that are never shown and
// never wiped, typed ids that are text and not statements, checks on what
// would be stored, and nobody locked out of the program.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MasterUtil.h"
#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"
#include "db/Password.h"
#include "master/frmPengguna.h"

using namespace testsupport;
using namespace mastertest;

namespace {
const QString Sukses = "DATA PENGGUNA BARU TELAH TERSIMPAN";

struct Layar {
  frmPengguna w;
  QLineEdit* id = child<QLineEdit>(&w, "txtUserId");
  QLineEdit* sandi = child<QLineEdit>(&w, "txtPassword");
  QLineEdit* nama = child<QLineEdit>(&w, "txtNama");
  QComboBox* level = child<QComboBox>(&w, "cmbLevel");
  QPushButton* baru = child<QPushButton>(&w, "TbBaru");
  QPushButton* simpan = child<QPushButton>(&w, "TbSimpan");
  QPushButton* hapus = child<QPushButton>(&w, "TbHapus");
  QPushButton* keluar = child<QPushButton>(&w, "TbKeluar");
  ui::FlexGrid* grid = child<ui::FlexGrid>(&w, "GridPengguna");
  Layar() { showActive(&w); }
  // Double-clicks the user's row (a change may move a row on a server,
  // whose table has no order of its own).
  void pilih(const QString& user) {
    for (int r = 1; r < grid->Rows(); ++r)
      if (grid->TextMatrix(r, 0) == user) return doubleClickRow(grid, r);
    QFAIL(qPrintable("no row of " + user));
  }
  void isi(const QString& i, const QString& s, const QString& n, const QString& l) {
    id->setText(i);
    sandi->setText(s);
    nama->setText(n);
    level->setEditText(l);
  }
};

QString tanyaUbah(const QString& lama, const QString& baru) {
  return "AKAN MERUBAH DATA PENGGUNA? DARI : \r\nNAMA LAMA : " + lama + "\r\nNAMA BARU : " + baru + "\r\n";
}

// A login as a person makes it; true when it let them in.
bool bisaMasuk(const QString& user, const QString& pwd, const QString& level) {
  mdlUtama::UserAktif.clear();
  {
    frmLogin w;
    child<QLineEdit>(&w, "txtUser")->setText(user);
    child<QLineEdit>(&w, "txtPwd")->setText(pwd);
    child<QComboBox>(&w, "cmbLevel")->setEditText(level);
    ScriptedPrompter p;
    p.expect("ID ATAU PASSWORD MASIH SALAH, SILAHKAN ULANGI LAGI!");
    child<QPushButton>(&w, "TbLogin")->click();
  }
  const bool masuk = mdlUtama::UserAktif == user;
  FrmUtama::DestroyForTests();
  frmLogin::ResetFailuresForTests();
  return masuk;
}
}  // namespace

class PenggunaTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() {
    db = new TempDb;
    db->exec("INSERT INTO Pengguna VALUES ('BUDI','rahasia','Budi Santoso','ADMIN')");
    db->exec("INSERT INTO Pengguna VALUES ('SARI','kasir1','Sari Dewi','KASIR')");
  }
  void cleanup() {
    delete db;
    db = nullptr;
  }

  void openedState() {
    ScriptedPrompter p;
    Layar s;
    QCOMPARE(s.w.windowTitle(), QString("   ::  MANAJEMEN PENGGUNA"));
    QCOMPARE(gridRow(s.grid, 0), QStringList({"USER ID", "PASSWORD", "NAMA PEMILIK", "LEVEL"}));
    QCOMPARE(gridRow(s.grid, 1), QStringList({"BUDI", "xxxxxxx", "Budi Santoso", "ADMIN"}));
    QCOMPARE(gridRow(s.grid, 2), QStringList({"SARI", "xxxxxxx", "Sari Dewi", "KASIR"}));
    // Not put to rest: every box takes input, every button works.
    for (QWidget* k : {static_cast<QWidget*>(s.id), static_cast<QWidget*>(s.sandi), static_cast<QWidget*>(s.nama),
                       static_cast<QWidget*>(s.level)}) {
      QVERIFY(k->isEnabled());
      QCOMPARE(back(k), ui::Kuning);
    }
    QVERIFY(s.baru->isEnabled() && s.simpan->isEnabled() && s.hapus->isEnabled());
    QCOMPARE(s.keluar->text(), QString("&Keluar"));
    QCOMPARE(s.level->count(), 2);
    QCOMPARE(s.level->itemText(0), QString("KASIR"));
    QCOMPARE(s.level->itemText(1), QString("ADMIN"));
    QCOMPARE(s.level->currentText(), QString());
    typeInto(s.sandi, "Ab c");
    QCOMPARE(s.sandi->displayText(), QString("####"));
    typeInto(s.nama, "budi");
    QCOMPARE(s.nama->text(), QString("BUDI"));
    VERIFY_PROMPTS(p);
  }

  void typedIdsAreTextNotStatements() {
    ScriptedPrompter p;
    Layar s;
    s.id->setText("x' OR 'a'='a");
    p.expect("USER ID x' OR 'a'='a TIDAK ADA", ui::vbOK, "Error", ui::vbCritical);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Pengguna"), 2);
    // Quotes in an id, a password and a name are stored and listed as typed.
    s.baru->click();
    s.isi("o'Brien", "pa'ss", "D'ARCY", "KASIR");
    p.expect(Sukses, ui::vbOK, "Sukses", ui::vbInformation);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QVERIFY(db::PasswordMatches(db->scalar("SELECT PassId FROM Pengguna WHERE UserId='o''Brien'"), "pa'ss"));
    QCOMPARE(gridRow(s.grid, 3), QStringList({"o'Brien", "xxxxxxx", "D'ARCY", "KASIR"}));
    QVERIFY(bisaMasuk("o'Brien", "pa'ss", "KASIR"));
    doubleClickRow(s.grid, 3);
    p.expect("YAKIN AKAN MENGHAPUS DATA INI?\r\nUSER ID : o'Brien\r\nNAMA : D'ARCY\r\n", ui::vbYes, "Awass",
             ui::vbQuestion);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Pengguna"), 2);
    QCOMPARE(db->scalar("SELECT count(*) FROM Pengguna WHERE UserId='o''Brien'"), QString("0"));
  }

  void newUserChecks_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("sandi");
    QTest::addColumn<QString>("nama");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("pesan");
    QTest::addColumn<QString>("kotak");
    QTest::newRow("id of 3 behind a blank") << " abc" << "pw" << "ANI" << "KASIR" << "USER ID MINIMAL 4 DIGIT" << "txtUserId";
    QTest::newRow("name of blanks") << "abcd" << "pw" << "   " << "KASIR" << "NAMA BELUM DIISI" << "txtNama";
    QTest::newRow("no level") << "abcd" << "pw" << "ANI" << "" << "LEVEL HARUS KASIR ATAU ADMIN" << "cmbLevel";
    QTest::newRow("other level") << "abcd" << "pw" << "ANI" << "GUDANG" << "LEVEL HARUS KASIR ATAU ADMIN" << "cmbLevel";
    QTest::newRow("no password") << "abcd" << "" << "ANI" << "KASIR" << "PASSWORD BELUM DIISI" << "txtPassword";
    QTest::newRow("password of blanks") << "abcd" << "   " << "ANI" << "ADMIN" << "PASSWORD BELUM DIISI" << "txtPassword";
  }
  void newUserChecks() {
    QFETCH(QString, id);
    QFETCH(QString, sandi);
    QFETCH(QString, nama);
    QFETCH(QString, level);
    QFETCH(QString, pesan);
    QFETCH(QString, kotak);
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    s.isi(id, sandi, nama, level);
    p.expect(pesan, ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(s.w.focusWidget()->objectName(), kotak);
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    QCOMPARE(db->count("Pengguna"), 2);
    // Four characters are enough; the id keeps its case.
    s.isi("abcd", "pw", "ANI", "KASIR");
    p.expect(Sukses);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT UserId FROM Pengguna WHERE Nama='ANI'"), QString("abcd"));
  }

  // An empty password box keeps the changed user's own password, whichever
  // user was loaded before and however the change was reached.
  void aChangeNeverWipesAPassword() {
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    s.sandi->setText("baru-adm");  // typed for BUDI, then another user is loaded
    s.pilih("SARI");
    QCOMPARE(s.id->text(), QString("SARI"));
    QVERIFY(s.id->isReadOnly());
    QCOMPARE(s.sandi->text(), QString());
    s.nama->setText("SARI DEWI K");
    p.expect(tanyaUbah("Sari Dewi", "SARI DEWI K"), ui::vbYes, "Awass", ui::vbQuestion);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT PassId FROM Pengguna WHERE UserId='SARI'"), QString("kasir1"));
    QCOMPARE(db->scalar("SELECT PassId FROM Pengguna WHERE UserId='BUDI'"), QString("rahasia"));
    QVERIFY(bisaMasuk("SARI", "kasir1", "KASIR"));
    // A typed id that exists, from the new state: that user's own password.
    s.baru->click();
    s.isi("BUDI", "", "BUDI", "ADMIN");
    p.expect(tanyaUbah("Budi Santoso", "BUDI"), ui::vbYes);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT PassId FROM Pengguna WHERE UserId='BUDI'"), QString("rahasia"));
    // A password typed on a change replaces the stored one exactly.
    s.pilih("SARI");
    s.sandi->setText(" kasir 2 ");
    p.expect(tanyaUbah("SARI DEWI K", "SARI DEWI K"), ui::vbYes);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QVERIFY(bisaMasuk("SARI", " kasir 2 ", "KASIR"));
  }

  // A password is stored as its hash, which the screen never shows or hands
  // on: the grid masks it, a loaded user's box stays empty, and a change
  // with an empty box keeps the hash as it is.
  void passwordsAreStoredAsHashes() {
    ScriptedPrompter p;
    Layar s;
    s.baru->click();
    s.isi("DEWI", " Mawar 7 ", "DEWI", "KASIR");
    p.expect(Sukses);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    const QString hash = db->scalar("SELECT PassId FROM Pengguna WHERE UserId='DEWI'");
    QVERIFY2(db::IsPasswordHash(hash), qPrintable(hash));
    QVERIFY(db::PasswordMatches(hash, "Mawar 7"));  // a new user's blanks are removed
    QVERIFY(!db::PasswordMatches(hash, "mawar 7"));
    QCOMPARE(gridRow(s.grid, 3), QStringList({"DEWI", "xxxxxxx", "DEWI", "KASIR"}));
    doubleClickRow(s.grid, 3);
    QCOMPARE(s.sandi->text(), QString());
    for (QLineEdit* kotak : s.w.findChildren<QLineEdit*>()) QVERIFY(!kotak->text().contains("$argon2id$"));
    s.nama->setText("DEWI LESTARI");
    p.expect(tanyaUbah("DEWI", "DEWI LESTARI"), ui::vbYes);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT PassId FROM Pengguna WHERE UserId='DEWI'"), hash);
    QVERIFY(bisaMasuk("DEWI", "Mawar 7", "KASIR"));
    // A password typed on a change: a new hash, of the text exactly as typed.
    doubleClickRow(s.grid, 3);
    s.sandi->setText(" Melati 8");
    p.expect(tanyaUbah("DEWI LESTARI", "DEWI LESTARI"), ui::vbYes);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    const QString baru = db->scalar("SELECT PassId FROM Pengguna WHERE UserId='DEWI'");
    QVERIFY(db::IsPasswordHash(baru) && baru != hash);
    QVERIFY(bisaMasuk("DEWI", " Melati 8", "KASIR"));
    QVERIFY(!bisaMasuk("DEWI", "Mawar 7", "KASIR"));
  }

  void theLastAdminIsKept() {
    // An ADMIN without a password could never log in: no stand-in.
    db->exec("INSERT INTO Pengguna VALUES ('KOSONG','','Tanpa Sandi','ADMIN')");
    ScriptedPrompter p;
    Layar s;
    doubleClickRow(s.grid, 1);
    p.expect("DATA TIDAK DAPAT DIHAPUS, BUDI ADALAH SATU-SATUNYA ADMIN", ui::vbOK, "Error", ui::vbCritical);
    s.hapus->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->count("Pengguna"), 3);
    s.level->setEditText("KASIR");
    p.expect("LEVEL TIDAK DAPAT DIUBAH, BUDI ADALAH SATU-SATUNYA ADMIN", ui::vbOK, "Error", ui::vbCritical);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Level FROM Pengguna WHERE UserId='BUDI'"), QString("ADMIN"));
    QCOMPARE(s.keluar->text(), QString("&Normal"));
    // With a second ADMIN who can log in, the first may go.
    db->exec("INSERT INTO Pengguna VALUES ('BOSS','b0ss','Pak Bos','ADMIN')");
    p.expect(tanyaUbah("Budi Santoso", "Budi Santoso"), ui::vbYes);
    s.simpan->click();
    VERIFY_PROMPTS(p);
    QCOMPARE(db->scalar("SELECT Level FROM Pengguna WHERE UserId='BUDI'"), QString("KASIR"));
  }
};

REGISTER_TEST(PenggunaTest);
#include "PenggunaTest.moc"
