#pragma once
// This installation's own heading lines, printed at the top of every receipt
// (page printer and receipt printer alike).
#include <QString>

namespace toko {

// The remainder of the legal name after "CV. MERAPU", 12 characters.
inline const QString NamaUsaha = QStringLiteral("MAJU BERSAMA");
// The legal name as the heading prints it.
inline const QString NamaLengkap = QStringLiteral("CV. MERAPU ") + NamaUsaha;
// The line of business, 43 characters.
inline const QString Slogan = QStringLiteral("Grosir & Eceran Sembako dan Kebutuhan Rumah");
// The street address, 50 characters.
inline const QString Alamat = QStringLiteral("Jl. Sisingamangaraja No. 27, Medan, Sumatera Utara");

}  // namespace toko
