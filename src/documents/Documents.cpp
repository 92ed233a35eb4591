// The documents of the program. Widths are shares of the printable line in
// characters; the layout stretches them to the paper of the day.
#include "documents/ReportDef.h"

namespace reports {

namespace {
using F = Format;
QString S(const char* s) { return QString::fromUtf8(s); }

Column C(const char* heading, const char* field, double width, Format f = F::Text) {
  return Column{.heading = S(heading), .field = S(field), .format = f, .width = width};
}
Column Label(const char* heading, const char* label, double width) {
  return Column{.heading = S(heading), .format = F::Number, .width = width, .label = S(label)};
}
HeaderRow H(const char* caption, const char* label) { return HeaderRow{.caption = S(caption), .label = S(label)}; }
// A caption written with its own colon, as the master-data lists have it.
HeaderRow Hc(const char* caption, const char* label) {
  return HeaderRow{.caption = S(caption), .label = S(label), .colon = false};
}

// Sales per date and per period print the same lines.
std::vector<Column> JualBaris() {
  return {C("NO NOTA", "No_Nota", 11), C("TANGGAL", "Tgl_Nota", 12, F::DateMonth), C("KODE", "Kode_Barang", 12),
          C("NAMA BARANG", "Nama_Barang", 30), C("HARGA JUAL", "Harga_Jual", 14, F::Money),
          C("QTY", "Jumlah", 6, F::Number), C("SUBTOTAL", "Subtotal", 15, F::Money)};
}

// The four cash lists differ in the heading of the debit/credit column.
std::vector<Column> KasBaris(const char* sisi) {
  return {C("KODE REKENING", "kode", 15), C("TANGGAL", "tanggal", 12, F::Date), C(sisi, "dk", 9),
          C("TRANSAKSI", "transaksi", 40), C("JUMLAH (Rp)", "jumlah", 14, F::Number)};
}

std::vector<ReportDef> Build() {
  std::vector<ReportDef> r;
  r.push_back({.name = S("rptLapJualNota"),
               .windowTitle = S("LAPORAN PENJUALAN PER-NOTA"),
               .title = S("Laporan Penjualan Per-Nota"),
               .command = S("cmdJualNota"),
               .header = {H("TANGGAL CETAK", "LblTgl"), H("NO TRANSAKSI", "LblNota")},
               .columns = {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 36),
                           C("HARGA JUAL", "Harga_Jual", 15, F::Money), C("QTY", "Jumlah", 7, F::Number),
                           C("SUBTOTAL", "Subtotal", 16, F::Money)}});
  r.push_back({.name = S("rptLapJualTanggal"),
               .windowTitle = S("LAPORAN PENJUALAN PER-TANGGAL"),
               .title = S("Laporan Penjualan Per-Tanggal"),
               .command = S("cmdJualTanggal"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2"),
                          H("Penjualan - Retur = Bersih", "LblRingkas")},
               .columns = JualBaris()});
  r.push_back({.name = S("rptLapJualPeriode"),
               .windowTitle = S("LAPORAN PENJUALAN PER-PERIODE"),
               .title = S("Laporan Penjualan Per-Periode"),
               .command = S("cmdJualPeriode"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode"),
                          H("Penjualan - Retur = Bersih", "LblRingkas")},
               .columns = JualBaris()});
  r.push_back({.name = S("rptLapBeliNota"),
               .windowTitle = S("LAPORAN PEMBELIAN PER-NOTA"),
               .title = S("Laporan Pembelian Per-Nota"),
               .command = S("cmdBeliNota"),
               .header = {H("NO TRANSAKSI", "LblNota"), H("TANGGAL", "LblTgl"), H("NAMA PEMASOK", "LblNama"),
                          H("ALAMAT ", "LblAlamat")},
               .columns = {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 36),
                           C("HARGA BELI", "Harga_Beli", 15, F::Money), C("QTY", "Jumlah", 7, F::Number),
                           C("SUBTOTAL", "Subtotal", 16, F::Money)}});
  r.push_back({.name = S("rptLapBeliPeriode"),
               .windowTitle = S("LAPORAN PEMBELIAN PER PERIODE"),
               .title = S("Laporan Pembelian Barang Per-Periode"),
               .command = S("cmdBeliPeriode"),
               .header = {H("PERIODE TANGGAL", "LblPeriode"), H("TANGGAL CETAK", "LblTgl")},
               .columns = {C("NO NOTA", "No_Masuk", 11), C("TANGGAL", "Tgl_Masuk", 12, F::DateMonth),
                           C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 34),
                           C("HARGA BELI", "Harga_Beli", 15, F::Money), C("JUMLAH", "Jumlah", 8, F::Number)}});
  r.push_back({.name = S("rptLapKasirHarian"),
               .windowTitle = S("LAPORAN PENJUALAN PER-KASIR HARIAN"),
               .title = S("Laporan Penjualan Per-Kasir Harian"),
               .command = S("cmdKasirHarian"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")},
               .columns = {C("KASIR", "UserID", 20), C("NOTA", "Nota", 9, F::Number),
                           C("BARANG", "Barang", 9, F::Number), C("PENJUALAN", "Penjualan", 17, F::Money),
                           C("RETUR", "Retur", 15, F::Money), C("BERSIH", "Bersih", 17, F::Money)}});
  r.push_back({.name = S("rptLapTutupKasir"),
               .windowTitle = S("LAPORAN TUTUP KASIR PER-PERIODE"),
               .title = S("Laporan Tutup Kasir Per-Periode"),
               .command = S("cmdTutupKasir"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
               .columns = {C("TANGGAL", "Tanggal", 12, F::DateMonth), C("KASIR", "UserID", 11),
                           C("KAS AWAL", "Kas_Awal", 12, F::Money), C("NOTA", "Nota", 6, F::Number),
                           C("PENJUALAN", "Penjualan", 14, F::Money), C("RETUR", "Retur", 12, F::Money),
                           C("SEHARUSNYA", "Diharapkan", 14, F::Money), C("DIHITUNG", "Dihitung", 14, F::Money),
                           C("SELISIH", "Selisih", 12, F::Money)}});
  r.push_back({.name = S("rptLapKasMasukTanggal"),
               .windowTitle = S("LAPORAN PENERIMAAN KAS PER-TANGGAL"),
               .title = S("Laporan Penerimaan Kas Per-Tanggal"),
               .command = S("cmdKasMasukTanggal"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")},
               .columns = KasBaris("DEBET")});
  r.push_back({.name = S("rptLapKasKeluarTanggal"),
               .windowTitle = S("LAPORAN PENGELUARAN KAS PER-TANGGAL"),
               .title = S("Laporan Pengeluaran Kas Per-Tanggal"),
               .command = S("cmdKasKeluarTanggal"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")},
               .columns = KasBaris("KREDIT")});
  r.push_back({.name = S("rptLapKasMasukPeriode"),
               .windowTitle = S("LAPORAN PENERIMAAN KAS PERIODE"),
               .title = S("Laporan Penerimaan Kas Per-Periode"),
               .command = S("cmdKasMasukPeriode"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
               .columns = KasBaris("DEBET")});
  r.push_back({.name = S("rptLapKasKeluarPeriode"),
               .windowTitle = S("LAPORAN PENGELUARAN KAS PERIODE"),
               .title = S("Laporan Pengeluaran Kas Per-Periode"),
               .command = S("cmdKasKeluarPeriode"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
               .columns = KasBaris("KREDIT")});
  // Its detail band shows the window's totals, not the command's columns.
  r.push_back({.name = S("rptLapKasPeriode"),
               .windowTitle = S("LAPORAN LABA/RUGI PERIODE"),
               .title = S("Laporan Kas Laba/Rugi Per-Periode"),
               .command = S("cmdKasPeriode"),
               .header = {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
               .columns = {Label("TOTAL PEMASUKKAN (Rp)", "Label3", 1), Label("TOTAL PENGELUARAN (Rp)", "Label5", 1),
                           Label("TOTAL LABA/RUGI (Rp)", "Label6", 1)}});

  // The master-data lists.
  r.push_back({.name = S("rptLapPemasok"),
               .windowTitle = S("Laporan Seluruh Pemasok"),
               .title = S("Laporan Seluruh  Pemasok"),
               .command = S("cmdPemasok"),
               .header = {Hc("Tanggal Cetak :", "LblTanggal")},
               .columns = {C("Kode ", "Kode_Pemasok", 10), C("Nama Pemasok", "Nama_Pemasok", 26),
                           C("Alamat", "Alamat", 34), C("Nomor Telepon", "No_Telepon", 15),
                           C("Kontak P", "KontakP", 18)}});
  r.push_back({.name = S("rptLapGrup"),
               .windowTitle = S("Laporan Seluruh Grup Produk"),
               .title = S("Daftar Seluruh Grup Produk"),
               .command = S("cmdGrup"),
               .header = {Hc("Tanggal Cetak :", "LblTanggal")},
               .columns = {C("Kode Grup", "Kode_Grup", 12), C("Nama Grup", "Nama_Grup", 60)}});
  r.push_back({.name = S("rptLapProduk"),
               .windowTitle = S("Laporan Seluruh Produk Barang"),
               .title = S("Daftar Seluruh Produk Barang"),
               .command = S("cmdProduk"),
               .header = {Hc("Tanggal Cetak :", "LblTanggal")},
               .columns = {C("Kode Produk", "Kode_Produk", 12), C("Nama Produk", "Nama_Produk", 60)}});
  r.push_back({.name = S("rptLapBarang"),
               .windowTitle = S("Daftar Seluruh Barang"),
               .title = S("Laporan Seluruh  Barang"),
               .command = S("cmdBarang"),
               .header = {Hc("Tanggal Cetak :", "LblTanggal")},
               .columns = {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 34),
                           C("GRUP BARANG", "Nama_Grup", 22), C("HARGA BARANG", "Harga_jual", 15, F::Money),
                           C("STOK", "Stok", 8, F::Number)}});
  r.push_back({.name = S("rptLapBarangGrup"),
               .windowTitle = S("Laporan Barang Berdasarkan Grup"),
               .title = S("Laporan Barang Berdasarkan Grup"),
               .command = S("cmdBarangGrup"),
               .header = {Hc("Tanggal Cetak :", "LblTanggal"), Hc("GRUP PRODUK :", "LblGrup")},
               .columns = {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 40),
                           C("HARGA BELI", "Harga_beli", 13, F::Number), C("HARGA JUAL", "Harga_jual", 13, F::Number),
                           C("STOK", "Stok", 8, F::Number)}});
  return r;
}
}  // namespace

const std::vector<ReportDef>& Reports() {
  static const std::vector<ReportDef> all = Build();
  return all;
}

const ReportDef* FindReport(const QString& name) {
  for (const ReportDef& d : Reports())
    if (d.name == name) return &d;
  return nullptr;
}

}  // namespace reports
