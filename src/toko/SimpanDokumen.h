#pragma once
// How the core stores a numbered document, for the documents of the core's
// own files: the header claims the number, the rest follows, all in one
// transaction. Not for the windows: they call the saves of Dokumen.h and
// Retur.h.
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

#include "toko/Dokumen.h"

namespace toko {

// A date as the store keeps it, quoted: 'yyyy-MM-dd'.
QString TanggalSql(const QDate& d);

// One statement of a document after its header. One that names `barang`
// changes that item's row and must change it: an item another program
// deleted meanwhile fails the save instead of passing unnoticed.
struct Perintah {
  QString sql;
  QString barang;
};

// Stores a document in one transaction: `periksa` first (a rule read inside
// the transaction, so no other till changes what it read before the commit;
// false stops the save with *error), then the header for a number, then the
// rest. The header's insert is what claims the number: when the key is
// stored already, the next number after the highest stored one is tried.
HasilSimpan SimpanDokumen(const db::ConnectionPtr& c, const Seri& seri, const QString& nomor,
                          const std::function<QString(const QString&)>& kepala,
                          const std::function<QList<Perintah>(const QString&)>& sisa,
                          const std::function<bool(db::Error*)>& periksa = {});

// The lines of a document under its number: each line's row in `detail`
// (whose first columns are `kolom`) and its item's stock moved as `ubah`
// says (the SET part of the item's update).
QList<Perintah> Rincian(const QString& detail, const QString& kolom, const QString& nomor,
                        const QList<BarisBarang>& baris, const std::function<QString(const BarisBarang&)>& ubah);

}  // namespace toko
