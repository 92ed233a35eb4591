// Where the receipt goes: the setting text of a destination, a network
// printer that takes the bytes, refuses or never answers, a device file, and
// the settings of a till in merapu.ini.
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FakePrinter.h"
#include "PerangkatTest.h"
#include "perangkat/Setelan.h"
#include "perangkat/Sink.h"

using perangkat::Gagal;
using perangkat::Tujuan;
using perangkattest::FakePrinter;

Q_DECLARE_METATYPE(perangkat::Gagal)

namespace {

// Every byte value, over and over: nothing in the way may translate or drop one.
QByteArray Pola(int n) {
  QByteArray b(n, '\0');
  for (int i = 0; i < n; ++i) b[i] = char((i * 7 + i / 256) & 0xff);
  return b;
}

QByteArray IsiBerkas(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A port on 127.0.0.1 where nothing listens.
quint16 PortTertutup() {
  QTcpServer s;
  if (!s.listen(QHostAddress::LocalHost, 0)) return 0;
  const quint16 p = s.serverPort();
  s.close();
  return p;
}

}  // namespace

class SinkTest : public QObject {
  Q_OBJECT
 private slots:
  // A setting text names one destination and is written back the way it is
  // read; a text that names none is refused rather than guessed at.
  void destinationText_data() {
    QTest::addColumn<QString>("teks");
    QTest::addColumn<bool>("sah");
    QTest::addColumn<QString>("ditulis");
    QTest::newRow("empty is the page printer") << "" << true << "page";
    QTest::newRow("page, any case") << " Page " << true << "page";
    QTest::newRow("device file") << "file:/dev/usb/lp0" << true << "file:/dev/usb/lp0";
    QTest::newRow("relative path") << "file:lp0" << false << "";
    QTest::newRow("host and port") << "net:192.168.1.50:9101" << true << "net:192.168.1.50:9101";
    QTest::newRow("default port") << "NET:printer.local" << true << "net:printer.local:9100";
    QTest::newRow("ipv6 bare") << "net:fe80::1" << true << "net:[fe80::1]:9100";
    QTest::newRow("port too big") << "net:host:65536" << false << "";
    QTest::newRow("colon, no port") << "net:host:" << false << "";
    QTest::newRow("unclosed bracket") << "net:[::1:9100" << false << "";
    QTest::newRow("cups queue") << "cups:STRUK" << true << "cups:STRUK";
    QTest::newRow("cups, space in name") << "cups:STRUK 2" << false << "";
    QTest::newRow("unknown kind") << "usb:/dev/usb/lp0" << false << "";
  }
  void destinationText() {
    QFETCH(QString, teks);
    QFETCH(bool, sah);
    QFETCH(QString, ditulis);
    const std::optional<Tujuan> t = Tujuan::Baca(teks);
    QCOMPARE(t.has_value(), sah);
    if (!t) return;
    QCOMPARE(t->Teks(), ditulis);
    QCOMPARE(Tujuan::Baca(t->Teks()), t);
    QCOMPARE(t->EscPos(), ditulis != "page");
  }

  // What a network printer that reads gets is what was sent, whole, however
  // many writes it took.
  void networkSendArrivesWhole_data() {
    QTest::addColumn<int>("ukuran");
    QTest::newRow("one byte") << 1;
    QTest::newRow("a receipt") << 900;
    QTest::newRow("a long logo, many writes") << 3 * 1024 * 1024;
  }
  void networkSendArrivesWhole() {
    QFETCH(int, ukuran);
    FakePrinter printer;
    QVERIFY(printer.port() != 0);
    const QByteArray data = Pola(ukuran);
    const perangkat::HasilKirim h = perangkat::Kirim(Tujuan::Jaringan("127.0.0.1", printer.port()), data, 5000);
    QVERIFY2(h.ok, qPrintable(perangkat::TeksGagal(h)));
    QCOMPARE(h.jenis, Gagal::Tidak);
    const QByteArray diterima = printer.Diterima();
    QCOMPARE(diterima.size(), data.size());
    QVERIFY(diterima == data);
  }

