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

ReportDef D(const char* name, const char* windowTitle, const char* title, const char* command,
            std::vector<HeaderRow> header, std::vector<Column> columns) {
  return ReportDef{.name = S(name),
                   .windowTitle = S(windowTitle),
                   .title = S(title),
                   .command = S(command),
                   .header = std::move(header),
                   .columns = std::move(columns)};
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
  r.push_back(D("rptLapJualNota", "LAPORAN PENJUALAN PER-NOTA", "Laporan Penjualan Per-Nota", "cmdJualNota",
                {H("TANGGAL CETAK", "LblTgl"), H("NO TRANSAKSI", "LblNota")},
                {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 36),
                 C("HARGA JUAL", "Harga_Jual", 15, F::Money), C("QTY", "Jumlah", 7, F::Number),
                 C("SUBTOTAL", "Subtotal", 16, F::Money)}));
  r.push_back(D("rptLapJualTanggal", "LAPORAN PENJUALAN PER-TANGGAL", "Laporan Penjualan Per-Tanggal",
                "cmdJualTanggal", {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")}, JualBaris()));
  r.push_back(D("rptLapJualPeriode", "LAPORAN PENJUALAN PER-PERIODE", "Laporan Penjualan Per-Periode",
                "cmdJualPeriode", {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")}, JualBaris()));
  r.push_back(D("rptLapBeliNota", "LAPORAN PEMBELIAN PER-NOTA", "Laporan Pembelian Per-Nota", "cmdBeliNota",
                {H("NO TRANSAKSI", "LblNota"), H("TANGGAL", "LblTgl"), H("NAMA PEMASOK", "LblNama"),
                 H("ALAMAT ", "LblAlamat")},
                {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 36),
                 C("HARGA BELI", "Harga_Beli", 15, F::Money), C("QTY", "Jumlah", 7, F::Number),
                 C("SUBTOTAL", "Subtotal", 16, F::Money)}));
  r.push_back(D("rptLapBeliPeriode", "LAPORAN PEMBELIAN PER PERIODE", "Laporan Pembelian Barang Per-Periode",
                "cmdBeliPeriode", {H("PERIODE TANGGAL", "LblPeriode"), H("TANGGAL CETAK", "LblTgl")},
                {C("NO NOTA", "No_Masuk", 11), C("TANGGAL", "Tgl_Masuk", 12, F::DateMonth),
                 C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 34),
                 C("HARGA BELI", "Harga_Beli", 15, F::Money), C("JUMLAH", "Jumlah", 8, F::Number)}));
  r.push_back(D("rptLapKasMasukTanggal", "LAPORAN PENERIMAAN KAS PER-TANGGAL", "Laporan Penerimaan Kas Per-Tanggal",
                "cmdKasMasukTanggal", {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")},
                KasBaris("DEBET")));
  r.push_back(D("rptLapKasKeluarTanggal", "LAPORAN PENGELUARAN KAS PER-TANGGAL",
                "Laporan Pengeluaran Kas Per-Tanggal", "cmdKasKeluarTanggal",
                {H("Tanggal Cetak", "LblTgl"), H("Tanggal Transaksi", "LblTgl2")}, KasBaris("KREDIT")));
  r.push_back(D("rptLapKasMasukPeriode", "LAPORAN PENERIMAAN KAS PERIODE", "Laporan Penerimaan Kas Per-Periode",
                "cmdKasMasukPeriode", {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
                KasBaris("DEBET")));
  r.push_back(D("rptLapKasKeluarPeriode", "LAPORAN PENGELUARAN KAS PERIODE", "Laporan Pengeluaran Kas Per-Periode",
                "cmdKasKeluarPeriode", {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
                KasBaris("KREDIT")));
  // Its detail band shows the window's totals, not the command's columns.
  r.push_back(D("rptLapKasPeriode", "LAPORAN LABA/RUGI PERIODE", "Laporan Kas Laba/Rugi Per-Periode", "cmdKasPeriode",
                {H("Tanggal Cetak", "LblTgl"), H("Periode Transaksi", "LblPeriode")},
                {Label("TOTAL PEMASUKKAN (Rp)", "Label3", 1), Label("TOTAL PENGELUARAN (Rp)", "Label5", 1),
                 Label("TOTAL LABA/RUGI (Rp)", "Label6", 1)}));

  // The master-data lists.
  r.push_back(D("rptLapPemasok", "Laporan Seluruh Pemasok", "Laporan Seluruh  Pemasok", "cmdPemasok",
                {Hc("Tanggal Cetak :", "LblTanggal")},
                {C("Kode ", "Kode_Pemasok", 10), C("Nama Pemasok", "Nama_Pemasok", 26), C("Alamat", "Alamat", 34),
                 C("Nomor Telepon", "No_Telepon", 15), C("Kontak P", "KontakP", 18)}));
  r.push_back(D("rptLapGrup", "Laporan Seluruh Grup Produk", "Daftar Seluruh Grup Produk", "cmdGrup",
                {Hc("Tanggal Cetak :", "LblTanggal")}, {C("Kode Grup", "Kode_Grup", 12), C("Nama Grup", "Nama_Grup", 60)}));
  r.push_back(D("rptLapProduk", "Laporan Seluruh Produk Barang", "Daftar Seluruh Produk Barang", "cmdProduk",
                {Hc("Tanggal Cetak :", "LblTanggal")},
                {C("Kode Produk", "Kode_Produk", 12), C("Nama Produk", "Nama_Produk", 60)}));
  r.push_back(D("rptLapBarang", "Daftar Seluruh Barang", "Laporan Seluruh  Barang", "cmdBarang",
                {Hc("Tanggal Cetak :", "LblTanggal")},
                {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 34), C("GRUP BARANG", "Nama_Grup", 22),
                 C("HARGA BARANG", "Harga_jual", 15, F::Money), C("STOK", "Stok", 8, F::Number)}));
  r.push_back(D("rptLapBarangGrup", "Laporan Barang Berdasarkan Grup", "Laporan Barang Berdasarkan Grup",
                "cmdBarangGrup", {Hc("Tanggal Cetak :", "LblTanggal"), Hc("GRUP PRODUK :", "LblGrup")},
                {C("KODE", "Kode_Barang", 12), C("NAMA BARANG", "Nama_Barang", 40),
                 C("HARGA BELI", "Harga_beli", 13, F::Number), C("HARGA JUAL", "Harga_jual", 13, F::Number),
                 C("STOK", "Stok", 8, F::Number)}));
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
