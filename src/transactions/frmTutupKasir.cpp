#include "transactions/frmTutupKasir.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "perangkat/StrukKasir.h"
#include "transactions/LayarKasir.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
QLabel* Label(QWidget* parent, const QString& name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  return l;
}
QLineEdit* Angka(QWidget* parent, const char* name) {
  QLineEdit* t = ui::BuatKotak(parent, name, 15);
  t->setAlignment(Qt::AlignRight);
  return t;
}
}  // namespace

frmTutupKasir::frmTutupKasir(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmTutupKasir"));
  setWindowTitle(QStringLiteral("   :: TUTUP KASIR"));
  LblKasir = Label(this, QStringLiteral("LblKasir"), QString());

  auto* Frame1 = new QGroupBox(QStringLiteral("Angka hari ini"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* g1 = new QGridLayout(Frame1);
  int r = 0;
  for (auto [box, name, caption] : {std::tuple{&TxtKasAwal, "TxtKasAwal", "Kas awal"},
                                    std::tuple{&TxtNota, "TxtNota", "Jumlah nota"},
                                    std::tuple{&TxtBarang, "TxtBarang", "Jumlah barang"},
                                    std::tuple{&TxtPenjualan, "TxtPenjualan", "Penjualan tunai"},
                                    std::tuple{&TxtRetur, "TxtRetur", "Retur (uang kembali)"},
                                    std::tuple{&TxtDiharapkan, "TxtDiharapkan", "Kas seharusnya"}}) {
    *box = Angka(Frame1, name);
    (*box)->setReadOnly(true);
    (*box)->setFocusPolicy(Qt::ClickFocus);
    g1->addWidget(Label(Frame1, QStringLiteral("Label%1").arg(r + 1), QString::fromLatin1(caption)), r, 0);
    g1->addWidget(*box, r, 1);
    ++r;
  }

  auto* Frame2 = new QGroupBox(QStringLiteral("Uang di laci"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  auto* g2 = new QGridLayout(Frame2);
  for (int i = 0; i < toko::BanyakPecahan; ++i) {
    QLineEdit* t = ui::BuatKotak(Frame2, "", 6);
    t->setObjectName(QStringLiteral("txtPecahan%1").arg(i));
    t->setAlignment(Qt::AlignRight);
    ui::SetKeyFilter(t, ui::DigitsOnly | ui::EnterMovesFocus);
    txtPecahan << t;
    g2->addWidget(Label(Frame2, QStringLiteral("LblPecahan%1").arg(i), layarkasir::Rp(toko::Pecahan[i]) +
                                                                          QStringLiteral(" x")),
                  i % 5, (i / 5) * 2);
    g2->addWidget(t, i % 5, (i / 5) * 2 + 1);
    connect(t, &QLineEdit::textEdited, this, &frmTutupKasir::HitungPecahan);
  }
  TxtDihitung = Angka(Frame2, "TxtDihitung");
  ui::SetKeyFilter(TxtDihitung, ui::DigitsOnly | ui::EnterMovesFocus);
  TxtSelisih = Angka(Frame2, "TxtSelisih");
  TxtSelisih->setReadOnly(true);
  TxtSelisih->setFocusPolicy(Qt::ClickFocus);
  g2->addWidget(Label(Frame2, QStringLiteral("Label7"), QStringLiteral("Kas dihitung (Rp)")), 5, 0);
  g2->addWidget(TxtDihitung, 5, 1);
  g2->addWidget(Label(Frame2, QStringLiteral("Label8"), QStringLiteral("Selisih (Rp)")), 5, 2);
  g2->addWidget(TxtSelisih, 5, 3);
  connect(TxtDihitung, &QLineEdit::textChanged, this, &frmTutupKasir::HitungSelisih);

  TbX = ui::Tombol(this, "TbX", QStringLiteral("Laporan &X"), 120, 32);
  TbTutup = ui::Tombol(this, "TbTutup", QStringLiteral("&Tutup Kasir (Z)"), 140, 32);
  TbKeluar = ui::Tombol(this, "TbKeluar", QStringLiteral("&Keluar"), 120, 32);
  auto* tombol = new QHBoxLayout;
  tombol->addWidget(TbX);
  tombol->addWidget(TbTutup);
  tombol->addStretch();
  tombol->addWidget(TbKeluar);
  auto* v = new QVBoxLayout(this);
  v->addWidget(LblKasir);
  v->addWidget(Frame1);
  v->addWidget(Frame2);
  v->addLayout(tombol);

  connect(TbX, &QPushButton::clicked, this, &frmTutupKasir::TbX_Click);
  connect(TbTutup, &QPushButton::clicked, this, &frmTutupKasir::TbTutup_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &QDialog::reject);

  LblKasir->setText(QStringLiteral("Kasir %1, tanggal %2").arg(UserAktif, ui::Today().toString(QStringLiteral("dd/MM/yyyy"))));
  TxtDihitung->setText(QStringLiteral("0"));
  if (!BukaKoneksi(false) || !layarkasir::TabelAda()) {
    TbX->setEnabled(false);
    TbTutup->setEnabled(false);
    return;
  }
  // A day closed already shows its close; it cannot be closed again.
  const toko::BacaanTutup t = toko::BacaTutup(Conn, UserAktif, ui::Today());
  if (!t.ok()) {
    TampilGagal(t.error);
    return;
  }
  if (t.ada) {
    TampilAngka(t.tutup.angka);
    TxtDihitung->setText(QString::number(t.tutup.dihitung));
    TbTutup->setEnabled(false);
    LblKasir->setText(LblKasir->text() + QStringLiteral(" - sudah ditutup pukul ") +
                      t.tutup.jam.toString(QStringLiteral("HH:mm")));
    return;
  }
  Hitung();
}

bool frmTutupKasir::Hitung() {
  const toko::BacaanHari b = toko::HitungHari(Conn, UserAktif, ui::Today());
  if (!b.ok()) {
    TampilGagal(b.error);
    return false;
  }
  TampilAngka(b.angka);
  return true;
}

void frmTutupKasir::TampilAngka(const toko::AngkaHari& a) {
  angka_ = a;
  TxtKasAwal->setText(QString::number(a.kasAwal));
  TxtNota->setText(QString::number(a.nota));
  TxtBarang->setText(QString::number(a.barang));
  TxtPenjualan->setText(QString::number(a.penjualan));
  TxtRetur->setText(QString::number(a.retur));
  TxtDiharapkan->setText(QString::number(a.diharapkan()));
  HitungSelisih();
}

void frmTutupKasir::HitungPecahan() {
  QList<qint64> banyak;
  for (QLineEdit* t : txtPecahan) {
    qint64 n = 0;
    ui::Angka(t->text(), &n);
    banyak << n;
  }
  qint64 jumlah = 0;
  if (toko::JumlahPecahan(banyak, &jumlah)) TxtDihitung->setText(QString::number(jumlah));
}

bool frmTutupKasir::Dihitung(qint64* v) const { return ui::Angka(TxtDihitung->text(), v) && *v >= 0; }

void frmTutupKasir::HitungSelisih() {
  qint64 v = 0;
  TxtSelisih->setText(Dihitung(&v) ? QString::number(v - angka_.diharapkan()) : QString());
}

void frmTutupKasir::TbX_Click() {
  // A closed day keeps the figures of its close.
  if (TbTutup->isEnabled() && !Hitung()) return;
  toko::Tutup t{angka_, 0, QTime::currentTime()};
  layarkasir::CetakSlip(
      [&](int lebar, const QStringList& kepala) { return perangkat::SusunLaporanKasir(t, false, lebar, kepala); });
}

void frmTutupKasir::TbTutup_Click() {
  qint64 dihitung = 0;
  if (!Dihitung(&dihitung)) {
    ui::MsgBox(QStringLiteral("Kas dihitung harus berupa angka!"), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    TxtDihitung->setFocus();
    return;
  }
  if (ui::MsgBox(QStringLiteral("YAKIN AKAN MENUTUP KASIR HARI INI..?\rKas dihitung: %1").arg(layarkasir::Rp(dihitung)),
                 ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Konfirmasi")) != ui::vbYes)
    return;
  const toko::HasilTutup h = toko::TutupHari(Conn, UserAktif, ui::Today(), dihitung, QTime::currentTime());
  if (h.sudahDitutup) {
    ui::MsgBox(QStringLiteral("Kasir %1 sudah ditutup untuk tanggal %2!")
                   .arg(UserAktif, ui::Today().toString(QStringLiteral("dd/MM/yyyy"))),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TbTutup->setEnabled(false);
    return;
  }
  if (!h.ok()) {
    TampilGagal(h.error);
    return;
  }
  TampilAngka(h.tutup.angka);
  TbTutup->setEnabled(false);
  ui::MsgBox(QStringLiteral("KASIR TELAH DITUTUP.\rKas seharusnya: %1\rKas dihitung: %2\rSelisih: %3")
                 .arg(layarkasir::Rp(h.tutup.angka.diharapkan()), layarkasir::Rp(h.tutup.dihitung),
                      layarkasir::Rp(h.tutup.selisih())),
             ui::vbOKOnly | ui::vbInformation, QStringLiteral("Konfirmasi"));
  layarkasir::CetakSlip([&](int lebar, const QStringList& kepala) {
    return perangkat::SusunLaporanKasir(h.tutup, true, lebar, kepala);
  });
}
