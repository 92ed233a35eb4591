#include "core/mdlUtama.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <functional>
#include <thread>

#include "db/Backup.h"
#include "db/FileCheck.h"
#include "db/Password.h"
#include "db/Server.h"

#include "ui/Seams.h"

namespace mdlUtama {

db::ConnectionPtr Conn;
QString StrKoneksi;
QString SQL;
QString Pesan;
db::RecordsetPtr RsProduk, RsBarang, RsNota, RsGrup, RsCari, RsPemasok, RsPelanggan, RsPengguna,
    RsRekening, RsLapJual, RsLapBeli, RsDetail, RsLaporan, RsLaporan2, RsLogin;
QString UserAktif;
QString LevelAktif;

bool AdminAktif() { return LevelAktif == QLatin1String("ADMIN"); }

db::Description Database() { return db::ShopDatabase(); }

QString DatabasePath() { return Database().path; }

QString DatabaseFile() {
  // The open connection says whether its engine keeps a file at all.
  if (Conn && Conn->IsOpen() && !Conn->File()) return QString();
  const db::Description d = Database();
  return d.IsFile() ? d.path : QString();
}

void SetDatabasePathForTests(const QString& path) {
  db::SetShopDatabase(path.isEmpty() ? db::Description() : db::Description::File(path));
}

namespace {
// The connection message, then the end of the program. Under its first line
// the box names the file looked for and why it was refused, so that whoever
// reads it knows what to mend; the error output gets the reason too, for
// whoever supports the shop.
void GagalKoneksi(const QString& sebab) {
  if (ui::EndRequested()) return;
  if (!sebab.isEmpty()) qWarning("%s", qPrintable(sebab));
  const QString crlf = QStringLiteral("\r\n");
  const db::Description where = Database();
  QString teks = QStringLiteral("GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA") + crlf + crlf +
                 (where.IsServer() ? QStringLiteral("Database: ") + where.Target()
                                   : QStringLiteral("File database: ") + QDir::toNativeSeparators(DatabasePath()));
  // The file is named just above: not again at the end of the reason.
  QString alasan = sebab;
  if (where.IsFile() && alasan.endsWith(QStringLiteral(": ") + DatabasePath())) alasan.chop(DatabasePath().size() + 2);
  if (!alasan.isEmpty()) teks += crlf + QStringLiteral("Sebab: ") + alasan;
  ui::MsgBox(teks, ui::vbOKOnly, QStringLiteral("Kesalahan"));
  ui::EndApplication(1);
}
}  // namespace

namespace {
// Held from the first connection to the end: a restore by another program
// waits for it (a restore in progress makes the connection wait a moment).
db::UseLock& kunci() {
  static db::UseLock k;
  return k;
}

bool PegangDatabase(const QString& path) {
  if (kunci().Held() && kunci().Database() == path) return true;
  QString sebab;
  for (int coba = 0; coba < 50; ++coba) {
    if (kunci().Take(path, false, &sebab)) return true;
    if (!kunci().Contended()) return true;  // no lock file: the opening itself tells what is wrong
    QThread::msleep(100);
  }
  GagalKoneksi(sebab);
  return false;
}
}  // namespace

bool BukaKoneksi(bool bacaBarang) {
  // Each call ends with a connection of its own; record sets opened earlier
  // keep the connection they were opened with.
  Conn = std::make_shared<db::Connection>();
  const db::Description where = Database();
  // A database kept in a file is held against a restore by another program.
  if (where.IsFile() && !PegangDatabase(where.path)) return false;
  StrKoneksi = QStringLiteral("Provider=SQLite3;Persist ") + QStringLiteral("Security Info=False;Data Source=") +
               QDir::toNativeSeparators(where.Target());
  if (!Conn->Open(where)) {
    GagalKoneksi(Conn->LastError());
    return false;
  }
  // The check of the whole file runs while the person logs in; its verdict
  // is heard once per file.
  static std::weak_ptr<db::FileCheck> didengar;
  if (const std::shared_ptr<db::FileCheck> periksa = Conn->Check(); periksa && periksa != didengar.lock()) {
    didengar = periksa;
    periksa->WhenDone(QCoreApplication::instance(), [](bool ok, const QString& sebab) {
      if (!ok) GagalKoneksi(QStringLiteral("File database rusak: ") + sebab);
    });
  }
  if (bacaBarang) BacaDaftarBarang();
  return true;
}

void BacaDaftarBarang() {
  if (!Conn) return;  // closed meanwhile
  (void)Buka(RsProduk, QStringLiteral("SELECT * FROM Produk"));
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.* ") + QStringLiteral(" FROM Barang, Produk ") +
        QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" ORDER BY Kode_Barang ");
  (void)Buka(RsBarang, SQL);
}

void TutupKoneksi() {
  for (db::RecordsetPtr* rs : {&RsProduk, &RsBarang, &RsNota, &RsGrup, &RsCari, &RsPemasok, &RsPelanggan, &RsPengguna,
                               &RsRekening, &RsLapJual, &RsLapBeli, &RsDetail, &RsLaporan, &RsLaporan2, &RsLogin})
    rs->reset();
  Conn.reset();
  kunci().Release();
}

