// A till without its window, for the tests of several tills at once: saves
// documents one after another on a database as the sale, purchase and cash
// windows do (the next number, then the save), and says each one stored.
//
//   merapu-test-till DB NAME COUNT jual|beli|kas [LINES]
//
// Prints "SAVED <number>" once each document is committed, "FAILED <why>"
// (status 1) when one could not be stored.
#include <QCoreApplication>
#include <QDate>
#include <cstdio>

#include "db/Connection.h"
#include "toko/Dokumen.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() < 5) {
    std::fprintf(stderr, "usage: merapu-test-till DB NAME COUNT jual|beli|kas [LINES]\n");
    return 2;
  }
  db::Description where;
  QString why;
  if (db::IsServerUrl(a[1])) {
    if (!db::Description::FromUrl(a[1], &where, &why)) return std::fprintf(stderr, "%s\n", qPrintable(why)), 2;
  } else {
    where = db::Description::File(a[1]);
  }
  const QString nama = a[2], jenis = a[4];
  const int count = a[3].toInt(), lines = a.size() > 5 ? a[5].toInt() : 3;
  auto c = std::make_shared<db::Connection>();
  if (!c->Open(where)) {
    std::printf("FAILED %s\n", qPrintable(c->LastError()));
    return 1;
  }
  // The items of the demo stock every till sells from, in turn.
  const QStringList items = {"001.001.001", "001.001.002", "001.001.003", "001.001.004"};
  for (int n = 0; n < count; ++n) {
    toko::HasilSimpan h;
    QList<toko::BarisBarang> baris;
    qint64 total = 0;
    for (int l = 0; l < lines; ++l) {
      toko::BarisBarang b;
      b.kode = items[(n + l) % items.size()];
      b.harga = 1000;
      b.jumlah = 1;
      b.subtotal = 1000;
      total += b.subtotal;
      baris << b;
    }
    const toko::Seri& seri = jenis == "jual" ? toko::SeriPenjualan : jenis == "beli" ? toko::SeriPembelian : toko::SeriKas;
    const toko::NomorBaru nomor = toko::NomorBerikut(c, seri);
    if (!nomor.ok()) {
      std::printf("FAILED %s\n", qPrintable(nomor.error.message + nomor.habis));
      return 1;
    }
    if (jenis == "jual") {
      toko::Penjualan j{nomor.nomor, QDate(2024, 3, 15), nama, QString(), total, total, 0, baris};
      h = toko::Simpan(c, j);
    } else if (jenis == "beli") {
      toko::Pembelian b{nomor.nomor, QDate(2024, 3, 15), QStringLiteral("P01"), nama, total, baris};
      h = toko::Simpan(c, b);
    } else {
      h = toko::Simpan(c, toko::Kas{nomor.nomor, QDate(2024, 3, 15), QStringLiteral("DEBET"), nama, 1000});
    }
    if (!h.ok()) {
      std::printf("FAILED %s\n", qPrintable(h.error.message));
      return 1;
    }
    std::printf("SAVED %s\n", qPrintable(h.nomor));
    std::fflush(stdout);
  }
  return 0;
}
