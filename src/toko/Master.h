#pragma once
// The rules of the master data: which rows of the other tables still name a
// group, product, item, supplier, customer or user (such a record is kept,
// for the lists and reports join on its code and its history would vanish
// from them), the delete itself, the last user who can log in as ADMIN, and
// the next code of a scope read from the store.
//
// Every operation answers from the store or reports the store's failure as
// a db::Error: a failure is never an empty answer. The texts a person reads
// are made by the windows.
#include <QList>
#include <QString>

#include "db/Connection.h"
#include "db/Error.h"
#include "toko/Kode.h"

namespace toko {

enum class JenisMaster { Grup, Produk, Barang, Pemasok, Pelanggan, Pengguna };

// Rows of another table that name a record by its code: `tabel`.`kolom`
// holds the code; `nama` says what they are ("DATA PRODUK").
struct Rujukan {
  QString tabel;
  QString kolom;
  QString nama;
};

// A master table, its key column and the rows that keep a record of it.
struct DataMaster {
  QString tabel;
  QString kolomKode;
  QList<Rujukan> rujukan;
};
const DataMaster& Master(JenisMaster jenis);

// How many rows of one kind still name the record.
struct Pemakai {
  QString nama;  // Rujukan::nama
  qint64 jumlah = 0;
};

// A rule of the table itself that refuses a delete.
enum class Larangan {
  Tidak,
  PenggunaTidakAda,   // no user of this id
  SatuSatunyaAdmin,   // the only user who can log in as ADMIN
};

// Whether a record may be deleted. When the store failed, nothing else in
// the answer is known.
struct CekHapus {
  db::Error error;
  QList<Pemakai> pemakai;  // every kind of row that still names it, in order
  Larangan larangan = Larangan::Tidak;
  bool gagal() const { return error.failed(); }
  bool boleh() const { return !gagal() && pemakai.isEmpty() && larangan == Larangan::Tidak; }
};
CekHapus PeriksaHapus(const db::ConnectionPtr& c, JenisMaster jenis, const QString& kode);

// The delete: checked again and run in one transaction, so that another
// till cannot name the record between the check and the delete.
struct HasilHapus {
  CekHapus cek;        // the check inside the transaction; its error is any failure
  QString perintah;    // the delete statement
  bool dihapus = false;
};
HasilHapus Hapus(const db::ConnectionPtr& c, JenisMaster jenis, const QString& kode);

// The login gives the ADMIN menus only to the exact word, and refuses an
// empty password.
bool AdminMasuk(const QString& level, const QString& passId);
// Whether a user other than `userId` can log in as ADMIN.
struct AdminLain {
  db::Error error;
  bool ada = false;
};
AdminLain AdaAdminLain(const db::ConnectionPtr& c, const QString& userId);

// The scope of a master code: the rows of `tabel` meeting `syarat` (a
// condition; empty: every row), the codes in `kolom`, each `awalan` and a
// serial of three digits.
struct LingkupKode {
  QString tabel;
  QString kolom;
  QString awalan;
  QString syarat;
};
// The highest code of the scope (empty when it has none). Codes of one
// scope have a fixed width, so text order is numeric order.
struct KodeTerakhir {
  db::Error error;
  QString kode;
};
KodeTerakhir BacaKodeTerakhir(const db::ConnectionPtr& c, const LingkupKode& l);
// The next code after the highest of the scope that no row of the table
// holds yet (a code moved to another scope is skipped rather than handed
// out twice). When the store failed no code is made.
struct KodeBaru {
  db::Error error;
  NextCodeResult kode;
};
KodeBaru BuatKodeBaru(const db::ConnectionPtr& c, const LingkupKode& l);

}  // namespace toko