QDateTime Sekarang() { return QDateTime(ui::Today(), QTime::currentTime()); }

namespace {
// A checked copy named after `database` (SalinanDatabase), made by `salin`
// (a copy of the file itself when none is given), and the rotation after it.
bool Backup(const QString& database, const QDateTime& waktu, bool manual, QString* tujuan, QString* sebab,
            const std::function<bool(const QString& dest, QString* why)>& salin = {}) {
  if (database.isEmpty()) {
    *sebab = QStringLiteral("Database ini tidak disimpan dalam satu file; backupnya dibuat oleh servernya.");
    return false;
  }
  const QString folder = db::BackupFolder(database);
  if (!QDir().mkpath(folder)) {
    *sebab = QStringLiteral("Folder %1 tidak dapat dibuat").arg(folder);
    return false;
  }
  *tujuan = db::BackupName(database, waktu, manual);
  if (!(salin ? salin(*tujuan, sebab) : db::Backup(database, *tujuan, sebab))) return false;
  db::Rotate(database, waktu.date());  // only after a good copy: a failure never costs an older one
  return true;
}

void TampilGagalBackup(const QString& awal, const QString& sebab) {
  ui::MsgBox(awal + QStringLiteral("\n\n") + sebab, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Backup"));
}

std::thread& backupAwal() {
  static std::thread t;
  return t;
}
}  // namespace

bool BuatBackup(QString* tujuan, QString* sebab, bool manual) {
  TungguBackupAwal();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const db::Description where = Database();
  // A server's dump is checked and rotated as a file's copy is.
  const bool ok = where.IsServer() ? Backup(SalinanDatabase(), Sekarang(), manual, tujuan, sebab,
                                            [&](const QString& dest, QString* why) {
                                              return db::ServerBackup(where, dest, why);
                                            })
                                   : Backup(DatabaseFile(), Sekarang(), manual, tujuan, sebab);
  QApplication::restoreOverrideCursor();
  return ok;
}

void BackupSekarang() {
  QString tujuan, sebab;
  if (BuatBackup(&tujuan, &sebab, true))
    ui::MsgBox(QStringLiteral("BACKUP DATABASE SUDAH DIBUAT DAN DIPERIKSA:\n%1").arg(QDir::toNativeSeparators(tujuan)),
               ui::vbOKOnly | ui::vbInformation, QStringLiteral("Backup"));
  else
    TampilGagalBackup(QStringLiteral("BACKUP DATABASE GAGAL DIBUAT."), sebab);
}

void BackupAwal() {
  const QString path = DatabaseFile();
  if (path.isEmpty()) return;  // no file to copy: the server keeps its own
  const QDateTime sekarang = Sekarang();
  const QList<db::BackupFile> ada = db::Backups(path);
  if (!ada.isEmpty() && ada.first().when > sekarang.addDays(-1)) return;
  TungguBackupAwal();
  static bool terdaftar = false;
  if (!terdaftar) {
    qAddPostRoutine(TungguBackupAwal);  // the program does not end in the middle of a copy
    terdaftar = true;
  }
  backupAwal() = std::thread([path, sekarang] {
    QString tujuan, sebab;
    if (Backup(path, sekarang, false, &tujuan, &sebab)) return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [sebab] {
          if (!ui::EndRequested()) TampilGagalBackup(QStringLiteral("BACKUP DATABASE GAGAL DIBUAT."), sebab);
        },
        Qt::QueuedConnection);
  });
}

void TungguBackupAwal() {
  if (backupAwal().joinable()) backupAwal().join();
}

void BackupPenutup() {
  if (!Conn || !Conn->IsOpen()) return;
  QString tujuan, sebab;
  if (!BuatBackup(&tujuan, &sebab))
    TampilGagalBackup(QStringLiteral("BACKUP DATABASE GAGAL DIBUAT. PROGRAM TETAP DITUTUP."), sebab);
}

QString SalinanDatabase() {
  const db::Description where = Database();
  if (!where.IsServer()) return DatabaseFile();
  const QString folder = where.backups.isEmpty()
                             ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("backup"))
                             : where.backups;
  return db::DumpsOf(folder, where.dbname);
}

bool Pulihkan(const QString& backup, QString* disimpan, QString* sebab) {
  TungguBackupAwal();
  const db::Description where = Database();
  if (where.IsServer()) {
    // The program's own connections go first: the server refuses while any
    // other is open (another till, or a window of this one still working).
    TutupKoneksi();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString disimpanDb;
    const bool ok = db::ServerRestore(backup, where, Sekarang().toString(QStringLiteral("yyyyMMdd_HHmmss")),
                                      &disimpanDb, sebab);
    QApplication::restoreOverrideCursor();
    if (ok) *disimpan = disimpanDb;
    return BukaKoneksi() && ok;
  }
  const QString database = DatabaseFile();
  if (database.isEmpty()) {
    *sebab = QStringLiteral("Database ini tidak disimpan dalam satu file; tidak ada file yang dapat diganti.");
    return false;
  }
  TutupKoneksi();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = db::Restore(backup, database, Sekarang(), disimpan, sebab);
  QApplication::restoreOverrideCursor();
  // The restored file, or the old one when it was refused.
  return BukaKoneksi() && ok;
}

