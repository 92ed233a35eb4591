#include "transactions/frmKasAwal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/mdlUtama.h"
#include "toko/Kasir.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

frmKasAwal::frmKasAwal(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmKasAwal"));
  setWindowTitle(QStringLiteral("   :: KAS AWAL KASIR"));
  auto* Label1 = new QLabel(QStringLiteral("Uang di laci kasir saat mulai hari ini (Rp)"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  TxtKasAwal = ui::BuatKotak(this, "TxtKasAwal", 12);
  TxtKasAwal->setAlignment(Qt::AlignRight);
  TxtKasAwal->setText(QStringLiteral("0"));
  ui::SetKeyFilter(TxtKasAwal, ui::DigitsOnly);
  ui::SetEnterAction(TxtKasAwal, [this] { TbSimpan_Click(); });
  TbSimpan = ui::Tombol(this, "TbSimpan", QStringLiteral("&Simpan"), 100);
  auto* g = new QGridLayout(this);
  g->addWidget(Label1, 0, 0, 1, 2);
  g->addWidget(TxtKasAwal, 1, 0);
  g->addWidget(TbSimpan, 1, 1);
  connect(TbSimpan, &QPushButton::clicked, this, &frmKasAwal::TbSimpan_Click);
  TxtKasAwal->setFocus();
}

void frmKasAwal::TbSimpan_Click() {
  qint64 jumlah = 0;
  if (!ui::Angka(TxtKasAwal->text(), &jumlah) || jumlah < 0) {
    ui::MsgBox(QStringLiteral("Kas awal harus berupa angka!"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtKasAwal->setFocus();
    return;
  }
  const db::Error e = toko::SimpanKasAwal(Conn, UserAktif, ui::Today(), jumlah);
  // Typed at another till meanwhile: that float stands.
  if (e.failed() && !e.is(db::Error::Kind::DuplicateKey)) {
    TampilGagal(e);
    return;
  }
  accept();
}
