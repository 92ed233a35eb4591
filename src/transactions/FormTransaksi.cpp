#include "transactions/FormTransaksi.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"
#include "toko/Barang.h"
#include "toko/Kode.h"

using namespace mdlUtama;

FormTransaksi::FormTransaksi(QWidget* parent) : QDialog(parent) {}

bool FormTransaksi::SedangTransaksi() const { return TbKeluar && TbKeluar->text() == CaptionBatal; }

void FormTransaksi::DaftarIsian(const QList<QWidget*>& isian, const QList<QWidget*>& tetapMati) {
  isian_ = isian;
  tetapMati_ = tetapMati;
}

void FormTransaksi::FormMati() {
  for (QWidget* w : isian_) ui::SetInputEnabled(w, false);
}

void FormTransaksi::FormHidup() {
  for (QWidget* w : isian_) ui::SetInputEnabled(w, !tetapMati_.contains(w));
}

void FormTransaksi::ModeTransaksi(bool buka) { TbKeluar->setText(buka ? CaptionBatal : CaptionKeluar); }

void FormTransaksi::PertanyaanTutup(const QString& text, const QString& title, bool hanyaSaatDokumen) {
  tanyaTeks_ = text;
  tanyaJudul_ = title;
  tanyaSaatDokumen_ = hanyaSaatDokumen;
}

bool FormTransaksi::KaliBaris(const QString& harga, const QString& jumlah, qint64* hasil) {
  qint64 h, j;
  return ui::Angka(harga, &h) && ui::Angka(jumlah, &j) && !__builtin_mul_overflow(h, j, hasil);
}

FormTransaksi::Barang FormTransaksi::CariBarang(const QString& kode) {
  SQL = QStringLiteral("SELECT * FROM Barang ") + QStringLiteral(" WHERE Kode_Barang=") + db::Quote(kode) +
        QStringLiteral(" ");
  if (!Buka(RsBarang, SQL)) return Barang::Gagal;
  return RsBarang->RecordCount() > 0 ? Barang::Ada : Barang::TidakAda;
}

void FormTransaksi::TbKeluar_Click() {
  if (SedangTransaksi()) {
    if (AdaBaris()) {
      Pesan = QString::number(ui::MsgBox(QStringLiteral("YAKIN AKAN MEMBATALKAN TRANSAKSI INI..?"),
                                         ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                                         QStringLiteral("Konfirmasi")));
      if (Pesan.toInt() != ui::vbYes) return;
    }
    Batal();
    return;
  }
  close();
}

void FormTransaksi::reject() {
  if (!tanyaTeks_.isEmpty() && (!tanyaSaatDokumen_ || SedangTransaksi())) {
    // With a document open Yes throws it away: Enter must not.
    const int awal = SedangTransaksi() ? ui::vbDefaultButton2 : ui::vbDefaultButton1;
    Pesan = QString::number(ui::MsgBox(tanyaTeks_, ui::vbYesNo | ui::vbQuestion | awal, tanyaJudul_));
    if (Pesan.toInt() != ui::vbYes) return;
  }
  QDialog::reject();
}

void FormTransaksi::BersihBarisBarang() {
  txtKodeG->clear();
  TxtNama->clear();
  TxtJumlah->clear();
  TxtKode->SetText(QString());
  harga_->setText(QStringLiteral("0"));
  HitungSubTotal();
}

