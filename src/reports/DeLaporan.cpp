#include "reports/DeLaporan.h"

#include "core/mdlUtama.h"

namespace reports {

namespace {
const QString CRLF = QStringLiteral("\r\n");
}

DataEnvironment::DataEnvironment() {
  // Written by the report windows before each showing.
  for (const char* c : {"cmdJualNota", "cmdJualTanggal", "cmdJualPeriode", "cmdBeliNota", "cmdBeliPeriode",
                        "cmdKasMasukTanggal", "cmdKasKeluarTanggal", "cmdKasMasukPeriode", "cmdKasKeluarPeriode",
                        "cmdBarangGrup", "cmdKasirHarian", "cmdTutupKasir"})
    CommandText(QString::fromLatin1(c));
  // Stored texts, never rewritten. A sum without grouping always yields one
  // row, so the profit-and-loss detail prints once.
  CommandText(QStringLiteral("cmdKasPeriode")) = QStringLiteral("SELECT SUM (jumlah) as debet") + CRLF +
                                                 QStringLiteral("FROM Rekening") + CRLF +
                                                 QStringLiteral("WHERE dk = \"DEBET\"");
  CommandText(QStringLiteral("cmdPemasok")) = QStringLiteral("SELECT *  FROM Pemasok ORDER BY Kode_Pemasok");
  CommandText(QStringLiteral("cmdGrup")) = QStringLiteral("SELECT * FROM Grup ORDER BY Kode_Grup");
  CommandText(QStringLiteral("cmdProduk")) = QStringLiteral("SELECT Produk.*, Grup.Nama_Grup FROM Produk, Grup") +
                                             CRLF + QStringLiteral("WHERE Grup.Kode_Grup=Produk.Kode_Grup ") + CRLF +
                                             QStringLiteral("ORDER BY Grup.Kode_Grup, Produk.Kode_Produk");
  // Every stock item, by group, product and code.
  CommandText(QStringLiteral("cmdBarang")) =
      QStringLiteral("SELECT Barang.*, Grup.Nama_Grup FROM Grup, Produk, Barang") + CRLF +
      QStringLiteral("WHERE Grup.Kode_Grup=Produk.Kode_Grup AND Produk.Kode_Produk=Barang.Kode_Produk") + CRLF +
      QStringLiteral("ORDER BY Grup.Kode_Grup, Produk.Kode_Produk, Barang.Kode_Barang");
}

QString& DataEnvironment::CommandText(const QString& command) {
  if (!texts_.contains(command)) names_ << command;
  return texts_[command];
}

db::ConnectionPtr DataEnvironment::connUtama(QString* error) {
  const db::Description where = mdlUtama::Database();
  if (!conn_ || !conn_->IsOpen() || conn_->Where() != where) {
    conn_ = std::make_shared<db::Connection>();
    if (!conn_->Open(where)) {
      if (error) *error = conn_->LastError();
      conn_.reset();
    }
  }
  return conn_;
}

db::RecordsetPtr DataEnvironment::Execute(const QString& command, QString* error) {
  const QString text = CommandText(command);
  if (text.trimmed().isEmpty()) {
    *error = QStringLiteral("Perintah %1 belum berisi query").arg(command);
    return nullptr;
  }
  db::ConnectionPtr conn = connUtama(error);
  if (!conn) return nullptr;
  auto rs = std::make_shared<db::Recordset>();
  if (!rs->Open(text, conn)) {
    *error = rs->LastError();
    return nullptr;
  }
  return rs;
}

DataEnvironment& DeLaporan() {
  static DataEnvironment env;
  return env;
}

}  // namespace reports
