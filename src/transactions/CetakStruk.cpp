#include "transactions/CetakStruk.h"

#include <QApplication>

#include "core/mdlUtama.h"
#include "perangkat/EscPos.h"
#include "perangkat/Struk.h"
#include "ui/Seams.h"

namespace cetak {

namespace {
QString& berkasTes() {
  static QString path;
  return path;
}
const QString CR = QStringLiteral("\r");
}  // namespace

QString BerkasSetelan() { return berkasTes().isEmpty() ? perangkat::BerkasSetelan() : berkasTes(); }
void SetBerkasSetelanForTests(const QString& path) { berkasTes() = path; }

perangkat::SetelanStruk Setelan() { return perangkat::BacaSetelan(BerkasSetelan()).setelan; }

bool BacaNota(const QString& nomor, const QString& judul, toko::Penjualan* jual) {
  // A receipt is only laid out from lines read back: neither a failed read
  // nor a sale without lines gives a receipt of no lines.
  const toko::PenjualanTersimpan dibaca = toko::BacaPenjualan(mdlUtama::Conn, nomor);
  if (!dibaca.ok()) {
    const db::Error& e = dibaca.error;
    ui::MsgBox(judul + QStringLiteral("\r\n") +
                   mdlUtama::TeksGagal(e.statement, e.message, e.is(db::Error::Kind::Busy),
                                       QStringLiteral("MEMBACA RINCIAN BARANG DARI DATABASE")),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return false;
  }
  if (dibaca.jual.baris.isEmpty()) {
    ui::MsgBox(judul + QStringLiteral("\r\nTIDAK ADA RINCIAN BARANG UNTUK NOTA INI DI DATABASE."),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return false;
  }
  *jual = dibaca.jual;
  return true;
}

bool BolehCetakUlang(const toko::Penjualan& jual) {
  if (mdlUtama::AdminAktif() || jual.tanggal == ui::Today()) return true;
  ui::MsgBox(QStringLiteral("NOTA %1 TANGGAL %2 TIDAK DAPAT DICETAK ULANG.\rKASIR HANYA DAPAT MENCETAK ULANG NOTA "
                            "HARI INI; NOTA LAMA DICETAK ULANG OLEH ADMIN.")
                 .arg(jual.nomor, mdlUtama::FormatTanggal(jual.tanggal)),
             ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Cetak Ulang"));
  return false;
}

QString TeksGagal(const perangkat::Tujuan& tujuan, const perangkat::HasilKirim& h) {
  return QStringLiteral("Printer: ") + tujuan.Teks() + CR + perangkat::TeksGagal(h);
}

perangkat::HasilKirim Kirim(const perangkat::SetelanStruk& s, const QByteArray& data) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const perangkat::HasilKirim h = perangkat::Kirim(s.tujuan, data);
  QApplication::restoreOverrideCursor();
  return h;
}

bool KirimStruk(const toko::Penjualan& jual, const perangkat::SetelanStruk& s, const QTime& jam, bool cetakUlang) {
  const perangkat::Struk struk = perangkat::DariPenjualan(jual, s.lebar, jam, cetakUlang, s.kepala);
  const QByteArray data = perangkat::EscPos(struk, s.potong, perangkat::LaciDibuka(struk, s.laci));
  for (;;) {
    const perangkat::HasilKirim h = Kirim(s, data);
    if (h.ok) return true;
    // The sale is stored whatever the printer does; the person decides
    // whether to try again now or later from the sales report.
    QString teks = QStringLiteral("STRUK NOTA %1 TIDAK TERCETAK.").arg(jual.nomor) + CR + TeksGagal(s.tujuan, h) + CR + CR;
    if (!cetakUlang) teks += QStringLiteral("DATA TRANSAKSI SUDAH TERSIMPAN.") + CR;
    teks += QStringLiteral("Struk dapat dicetak ulang dari Laporan Penjualan Per-Nota.") + CR + CR +
            QStringLiteral("CETAK LAGI SEKARANG?");
    if (ui::MsgBox(teks, ui::vbYesNo | ui::vbCritical, QStringLiteral("Printer Struk")) != ui::vbYes) return false;
  }
}

}  // namespace cetak
