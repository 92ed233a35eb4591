#pragma once
// What the return, close and float windows share: whether the database has
// their tables, whether the person logged in is an ADMIN, money as the
// screens show it, and the printing of a till's slip.
#include <QString>
#include <QStringList>
#include <functional>

#include "perangkat/Struk.h"

class QWidget;

namespace layarkasir {

// The tables of returns and closes are there; otherwise the person is told
// that the database needs `merapu-db upgrade` (false).
bool TabelAda();
// The person logged in logs in as ADMIN.
bool LoginAdmin();
// "Rp 12,500" with the system's group separator.
QString Rp(qint64 v);

// Prints a slip on this till's receipt printer (merapu.ini [struk]), laid out
// for its paper; on the page printer when the till has none. A failure is
// shown; true when printed.
using Susun = std::function<perangkat::Susunan(int lebar, const QStringList& kepala)>;
bool CetakSlip(const Susun& susun);

// Before the day's first sale of the cashier logged in: the float is asked
// for (or zero) and stored. Nothing is asked on a database without the
// tables, or when the float of the day is stored.
void TanyaKasAwal(QWidget* parent);

}  // namespace layarkasir