QString FormTransaksi::NomorBaru(const toko::Seri& seri) {
  if (!Conn || !Conn->IsOpen()) return QString();
  const toko::NomorBaru n = toko::NomorBerikut(Conn, seri);
  if (n.error.failed())
    TampilGagal(n.error);
  else if (!n.ok())
    ui::MsgBox(n.habis, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
  return n.nomor;
}

namespace {
template <class Dokumen>
bool SimpanKeToko(const Dokumen& d, QString* nomor) {
  const toko::HasilSimpan h = toko::Simpan(Conn, d);
  if (!h.ok()) {
    FormTransaksi::TampilGagalSimpan(h);
    return false;
  }
  *nomor = h.nomor;
  return true;
}
}  // namespace

bool FormTransaksi::Simpan(const toko::Penjualan& d, QString* nomor) { return SimpanKeToko(d, nomor); }
bool FormTransaksi::Simpan(const toko::Pembelian& d, QString* nomor) { return SimpanKeToko(d, nomor); }
bool FormTransaksi::Simpan(const toko::Kas& d, QString* nomor) { return SimpanKeToko(d, nomor); }

void FormTransaksi::TampilGagalSimpan(const toko::HasilSimpan& h) {
  const QString crlf = QStringLiteral("\r\n");
  QString teks = QStringLiteral("DATA TRANSAKSI GAGAL DISIMPAN!") + crlf;
  if (h.error.is(db::Error::Kind::Busy))
    teks += QStringLiteral("DATABASE SEDANG DIPAKAI PROGRAM LAIN. Tunggu sebentar.") + crlf;
  teks += QStringLiteral("Tidak ada data yang tersimpan; transaksi masih di layar dan dapat disimpan kembali.") + crlf + crlf;
  if (!h.error.statement.isEmpty()) teks += QStringLiteral("Perintah: ") + db::ShortStatement(h.error.statement) + crlf;
  teks += QStringLiteral("Pesan database: ") +
          (h.barangHilang.isEmpty() ? h.error.message
                                    : QStringLiteral("Data yang dituju perintah ini tidak ada lagi di database."));
  ui::MsgBox(teks, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
}

void FormTransaksi::DokumenDiam() {
  ModeTransaksi(false);
  TbSimpan->setEnabled(false);
  TbBaru->setEnabled(true);
  if (TbCari) TbCari->setEnabled(false);
  if (TbMasuk) TbMasuk->setEnabled(false);
  TbBaru->setFocus();
}

void FormTransaksi::DokumenBuka(QWidget* fokus) {
  FormHidup();
  if (grid_) AturGridBarang();
  TbBaru->setEnabled(false);
  if (TbCari) TbCari->setEnabled(true);
  ModeTransaksi(true);
  TbSimpan->setEnabled(true);
  if (TbMasuk) TbMasuk->setEnabled(true);
  baris_ = 1;
  fokus->setFocus();
}

void FormTransaksi::DaftarGrid(ui::FlexGrid* grid, int lebarNama) {
  grid_ = grid;
  lebarNama_ = lebarNama;
}

void FormTransaksi::AturGridBarang() {
  grid_->SetFixedCols(0);
  ui::AturGrid(grid_, {{QStringLiteral("KODE"), 1300},
                       {QStringLiteral("NAMA BARANG"), lebarNama_},
                       {QStringLiteral("HARGA (Rp)"), 1800, true},
                       {QStringLiteral("JUMLAH"), 1300, true},
                       {QStringLiteral("SUBTOTAL (Rp)"), 1800, true}});
  grid_->SetRowHeightMin(300);
}

void FormTransaksi::KosongkanDokumen(QLineEdit* nomor, ui::MaskEdBox* tgl) {
  nomor->clear();
  tgl->SetText(QString());
  BersihBarisBarang();
  baris_ = 1;
  grid_->Clear();
  grid_->SetRows(2);
  AturGridBarang();
}

bool FormTransaksi::CariKodeBaris(QWidget* lanjut, bool hargaJual) {
  if (txtKodeG->text().size() < 3) {
    ui::MsgBox(QStringLiteral("KODE GRUP HARUS 3 DIGIT"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return false;
  }
  const QString kode = KodeLengkap();
  // Nothing of an earlier item may stay beside a code that names none, nor
  // beside one the store could not look up (that failure is shown as such:
  // the code may well be known).
  TxtNama->clear();
  if (hargaJual) harga_->setText(QStringLiteral("0"));
  switch (CariBarang(kode)) {
    case Barang::Gagal:
      break;
    case Barang::TidakAda:
      ui::MsgBox(QStringLiteral("KODE BARANG TIDAK DIKENALI "), ui::vbOKOnly | ui::vbInformation, QStringLiteral("Info"));
      break;
    case Barang::Ada:
      TxtNama->setText(RsBarang->Text(QStringLiteral("Nama_Barang")));
      if (hargaJual) harga_->setText(QString::number(RsBarang->Int(QStringLiteral("Harga_Jual"))));
      lanjut->setFocus();
      break;
  }
  return true;
}

bool FormTransaksi::HitungBaris(qint64 harga, qint64 jumlah, const QLineEdit* total, qint64* sub, qint64* totalBaru) {
  qint64 t = 0;
  return !__builtin_mul_overflow(harga, jumlah, sub) && ui::Angka(total->text(), &t) &&
         !__builtin_add_overflow(t, *sub, totalBaru);
}

void FormTransaksi::TambahBaris(const QString& kode, const QString& nama, const QString& harga, const QString& jumlah,
                                qint64 sub, QLineEdit* total, qint64 totalBaru) {
  grid_->SetRows(baris_ + 1);
  grid_->SetTextMatrix(baris_, 0, kode);
  grid_->SetTextMatrix(baris_, 1, nama);
  grid_->SetTextMatrix(baris_, 2, harga);
  grid_->SetTextMatrix(baris_, 3, jumlah);
  grid_->SetTextMatrix(baris_, 4, QString::number(sub));
  total->setText(QString::number(totalBaru));
  ++baris_;
  BersihBarisBarang();
  txtKodeG->setFocus();
}

QString FormTransaksi::Sel(int r, int c) const { return grid_->TextMatrix(r, c); }

qint64 FormTransaksi::AngkaSel(int r, int c) const {
  // The lines were checked when they were added: each cell holds a number.
  qint64 n = 0;
  ui::Angka(grid_->TextMatrix(r, c), &n);
  return n;
}

QLineEdit* FormTransaksi::Kotak(QWidget* parent, const char* name, int maxLength, bool kanan) {
  QLineEdit* t = ui::BuatKotak(parent, name, maxLength);
  if (kanan) t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return t;
}

QLabel* FormTransaksi::Label(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QGroupBox* FormTransaksi::BuatBarisBarang(const Tulisan (&label)[5], const char* namaHarga, int hargaMax,
                                         const QString& masuk, QLineEdit** harga) {
  auto* Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  txtKodeG = Kotak(Frame2, "txtKodeG", 3);
  TxtKode = new ui::MaskEdBox(Frame2);
  TxtKode->setObjectName(QStringLiteral("TxtKode"));
  TxtKode->SetMask(QStringLiteral("###.###"));
  TbCari = ui::Tombol(Frame2, "TbCari", QStringLiteral("Ca&ri"));
  TxtNama = Kotak(Frame2, "TxtNama");
  *harga = harga_ = Kotak(Frame2, namaHarga, hargaMax, true);
  TxtJumlah = Kotak(Frame2, "TxtJumlah", 3, true);
  TxtTotal = Kotak(Frame2, "TxtTotal", 0, true);
  TbMasuk = ui::Tombol(Frame2, "TbMasuk", masuk);
  txtKodeG->setFixedWidth(50);
  TxtKode->setFixedWidth(80);
  harga_->setFixedWidth(110);
  TxtJumlah->setFixedWidth(60);
  TxtTotal->setFixedWidth(120);
  auto* kode = new QHBoxLayout;
  kode->addWidget(txtKodeG);
  kode->addWidget(new QLabel(QStringLiteral("."), Frame2));
  kode->addWidget(TxtKode);
  kode->addWidget(TbCari);
  kode->addStretch();
  auto* g = new QGridLayout(Frame2);
  g->addWidget(Label(Frame2, label[0].name, label[0].caption), 0, 0);
  g->addLayout(kode, 0, 1, 1, 3);
  g->addWidget(Label(Frame2, label[1].name, label[1].caption), 1, 0);
  g->addWidget(TxtNama, 1, 1, 1, 6);
  g->addWidget(Label(Frame2, label[2].name, label[2].caption), 2, 0);
  g->addWidget(harga_, 2, 1);
  g->addWidget(Label(Frame2, label[3].name, label[3].caption), 2, 2, Qt::AlignRight);
  g->addWidget(TxtJumlah, 2, 3);
  g->addWidget(Label(Frame2, label[4].name, label[4].caption), 2, 4, Qt::AlignRight);
  g->addWidget(TxtTotal, 2, 5);
  g->addWidget(TbMasuk, 2, 6);
  g->setColumnStretch(1, 1);
  connect(harga_, &QLineEdit::textChanged, this, &FormTransaksi::HitungSubTotal);
  connect(TxtJumlah, &QLineEdit::textChanged, this, &FormTransaksi::HitungSubTotal);
  return Frame2;
}

QString FormTransaksi::KodeLengkap() const {
  return txtKodeG->text() + QStringLiteral(".") + TxtKode->Text();
}

void FormTransaksi::HitungSubTotal() {
  const QString harga = harga_->text(), jumlah = TxtJumlah->text();
  if (jumlah.isEmpty() || harga.isEmpty()) {
    TxtTotal->setText(QStringLiteral("0"));
    return;
  }
  qint64 sub;
  if (KaliBaris(harga, jumlah, &sub)) TxtTotal->setText(QString::number(sub));
}

void FormTransaksi::CariBarangDiDaftar(const QString& dialog, QWidget* lanjut) {
  // The dialog is modal: this window and the main window wait for it and
  // nothing needs switching off (and so nothing can stay off).
  QDialog* cari = ui::CreateWindow(dialog, this);
  if (!cari) return;
  // The pick comes back as an item; this screen writes its own item line.
  cari->setProperty("isiPemanggil", false);
  ui::ShowModal(cari);
  const auto b = cari->property("dipilih").value<toko::BarangDipilih>();
  delete cari;
  if (b.dipilih) {
    txtKodeG->setText(b.kode.left(3));
    TxtKode->SetText(b.kode.right(7));
    TxtNama->setText(b.nama);
    if (b.denganHarga) harga_->setText(b.ada() ? QString::number(b.hargaJual) : QString());
  }
  if (!TxtNama->text().isEmpty() && lanjut->isEnabled()) lanjut->setFocus();
}
