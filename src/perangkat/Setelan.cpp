#include "perangkat/Setelan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <map>

namespace perangkat {

namespace {

const QString kGrup = QStringLiteral("struk");
const QString kTujuan = QStringLiteral("tujuan");
const QString kLebar = QStringLiteral("lebar");
const QString kPotong = QStringLiteral("potong");
const QString kLaci = QStringLiteral("laci");
const QString kKepala = QStringLiteral("kepala");

// A value as text. An unquoted value with commas comes back from QSettings as
// a list; the person who typed it meant one line.
QString Teks(const QVariant& v) {
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
  return v.toString().trimmed();
}

std::optional<bool> YaTidak(const QString& s) {
  static const QStringList ya{"ya", "y", "yes", "true", "1", "on"};
  static const QStringList tidak{"tidak", "t", "no", "false", "0", "off"};
  const QString k = s.trimmed().toLower();
  if (ya.contains(k)) return true;
  if (tidak.contains(k)) return false;
  return std::nullopt;
}

QString Masalah(const QString& kunci, const QString& nilai, const QString& harus, const QString& dipakai) {
  return QStringLiteral("[struk] %1=%2: %3; dipakai %4").arg(kunci, nilai, harus, dipakai);
}

}  // namespace

SetelanStruk::SetelanStruk() : kepala(KepalaBawaan()) {}

QString BerkasSetelan() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("merapu.ini")); }

BacaanSetelan BacaSetelan(const QString& path) {
  BacaanSetelan b;
  SetelanStruk& s = b.setelan;
  if (!QFileInfo::exists(path)) return b;

  QSettings ini(path, QSettings::IniFormat);
  if (ini.status() != QSettings::NoError) {
    b.masalah << QStringLiteral("%1 tidak terbaca; dipakai setelan bawaan").arg(QDir::toNativeSeparators(path));
    return b;
  }
  ini.beginGroup(kGrup);

  if (ini.contains(kTujuan)) {
    const QString v = Teks(ini.value(kTujuan));
    if (const std::optional<Tujuan> t = Tujuan::Baca(v))
      s.tujuan = *t;
    else
      b.masalah << Masalah(kTujuan, v, QStringLiteral("harus page, file:/PATH, net:HOST:PORT atau cups:ANTREAN"),
                           s.tujuan.Teks());
  }
  if (ini.contains(kLebar)) {
    const QString v = Teks(ini.value(kLebar));
    bool ok = false;
    const int n = v.toInt(&ok);
    if (ok && (n == SetelanStruk::Lebar58 || n == 58))
      s.lebar = SetelanStruk::Lebar58;
    else if (ok && (n == SetelanStruk::Lebar80 || n == 80))
      s.lebar = SetelanStruk::Lebar80;
    else
      b.masalah << Masalah(kLebar, v, QStringLiteral("harus 32 (58 mm) atau 48 (80 mm)"), QString::number(s.lebar));
  }
  for (auto [kunci, nilai] : {std::pair{kPotong, &s.potong}, std::pair{kLaci, &s.laci}}) {
    if (!ini.contains(kunci)) continue;
    const QString v = Teks(ini.value(kunci));
    if (const std::optional<bool> y = YaTidak(v))
      *nilai = *y;
    else
      b.masalah << Masalah(kunci, v, QStringLiteral("harus ya atau tidak"),
                           *nilai ? QStringLiteral("ya") : QStringLiteral("tidak"));
  }

  // kepala1, kepala2, ... in the order of their numbers; a gap is no line,
  // and lines that are all empty are no header.
  static const QRegularExpression reKepala(QStringLiteral("^kepala([1-9][0-9]{0,2})$"));
  std::map<int, QString> kepala;
  for (const QString& k : ini.childKeys()) {
    if (k == kTujuan || k == kLebar || k == kPotong || k == kLaci) continue;
    const QRegularExpressionMatch m = reKepala.match(k);
    if (m.hasMatch())
      kepala[m.captured(1).toInt()] = Teks(ini.value(k));
    else
      b.masalah << QStringLiteral("[struk] %1: kunci tidak dikenal, diabaikan").arg(k);
  }
  if (!kepala.empty()) {
    s.kepala.clear();
    for (const auto& [n, baris] : kepala) s.kepala << baris;
    if (std::all_of(s.kepala.begin(), s.kepala.end(), [](const QString& l) { return l.isEmpty(); })) s.kepala.clear();
  }
  ini.endGroup();
  return b;
}

bool TulisSetelan(const QString& path, const SetelanStruk& s, QString* galat) {
  QSettings ini(path, QSettings::IniFormat);
  ini.beginGroup(kGrup);
  ini.remove(QString());
  ini.setValue(kTujuan, s.tujuan.Teks());
  ini.setValue(kLebar, s.lebar);
  ini.setValue(kPotong, s.potong ? QStringLiteral("ya") : QStringLiteral("tidak"));
  ini.setValue(kLaci, s.laci ? QStringLiteral("ya") : QStringLiteral("tidak"));
  // No header at all is written as one empty line, so that it does not read
  // back as the default.
  const QStringList kepala = s.kepala.isEmpty() ? QStringList{QString()} : s.kepala;
  for (int i = 0; i < kepala.size(); ++i) ini.setValue(kKepala + QString::number(i + 1), kepala[i]);
  ini.endGroup();
  ini.sync();
  if (ini.status() != QSettings::NoError) {
    if (galat) *galat = QStringLiteral("%1 tidak dapat ditulis").arg(QDir::toNativeSeparators(path));
    return false;
  }
  return true;
}

}  // namespace perangkat
