#pragma once
// Shared set-up of the report benchmarks: a month of sales in the program's
// own database, and the per-period sales command written as its report
// window writes it.
#include <QString>

#include "BenchShop.h"
#include "core/mdlUtama.h"
#include "reports/DeLaporan.h"

namespace bench {

inline bool SalesOfMarch(const QString& path, int lines) {
  if (!FillSales(path, 5000, lines)) return false;
  mdlUtama::SetDatabasePathForTests(path);
  reports::DeLaporan().CommandText("cmdJualPeriode") =
      " SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota,  Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, "
      " Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah,  Penjualan_Detail.Subtotal   FROM Barang, Penjualan, "
      "Penjualan_Detail  WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota  AND Barang.Kode_Barang = "
      "Penjualan_Detail.Kode_Barang  AND (Penjualan.Tgl_Nota >= #2024-03-01# AND Penjualan.Tgl_Nota <= "
      "#2024-03-31# ) ORDER BY Penjualan.No_Nota, Barang.Kode_Barang";
  return true;
}

}  // namespace bench