  // A network printer that refuses is told at once; one that accepts and then
  // takes nothing is given up on at the limit, not waited for.
  void networkFailuresAreBounded_data() {
    QTest::addColumn<bool>("mendengar");
    QTest::addColumn<Gagal>("jenis");
    QTest::addColumn<int>("paling_cepat_ms");
    QTest::addColumn<int>("paling_lambat_ms");
    QTest::newRow("closed port: refused") << false << Gagal::Ditolak << 0 << 2000;
    QTest::newRow("never reads: no answer in time") << true << Gagal::TakMenjawab << 2500 << 6000;
  }
  void networkFailuresAreBounded() {
    QFETCH(bool, mendengar);
    QFETCH(Gagal, jenis);
    QFETCH(int, paling_cepat_ms);
    QFETCH(int, paling_lambat_ms);
    std::unique_ptr<FakePrinter> bisu;
    quint16 port = 0;
    if (mendengar) {
      bisu = std::make_unique<FakePrinter>(FakePrinter::Sikap::TakMembaca);
      port = bisu->port();
    } else {
      port = PortTertutup();
    }
    QVERIFY(port != 0);
    // More than the system's buffers on both ends can hold.
    const QByteArray data = Pola(32 * 1024 * 1024);
    QElapsedTimer jam;
    jam.start();
    const perangkat::HasilKirim h = perangkat::Kirim(Tujuan::Jaringan("127.0.0.1", port), data);
    const qint64 ms = jam.elapsed();
    QVERIFY(!h.ok);
    QCOMPARE(h.jenis, jenis);
    QVERIFY2(ms >= paling_cepat_ms && ms <= paling_lambat_ms, qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(h.pesan.contains(QString::number(port)), qPrintable(h.pesan));
  }

  // A device file: one that cannot be opened is reported as such and never
  // created, a write the device rejects is a failed write, a device that
  // stops taking bytes is given up on, and a writable one gets the bytes
  // exactly, each receipt after the one before.
  void deviceFile_data() {
    QTest::addColumn<QString>("macam");
    QTest::addColumn<Gagal>("jenis");
    QTest::newRow("missing device") << "missing" << Gagal::TakBisaBuka;
    QTest::newRow("a folder") << "folder" << Gagal::TakBisaBuka;
    QTest::newRow("a pipe nobody reads") << "fifo-no-reader" << Gagal::TakBisaBuka;
    QTest::newRow("device full: paper out") << "full" << Gagal::GagalTulis;
    QTest::newRow("device stops taking bytes") << "fifo-stalled" << Gagal::TakMenjawab;
    QTest::newRow("writable file") << "file" << Gagal::Tidak;
  }
  void deviceFile() {
    QFETCH(QString, macam);
    QFETCH(Gagal, jenis);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath("lp0");
    int pembaca = -1;
    QByteArray data = Pola(4000);
    int batasMs = 3000;
    if (macam == "missing") {
      path = dir.filePath("usb/lp0");
    } else if (macam == "folder") {
      path = dir.path();
    } else if (macam.startsWith("fifo")) {
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
      if (macam == "fifo-stalled") {
        pembaca = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(pembaca >= 0);
        data = Pola(4 * 1024 * 1024);  // more than a pipe holds
        batasMs = 300;
      }
    } else if (macam == "full") {
      if (!QFile::exists("/dev/full")) QSKIP("no /dev/full here");
      path = "/dev/full";
    } else {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.close();
    }

    QElapsedTimer jam;
    jam.start();
    const perangkat::HasilKirim h = perangkat::Kirim(Tujuan::Berkas(path), data, batasMs);
    const qint64 ms = jam.elapsed();
    if (pembaca >= 0) ::close(pembaca);
    QCOMPARE(h.jenis, jenis);
    QCOMPARE(h.ok, jenis == Gagal::Tidak);
    QVERIFY2(ms < batasMs + 1000, qPrintable(QString::number(ms) + " ms"));
    if (jenis == Gagal::TakMenjawab) QVERIFY2(ms >= batasMs - 50, qPrintable(QString::number(ms) + " ms"));
    if (macam == "missing") QVERIFY(!QFile::exists(path));
    if (!h.ok) {
      QVERIFY2(h.pesan.contains(path), qPrintable(h.pesan));
      QVERIFY(perangkat::TeksGagal(h).endsWith(h.pesan));
    }
    if (macam == "file") {
      QVERIFY(IsiBerkas(path) == data);
      const QByteArray kedua("\x1b@second\x1dV\x41\x03", 13);
      QVERIFY(perangkat::Kirim(Tujuan::Berkas(path), kedua).ok);
      QVERIFY(IsiBerkas(path) == data + kedua);
    }
  }

  // A CUPS queue is reached through lp, stand-ins for which are put first on
  // the PATH here: the bytes go to its input unchanged, a refusal by lp is a
  // queue that cannot be opened with lp's own words, and an lp that hangs is
  // stopped at the limit.
  void cupsQueueThroughLp_data() {
    QTest::addColumn<QString>("skrip");
    QTest::addColumn<Gagal>("jenis");
    QTest::addColumn<QString>("pesan");
    QTest::newRow("queued") << "cat > \"$(dirname \"$0\")/job\"; echo \"$@\" > \"$(dirname \"$0\")/args\""
                            << Gagal::Tidak << "";
    QTest::newRow("no such queue") << "cat > /dev/null; echo 'lp: The printer or class does not exist.' >&2; exit 1"
                                   << Gagal::TakBisaBuka << "does not exist";
    QTest::newRow("hangs") << "exec sleep 30" << Gagal::TakMenjawab << "STRUK";
  }
  void cupsQueueThroughLp() {
    QFETCH(QString, skrip);
    QFETCH(Gagal, jenis);
    QFETCH(QString, pesan);
    QTemporaryDir dir;
    QFile lp(dir.filePath("lp"));
    QVERIFY(lp.open(QIODevice::WriteOnly));
    lp.write(("#!/bin/sh\n" + skrip + "\n").toUtf8());
    lp.close();
    QVERIFY(lp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path()) + ":" + path);
    const QByteArray data = Pola(70000);
    QElapsedTimer jam;
    jam.start();
    const perangkat::HasilKirim h = perangkat::Kirim(Tujuan::Cups("STRUK"), data, 1500);
    const qint64 ms = jam.elapsed();
    qputenv("PATH", path);
    QCOMPARE(h.jenis, jenis);
    QVERIFY2(ms < 3000, qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(h.pesan.contains(pesan), qPrintable(h.pesan));
    if (jenis == Gagal::Tidak) {
      QVERIFY(IsiBerkas(dir.filePath("job")) == data);
      QCOMPARE(IsiBerkas(dir.filePath("args")).trimmed(), QByteArray("-d STRUK -o raw"));
    }
  }

  // The page printer takes no raw bytes: asking it to is an error, not a
  // silent success.
  void pagePrinterTakesNoBytes() {
    const perangkat::HasilKirim h = perangkat::Kirim(Tujuan{}, QByteArray("\x1b@", 2));
    QVERIFY(!h.ok);
    QCOMPARE(h.jenis, Gagal::BukanPerangkat);
    QVERIFY(!perangkat::TeksGagal(h).isEmpty());
  }

  // Settings: no file or an empty section is today's page printer; what is
  // written reads back the same, beside the file's other sections; a file
  // typed by hand is read as a person means it.
  void settingsRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath("merapu.ini");
    const perangkat::BacaanSetelan kosong = perangkat::BacaSetelan(path);
    QVERIFY(kosong.masalah.isEmpty());
    QCOMPARE(kosong.setelan.tujuan.jenis, Tujuan::Jenis::Halaman);
    QCOMPARE(kosong.setelan.lebar, 32);
    QVERIFY(kosong.setelan.potong);
    QVERIFY(!kosong.setelan.laci);
    QCOMPARE(kosong.setelan.kepala, perangkat::KepalaBawaan());
    QVERIFY(!QFile::exists(path));

    {
      QSettings lain(path, QSettings::IniFormat);
      lain.setValue("kasir/nomor", 3);
    }
    perangkat::SetelanStruk s;
    s.tujuan = Tujuan::Jaringan("192.168.1.50", 9101);
    s.lebar = perangkat::SetelanStruk::Lebar80;
    s.potong = false;
    s.laci = true;
    s.kepala = QStringList{"TOKO ANEKA, CABANG 2", "", "Jl. Mawar; No. 5 = Blok \"A\""};
    QString galat;
    QVERIFY2(perangkat::TulisSetelan(path, s, &galat), qPrintable(galat));
    perangkat::BacaanSetelan b = perangkat::BacaSetelan(path);
    QVERIFY2(b.masalah.isEmpty(), qPrintable(b.masalah.join('\n')));
    QVERIFY(b.setelan == s);
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("kasir/nomor").toInt(), 3);

