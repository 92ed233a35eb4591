#include "perangkat/StrukKasir.h"

#include <algorithm>

#include "perangkat/Susun.h"

namespace perangkat {

Susunan SusunRetur(const toko::Retur& r, const QTime& jam, int lebar, const QStringList& kepala) {
  const int w = std::max(lebar, LebarMin);
  Susunan s;
  BarisKepala(s, kepala, w);
  s << BarisGaris(w);
  s << BarisTengah(r.batal ? QStringLiteral("*** VOID NOTA ***") : QStringLiteral("*** RETUR BARANG ***"), w, true);
  BarisKiriKanan(s, QStringLiteral("No"), r.nomor, w);
  BarisKiriKanan(s, QStringLiteral("Nota"), r.nota, w);
  if (const QString t = Waktu(r.tanggal, jam); !t.isEmpty()) BarisKiriKanan(s, QStringLiteral("Tgl"), t, w);
  BarisKiriKanan(s, QStringLiteral("Kasir"), r.user, w);
  if (r.penyetuju.compare(r.user, Qt::CaseInsensitive) != 0)
    BarisKiriKanan(s, QStringLiteral("Disetujui"), r.penyetuju, w);
  s << BarisGaris(w);
  for (const toko::BarisBarang& b : r.baris) {
    for (const QString& n : BarisBungkus(b.nama.isEmpty() ? b.kode : b.nama, w)) s << BarisCetak{n};
    BarisKiriKanan(s, QStringLiteral("  ") + Uang(b.jumlah) + QStringLiteral(" x ") + Uang(b.harga),
                   Uang(b.subtotal), w);
  }
  s << BarisGaris(w);
  BarisKiriKanan(s, QStringLiteral("UANG KEMBALI"), Uang(r.total), w, true, true);
  if (!r.alasan.trimmed().isEmpty())
    for (const QString& a : BarisBungkus(QStringLiteral("Alasan: ") + r.alasan.trimmed(), w)) s << BarisCetak{a};
  s << BarisGaris(w, QLatin1Char('='));
  return s;
}

Susunan SusunLaporanKasir(const toko::Tutup& t, bool z, int lebar, const QStringList& kepala) {
  const int w = std::max(lebar, LebarMin);
  const toko::AngkaHari& a = t.angka;
  Susunan s;
  BarisKepala(s, kepala, w);
  s << BarisGaris(w);
  s << BarisTengah(z ? QStringLiteral("LAPORAN Z - TUTUP KASIR") : QStringLiteral("LAPORAN X - SEMENTARA"), w, true);
  BarisKiriKanan(s, QStringLiteral("Kasir"), a.kasir, w);
  if (const QString d = Waktu(a.tanggal, t.jam); !d.isEmpty()) BarisKiriKanan(s, QStringLiteral("Tgl"), d, w);
  s << BarisGaris(w);
  BarisKiriKanan(s, QStringLiteral("Kas awal"), Uang(a.kasAwal), w);
  BarisKiriKanan(s, QStringLiteral("Jumlah nota"), Uang(a.nota), w);
  BarisKiriKanan(s, QStringLiteral("Jumlah barang"), Uang(a.barang), w);
  BarisKiriKanan(s, QStringLiteral("Penjualan tunai"), Uang(a.penjualan), w);
  BarisKiriKanan(s, QStringLiteral("Retur (uang kembali)"), Uang(a.retur), w);
  s << BarisGaris(w);
  BarisKiriKanan(s, QStringLiteral("Kas seharusnya"), Uang(a.diharapkan()), w, true);
  if (z) {
    BarisKiriKanan(s, QStringLiteral("Kas dihitung"), Uang(t.dihitung), w, true);
    BarisKiriKanan(s, QStringLiteral("Selisih"), Uang(t.selisih()), w, true, true);
  }
  s << BarisGaris(w, QLatin1Char('='));
  return s;
}

}  // namespace perangkat
