#pragma once
// Shop data for the till tests: one group, one product and a few items whose
// stock and prices put them inside or outside what the till may sell.
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QString>
#include <memory>

#include "TestSupport.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"

namespace toko {

// A printer that writes a PDF file, for the printer seam.
inline std::unique_ptr<QPrinter> PdfPrinter(const QString& path) {
  auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
  p->setOutputFormat(QPrinter::PdfFormat);
  p->setOutputFileName(path);
  return p;
}

// Logs in through the login window as a person types it.
inline void Masuk(frmLogin& login, const QString& user, const QString& pwd, const QString& level) {
  login.show();
  testsupport::child<QLineEdit>(&login, "txtUser")->setText(user);
  testsupport::child<QLineEdit>(&login, "txtPwd")->setText(pwd);
  testsupport::child<QComboBox>(&login, "cmbLevel")->setEditText(level);
  testsupport::child<QPushButton>(&login, "TbLogin")->click();
}

inline void Barang(testsupport::TempDb& db, const QString& kode, const QString& nama, int beli, int jual, int stok) {
  db.exec(QStringLiteral("INSERT INTO Barang (Kode_Barang,Kode_Produk,Nama_Barang,Satuan,Harga_Beli,Harga_Jual,Stok) "
                         "VALUES ('%1','%2','%3','PCS',%4,%5,%6)")
              .arg(kode, kode.left(7), nama)
              .arg(beli)
              .arg(jual)
              .arg(stok));
}

// 001 PERLENGKAPAN MANDI / 001.002 SABUN:
//  001.002.003 Sabun Mandi     1000 -> 1500, stock 10 (sellable)
//  001.002.004 Pasta Gigi      9000 -> 12000, stock 2 (sellable)
//  001.002.005 Sampo Botol     5000 -> 7000, stock 0 (out of stock)
//  001.002.006 Sikat Gigi      3000 -> 3000, stock 8 (no profit)
//  001.002.007 Sabun Cuci      2000 -> 2500, stock -4 (oversold, still sellable)
inline void Isi(testsupport::TempDb& db) {
  db.exec(QStringLiteral("INSERT INTO Grup VALUES ('001','PERLENGKAPAN MANDI')"));
  db.exec(QStringLiteral("INSERT INTO Produk VALUES ('001.002','001','SABUN')"));
  Barang(db, QStringLiteral("001.002.003"), QStringLiteral("Sabun Mandi"), 1000, 1500, 10);
  Barang(db, QStringLiteral("001.002.004"), QStringLiteral("Pasta Gigi"), 9000, 12000, 2);
  Barang(db, QStringLiteral("001.002.005"), QStringLiteral("Sampo Botol"), 5000, 7000, 0);
  Barang(db, QStringLiteral("001.002.006"), QStringLiteral("Sikat Gigi"), 3000, 3000, 8);
  Barang(db, QStringLiteral("001.002.007"), QStringLiteral("Sabun Cuci"), 2000, 2500, -4);
}

// Amounts are grouped with a comma in these tests.
inline void PinLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

// The drawer's float of the day is typed already: the till asks for it
// before the first sale only.
inline void KasAwal(testsupport::TempDb& db, const QString& kasir, const QDate& hari, qint64 jumlah = 0) {
  db.exec(QStringLiteral("INSERT INTO Kas_Awal (UserID,Tanggal,Jumlah) VALUES ('%1','%2',%3)")
              .arg(kasir, hari.toString(QStringLiteral("yyyy-MM-dd")))
              .arg(jumlah));
}

// A till's day: the shop above, Friday 15 March 2024, cashier KASIR1 logged
// in, the float typed.
inline testsupport::TempDb* BukaToko() {
  PinLocale();
  auto* db = new testsupport::TempDb;
  Isi(*db);
  KasAwal(*db, QStringLiteral("KASIR1"), QDate(2024, 3, 15));
  ui::SetToday(QDate(2024, 3, 15));
  mdlUtama::UserAktif = QStringLiteral("KASIR1");
  return db;
}

}  // namespace toko
