#pragma once
// The bytes of a receipt for an ESC/POS receipt printer. Pure functions: no
// device is opened here.
//
// What is sent: ESC @ (reset), ESC t 0 (code page PC437), then each line as
// ASCII text ended by LF, with ESC E n around emphasised lines and GS ! n
// around double-height ones; at the end a cut with feed (GS V 66 n) or, when
// not cut, a feed past the tear bar (ESC d n), and the drawer pulse
// (ESC p 0 t1 t2) when asked for.
#include <QByteArray>

#include "perangkat/Struk.h"

namespace perangkat {

// Feed before the cut (in lines, of the cut command's own unit) and the
// drawer pulse (on and off time, in units of 2 ms).
inline constexpr char UmpanPotong = 3;
inline constexpr int UmpanSobek = 4;
inline constexpr unsigned char PulsaNyala = 25;   // 50 ms
inline constexpr unsigned char PulsaMati = 250;   // 500 ms

QByteArray EscPos(const Susunan& susunan, bool potong, bool laci);
QByteArray EscPos(const Struk& struk, bool potong, bool laci);

// The drawer is opened by a sale's receipt only when the till is set to
// open it, the sale was paid at the till, and the receipt is not a reprint.
bool LaciDibuka(const Struk& struk, bool setelanLaci);

// The test page of SusunCoba, ready to send.
QByteArray CetakCoba(int lebar, bool potong, const QStringList& kepala = KepalaBawaan());

// Opens the drawer without printing.
QByteArray BukaLaci();

}  // namespace perangkat
