#include "transactions/LayarKasir.h"

#include <QLocale>
#include <QPrinter>

#include "core/mdlUtama.h"
#include "perangkat/EscPos.h"
#include "toko/Kasir.h"
#include "toko/Retur.h"
#include "transactions/CetakStruk.h"
#include "transactions/frmCetakJual.h"
#include "transactions/frmKasAwal.h"
#include "transactions/mdlCetak.h"
#include "ui/Seams.h"

using namespace mdlUtama;

namespace layarkasir {

bool TabelAda() {
  if (toko::AdaTabelKasir(Conn)) return true;
  ui::MsgBox(QStringLiteral("Database ini belum memuat tabel retur dan tutup kasir.\r"
                            "Jalankan 'merapu-db upgrade' pada file database terlebih dulu!"),
             ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Perhatian"));
  return false;
}

bool LoginAdmin() { return RsLogin && RsLogin->Text(QStringLiteral("Level")) == QStringLiteral("ADMIN"); }

QString Rp(qint64 v) { return QStringLiteral("Rp ") + perangkat::Uang(v); }

bool CetakSlip(const Susun& susun) {
  const perangkat::SetelanStruk setelan = cetak::Setelan();
  const perangkat::Susunan s = susun(setelan.lebar, setelan.kepala);
  if (setelan.tujuan.EscPos()) {
    const perangkat::HasilKirim h = cetak::Kirim(setelan, perangkat::EscPos(s, setelan.potong, false));
    if (h.ok) return true;
    ui::MsgBox(cetak::TeksGagal(setelan.tujuan, h), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Error"));
    return false;
  }
  // No receipt printer at this till: the slip goes to the page printer.
  std::unique_ptr<QPrinter> printer = ui::DefaultPrinter();
  if (!mdlCetak::AdaPrinter(printer.get())) {
    ui::MsgBox(QStringLiteral("Belum ada printer terinstall di\rkomputer Anda. Silahkan install\rprinter terlebih dulu!"),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Belum Diinstall"));
    return false;
  }
  QStringList baris;
  for (const perangkat::BarisCetak& b : s) baris << b.teks;
  if (frmCetakJual::CetakKe(printer.get(), baris.join(QStringLiteral("\r\n")))) return true;
  ui::MsgBox(QStringLiteral("Printer error: kemungkinan printer belum diaktifkan atau kertas habis!"),
             ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Error"));
  return false;
}

void TanyaKasAwal(QWidget* parent) {
  if (!toko::AdaTabelKasir(Conn)) return;
  const toko::BacaanKasAwal k = toko::BacaKasAwal(Conn, UserAktif, ui::Today());
  if (!k.ok()) {
    TampilGagal(k.error);
    return;
  }
  if (k.ada) return;
  auto* w = new frmKasAwal(parent);
  ui::ShowModal(w);
  delete w;
}

}  // namespace layarkasir
