#include "db/Description.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>
#include <mutex>

namespace db {

namespace {
std::mutex& lock() {
  static std::mutex m;
  return m;
}
Description& chosen() {
  static Description d;
  return d;
}
bool Chosen(const Description& d) { return d.IsServer() || !d.path.isEmpty(); }
}  // namespace

bool IsServerUrl(const QString& text) {
  return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

bool Description::FromUrl(const QString& url, Description* out, QString* why) {
  Description d;
  d.kind = Kind::Server;
  const QUrl u(url);
  if (!IsServerUrl(url) || !u.isValid()) {
    if (why) *why = QStringLiteral("Alamat server tidak dikenali: %1").arg(url);
    return false;
  }
  d.host = QUrl::fromPercentEncoding(u.host(QUrl::FullyEncoded).toUtf8());
  d.port = u.port(0);
  d.user = u.userName();
  d.password = u.password();
  d.dbname = u.path().mid(1);
  // A socket folder is given as ?host=/path, as libpq's own URLs do.
  const QUrlQuery q(u);
  if (q.hasQueryItem(QStringLiteral("host"))) d.host = q.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
  if (q.hasQueryItem(QStringLiteral("passfile")))
    d.passfile = q.queryItemValue(QStringLiteral("passfile"), QUrl::FullyDecoded);
  if (d.dbname.isEmpty()) {
    if (why) *why = QStringLiteral("Alamat server tidak menyebut databasenya: %1").arg(url);
    return false;
  }
  *out = d;
  return true;
}

QString Description::Target() const {
  if (IsFile()) return path;
  QString server = host.isEmpty() ? QStringLiteral("localhost") : host;
  if (port) server += QLatin1Char(':') + QString::number(port);
  return QStringLiteral("server %1, database %2").arg(server, dbname);
}

Description Description::OtherDatabase(const QString& name) const {
  Description d = *this;
  d.dbname = name;
  return d;
}

QString SettingsFile() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("merapu.ini")); }

Description StoreFromSettings(const QString& iniPath, const QString& fileBeside, QString* kasir) {
  if (kasir) kasir->clear();
  if (!QFile::exists(iniPath)) return Description::File(fileBeside);
  QSettings ini(iniPath, QSettings::IniFormat);
  if (kasir) *kasir = ini.value(QStringLiteral("kasir/nama")).toString().trimmed();
  const QString engine = ini.value(QStringLiteral("database/engine")).toString().trimmed().toLower();
  if (engine.isEmpty() || engine == QLatin1String("sqlite") || engine == QLatin1String("file")) {
    const QString file = ini.value(QStringLiteral("database/file")).toString().trimmed();
    return Description::File(file.isEmpty() ? fileBeside : file);
  }
  Description d;
  d.kind = Description::Kind::Server;
  d.host = ini.value(QStringLiteral("database/host")).toString().trimmed();
  d.port = ini.value(QStringLiteral("database/port")).toInt();
  d.dbname = ini.value(QStringLiteral("database/dbname")).toString().trimmed();
  d.user = ini.value(QStringLiteral("database/user")).toString().trimmed();
  d.passfile = ini.value(QStringLiteral("database/passfile")).toString().trimmed();
  d.password = ini.value(QStringLiteral("database/password")).toString();
  d.backups = ini.value(QStringLiteral("database/backup")).toString().trimmed();
  if (engine != QLatin1String("postgresql") && engine != QLatin1String("postgres")) {
    d.refused = QStringLiteral("Mesin database %1 di %2 tidak dikenal (pilih sqlite atau postgresql)").arg(engine, iniPath);
  } else if (d.dbname.isEmpty()) {
    d.refused = QStringLiteral("Nama database (dbname) di bagian [database] %1 kosong").arg(iniPath);
  } else if (!d.password.isEmpty()) {
    // A password in a file anyone can read is no secret.
    struct stat st;
    if (::stat(QFile::encodeName(iniPath).constData(), &st) != 0 || (st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
      d.refused = QStringLiteral("File setelan %1 menyimpan kata sandi tetapi dapat dibaca pengguna lain; "
                                 "jalankan chmod 600 atau pakai passfile").arg(iniPath);
  }
  return d;
}

QString TillName() {
  QString kasir;
  StoreFromSettings(SettingsFile(), QString(), &kasir);
  return kasir;
}

Description ShopDatabase() {
  {
    std::lock_guard<std::mutex> l(lock());
    if (Chosen(chosen())) return chosen();
  }
  return StoreFromSettings(SettingsFile(),
                           QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kShopFileName)));
}

void SetShopDatabase(const Description& d) {
  std::lock_guard<std::mutex> l(lock());
  chosen() = d;
}

}  // namespace db