QString FormatTanggal(const QDate& tgl) {
  return QStringLiteral("%1/%2/%3")
      .arg(tgl.day(), 2, 10, QLatin1Char('0'))
      .arg(tgl.month(), 2, 10, QLatin1Char('0'))
      .arg(tgl.year());
}

QString TeksGagal(const QString& statement, const QString& storeMessage, bool busy, const QString& what) {
  // What failed, from the statement's first word and its tables.
  QList<db::Token> tk;
  QStringList kata;  // words, names and commas; blanks and comments left out
  if (db::ReadStatement(statement, &tk, nullptr))
    for (const db::Token& t : tk) {
      if (t.kind == db::Token::Name) kata << t.value;
      if (t.kind == db::Token::Word || (t.kind == db::Token::Punct && statement[t.start] == QLatin1Char(',')))
        kata << statement.mid(t.start, t.len);
    }
  // The tables named after `w`: a list separated by commas.
  auto tabel = [&](const char* w) {
    QStringList daftar;
    int k = 0;
    while (k < kata.size() && kata[k].compare(QLatin1String(w), Qt::CaseInsensitive) != 0) ++k;
    for (++k; k < kata.size(); k += 2) {
      daftar << kata[k];
      if (k + 1 >= kata.size() || kata[k + 1] != QLatin1String(",")) break;
    }
    return daftar.join(QStringLiteral(", "));
  };
  const QString awal = kata.value(0).toUpper();
  QString apa;
  if (awal == QLatin1String("SELECT"))
    apa = QStringLiteral("MEMBACA DATA ") + tabel("FROM");
  else if (awal == QLatin1String("INSERT"))
    apa = QStringLiteral("MENAMBAH DATA ") + tabel("INTO");
  else if (awal == QLatin1String("UPDATE"))
    apa = QStringLiteral("MENGUBAH DATA ") + tabel("UPDATE");
  else if (awal == QLatin1String("DELETE"))
    apa = QStringLiteral("MENGHAPUS DATA ") + tabel("FROM");
  else
    apa = QStringLiteral("MENJALANKAN PERINTAH DATABASE");
  if (!what.isEmpty()) apa = what;
  const QString crlf = QStringLiteral("\r\n");
  QString teks = QStringLiteral("GAGAL ") + apa.trimmed();
  if (busy)
    teks = QStringLiteral("DATABASE SEDANG DIPAKAI PROGRAM LAIN") + crlf + teks + crlf +
           QStringLiteral("Tidak ada data yang berubah. Tunggu sebentar, lalu ulangi atau simpan kembali.");
  teks += crlf + crlf + QStringLiteral("Perintah: ") + db::ShortStatement(statement) + crlf +
          QStringLiteral("Pesan database: ") + storeMessage;
  return teks;
}

void TampilGagal(const QString& sql, const QString& error, bool busy) {
  ui::MsgBox(TeksGagal(sql, error, busy), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
}

void TampilGagal(const db::Error& e) { TampilGagal(e.statement, e.message, e.is(db::Error::Kind::Busy)); }

bool Buka(db::RecordsetPtr& rs, const QString& sql) {
  rs = std::make_shared<db::Recordset>();
  if (rs->Open(sql, Conn)) return true;
  TampilGagal(sql, rs->LastError(), rs->LastErrorBusy());
  rs.reset();
  return false;
}

bool Jalankan(const QString& sql) {
  if (!Conn) {
    TampilGagal(sql, QStringLiteral("Koneksi database belum terbuka"), false);
    return false;
  }
  if (Conn->Execute(sql)) return true;
  TampilGagal(sql, Conn->LastError(), Conn->LastErrorBusy());
  return false;
}

bool HashSandi(const QString& sandi, QString* hash) {
  QString sebab;
  if (db::HashPassword(sandi, hash, &sebab)) return true;
  ui::MsgBox(QStringLiteral("GAGAL MENGAMANKAN PASSWORD\r\n\r\nPesan: ") + sebab, ui::vbOKOnly | ui::vbCritical,
             QStringLiteral("Error"));
  return false;
}

bool SimpanHashSandi(const QString& userId, const QString& sandi) {
  QString hash;
  if (!HashSandi(sandi, &hash)) return false;
  return Jalankan(QStringLiteral("UPDATE Pengguna SET PassId=") + db::Quote(hash) + QStringLiteral(" WHERE UserId=") +
                  db::Quote(userId));
}

bool BacaUlang(db::Recordset* rs) {
  if (!rs) return false;
  if (rs->Requery()) return true;
  TampilGagal(rs->Source(), rs->LastError(), rs->LastErrorBusy());
  return false;
}

void ResetForTests() {
  TungguBackupAwal();
  TutupKoneksi();
  StrKoneksi.clear();
  SQL.clear();
  Pesan.clear();
  UserAktif.clear();
  LevelAktif.clear();
}

}  // namespace mdlUtama
