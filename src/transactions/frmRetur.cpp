#include "transactions/frmRetur.h"

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
#include "transactions/FormTransaksi.h"
#include "transactions/LayarKasir.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
constexpr int KolomRetur = 6;
void Salah(const QString& teks) { ui::MsgBox(teks, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error")); }
QLabel* Label(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}
}  // namespace

frmRetur::frmRetur(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmRetur"));
  setWindowTitle(QStringLiteral("   :: RETUR / VOID PENJUALAN"));

  auto* Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  TxtNoNota = ui::BuatKotak(Frame1, "TxtNoNota", 10);
  ui::SetKeyFilter(TxtNoNota, ui::UpperCase);
  ui::SetEnterAction(TxtNoNota, [this] { TbCari_Click(); });
  TbCari = ui::Tombol(Frame1, "TbCari", QStringLiteral("&Cari Nota"), 100);
  LblNota = Label(Frame1, "LblNota", QString());
  auto* g1 = new QGridLayout(Frame1);
  g1->addWidget(Label(Frame1, "Label1", QStringLiteral("Nomor Nota")), 0, 0);
  g1->addWidget(TxtNoNota, 0, 1);
  g1->addWidget(TbCari, 0, 2);
  g1->addWidget(LblNota, 1, 0, 1, 4);
  g1->setColumnStretch(3, 1);

  GridRetur = new ui::FlexGrid(this);
  GridRetur->setObjectName(QStringLiteral("GridRetur"));

  auto* Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  TxtJumlah = ui::BuatKotak(Frame2, "TxtJumlah", 3);
  TxtJumlah->setAlignment(Qt::AlignRight);
  ui::SetKeyFilter(TxtJumlah, ui::DigitsOnly);
  ui::SetEnterAction(TxtJumlah, [this] { TbMasuk_Click(); });
  TbMasuk = ui::Tombol(Frame2, "TbMasuk", QStringLiteral("&Ambil"), 90);
  TxtAlasan = ui::BuatKotak(Frame2, "TxtAlasan", 60);
  TxtAdmin = ui::BuatKotak(Frame2, "TxtAdmin", 30);
  TxtSandi = ui::BuatKotak(Frame2, "TxtSandi", 30);
  TxtSandi->setEchoMode(QLineEdit::Password);
  auto* g2 = new QGridLayout(Frame2);
  g2->addWidget(Label(Frame2, "Label2", QStringLiteral("Jumlah retur baris terpilih")), 0, 0);
  g2->addWidget(TxtJumlah, 0, 1);
  g2->addWidget(TbMasuk, 0, 2);
  g2->addWidget(Label(Frame2, "Label3", QStringLiteral("Alasan")), 1, 0);
  g2->addWidget(TxtAlasan, 1, 1, 1, 3);
  g2->addWidget(Label(Frame2, "Label4", QStringLiteral("Disetujui ADMIN (User ID)")), 2, 0);
  g2->addWidget(TxtAdmin, 2, 1);
  g2->addWidget(Label(Frame2, "Label5", QStringLiteral("Password ADMIN")), 3, 0);
  g2->addWidget(TxtSandi, 3, 1);

  TbSimpan = ui::Tombol(this, "TbSimpan", QStringLiteral("&Simpan Retur"), 120, 32);
  TbVoid = ui::Tombol(this, "TbVoid", QStringLiteral("&Void Nota"), 120, 32);
  TbKeluar = ui::Tombol(this, "TbKeluar", QStringLiteral("&Keluar"), 120, 32);
  auto* tombol = new QHBoxLayout;
  tombol->addWidget(TbSimpan);
  tombol->addWidget(TbVoid);
  tombol->addStretch();
  tombol->addWidget(TbKeluar);

  auto* v = new QVBoxLayout(this);
  v->addWidget(Frame1);
  v->addWidget(GridRetur, 1);
  v->addWidget(Frame2);
  v->addLayout(tombol);
  resize(820, 560);

  connect(TbCari, &QPushButton::clicked, this, &frmRetur::TbCari_Click);
  connect(TbMasuk, &QPushButton::clicked, this, &frmRetur::TbMasuk_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &frmRetur::TbSimpan_Click);
  connect(TbVoid, &QPushButton::clicked, this, &frmRetur::TbVoid_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &QDialog::reject);

  // An ADMIN allows their own returns.
  const bool admin = layarkasir::LoginAdmin();
  TxtAdmin->setEnabled(!admin);
  TxtSandi->setEnabled(!admin);
  Kosong();
  if (!BukaKoneksi(false) || !layarkasir::TabelAda()) {
    for (QWidget* w : {static_cast<QWidget*>(TxtNoNota), static_cast<QWidget*>(TbCari)}) w->setEnabled(false);
    return;
  }
  TxtNoNota->setFocus();
}

void frmRetur::Kosong() {
  ada_ = false;
  sisa_ = {};
  GridRetur->Clear();
  ui::AturGrid(GridRetur, {{QStringLiteral("KODE"), 1300},
                           {QStringLiteral("NAMA BARANG"), 3600},
                           {QStringLiteral("HARGA (Rp)"), 1300, true},
                           {QStringLiteral("TERJUAL"), 900, true},
                           {QStringLiteral("SUDAH RETUR"), 1500, true},
                           {QStringLiteral("SISA"), 800, true},
                           {QStringLiteral("RETUR"), 900, true}});
  GridRetur->SetRows(2);
  LblNota->clear();
  for (QWidget* w : {static_cast<QWidget*>(TxtJumlah), static_cast<QWidget*>(TbMasuk),
                     static_cast<QWidget*>(TbSimpan), static_cast<QWidget*>(TbVoid)})
    w->setEnabled(false);
}

void frmRetur::TbCari_Click() {
  const QString nota = TxtNoNota->text().trimmed();
  Kosong();
  sisa_ = toko::BacaSisa(Conn, nota);
  if (!sisa_.ok()) {
    TampilGagal(sisa_.error);
    return;
  }
  if (!sisa_.ada) {
    ui::MsgBox(QStringLiteral("Nota %1 tidak ditemukan!").arg(nota), ui::vbOKOnly | ui::vbInformation,
               QStringLiteral("Info"));
    TxtNoNota->setFocus();
    return;
  }
  ada_ = true;
  TxtNoNota->setText(nota);
  TampilSisa();
}

void frmRetur::TampilSisa() {
  GridRetur->SetRows(int(sisa_.baris.size()) + 1);
  qint64 sisa = 0;
  for (int i = 0; i < sisa_.baris.size(); ++i) {
    const toko::SisaBaris& b = sisa_.baris[i];
    const QStringList sel{b.kode, b.nama, QString::number(b.harga), QString::number(b.terjual),
                          QString::number(b.diretur), QString::number(b.sisa()), QStringLiteral("0")};
    for (int c = 0; c < sel.size(); ++c) GridRetur->SetTextMatrix(i + 1, c, sel[c]);
    sisa += b.sisa();
  }
  GridRetur->SetRow(1);
  LblNota->setText(QStringLiteral("Tanggal %1   Kasir %2   Total %3%4")
                       .arg(sisa_.tanggal.toString(QStringLiteral("dd/MM/yyyy")), sisa_.kasir,
                            layarkasir::Rp(sisa_.total),
                            sisa == 0 ? QStringLiteral("   (SELURUH BARANG SUDAH DIRETUR)") : QString()));
  const bool bisa = sisa > 0;
  TxtJumlah->setEnabled(bisa);
  TbMasuk->setEnabled(bisa);
  TbSimpan->setEnabled(bisa);
  // A void is a correction of today's sale, for an ADMIN.
  TbVoid->setEnabled(bisa && layarkasir::LoginAdmin() && sisa_.tanggal == ui::Today());
}

void frmRetur::TbMasuk_Click() {
  const int r = GridRetur->Row();
  if (!ada_ || r < 1 || r > sisa_.baris.size()) {
    Salah(QStringLiteral("Pilih baris barang yang akan diretur!"));
    return;
  }
  qint64 n = 0;
  if (!ui::Angka(TxtJumlah->text(), &n) || n < 0) {
    Salah(QStringLiteral("Jumlah retur harus berupa angka!"));
    TxtJumlah->setFocus();
    return;
  }
  const qint64 sisa = sisa_.baris[r - 1].sisa();
  if (n > sisa) {
    Salah(QStringLiteral("Jumlah retur melebihi sisa barang yang dapat diretur (%1)!").arg(sisa));
    TxtJumlah->setFocus();
    return;
  }
  GridRetur->SetTextMatrix(r, KolomRetur, QString::number(n));
  TxtJumlah->clear();
  GridRetur->setFocus();
}

bool frmRetur::Tersimpan(const toko::HasilRetur& h) {
  using T = toko::TolakRetur;
  switch (h.tolak) {
    case T::Tidak:
      if (!h.simpan.ok()) {
        FormTransaksi::TampilGagalSimpan(h.simpan);
        return false;
      }
      return true;
    case T::NotaTidakAda: Salah(QStringLiteral("Nota %1 tidak ditemukan!").arg(h.retur.nota)); break;
    case T::TanpaBaris: Salah(QStringLiteral("Belum ada barang yang diretur!")); break;
    case T::BukanBarisNota: Salah(QStringLiteral("Barang %1 tidak ada di nota ini!").arg(h.barang)); break;
    case T::Melebihi:
      Salah(QStringLiteral("Jumlah retur barang %1 melebihi sisa yang dapat diretur (%2)!\r"
                           "Tidak ada yang tersimpan.")
                .arg(h.barang)
                .arg(h.sisa));
      break;
    case T::SudahHabis: Salah(QStringLiteral("Seluruh barang nota ini sudah diretur!")); break;
    case T::BukanHariIni: Salah(QStringLiteral("Hanya nota hari ini yang dapat di-void!")); break;
    case T::BukanAdmin: Salah(QStringLiteral("Retur harus disetujui oleh ADMIN!")); break;
  }
  // What another till took back meanwhile shows now.
  const QString nota = TxtNoNota->text();
  TbCari_Click();
  TxtNoNota->setText(nota);
  return false;
}

void frmRetur::Cetak(const toko::Retur& r) {
  ui::MsgBox(QStringLiteral("RETUR TELAH TERSIMPAN DENGAN NOMOR %1\rUang kembali: %2")
                 .arg(r.nomor, layarkasir::Rp(r.total)),
             ui::vbOKOnly | ui::vbInformation, QStringLiteral("Konfirmasi"));
  const QTime jam = QTime::currentTime();
  layarkasir::CetakSlip(
      [&](int lebar, const QStringList& kepala) { return perangkat::SusunRetur(r, jam, lebar, kepala); });
  TbCari_Click();
}

void frmRetur::TbSimpan_Click() {
  if (!ada_) {
    Salah(QStringLiteral("Nota belum dipilih!"));
    return;
  }
  toko::Retur r;
  r.tanggal = ui::Today();
  r.nota = TxtNoNota->text();
  r.alasan = TxtAlasan->text().trimmed();
  r.user = UserAktif;
  for (int i = 0; i < sisa_.baris.size(); ++i) {
    qint64 n = 0;
    if (ui::Angka(GridRetur->TextMatrix(i + 1, KolomRetur), &n) && n > 0)
      r.baris << toko::BarisBarang{sisa_.baris[i].kode, sisa_.baris[i].nama, sisa_.baris[i].harga, n, 0};
  }
  if (r.baris.isEmpty()) {
    Salah(QStringLiteral("Belum ada barang yang diretur!"));
    TxtJumlah->setFocus();
    return;
  }
  if (r.alasan.isEmpty()) {
    Salah(QStringLiteral("Alasan retur masih kosong!"));
    TxtAlasan->setFocus();
    return;
  }
  if (layarkasir::LoginAdmin()) {
    r.penyetuju = UserAktif;
  } else {
    const toko::CekAdmin k = toko::PeriksaAdmin(Conn, TxtAdmin->text().trimmed(), TxtSandi->text());
    if (k.error.failed()) {
      TampilGagal(k.error);
      return;
    }
    TxtSandi->clear();
    if (!k.ok) {
      Salah(QStringLiteral("User ID atau password ADMIN salah!"));
      TxtAdmin->setFocus();
      return;
    }
    r.penyetuju = TxtAdmin->text().trimmed();
  }
  const toko::HasilRetur h = toko::Simpan(Conn, r);
  if (Tersimpan(h)) Cetak(h.retur);
}

void frmRetur::TbVoid_Click() {
  if (!ada_ || !layarkasir::LoginAdmin()) return;
  const QString alasan = TxtAlasan->text().trimmed();
  if (alasan.isEmpty()) {
    Salah(QStringLiteral("Alasan void masih kosong!"));
    TxtAlasan->setFocus();
    return;
  }
  if (ui::MsgBox(QStringLiteral("YAKIN AKAN MEMBATALKAN (VOID) SELURUH NOTA %1..?").arg(TxtNoNota->text()),
                 ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Konfirmasi")) != ui::vbYes)
    return;
  const toko::HasilRetur h = toko::Batalkan(Conn, TxtNoNota->text(), ui::Today(), UserAktif, alasan);
  if (Tersimpan(h)) Cetak(h.retur);
}
