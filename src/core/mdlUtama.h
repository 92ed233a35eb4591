#pragma once
// What all windows share: the connection, the statement being built, the
// shared record sets and the logged-in user.
#include <QDate>
#include <QDateTime>
#include <QString>

#include "db/Connection.h"
#include "db/Description.h"
#include "db/Recordset.h"
#include "db/Sql.h"

namespace mdlUtama {

extern db::ConnectionPtr Conn;
extern QString StrKoneksi;
extern QString SQL;
extern QString Pesan;

extern db::RecordsetPtr RsProduk, RsBarang, RsNota, RsGrup, RsCari, RsPemasok, RsPelanggan,
    RsPengguna, RsRekening, RsLapJual, RsLapBeli, RsDetail, RsLaporan, RsLaporan2, RsLogin;

extern QString UserAktif;
// The level the user logged in with ("ADMIN", "KASIR", ...).
extern QString LevelAktif;
// Whether the logged-in user has the ADMIN menus (the exact word, as the login).
bool AdminAktif();

// The shop's database (db::ShopDatabase): ZovaDavezuZi.mdb in the
// application's folder.
db::Description Database();
// Its file.
QString DatabasePath();
// The file that backups copy, restores replace and the use lock guards:
// the open connection's, when its engine keeps its data in a file; empty for
// an engine without one.
QString DatabaseFile();
// Tests point the program at a file of their own.
void SetDatabasePathForTests(const QString& path);

// Replaces Conn with a new connection on the database file and re-opens
// RsProduk and RsBarang. If the file cannot be opened, or lacks what the
// program needs, shows the connection message and ends the application with
// status 1; returns false then (callers stop). The check of the whole file
// runs beside the program; if it finds damage, the same happens then.
// Without `bacaBarang` the shared product and item record sets are left for
// BacaDaftarBarang(), so that a window that needs none of them can show first.
bool BukaKoneksi(bool bacaBarang = true);
// Reads the shared product and item record sets (RsProduk, RsBarang) on Conn.
void BacaDaftarBarang();

// Closes Conn and every shared record set and lets go of the database file
// (the lock that keeps a restore away).
void TutupKoneksi();

// ---- backups of the database file ------------------------------------------
// Now, by the program's clock (the date is ui::Today()).
QDateTime Sekarang();
// Makes a checked copy of the database in its backup folder and keeps the
// rotation; false with the reason in *sebab. A `manual` copy (asked for by
// the person) is marked so and never removed by the rotation.
bool BuatBackup(QString* tujuan, QString* sebab, bool manual = false);
// What the program's copies of the shop are named after (db::Backups): the
// database file, or the dumps of a server's database (db::DumpsOf).
QString SalinanDatabase();
// A manual copy, asked for by the person: says where the copy went, or why
// none was made.
void BackupSekarang();
// At start: when no copy is younger than a day, one is made on a thread of
// its own, so no sale waits for it; a failure is told when it comes.
void BackupAwal();
void TungguBackupAwal();
// After the closing question: a copy; a failure is told, and the program
// ends all the same.
void BackupPenutup();
// Puts the copy `backup` in the place of the database and opens it again;
// false with the reason in *sebab (the database is then as it was). *disimpan
// names the file replaced.
bool Pulihkan(const QString& backup, QString* disimpan, QString* sebab);

// dd/MM/yyyy
QString FormatTanggal(const QDate& tgl);

// The store from the windows. A failure is never an answer: these show it
// (what failed, the statement shortened, the store's message; "Error",
// critical icon) and return false, and the caller stops there. A window that
// reports on its own opens a db::Recordset itself and checks Open().
//
// Opens a record set on Conn into rs; rs is null after a failure.
[[nodiscard]] bool Buka(db::RecordsetPtr& rs, const QString& sql);
// Runs one statement on Conn.
[[nodiscard]] bool Jalankan(const QString& sql);
// Re-reads rs on its own connection.
[[nodiscard]] bool BacaUlang(db::Recordset* rs);
// A failed statement as a person sees it: what failed, in Indonesian, the
// statement (shortened) and the store's own message. A busy database says so
// and that the work can be saved again.
// `what` names what failed when the statement does not say it (a record set
// storing its row fails with its query as the statement).
QString TeksGagal(const QString& statement, const QString& storeMessage, bool busy, const QString& what = {});
// Shows a failure of the store for the statement sql.
void TampilGagal(const QString& sql, const QString& error, bool busy);
// Shows a failure of the store as it reported it (its statement, message and kind).
void TampilGagal(const db::Error& e);

// Passwords are stored as hashes (db/Password.h). The hash to store for a
// typed password; false when none could be made (shown, as a failure).
[[nodiscard]] bool HashSandi(const QString& sandi, QString* hash);
// Stores the hash of `sandi` as the password of `userId` on Conn; false
// when it failed (shown).
bool SimpanHashSandi(const QString& userId, const QString& sandi);

// Clears every shared value (tests start each case from nothing).
void ResetForTests();

}  // namespace mdlUtama
