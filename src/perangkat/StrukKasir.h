#pragma once
// The till's slips besides the sale's receipt: the return receipt and the
// cashier's day (the X report of the figures so far, the Z report of the
// close), laid out for the receipt printer as the receipt is.
#include <QStringList>
#include <QTime>

#include "perangkat/Struk.h"
#include "toko/Kasir.h"
#include "toko/Retur.h"

namespace perangkat {

Susunan SusunRetur(const toko::Retur& retur, const QTime& jam, int lebar = Lebar58,
                   const QStringList& kepala = KepalaBawaan());

// The Z report when `z` (the cash counted and the difference), otherwise
// the X report (the expected cash only).
Susunan SusunLaporanKasir(const toko::Tutup& tutup, bool z, int lebar = Lebar58,
                          const QStringList& kepala = KepalaBawaan());

}  // namespace perangkat
