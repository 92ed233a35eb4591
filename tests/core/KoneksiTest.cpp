// Start-up without a usable database: the connection message once, then the
// end of the program, before the login window can be used.
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"

using namespace testsupport;

namespace {
const QString Gagal = "GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA";

void bukaLoginTanpaDatabase(const QString& path) {
  mdlUtama::ResetForTests();
  mdlUtama::SetDatabasePathForTests(path);
  ScriptedPrompter p;
  EndCatcher end;
  p.expect(Gagal, ui::vbOK, "Kesalahan", 0);
  {
    frmLogin w;
    QVERIFY(!w.Loaded());
    QCOMPARE(child<QComboBox>(&w, "cmbLevel")->count(), 0);
  }
  mdlUtama::SetDatabasePathForTests(QString());
  VERIFY_PROMPTS(p);
  QCOMPARE(p.seen.size(), 1);
  QCOMPARE(p.seen.at(0).buttons, int(ui::vbOKOnly));
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
    bukaLoginTanpaDatabase(dir.filePath("ZovaDavezuZi.mdb"));
  }

  void fileThatIsNotADatabase() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("Standard Jet DB\0\0 this is not what we read", 44).repeated(200));
    f.close();
    bukaLoginTanpaDatabase(path);
  }

  void emptyFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ZovaDavezuZi.mdb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    bukaLoginTanpaDatabase(path);
  }

  void goodFileOpensAndLoads() {
    TempDb db;
    ScriptedPrompter p;
    EndCatcher end;
    frmLogin w;
    QVERIFY(w.Loaded());
    QVERIFY(mdlUtama::Conn && mdlUtama::Conn->IsOpen());
    QCOMPARE(mdlUtama::Conn->Path(), db.path());
    QVERIFY(mdlUtama::RsBarang && mdlUtama::RsBarang->IsOpen());
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

  void formatTanggal() {
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2025, 1, 1)), QString("01/01/2025"));
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2024, 12, 31)), QString("31/12/2024"));
    QCOMPARE(mdlUtama::FormatTanggal(QDate(2024, 3, 5)), QString("05/03/2024"));
  }
};

REGISTER_TEST(KoneksiTest);
#include "KoneksiTest.moc"
