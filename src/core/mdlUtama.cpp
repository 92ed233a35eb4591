#include "core/mdlUtama.h"

#include <QCoreApplication>
#include <QDir>

#include "ui/Seams.h"

namespace mdlUtama {

db::ConnectionPtr Conn;
QString StrKoneksi;
QString SQL;
QString Pesan;
db::RecordsetPtr RsProduk, RsBarang, RsNota, RsGrup, RsCari, RsPemasok, RsPelanggan, RsPengguna,
    RsRekening, RsLapJual, RsLapBeli, RsDetail, RsLaporan, RsLaporan2, RsLogin;
QString UserAktif;

namespace {
QString& testPath() { static QString p; return p; }
}

QString DatabasePath() {
  if (!testPath().isEmpty()) return testPath();
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ZovaDavezuZi.mdb"));
}

void SetDatabasePathForTests(const QString& path) { testPath() = path; }

bool BukaKoneksi() {
  // Each call ends with a connection of its own; record sets opened earlier
  // keep the connection they were opened with.
  Conn = std::make_shared<db::Connection>();
  const QString path = DatabasePath();
  StrKoneksi = QStringLiteral("Provider=SQLite3;Persist ") + QStringLiteral("Security Info=False;Data Source=") +
               QDir::toNativeSeparators(path);
  if (!Conn->Open(path)) {
    ui::MsgBox(QStringLiteral("GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA"), ui::vbOKOnly,
               QStringLiteral("Kesalahan"));
    ui::EndApplication();
    return false;
  }
  RsProduk = std::make_shared<db::Recordset>();
  RsProduk->Open(QStringLiteral("SELECT * FROM Produk"), Conn);
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.* ") + QStringLiteral(" FROM Barang, Produk ") +
        QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" ORDER BY Kode_Barang ");
  RsBarang = std::make_shared<db::Recordset>();
  RsBarang->Open(SQL, Conn);
  return true;
}

QString FormatTanggal(const QDate& tgl) {
  return QStringLiteral("%1/%2/%3")
      .arg(tgl.day(), 2, 10, QLatin1Char('0'))
      .arg(tgl.month(), 2, 10, QLatin1Char('0'))
      .arg(tgl.year());
}

db::RecordsetPtr Buka(const QString& sql) {
  auto rs = std::make_shared<db::Recordset>();
  rs->Open(sql, Conn);
  return rs;
}

bool Jalankan(const QString& sql) {
  if (Conn && Conn->Execute(sql)) return true;
  ui::MsgBox(QStringLiteral("PERINTAH DATABASE GAGAL: ") + (Conn ? Conn->LastError() : QStringLiteral("tidak ada koneksi")),
             ui::vbOKOnly | ui::vbCritical, QStringLiteral("Kesalahan"));
  return false;
}

void ResetForTests() {
  Conn.reset();
  StrKoneksi.clear();
  SQL.clear();
  Pesan.clear();
  for (db::RecordsetPtr* rs : {&RsProduk, &RsBarang, &RsNota, &RsGrup, &RsCari, &RsPemasok, &RsPelanggan, &RsPengguna,
                               &RsRekening, &RsLapJual, &RsLapBeli, &RsDetail, &RsLaporan, &RsLaporan2, &RsLogin})
    rs->reset();
  UserAktif.clear();
}

}  // namespace mdlUtama
