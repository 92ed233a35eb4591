#pragma once
// What all windows share: the connection, the statement being built, the
// shared record sets and the logged-in user.
#include <QDate>
#include <QString>

#include "db/Connection.h"
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

// The database file: ZovaDavezuZi.mdb in the application's folder.
QString DatabasePath();
// Tests point the program at a file of their own.
void SetDatabasePathForTests(const QString& path);

// Replaces Conn with a new connection on the database file and re-opens
// RsProduk and RsBarang. If the file cannot be opened, shows the connection
// message and ends the application; returns false then (callers stop).
bool BukaKoneksi();

// dd/MM/yyyy
QString FormatTanggal(const QDate& tgl);

// A new record set opened on Conn with the given statement text.
db::RecordsetPtr Buka(const QString& sql);

// Runs a statement on Conn. On failure shows the store's error (title
// "Kesalahan", critical icon) and returns false.
bool Jalankan(const QString& sql);

// Clears every shared value (tests start each case from nothing).
void ResetForTests();

}  // namespace mdlUtama
