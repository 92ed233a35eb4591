// The program's own copies: one at every closing kept in a rotation, one at
// the first start of a day, a failure told without keeping the program open,
// and the ADMIN's backup and restore under "Setting".
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>

#include "Masuk.h"
#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/mdlUtama.h"
#include "db/Backup.h"
#include "db/Recordset.h"
#include "db/Server.h"
#include "ui/FlexGrid.h"

using namespace testsupport;

namespace {
const QString Tanya = "YAKIN AKAN MENUTUP APLIKASI INI..?";

QList<QDate> tanggalBackup(const QString& database) {
  QList<QDate> out;
  for (const db::BackupFile& b : db::Backups(database)) out.prepend(b.when.date());
  return out;
}

// What the copies are named after: the case's file, or its server
// database's dumps.
QString salinan() { return mdlUtama::SalinanDatabase(); }
QString stem() { return QFileInfo(salinan()).completeBaseName(); }
QString akhiran() { return OnServer() ? ".dump" : ".mdb"; }

// Whether a copy restores whole, by the check its store has.
bool utuh(const QString& copy, QString* sebab) {
  return OnServer() ? db::ServerVerify(copy, mdlUtama::Database(), sebab) : db::Verify(copy, sebab);
}

qint64 jumlah(const QString& sql) {
  db::Recordset rs;
  if (!rs.Open(sql, mdlUtama::Conn)) return -1;
  return rs.Eof() ? -1 : rs.Text(0).toLongLong();
}
}  // namespace

class BackupTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

  // The main window closed with Yes, as at the end of a day.
  static void tutup() {
    FrmUtama* u = FrmUtama::Existing();
    u->show();
    EndCatcher end;
    ScriptedPrompter p;
    p.expect(Tanya, ui::vbYes, "Konfirmasi", ui::vbQuestion);
    u->close();
    VERIFY_PROMPTS(p);
    QCOMPARE(end.count, 1);
  }

 private slots:
  void init() {
    db = masuk::Mulai();
    masuk::Coba("ADM", "rahasia", "ADMIN");
    QVERIFY(FrmUtama::Existing());
  }
  void cleanup() {
    ui::SetToday(QDate());
    masuk::Selesai(db);
  }

  // A closing every day of March 2026 (the 1st a Sunday), two on some days:
  // the copies of the last 7 days stay, and the newest of each of the last
  // 4 weeks; of a day with two, both while it is today, then the later one.
  void rotationOverAMonth() {
    auto hariHari = [](int dari, int sampai, QList<QDate> awal) {
      for (int d = dari; d <= sampai; ++d) awal << QDate(2026, 3, d);
      return awal;
    };
    QStringList kemarin;
    for (int hari = 1; hari <= 31; ++hari) {
      ui::SetToday(QDate(2026, 3, hari));
      QStringList dibuat;
      for (int k = 0; k < ((hari == 22 || hari == 31) ? 2 : 1); ++k) {
        tutup();
        dibuat << db::Backups(salinan()).first().path;
      }
      if (dibuat.size() == 2) {
        QVERIFY(dibuat[0] != dibuat[1]);
        QVERIFY(QFile::exists(dibuat[0]));
        QVERIFY(QFile::exists(dibuat[1]));
      }
      if (kemarin.size() == 2) {
        QVERIFY(!QFile::exists(kemarin[0]));
        QVERIFY(QFile::exists(kemarin[1]));
      }
      kemarin = dibuat;
      // Days 4 to 10, and the newest of the weeks of the 8th and the 1st.
      if (hari == 10) QCOMPARE(tanggalBackup(salinan()), hariHari(4, 10, {QDate(2026, 3, 1)}));
      if (hari == 22)
        QCOMPARE(tanggalBackup(salinan()),
                 hariHari(16, 22, {QDate(2026, 3, 1), QDate(2026, 3, 8), QDate(2026, 3, 15)}) << QDate(2026, 3, 22));
    }
    const QList<QDate> harap = hariHari(25, 31, {QDate(2026, 3, 15), QDate(2026, 3, 22)}) << QDate(2026, 3, 31);
    QCOMPARE(tanggalBackup(salinan()), harap);
    // Each copy kept is whole, and nothing else lies in the folder.
    QCOMPARE(QDir(db::BackupFolder(salinan())).entryList(QDir::Files | QDir::Hidden).size(), harap.size());
    for (const db::BackupFile& b : db::Backups(salinan())) {
      QString sebab;
      QVERIFY2(utuh(b.path, &sebab), qPrintable(sebab));
    }
  }

  // A copy made with "Backup Data Sekarang" is never removed by the
  // rotation, and every copy of today stays; the older days rotate as ever.
  void manualCopiesAndTodaysCopiesStay() {
    FrmUtama* u = FrmUtama::Existing();
    // "Backup Data Sekarang"; *b is the copy its message names.
    auto sekarang = [&](db::BackupFile* b) {
      ScriptedPrompter p;
      p.expectStart("BACKUP DATABASE SUDAH DIBUAT DAN DIPERIKSA:", ui::vbOK, "Backup", ui::vbInformation);
      child<QAction>(u, "mnuBackup")->trigger();
      VERIFY_PROMPTS(p);
      const QString path = QDir::fromNativeSeparators(p.seen.value(0).text.section('\n', 1));
      for (const db::BackupFile& x : db::Backups(salinan()))
        if (x.path == path) *b = x;
      QVERIFY2(b->path == path, qPrintable(path));
    };
    ui::SetToday(QDate(2026, 3, 2));
    db::BackupFile manual, manual2;
    sekarang(&manual);
    QVERIFY(manual.manual);
    QVERIFY(QFileInfo(manual.path).fileName().startsWith(stem() + "-20260302-"));
    QVERIFY(QFileInfo(manual.path).fileName().endsWith("-manual" + akhiran()));
    QString sebab;
    QVERIFY2(utuh(manual.path, &sebab), qPrintable(sebab));
    // Three closings in a day: all three stay while it is that day.
    QStringList tutupan;
    for (int k = 0; k < 3; ++k) {
      tutup();
      for (const db::BackupFile& b : db::Backups(salinan()))
        if (!b.manual && !tutupan.contains(b.path)) tutupan << b.path;
    }
    QCOMPARE(tutupan.size(), 3);
    for (const QString& t : tutupan) QVERIFY(QFile::exists(t));
    sekarang(&manual2);
    QVERIFY(manual2.path != manual.path);
    // Six weeks on the 2nd is an older day: its last closing stays as the
    // copy of its week, the earlier two go, the manual copies stay.
    ui::SetToday(QDate(2026, 4, 13));
    tutup();
    QVERIFY(!QFile::exists(tutupan[0]));
    QVERIFY(!QFile::exists(tutupan[1]));
    QStringList ada;
    for (const db::BackupFile& b : db::Backups(salinan())) ada << b.path;
    QCOMPARE(ada.size(), 4);
    QVERIFY(QFileInfo(ada[0]).fileName().startsWith(stem() + "-20260413-"));
    QCOMPARE(QSet<QString>(ada.begin() + 1, ada.end()), QSet<QString>({tutupan[2], manual.path, manual2.path}));
  }

  // A copy that cannot be made is told at closing, and the program ends all
  // the same.
  void closingBackupFailureIsTold() {
    QFile penghalang(db::BackupFolder(salinan()));  // a file where the folder goes
    QVERIFY(penghalang.open(QIODevice::WriteOnly));
    penghalang.close();
    FrmUtama* u = FrmUtama::Existing();
    EndCatcher end;
    ScriptedPrompter p;
    p.expect(Tanya, ui::vbYes, "Konfirmasi", ui::vbQuestion);
    p.expectStart("BACKUP DATABASE GAGAL DIBUAT. PROGRAM TETAP DITUTUP.", ui::vbOK, "Backup", ui::vbCritical);
    u->close();
    VERIFY_PROMPTS(p);
    QCOMPARE(end.count, 1);
    QVERIFY(p.seen.last().text.contains(db::BackupFolder(salinan())));
  }

  // The first start with no copy younger than a day makes one, beside the
  // work; a start within the day does not.
  void firstStartOfTheDay() {
    FILE_ONLY("the first start of a day copies the file; a server's dumps are made at closing and on demand");
    ui::SetToday(QDate(2026, 4, 6));
    mdlUtama::BackupAwal();
    mdlUtama::TungguBackupAwal();
    QCOMPARE(tanggalBackup(salinan()), QList<QDate>{QDate(2026, 4, 6)});
    mdlUtama::BackupAwal();
    mdlUtama::TungguBackupAwal();
    QCOMPARE(db::Backups(salinan()).size(), 1);
    ui::SetToday(QDate(2026, 4, 8));
    mdlUtama::BackupAwal();
    mdlUtama::TungguBackupAwal();
    QCOMPARE(tanggalBackup(salinan()), (QList<QDate>{QDate(2026, 4, 6), QDate(2026, 4, 8)}));
  }

  // "Backup now" says where the copy went; the list restores a chosen copy
  // only after Yes, keeps the file it replaces and works on the restored one;
  // while another program holds the database nothing changes.
  void backupNowAndRestoreFromTheList() {
    FrmUtama* u = FrmUtama::Existing();
    {
      ScriptedPrompter p;
      p.expectStart("BACKUP DATABASE SUDAH DIBUAT DAN DIPERIKSA:\n" + db::BackupFolder(salinan()), ui::vbOK,
                    "Backup", ui::vbInformation);
      child<QAction>(u, "mnuBackup")->trigger();
      VERIFY_PROMPTS(p);
    }
    QCOMPARE(db::Backups(salinan()).size(), 1);
    db->exec("INSERT INTO Penjualan VALUES ('JL-0000001', '2026-03-05', 1500, '', 'ADM')");
    QCOMPARE(jumlah("SELECT count(*) FROM Penjualan"), 1);
    // On a server the case's own connection would be another till's.
    if (OnServer()) db->conn()->Close();

    auto pulihkan = [&](int jawaban, const QString& lalu) {
      ScriptedPrompter p;
      p.expectStart("DATA SEKARANG AKAN DIGANTI DENGAN BACKUP TANGGAL", jawaban, "Konfirmasi", ui::vbQuestion);
      if (!lalu.isEmpty()) p.expectStart(lalu);
      ModalScript m;
      m.then([](QDialog* d) {
        QCOMPARE(child<ui::FlexGrid>(d, "GridBackup")->Rows(), 2);
        child<QPushButton>(d, "TbPulihkan")->click();
        d->reject();
      });
      child<QAction>(u, "mnuDaftarBackup")->trigger();
      QCOMPARE(m.shown, QStringList{"frmBackup"});
      VERIFY_PROMPTS(p);
    };
    pulihkan(ui::vbNo, QString());
    QCOMPARE(jumlah("SELECT count(*) FROM Penjualan"), 1);
    {
      // Another till has the file open, or is connected to the server.
      db::UseLock tillLain;
      db::Connection lain;
      QVERIFY(OnServer() ? lain.Open(db->where()) : tillLain.Take(db->where().path, false));
      pulihkan(ui::vbYes, OnServer() ? "PEMULIHAN GAGAL, DATA TIDAK DIUBAH.\n\nMasih ada 1 koneksi lain"
                                     : "PEMULIHAN GAGAL, DATA TIDAK DIUBAH.");
      QVERIFY(mdlUtama::Conn && mdlUtama::Conn->IsOpen());
      QCOMPARE(jumlah("SELECT count(*) FROM Penjualan"), 1);
    }
    pulihkan(ui::vbYes, "DATA SUDAH DIPULIHKAN DARI BACKUP TANGGAL");
    QCOMPARE(jumlah("SELECT count(*) FROM Penjualan"), 0);
    QCOMPARE(jumlah("SELECT count(*) FROM Pengguna"), 2);
    if (OnServer()) {
      // The replaced database stays on the server under another name.
      QCOMPARE(jumlah("SELECT count(*) FROM pg_database WHERE datname LIKE '" + db->where().dbname + "_sebelum_pulih_%'"),
               1);
      return;
    }
    const QStringList disimpan =
        QFileInfo(db->where().path).absoluteDir().entryList({"ZovaDavezuZi-sebelum-pulih-*.mdb"}, QDir::Files);
    QCOMPARE(disimpan.size(), 1);
    // The program holds the restored file: a restore from outside waits.
    db::UseLock luar;
    QVERIFY(!luar.Take(db->where().path, true));
    QVERIFY(luar.Contended());
  }
};

REGISTER_TEST(BackupTest);
#include "BackupTest.moc"
