#include "perangkat/Sink.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace perangkat {

namespace {

const QString kHalaman = QStringLiteral("page");
const QString kBerkas = QStringLiteral("file:");
const QString kJaringan = QStringLiteral("net:");
const QString kCups = QStringLiteral("cups:");

HasilKirim Berhasil() { return {true, Gagal::Tidak, QString()}; }
HasilKirim Gagalnya(Gagal g, const QString& pesan) { return {false, g, pesan}; }
QString Errno(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

// "HOST", "HOST:PORT", "[V6]" or "[V6]:PORT"; a bare address with more than
// one colon is an IPv6 host on the default port.
std::optional<Tujuan> BacaJaringan(const QString& s) {
  QString host = s;
  QString port;
  if (s.startsWith(QLatin1Char('['))) {
    const int tutup = s.indexOf(QLatin1Char(']'));
    if (tutup < 0) return std::nullopt;
    host = s.mid(1, tutup - 1);
    const QString sisa = s.mid(tutup + 1);
    if (!sisa.isEmpty()) {
      if (!sisa.startsWith(QLatin1Char(':'))) return std::nullopt;
      port = sisa.mid(1);
      if (port.isEmpty()) return std::nullopt;
    }
  } else if (s.count(QLatin1Char(':')) == 1) {
    const int titik = s.indexOf(QLatin1Char(':'));
    host = s.left(titik);
    port = s.mid(titik + 1);
    if (port.isEmpty()) return std::nullopt;
  }
  host = host.trimmed();
  if (host.isEmpty() || host.contains(QLatin1Char(' ')) || host.contains(QLatin1Char('/'))) return std::nullopt;
  quint16 p = Tujuan::PortBawaan;
  if (!port.isEmpty()) {
    bool ok = false;
    const uint n = port.trimmed().toUInt(&ok);
    if (!ok || n == 0 || n > 65535) return std::nullopt;
    p = quint16(n);
  }
  return Tujuan::Jaringan(host, p);
}

// ---- a device file -------------------------------------------------------------
// Opened without blocking and never created: a printer that is not plugged in
// is reported, not replaced by a new file in /dev.
HasilKirim KeBerkas(const QString& path, const QByteArray& data, const QDeadlineTimer& batas) {
  const QByteArray p = path.toLocal8Bit();
  int fd;
  do {
    fd = ::open(p.constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Gagalnya(Gagal::TakBisaBuka, path + QStringLiteral(": ") + Errno(errno));

  HasilKirim h = Berhasil();
  qint64 terkirim = 0;
  while (terkirim < data.size()) {
    const ssize_t n = ::write(fd, data.constData() + terkirim, size_t(data.size() - terkirim));
    if (n > 0) {
      terkirim += n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      h = Gagalnya(Gagal::GagalTulis, path + QStringLiteral(": ") + Errno(errno));
      break;
    }
    // The device takes no more for now: wait until it does, up to the deadline.
    const qint64 sisa = batas.remainingTime();
    if (sisa == 0) {
      h = Gagalnya(Gagal::TakMenjawab, path);
      break;
    }
    pollfd tunggu{fd, POLLOUT, 0};
    const int r = ::poll(&tunggu, 1, int(sisa));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      h = Gagalnya(Gagal::GagalTulis, path + QStringLiteral(": ") + Errno(errno));
      break;
    }
    if (r == 0) {
      h = Gagalnya(Gagal::TakMenjawab, path);
      break;
    }
    if ((tunggu.revents & POLLOUT) == 0) {
      // Hung up or in error with nothing writable: the next write says why,
      // or we say it here if it would only block again.
      const ssize_t m = ::write(fd, data.constData() + terkirim, size_t(data.size() - terkirim));
      if (m > 0) {
        terkirim += m;
        continue;
      }
      h = Gagalnya(Gagal::GagalTulis, path + QStringLiteral(": ") +
                                          (m < 0 ? Errno(errno) : QStringLiteral("perangkat terputus")));
      break;
    }
  }
  ::close(fd);
  return h;
}

// ---- a network printer ---------------------------------------------------------
// A name is looked up apart, in an event loop bounded by the deadline: the
// socket's own lookup would block for as long as the resolver likes.
std::optional<QHostAddress> Cari(const QString& host, const QDeadlineTimer& batas, HasilKirim* h) {
  QHostAddress a;
  if (a.setAddress(host)) return a;
  QEventLoop loop;
  QHostInfo hasil;
  bool selesai = false;
  const int id = QHostInfo::lookupHost(host, &loop, [&](const QHostInfo& info) {
    hasil = info;
    selesai = true;
    loop.quit();
  });
  QTimer::singleShot(int(std::max<qint64>(1, batas.remainingTime())), &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (!selesai) {
    QHostInfo::abortHostLookup(id);
    *h = Gagalnya(Gagal::TakMenjawab, host + QStringLiteral(": nama tidak terjawab"));
    return std::nullopt;
  }
  if (hasil.error() != QHostInfo::NoError || hasil.addresses().isEmpty()) {
    *h = Gagalnya(Gagal::TakBisaBuka, host + QStringLiteral(": ") + hasil.errorString());
    return std::nullopt;
  }
  return hasil.addresses().first();
}

HasilKirim KeJaringan(const Tujuan& t, const QByteArray& data, const QDeadlineTimer& batas) {
  const QString nama = t.alamat + QLatin1Char(':') + QString::number(t.port);
  HasilKirim h;
  const std::optional<QHostAddress> alamat = Cari(t.alamat, batas, &h);
  if (!alamat) return h;

  QTcpSocket s;
  auto galat = [&](Gagal bawaan) {
    const Gagal g = s.error() == QAbstractSocket::ConnectionRefusedError ? Gagal::Ditolak
                    : s.error() == QAbstractSocket::SocketTimeoutError || batas.hasExpired() ? Gagal::TakMenjawab
                                                                                              : bawaan;
    const QString pesan = nama + QStringLiteral(": ") + s.errorString();
    s.abort();
    return Gagalnya(g, pesan);
  };

  s.connectToHost(*alamat, t.port);
  if (!s.waitForConnected(int(std::max<qint64>(1, batas.remainingTime())))) return galat(Gagal::TakBisaBuka);

  if (s.write(data) != data.size()) return galat(Gagal::GagalTulis);
  while (s.bytesToWrite() > 0) {
    if (batas.hasExpired()) {
      s.abort();
      return Gagalnya(Gagal::TakMenjawab, nama);
    }
    if (!s.waitForBytesWritten(int(std::max<qint64>(1, batas.remainingTime())))) return galat(Gagal::GagalTulis);
  }
  s.disconnectFromHost();
  if (s.state() != QAbstractSocket::UnconnectedState)
    s.waitForDisconnected(int(std::max<qint64>(1, batas.remainingTime())));
  s.abort();
  return Berhasil();
}

// ---- a CUPS queue ----------------------------------------------------------------
HasilKirim KeCups(const QString& antrean, const QByteArray& data, const QDeadlineTimer& batas) {
  QProcess lp;
  lp.setProgram(QStringLiteral("lp"));
  lp.setArguments({QStringLiteral("-d"), antrean, QStringLiteral("-o"), QStringLiteral("raw")});
  lp.start();
  if (!lp.waitForStarted(int(std::max<qint64>(1, batas.remainingTime()))))
    return Gagalnya(Gagal::TakBisaBuka, QStringLiteral("lp: ") + lp.errorString());
  lp.write(data);
  lp.closeWriteChannel();
  if (!lp.waitForFinished(int(std::max<qint64>(1, batas.remainingTime())))) {
    lp.kill();
    lp.waitForFinished(1000);
    return Gagalnya(Gagal::TakMenjawab, QStringLiteral("lp -d ") + antrean);
  }
  const QString keluhan = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
  if (lp.exitStatus() != QProcess::NormalExit)
    return Gagalnya(Gagal::GagalTulis, QStringLiteral("lp: ") + lp.errorString());
  // lp only queues the job: a refusal is about reaching the queue.
  if (lp.exitCode() != 0)
    return Gagalnya(Gagal::TakBisaBuka,
                    keluhan.isEmpty() ? QStringLiteral("lp: kode keluar %1").arg(lp.exitCode()) : keluhan);
  return Berhasil();
}

}  // namespace

QString Tujuan::Teks() const {
  switch (jenis) {
    case Jenis::Halaman:
      return kHalaman;
    case Jenis::Berkas:
      return kBerkas + alamat;
    case Jenis::Jaringan: {
      const QString host = alamat.contains(QLatin1Char(':')) ? QLatin1Char('[') + alamat + QLatin1Char(']') : alamat;
      return kJaringan + host + QLatin1Char(':') + QString::number(port);
    }
    case Jenis::Cups:
      return kCups + alamat;
  }
  return kHalaman;
}

std::optional<Tujuan> Tujuan::Baca(const QString& teks) {
  const QString t = teks.trimmed();
  if (t.isEmpty() || t.compare(kHalaman, Qt::CaseInsensitive) == 0) return Tujuan{};
  auto isi = [&](const QString& awal) { return t.mid(awal.size()).trimmed(); };
  if (t.startsWith(kBerkas, Qt::CaseInsensitive)) {
    const QString path = isi(kBerkas);
    if (!path.startsWith(QLatin1Char('/'))) return std::nullopt;
    return Berkas(path);
  }
  if (t.startsWith(kJaringan, Qt::CaseInsensitive)) return BacaJaringan(isi(kJaringan));
  if (t.startsWith(kCups, Qt::CaseInsensitive)) {
    const QString q = isi(kCups);
    // CUPS names no queue with spaces, slashes or a '#'.
    for (const QChar c : q)
      if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('#')) return std::nullopt;
    if (q.isEmpty()) return std::nullopt;
    return Cups(q);
  }
  return std::nullopt;
}

QString TeksGagal(const HasilKirim& h) {
  QString s;
  switch (h.jenis) {
    case Gagal::Tidak:
      return QString();
    case Gagal::BukanPerangkat:
      s = QStringLiteral("Printer struk diatur ke printer halaman, bukan printer ESC/POS");
      break;
    case Gagal::TakBisaBuka:
      s = QStringLiteral("Printer struk tidak dapat dibuka");
      break;
    case Gagal::Ditolak:
      s = QStringLiteral("Printer struk menolak sambungan");
      break;
    case Gagal::TakMenjawab:
      s = QStringLiteral("Printer struk tidak menjawab");
      break;
    case Gagal::GagalTulis:
      s = QStringLiteral("Gagal menulis ke printer struk");
      break;
  }
  return h.pesan.isEmpty() ? s : s + QStringLiteral(": ") + h.pesan;
}

HasilKirim Kirim(const Tujuan& tujuan, const QByteArray& data, int timeoutMs) {
  const QDeadlineTimer batas(std::max(1, timeoutMs));
  switch (tujuan.jenis) {
    case Tujuan::Jenis::Halaman:
      return Gagalnya(Gagal::BukanPerangkat, QString());
    case Tujuan::Jenis::Berkas:
      return KeBerkas(tujuan.alamat, data, batas);
    case Tujuan::Jenis::Jaringan:
      return KeJaringan(tujuan, data, batas);
    case Tujuan::Jenis::Cups:
      return KeCups(tujuan.alamat, data, batas);
  }
  return Gagalnya(Gagal::BukanPerangkat, QString());
}

}  // namespace perangkat
