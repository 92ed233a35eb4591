#pragma once
// Where a receipt's bytes go, and the one call that sends them there. The
// page printer is the default and is not a raw device: its receipt is laid out
// by the windows. Every other destination takes ESC/POS bytes as they are.
#include <QByteArray>
#include <QString>
#include <optional>

namespace perangkat {

struct Tujuan {
  enum class Jenis {
    Halaman,   // the default page printer, not ESC/POS
    Berkas,    // a device file: /dev/usb/lp0
    Jaringan,  // a network printer on a raw port: HOST:9100
    Cups,      // a CUPS queue printed raw: lp -d QUEUE -o raw
  };
  static constexpr quint16 PortBawaan = 9100;

  Jenis jenis = Jenis::Halaman;
  QString alamat;  // the path, the host or the queue; empty for the page printer
  quint16 port = PortBawaan;

  bool EscPos() const { return jenis != Jenis::Halaman; }

  // The setting text: "page", "file:/dev/usb/lp0", "net:192.168.1.50:9100",
  // "net:[fe80::1]:9100", "cups:STRUK". Teks() writes what Baca reads back.
  QString Teks() const;
  // An empty text is the page printer; a text that names no destination
  // gives nothing.
  static std::optional<Tujuan> Baca(const QString& teks);

  static Tujuan Berkas(const QString& path) { return {Jenis::Berkas, path, PortBawaan}; }
  static Tujuan Jaringan(const QString& host, quint16 p = PortBawaan) { return {Jenis::Jaringan, host, p}; }
  static Tujuan Cups(const QString& antrean) { return {Jenis::Cups, antrean, PortBawaan}; }

  bool operator==(const Tujuan& o) const { return jenis == o.jenis && alamat == o.alamat && port == o.port; }
};

// What went wrong, apart from the words of the system that said it.
enum class Gagal {
  Tidak,           // sent
  BukanPerangkat,  // the page printer takes no raw bytes
  TakBisaBuka,     // no such device or host, no permission, no such queue
  Ditolak,         // the printer refused the connection
  TakMenjawab,     // no answer in time: connect, write or the whole send
  GagalTulis,      // the write failed: paper out, cable pulled
};

struct HasilKirim {
  bool ok = false;
  Gagal jenis = Gagal::Tidak;
  QString pesan;  // the system's message, for the person at the till
};

// The message the till shows for a failed send (Indonesian), with the
// system's words after it.
QString TeksGagal(const HasilKirim& h);

// Sends the bytes whole or reports why not. Never waits longer than about
// timeoutMs in all: opening or connecting, each write and the flush share one
// deadline. Blocking; call it from the thread that owns no window or accept
// that the window is frozen for at most that long.
HasilKirim Kirim(const Tujuan& tujuan, const QByteArray& data, int timeoutMs = 3000);

}  // namespace perangkat
