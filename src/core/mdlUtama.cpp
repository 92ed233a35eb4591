#include "core/mdlUtama.h"

#include <QCoreApplication>
#include <QDir>

#include "db/FileCheck.h"

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

namespace {
// The connection message, then the end of the program. Why the file was
// refused goes to the error output, for whoever supports the shop.
void GagalKoneksi(const QString& sebab) {
  if (ui::EndRequested()) return;
  if (!sebab.isEmpty()) qWarning("%s", qPrintable(sebab));
  ui::MsgBox(QStringLiteral("GAGAL KONEKSI DATABASE, SILAHKAN PERBAIKI DATA SETTING ANDA"), ui::vbOKOnly,
             QStringLiteral("Kesalahan"));
  ui::EndApplication(1);
}
}  // namespace

bool BukaKoneksi() {
  // Each call ends with a connection of its own; record sets opened earlier
  // keep the connection they were opened with.
  Conn = std::make_shared<db::Connection>();
  const QString path = DatabasePath();
  StrKoneksi = QStringLiteral("Provider=SQLite3;Persist ") + QStringLiteral("Security Info=False;Data Source=") +
               QDir::toNativeSeparators(path);
  if (!Conn->Open(path)) {
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
  (void)Buka(RsProduk, QStringLiteral("SELECT * FROM Produk"));
  SQL.clear();
  SQL = QStringLiteral("SELECT Barang.*, Produk.* ") + QStringLiteral(" FROM Barang, Produk ") +
        QStringLiteral(" WHERE Produk.Kode_Produk=Barang.Kode_Produk ") + QStringLiteral(" ORDER BY Kode_Barang ");
  (void)Buka(RsBarang, SQL);
  return true;
}

QString FormatTanggal(const QDate& tgl) {
  return QStringLiteral("%1/%2/%3")
      .arg(tgl.day(), 2, 10, QLatin1Char('0'))
      .arg(tgl.month(), 2, 10, QLatin1Char('0'))
      .arg(tgl.year());
}

void TampilGagal(const QString& sql, const QString& error, bool busy) {
  ui::MsgBox(db::FailureText(sql, error, busy), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
}

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

bool BacaUlang(db::Recordset* rs) {
  if (!rs) return false;
  if (rs->Requery()) return true;
  TampilGagal(rs->Source(), rs->LastError(), rs->LastErrorBusy());
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
