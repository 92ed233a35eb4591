#pragma once
// Goods taken back from a stored sale. A return names the sale, the lines
// and quantities taken back and a reason; a void takes back all that is left
// of a sale of today. Either is kept as a numbered return (RT-0000001) with
// its own lines, the stock of its items goes back up and the refund is its
// total: nothing of the sale is deleted. Never more of an item comes back
// than was sold less what earlier returns took, checked inside the save's
// transaction so that two tills cannot both take the last piece back.
#include <QDate>
#include <QList>
#include <QString>

#include "db/Connection.h"
#include "db/Error.h"
#include "toko/Dokumen.h"

namespace toko {

inline constexpr Seri SeriRetur{"Retur", "No_Retur", "RT-", 7};

// Whether the file holds the tables of returns, floats and closes (a file of
// an older version lacks them until `merapu-db upgrade`).
bool AdaTabelKasir(const db::ConnectionPtr& c);

// An item of a sale at one price: what was sold and what is left to take back.
struct SisaBaris {
  QString kode;
  QString nama;  // empty when the item is no longer stored
  qint64 harga = 0;
  qint64 terjual = 0;
  qint64 diretur = 0;
  qint64 sisa() const { return terjual - diretur; }
};

struct SisaJual {
  db::Error error;
  bool ada = false;  // the sale is stored
  QDate tanggal;
  QString kasir;
  qint64 total = 0;
  QList<SisaBaris> baris;  // by item code and price
  bool ok() const { return !error.failed(); }
};
SisaJual BacaSisa(const db::ConnectionPtr& c, const QString& nota);

// A return (or void) of a sale. Each line's price is the price it was sold
// at; its amount and the total (the refund) are counted by the save.
struct Retur {
  QString nomor;  // No_Retur
  QDate tanggal;
  QString nota;  // the sale
  QString alasan;
  QString user;  // who entered it
  QString penyetuju;  // the ADMIN who allowed it (the user, for an ADMIN)
  bool batal = false;  // a void: the whole rest of the sale
  qint64 total = 0;
  QList<BarisBarang> baris;
};

// Why the shop's rules refused a return; nothing was stored.
enum class TolakRetur {
  Tidak,
  NotaTidakAda,  // no such sale
  TanpaBaris,    // no line with a quantity above 0
  BukanBarisNota,  // an item (at that price) that the sale does not hold
  Melebihi,      // more than is left to take back (barang, sisa)
  SudahHabis,    // a void of a sale taken back whole already
  BukanHariIni,  // a void of a sale of another day
  BukanAdmin,    // the approver (or who voids) is no ADMIN
};

struct HasilRetur {
  HasilSimpan simpan;  // the store's answer (its error also set on a refusal)
  TolakRetur tolak = TolakRetur::Tidak;
  QString barang;  // the item of BukanBarisNota / Melebihi
  qint64 sisa = 0;  // what was left of it to take back
  Retur retur;  // as stored: number, lines with their amounts, total
  bool ok() const { return simpan.ok() && tolak == TolakRetur::Tidak; }
};

HasilRetur Simpan(const db::ConnectionPtr& c, const Retur& r);
// The void of a sale of `hariIni` by an ADMIN: all that is left of it.
HasilRetur Batalkan(const db::ConnectionPtr& c, const QString& nota, const QDate& hariIni, const QString& admin,
                    const QString& alasan);

// An ADMIN's user id and password typed on the spot, to allow a cashier's return.
struct CekAdmin {
  db::Error error;
  bool ok = false;  // a user who logs in as ADMIN, with this password
};
CekAdmin PeriksaAdmin(const db::ConnectionPtr& c, const QString& userId, const QString& password);

// The returns of a sale, for its report: each return's lines.
struct BarisReturNota {
  QString nomor;
  QDate tanggal;
  bool batal = false;
  BarisBarang barang;
};
struct ReturNota {
  db::Error error;
  QList<BarisReturNota> baris;
  bool ok() const { return !error.failed(); }
};
ReturNota BacaReturNota(const db::ConnectionPtr& c, const QString& nota);

}  // namespace toko
