#include "transactions/frmBukaLaci.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>

#include "core/mdlUtama.h"
#include "perangkat/EscPos.h"
#include "toko/Laci.h"
#include "transactions/CetakStruk.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

frmBukaLaci::frmBukaLaci(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBukaLaci"));
  setWindowTitle(QStringLiteral("  :: BUKA LACI KAS"));

  lblKeterangan = new QLabel(this);
  lblKeterangan->setObjectName(QStringLiteral("lblKeterangan"));
  lblKeterangan->setWordWrap(true);
  auto* Label1 = new QLabel(QStringLiteral("Alasan"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  txtAlasan = ui::BuatKotak(this, "txtAlasan", 60);
  TbBuka = ui::Tombol(this, "TbBuka", QStringLiteral("&Buka Laci"), 110);
  TbKeluar = ui::Tombol(this, "TbKeluar", QStringLiteral("&Keluar"), 110);

  auto* g = new QGridLayout(this);
  g->addWidget(lblKeterangan, 0, 0, 1, 3);
  g->addWidget(Label1, 1, 0);
  g->addWidget(txtAlasan, 1, 1, 1, 2);
  g->addWidget(TbBuka, 2, 1, Qt::AlignRight);
  g->addWidget(TbKeluar, 2, 2);
  resize(460, 150);

  connect(TbBuka, &QPushButton::clicked, this, &frmBukaLaci::TbBuka_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &QDialog::reject);

  if (!BukaKoneksi(false)) return;
  const QString halangan = Halangan();
  if (halangan.isEmpty()) {
    lblKeterangan->setText(QStringLiteral("Laci kas dibuka lewat printer struk %1. Setiap pembukaan dicatat.")
                               .arg(cetak::Setelan().tujuan.Teks()));
  } else {
    lblKeterangan->setText(halangan);
    TbBuka->setEnabled(false);
    txtAlasan->setEnabled(false);
  }
}

QString frmBukaLaci::Halangan() const {
  if (!AdminAktif()) return QStringLiteral("HANYA ADMIN YANG DAPAT MEMBUKA LACI KAS TANPA TRANSAKSI.");
  if (!toko::AdaCatatanLaci(Conn))
    return QStringLiteral("DATABASE INI BELUM MEMILIKI CATATAN LACI (TABEL LogLaci).\nPERBARUI DULU DATABASENYA: "
                          "merapu-db upgrade %1")
        .arg(DatabaseFile());
  if (!cetak::Setelan().tujuan.EscPos())
    return QStringLiteral("PRINTER STRUK DIATUR KE PRINTER HALAMAN: TIDAK ADA LACI KAS YANG TERHUBUNG.\n"
                          "ATUR PRINTER STRUK DI MENU Setting > Printer Struk.");
  return QString();
}

void frmBukaLaci::TbBuka_Click() {
  const QString halangan = Halangan();
  if (!halangan.isEmpty()) {
    ui::MsgBox(halangan, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Buka Laci"));
    return;
  }
  const QString alasan = txtAlasan->text().trimmed();
  if (alasan.isEmpty()) {
    ui::MsgBox(QStringLiteral("ALASAN MEMBUKA LACI MASIH KOSONG!"), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    txtAlasan->setFocus();
    return;
  }
  const perangkat::SetelanStruk s = cetak::Setelan();
  const toko::BukaLaci laci{ui::Today(), Sekarang().time(), UserAktif, QSysInfo::machineHostName(), alasan};
  bool dikirim = false;
  perangkat::HasilKirim kirim;
  const toko::HasilLaci h = toko::CatatBukaLaci(Conn, laci, [&] {
    dikirim = true;
    kirim = cetak::Kirim(s, perangkat::BukaLaci());
    return kirim.ok;
  });
  if (!dikirim) {
    ui::MsgBox(QStringLiteral("LACI TIDAK DIBUKA: PEMBUKAANNYA TIDAK DAPAT DICATAT.\r\n") +
                   TeksGagal(h.error.statement, h.error.message, h.error.is(db::Error::Kind::Busy)),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return;
  }
  if (!kirim.ok) {
    ui::MsgBox(QStringLiteral("LACI KAS TIDAK TERBUKA.\r") + cetak::TeksGagal(s.tujuan, kirim),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Struk"));
    return;
  }
  if (!h.ok()) {
    ui::MsgBox(QStringLiteral("LACI KAS TERBUKA, TETAPI PEMBUKAANNYA TIDAK TERCATAT.\r\n") +
                   TeksGagal(h.error.statement, h.error.message, h.error.is(db::Error::Kind::Busy)),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return;
  }
  ui::MsgBox(QStringLiteral("LACI KAS TELAH DIBUKA DAN DICATAT."), ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Buka Laci"));
  accept();
}
