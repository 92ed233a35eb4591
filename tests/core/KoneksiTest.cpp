// Start-up without a usable database: the connection message once, then the
// end of the program, before the login window can be used.
#include <QComboBox>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <unistd.h>

#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/Mulai.h"
#include "core/mdlUtama.h"

using namespace testsupport;

namespace {
const QString Gagal = "GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA";

// Makes a file or folder read-only for the life of the object. Root may
// write anything its mode forbids, so for root it is made immutable.
struct BacaSaja {
  QString path;
  bool ok = true;
  BacaSaja(const QString& p, bool on) : path(on ? p : QString()) {
    if (path.isEmpty()) return;
    ok = geteuid() == 0 ? QProcess::execute("chattr", {"+i", path}) == 0
                        : QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    if (!ok) path.clear();
  }
  ~BacaSaja() {
    if (path.isEmpty()) return;
    if (geteuid() == 0)
      QProcess::execute("chattr", {"-i", path});
    else
      QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
};

// The connection message begins as it always has, then names the file
// looked for and why it was refused.
void CekPesan(const ui::Message& m, const db::Description& where, const QString& sebab) {
  const QString disebut = where.IsServer() ? "Database: " + where.Target() : "File database: " + where.path;
  QVERIFY2(m.text.startsWith(Gagal + "\r\n\r\n" + disebut + "\r\nSebab: "), qPrintable(m.text));
  QVERIFY2(m.text.contains(sebab), qPrintable(m.text));
}

void bukaLoginTanpaDatabase(const QString& path, const QString& sebab) {
  mdlUtama::ResetForTests();
  mdlUtama::SetDatabasePathForTests(path);
  ScriptedPrompter p;
  EndCatcher end;
  p.expectStart(Gagal, ui::vbOK, "Kesalahan", 0);
  {
    frmLogin w;
    QVERIFY(!w.Loaded());
    QCOMPARE(child<QComboBox>(&w, "cmbLevel")->count(), 0);
  }
  mdlUtama::SetDatabasePathForTests(QString());
  VERIFY_PROMPTS(p);
  QCOMPARE(p.seen.size(), 1);
  QCOMPARE(p.seen.at(0).buttons, int(ui::vbOKOnly));
  CekPesan(p.seen.at(0), db::Description::File(path), sebab);
  QCOMPARE(end.count, 1);
  QCOMPARE(FrmUtama::Existing(), nullptr);
}
}  // namespace

class KoneksiTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { FrmUtama::DestroyForTests(); }

  void missingFile() {
    QTemporaryDir dir;
    bukaLoginTanpaDatabase(dir.filePath("ZovaDavezuZi.mdb"), "File database tidak ditemukan");
  }

