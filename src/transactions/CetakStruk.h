#pragma once
// The receipt on its way to the till's printer: the settings of this till,
// the stored sale read back, who may print a receipt again, and the send to
// an ESC/POS printer with its failure told. The page printer's receipt is
// the receipt window's (frmCetakJual).
#include <QString>
#include <QTime>

#include "perangkat/Setelan.h"
#include "perangkat/Sink.h"
#include "toko/Dokumen.h"

namespace cetak {

// merapu.ini beside the program; tests point at a file of their own (an
// empty path: beside the program again).
QString BerkasSetelan();
void SetBerkasSetelanForTests(const QString& path);
// The [struk] settings of this till; a value not understood keeps its default.
perangkat::SetelanStruk Setelan();

// The stored sale of a receipt with its lines. False when it cannot be read
// or has no lines: told under `judul`, which names the receipt.
bool BacaNota(const QString& nomor, const QString& judul, toko::Penjualan* jual);

// ADMIN prints any receipt again, everybody else only today's; a refusal is told.
bool BolehCetakUlang(const toko::Penjualan& jual);

// A send that failed, as the till tells it: the printer's setting and what
// went wrong.
QString TeksGagal(const perangkat::Tujuan& tujuan, const perangkat::HasilKirim& h);

// Sends the sale's receipt to the ESC/POS printer of `s`. `jam` is the time
// of the sale at the till (invalid for a reprint). A failure is told and may
// be tried again at once; true when the receipt was sent.
bool KirimStruk(const toko::Penjualan& jual, const perangkat::SetelanStruk& s, const QTime& jam, bool cetakUlang);

// Sends bytes to the printer of `s` with the wait cursor up (at most the
// send's bound).
perangkat::HasilKirim Kirim(const perangkat::SetelanStruk& s, const QByteArray& data);

}  // namespace cetak
