#include "transactions/frmPenjualan.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "transactions/LayarKasir.h"
#include "transactions/frmCetakJual.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
// The number a box shows, or false when it shows no number.
bool Angka(const QLineEdit* t, qint64* v) { return ui::Angka(t->text(), v); }
}  // namespace

frmPenjualan::frmPenjualan(QWidget* parent) : FormTransaksi(parent) {
  setObjectName(QStringLiteral("frmPenjualan"));
  setWindowTitle(QStringLiteral("   :: TRANSAKSI PENJUALAN"));

  // ---- receipt number and date
  auto* Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  TxtNoNota = Kotak(Frame1, "TxtNoNota", 10);
  TxtTgl = new ui::MaskEdBox(Frame1);
  TxtTgl->setObjectName(QStringLiteral("TxtTgl"));
  TxtTgl->SetMask(QStringLiteral("##/##/####"));
  auto* g1 = new QGridLayout(Frame1);
  g1->addWidget(Label(Frame1, "Label1", QStringLiteral("Nomor Transaksi")), 0, 0);
  g1->addWidget(TxtNoNota, 0, 1);
  g1->addWidget(Label(Frame1, "Label2", QStringLiteral("Tanggal")), 0, 3);
  g1->addWidget(TxtTgl, 0, 4);
  g1->setColumnStretch(2, 1);
  TxtNoNota->setFixedWidth(130);
  TxtTgl->setFixedWidth(110);

  // ---- the line being entered
  QGroupBox* Frame2 = BuatBarisBarang({{"Label3", QStringLiteral("Kode Barang")},
                                       {"Label4", QStringLiteral("Nama Barang")},
                                       {"Label5", QStringLiteral("Harga Jual (Rp)")},
                                       {"Label6", QStringLiteral("Jumlah")},
                                       {"Label7", QStringLiteral("Sub Total (Rp)")}},
                                      "TxtHarga", 0, QStringLiteral("Masuk"), &TxtHarga);

  // ---- the lines of the sale
  GridJual = new ui::FlexGrid(this);
  GridJual->setObjectName(QStringLiteral("GridJual"));

  // ---- totals
  auto* Frame3 = new QGroupBox(this);
  Frame3->setObjectName(QStringLiteral("Frame3"));
  TxtTotBayar = Kotak(Frame3, "TxtTotBayar", 0, true);
  // 15 digits: with prices of 10 digits and quantities of 3, every line,
  // total and change stays well inside 64 bits.
  TxtUBayar = Kotak(Frame3, "TxtUBayar", 15, true);
  TxtUKembali = Kotak(Frame3, "TxtUKembali", 0, true);
  auto* g3 = new QGridLayout(Frame3);
  int r = 0;
  for (auto [box, name, caption] : {std::tuple{TxtTotBayar, "Label8", "Total Bayar"},
                                    std::tuple{TxtUBayar, "Label9", "Uang Bayar"},
                                    std::tuple{TxtUKembali, "Label10", "Uang Kembali"}}) {
    g3->addWidget(Label(Frame3, name, QString::fromLatin1(caption)), r, 0);
    g3->addWidget(new QLabel(QStringLiteral("Rp."), Frame3), r, 1);
    QFont f = box->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    box->setFont(f);
    box->setFixedWidth(180);
    g3->addWidget(box, r, 2);
    ++r;
  }

  // ---- buttons
  auto* Frame4 = new QGroupBox(this);
  Frame4->setObjectName(QStringLiteral("Frame4"));
  TbBaru = ui::Tombol(Frame4, "TbBaru", QStringLiteral("Transaksi &Baru"));
  TbSimpan = ui::Tombol(Frame4, "TbSimpan", QStringLiteral("&Simpan"));
  TbKeluar = ui::Tombol(Frame4, "TbKeluar", CaptionKeluar);
  auto* v4 = new QVBoxLayout(Frame4);
  for (QPushButton* b : {TbBaru, TbSimpan, TbKeluar}) {
    b->setMinimumSize(130, 32);
    v4->addWidget(b);
  }

  auto* bawah = new QHBoxLayout;
  bawah->addWidget(Frame4);
  bawah->addStretch();
  bawah->addWidget(Frame3);
  DaftarGrid(GridJual, 4200, TxtTotBayar);
  auto* atas = new QHBoxLayout;
  atas->addWidget(Frame1, 1);
  atas->addWidget(BuatAngkaBesar(TxtTotBayar, TxtUKembali));
  auto* v = new QVBoxLayout(this);
  v->addLayout(atas);
  v->addWidget(Frame2);
  v->addWidget(GridJual, 1);
  v->addLayout(bawah);
  resize(860, 660);

  // Boxes the cashier never types into are reached by clicking only.
  for (QLineEdit* t : {TxtNoNota, TxtNama, TxtHarga, TxtTotal, TxtTotBayar, TxtUKembali}) {
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
  }
  setTabOrder(txtKodeG, TxtKode);
  setTabOrder(TxtKode, TbCari);
  setTabOrder(TbCari, TxtJumlah);
  setTabOrder(TxtJumlah, TbMasuk);
  setTabOrder(TbMasuk, GridJual);
  setTabOrder(GridJual, TxtUBayar);
  setTabOrder(TxtUBayar, TbSimpan);
  setTabOrder(TbSimpan, TbBaru);
  setTabOrder(TbBaru, TbKeluar);

  ui::SetKeyFilter(txtKodeG, ui::UpperCase | ui::EnterMovesFocus);
  ui::SetKeyFilter(TxtJumlah, ui::DigitsOnly | ui::EnterMovesFocus);
  ui::SetKeyFilter(TxtUBayar, ui::DigitsOnly | ui::EnterMovesFocus);
  TxtKode->installEventFilter(this);
  // The group box takes 3 by hand, the rest of the code 7 with its dot, the
  // quantity 3: a scan types more, then Enter.
  PasangPemindai({{txtKodeG, 3}, {TxtKode, 7}, {TxtJumlah, 3}});
  PasangTombolCepat(TxtUBayar);

  DaftarIsian({TxtNoNota, TxtTgl, txtKodeG, TxtKode, TxtNama, TxtHarga, TxtJumlah, TxtTotal, TxtTotBayar, TxtUBayar,
               TxtUKembali},
              {TxtTgl});
  PertanyaanTutup(QStringLiteral("YAKIN AKAN MENUTUP JENDELA INI..?"), QStringLiteral("Exit"));

  connect(TbBaru, &QPushButton::clicked, this, &frmPenjualan::TbBaru_Click);
  connect(TbCari, &QPushButton::clicked, this, &frmPenjualan::TbCari_Click);
  connect(TbMasuk, &QPushButton::clicked, this, &frmPenjualan::TbMasuk_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &frmPenjualan::TbSimpan_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &frmPenjualan::TbKeluar_Click);
  connect(TxtUBayar, &QLineEdit::textChanged, this, &frmPenjualan::HitungKembali);
  // The change follows the total too, so the receipt never shows a stale one.
  connect(TxtTotBayar, &QLineEdit::textChanged, this, &frmPenjualan::HitungKembali);
  // An item code changed by hand no longer names the item shown.
  auto lupakanBarang = [this] {
    TxtNama->clear();
    TxtHarga->setText(QStringLiteral("0"));
  };
  connect(txtKodeG, &QLineEdit::textEdited, this, lupakanBarang);
  connect(TxtKode, &QLineEdit::textEdited, this, lupakanBarang);

  // Load
  FormNormal();
  FormTransKosong();
  if (!BukaKoneksi()) return;
}

