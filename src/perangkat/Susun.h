#pragma once
// The pieces every slip of the till is laid out with, as the sale's receipt
// uses them: centred lines, a label with its value at the right edge, the
// shop's heading, rules, words wrapped onto lines and the day and time.
// Texts are brought to ASCII here.
#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include "perangkat/Struk.h"

namespace perangkat {

BarisCetak BarisTengah(const QString& teks, int lebar, bool tebal = false);
void BarisKiriKanan(Susunan& s, const QString& kiri, const QString& kanan, int lebar, bool tebal = false,
                    bool tinggi = false);
void BarisKepala(Susunan& s, const QStringList& kepala, int lebar);
BarisCetak BarisGaris(int lebar, QChar c = QLatin1Char('-'));
QStringList BarisBungkus(const QString& teks, int lebar);
// "Jumat, 15/03/2024 21:05" (without the time when jam is invalid).
QString Waktu(const QDate& tanggal, const QTime& jam);

}  // namespace perangkat