  void fileThatIsNotADatabase() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    static const char kepala[] = "Standard Jet DB\0\0 this is not what we read";
    f.write(QByteArray(kepala, sizeof kepala - 1).repeated(200));
    f.close();
    bukaLoginTanpaDatabase(path, "file is not a database");
  }

  void emptyFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    bukaLoginTanpaDatabase(path, "tidak ada di database");
  }

  void goodFileOpensAndLoads() {
    TempDb db;
    ScriptedPrompter p;
    EndCatcher end;
    mdlUtama::RsBarang.reset();
    frmLogin w;
    QVERIFY(w.Loaded());
    QVERIFY(mdlUtama::Conn && mdlUtama::Conn->IsOpen());
    QVERIFY(mdlUtama::Conn->Where() == db.where());
    // The items are read after the login window is up, not before it.
    QVERIFY(!mdlUtama::RsBarang);
    w.show();
    QTRY_VERIFY(mdlUtama::RsBarang && mdlUtama::RsBarang->IsOpen());
    QCOMPARE(mdlUtama::RsBarang->ActiveConnection(), mdlUtama::Conn);
    VERIFY_PROMPTS(p);
    QCOMPARE(end.count, 0);
  }

  void reconnectLeavesEarlierRecordSetsWorking() {
    TempDb db;
    db.exec("INSERT INTO Grup (Kode_Grup, Nama_Grup) VALUES ('ELK', 'ELEKTRONIK')");
    QVERIFY(mdlUtama::BukaKoneksi());
    const db::ConnectionPtr pertama = mdlUtama::Conn;
    db::RecordsetPtr grup;
    QVERIFY(mdlUtama::Buka(grup, "SELECT * FROM Grup WHERE Kode_Grup = 'ELK'"));
    QVERIFY(!grup->Eof());
    // A second window loads and opens its own connection.
    QVERIFY(mdlUtama::BukaKoneksi());
    QVERIFY(mdlUtama::Conn != pertama);
    QVERIFY(pertama->IsOpen());
    grup->SetField("Nama_Grup", "ALAT LISTRIK");
    QVERIFY(grup->Update());
    QVERIFY(grup->Requery());
    QCOMPARE(grup->Text("Nama_Grup"), QString("ALAT LISTRIK"));
    QCOMPARE(db.scalar("SELECT Nama_Grup FROM Grup WHERE Kode_Grup = 'ELK'"), QString("ALAT LISTRIK"));
    // The record sets of the load are on the new connection.
    QCOMPARE(mdlUtama::RsBarang->ActiveConnection(), mdlUtama::Conn);
    QCOMPARE(mdlUtama::RsProduk->ActiveConnection(), mdlUtama::Conn);
  }

  // The connection message, exit status 1, and the file exactly as it was:
  // the program never works in (or writes to) a file it cannot work with.
  // The message names the file and the reason.
  void startUpRefusesWhatItCannotWorkWith_data() {
    QTest::addColumn<QString>("rusak");
    QTest::addColumn<QString>("sebab");
    QTest::newRow("missing column") << "missing column" << "Kolom Barang.Stok tidak ada di database";
    QTest::newRow("missing table") << "missing table" << "Tabel Rekening tidak ada di database";
    QTest::newRow("damaged page") << "damaged page" << "File database rusak";
    QTest::newRow("read-only file") << "read-only file" << "File database hanya dapat dibaca";
    QTest::newRow("read-only folder") << "read-only folder" << "Folder database tidak dapat ditulisi";
  }
  void startUpRefusesWhatItCannotWorkWith() {
    QFETCH(QString, rusak);
    QFETCH(QString, sebab);
    TempDb db;
    db.exec("INSERT INTO Pengguna VALUES ('ADM', 'rahasia', 'BUDI', 'ADMIN')");
    QVERIFY(db.conn()->BeginTrans());
    for (int i = 0; i < 400; ++i)
      db.exec(QString("INSERT INTO Penjualan_Detail VALUES ('JL-%1', '001.001.001', 1500, 1, 1500)").arg(i, 7, 10, QChar('0')));
    QVERIFY(db.conn()->CommitTrans());
    if (rusak == "missing column") db.exec("ALTER TABLE Barang DROP COLUMN Stok");
    if (rusak == "missing table") db.exec("DROP TABLE Rekening");
    if (rusak != "missing column" && rusak != "missing table")
      FILE_ONLY("the file's pages, its mode and its folder's");
    if (rusak == "damaged page") db.damagePage("Penjualan_Detail");
    db.conn()->Close();
    BacaSaja kunci(rusak == "read-only file" ? db.path() : QFileInfo(db.path()).absolutePath(),
                   rusak.startsWith("read-only"));
    if (!kunci.ok) QSKIP("cannot make a file or folder read-only here");
    const QByteArray sebelum = db.bytes();

    ScriptedPrompter p;
    p.expectStart(Gagal, ui::vbOK, "Kesalahan", 0);
    // A damage only the check of the whole file finds comes while the login
    // window is up.
    ModalScript m;
    m.then([](QDialog*) { QVERIFY(QTest::qWaitFor([] { return ui::EndRequested(); }, 20000)); });
    ui::SetEndHandler({});
    const int status = Mulai();
    ui::ResetEndForTests();
    InstallDefaultSeams();
    QCOMPARE(status, 1);
    VERIFY_PROMPTS(p);
    CekPesan(p.seen.at(0), db.where(), sebab);
    QCOMPARE(FrmUtama::Existing(), nullptr);
    mdlUtama::ResetForTests();
    QCOMPARE(db.bytes(), sebelum);
  }

  // The end leaves nested loops and the program's own with its status, and
  // no window opens after it.
  void endLeavesEveryLoopWithItsStatus() {
    ui::SetEndHandler({});
    QDialog dalam;
    QTimer::singleShot(0, &dalam, [&] {
      QTimer::singleShot(0, [] { ui::EndApplication(1); });
      dalam.exec();
    });
    const int status = QApplication::exec();
    QDialog sesudah;
    QTimer::singleShot(2000, &sesudah, &QDialog::reject);  // should it open after all
    QElapsedTimer t;
    t.start();
    ui::ShowModal(&sesudah);
    const qint64 ms = t.elapsed();
    ui::ResetEndForTests();
    InstallDefaultSeams();
    QCOMPARE(status, 1);
    QVERIFY(ms < 1000);
  }

  void formatTanggal() {
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2025, 1, 1)), QString("01/01/2025"));
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2024, 12, 31)), QString("31/12/2024"));
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2024, 3, 5)), QString("05/03/2024"));
  }
};

REGISTER_TEST(KoneksiTest);
#include "KoneksiTest.moc"