void frmPenjualan::FormKosong() { KosongkanDokumen(TxtNoNota, TxtTgl); }

void frmPenjualan::FormTransKosong() {
  TxtTotBayar->setText(QStringLiteral("0"));
  TxtUBayar->setText(QStringLiteral("0"));
  TxtUKembali->setText(QStringLiteral("0"));
}

void frmPenjualan::FormNormal() {
  FormMati();
  FormKosong();
  DokumenDiam();
}


void frmPenjualan::BersihBarang() { BersihBarisBarang(); }

void frmPenjualan::BuatNotaJual() {
  const QString nomor = NomorBaru(toko::SeriPenjualan);
  TxtNoNota->setEnabled(true);
  TxtNoNota->setText(nomor);
}

void frmPenjualan::TbBaru_Click() {
  // The drawer's float, before the cashier's first sale of the day.
  layarkasir::TanyaKasAwal(this);
  TxtTgl->SetText(ui::Today().toString(QStringLiteral("dd/MM/yyyy")));
  BuatNotaJual();
  DokumenBuka(txtKodeG);
}

void frmPenjualan::TbCari_Click() {
  // After a pick the cashier goes on with the quantity.
  CariBarangDiDaftar(QStringLiteral("frmCariBarang2"), TxtJumlah);
}

bool frmPenjualan::eventFilter(QObject* obj, QEvent* ev) {
  // A scan first: its Enter is no lookup of a typed code.
  if (FormTransaksi::eventFilter(obj, ev)) return true;
  if (obj == TxtKode && ev->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(ev)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return TxtKode_Enter();
  }
  return false;
}