    // Fewer header lines than before leave none of the old ones behind; no
    // header at all stays none.
    s.kepala = QStringList{"SATU"};
    QVERIFY(perangkat::TulisSetelan(path, s));
    QCOMPARE(perangkat::BacaSetelan(path).setelan.kepala, QStringList{"SATU"});
    s.kepala.clear();
    QVERIFY(perangkat::TulisSetelan(path, s));
    QCOMPARE(perangkat::BacaSetelan(path).setelan.kepala, QStringList());

    const QString tangan = dir.filePath("tangan.ini");
    QFile f(tangan);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[struk]\ntujuan = file:/dev/usb/lp0\nlebar = 80\npotong = TIDAK\nlaci = Ya\n"
            "kepala2 = Jl. Melati 3, Medan\nkepala1 = TOKO SARI\n");
    f.close();
    b = perangkat::BacaSetelan(tangan);
    QVERIFY2(b.masalah.isEmpty(), qPrintable(b.masalah.join('\n')));
    QCOMPARE(b.setelan.tujuan, Tujuan::Berkas("/dev/usb/lp0"));
    QCOMPARE(b.setelan.lebar, 48);
    QVERIFY(!b.setelan.potong);
    QVERIFY(b.setelan.laci);
    QCOMPARE(b.setelan.kepala, (QStringList{"TOKO SARI", "Jl. Melati 3, Medan"}));
  }

  // A value that is not understood leaves its default and says so, naming the
  // key; the other values of the section still count.
  void settingsBadValueReported_data() {
    QTest::addColumn<QString>("baris");
    QTest::addColumn<QString>("kunci");
    QTest::newRow("unknown destination") << "tujuan=printer1" << "tujuan";
    QTest::newRow("bad port") << "tujuan=net:10.0.0.9:99999" << "tujuan";
    QTest::newRow("width not 32 or 48") << "lebar=40" << "lebar";
    QTest::newRow("cut neither yes nor no") << "potong=mungkin" << "potong";
    QTest::newRow("misspelt key") << "potongan=ya" << "potongan";
  }
  void settingsBadValueReported() {
    QFETCH(QString, baris);
    QFETCH(QString, kunci);
    QTemporaryDir dir;
    const QString path = dir.filePath("merapu.ini");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // One good value of another key beside the bad one.
    f.write(("[struk]\n" + baris + "\nlaci=ya\n").toUtf8());
    f.close();
    const perangkat::BacaanSetelan b = perangkat::BacaSetelan(path);
    QCOMPARE(b.masalah.size(), 1);
    QVERIFY2(b.masalah[0].contains(kunci), qPrintable(b.masalah[0]));
    const perangkat::SetelanStruk bawaan;
    if (kunci == "tujuan") QVERIFY(b.setelan.tujuan == bawaan.tujuan);
    if (kunci == "lebar") QCOMPARE(b.setelan.lebar, bawaan.lebar);
    if (kunci == "potong" || kunci == "potongan") QCOMPARE(b.setelan.potong, bawaan.potong);
    QVERIFY(b.setelan.laci);
  }
};

PERANGKAT_TEST(SinkTest);
#include "SinkTest.moc"