void frmPenjualan::AmbilDipindai(const toko::BarangDipindai& b) {
  // The same item again is one more of its line, not a second line.
  if (const int r = BarisDengan(b.kode)) return TambahSatu(r);
  qint64 sub = 0, totalBaru = 0;
  if (!HitungBaris(b.hargaJual, 1, TxtTotBayar, &sub, &totalBaru)) {
    ui::MsgBox(QStringLiteral("NILAI BARIS INI TERLALU BESAR UNTUK DIHITUNG!"), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    return;
  }
  TambahBaris(b.kode, b.nama, QString::number(b.hargaJual), QStringLiteral("1"), sub, TxtTotBayar, totalBaru);
}

void frmPenjualan::KeBayar() {
  if (!TxtUBayar->isEnabled()) return;
  // The exact amount is offered; a different one is typed over it.
  qint64 bayar = 0;
  if (ui::Angka(TxtUBayar->text(), &bayar) && bayar == 0) TxtUBayar->setText(TxtTotBayar->text());
  TxtUBayar->setFocus();
  TxtUBayar->selectAll();
}

bool frmPenjualan::TxtKode_Enter() {
  // As after a pick in the search dialog, the cashier goes on with the quantity.
  return CariKodeBaris(TxtJumlah, true);
}

void frmPenjualan::HitungKembali() {
  if (TxtUBayar->text().isEmpty() || TxtTotBayar->text().isEmpty()) {
    TxtUKembali->setText(QStringLiteral("0"));
    return;
  }
  qint64 bayar, total, kembali;
  if (Angka(TxtUBayar, &bayar) && Angka(TxtTotBayar, &total) && !__builtin_sub_overflow(bayar, total, &kembali))
    TxtUKembali->setText(QString::number(kembali));
}

void frmPenjualan::TbMasuk_Click() {
  // A line needs an item that was found: a code alone (or a code the store
  // does not know) would store a line of nothing.
  if (TxtKode->ClipText().isEmpty() || TxtNama->text().isEmpty()) {
    ui::MsgBox(QStringLiteral("Barang masih kosong! "), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TbCari->setFocus();
    return;
  }
  // A quantity is a positive whole number: nothing else makes a line.
  qint64 jumlah = 0;
  if (TxtJumlah->text().isEmpty() || !Angka(TxtJumlah, &jumlah) || jumlah <= 0) {
    ui::MsgBox(QStringLiteral("Jumlah barang masih kosong! "), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtJumlah->setFocus();
    return;
  }
  // The line and the new total are counted exactly, or the line is refused.
  qint64 harga, sub, totalBaru;
  if (!Angka(TxtHarga, &harga) || !HitungBaris(harga, jumlah, TxtTotBayar, &sub, &totalBaru)) {
    ui::MsgBox(QStringLiteral("NILAI BARIS INI TERLALU BESAR UNTUK DIHITUNG!"), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    TxtJumlah->setFocus();
    return;
  }
  TxtTotal->setText(QString::number(sub));
  TambahBaris(KodeLengkap(), TxtNama->text(), TxtHarga->text(), TxtJumlah->text(), sub, TxtTotBayar, totalBaru);
}

void frmPenjualan::TbSimpan_Click() {
  if (TxtNoNota->text().isEmpty()) {
    ui::MsgBox(QStringLiteral("Nomor transaksi masih kosong !"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtNoNota->setFocus();
    return;
  }
  if (baris_ == 1) {
    ui::MsgBox(QStringLiteral("Belum ada Barang yang akan dijual!"), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    TbCari->setFocus();
    return;
  }
  qint64 bayar = 0, total = 0;
  if (TxtUBayar->text().isEmpty() || !Angka(TxtUBayar, &bayar) || bayar == 0) {
    ui::MsgBox(QStringLiteral("Belum melakukan pembayaran ! "), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtUBayar->setFocus();
    return;
  }
  if (!Angka(TxtTotBayar, &total) || total > bayar) {
    ui::MsgBox(QStringLiteral("Pembayaran masih kurang"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtUBayar->setFocus();
    return;
  }

  toko::Penjualan jual;
  jual.nomor = TxtNoNota->text();
  jual.tanggal = ui::Today();
  jual.kasir = UserAktif;
  jual.total = total;
  jual.bayar = bayar;
  Angka(TxtUKembali, &jual.kembali);
  jual.baris = BarisDiGrid<toko::BarisJual>();
  QString nomor;
  if (!Simpan(jual, &nomor)) return;
  // Stored under another number when this one was taken meanwhile.
  TxtNoNota->setText(nomor);

  ui::MsgBox(QStringLiteral("DATA TRANSAKSI TELAH TERSIMPAN"), ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Konfirmasi"));

  jual.nomor = nomor;
  frmCetakJual::CetakPenjualan(this, jual, TxtTotBayar->text(), TxtUBayar->text(), TxtUKembali->text());

  FormNormal();
  FormTransKosong();
}

void frmPenjualan::Batal() {
  FormNormal();
  FormTransKosong();
}
