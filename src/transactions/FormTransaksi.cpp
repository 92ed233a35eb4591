#include "transactions/FormTransaksi.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>

#include <functional>

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

namespace {
// A box is written only when its text changes: laying out a text again is
// what a till adding a line per scan would pay for, box after box.
void Tulis(QLineEdit* t, const QString& s) {
  if (t->text() != s) t->setText(s);
}
}  // namespace

void FormTransaksi::BersihBarisBarang() {
  Tulis(txtKodeG, QString());
  Tulis(TxtNama, QString());
  Tulis(TxtJumlah, QString());
  if (!TxtKode->ClipText().isEmpty()) TxtKode->SetText(QString());
  Tulis(harga_, QStringLiteral("0"));
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
  if (h.belumPasti)
    teks += QStringLiteral("Server tidak menjawab, belum diketahui apakah transaksi ini sudah tersimpan. Transaksi "
                           "masih di layar: simpan kembali setelah server dapat dihubungi; yang sudah tersimpan tidak "
                           "disimpan dua kali.") + crlf + crlf;
  else
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

void FormTransaksi::DaftarGrid(ui::FlexGrid* grid, int lebarNama, QLineEdit* total) {
  grid_ = grid;
  lebarNama_ = lebarNama;
  totalDok_ = total;
  grid_->installEventFilter(this);
  grid_->setToolTip(QStringLiteral("Delete: hapus baris  |  F4: ubah jumlah"));
  // Enter or a double-click on a line changes its quantity.
  connect(grid_, &ui::FlexGrid::DblClick, this, [this] {
    if (grid_->Row() >= 1 && grid_->Row() < baris_ && SedangTransaksi()) UbahJumlah();
  });
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
  barisUbah_ = 0;
  TxtJumlahBaris->hide();
  LblJumlahBaris->hide();
  LupakanPindai();
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
  // The new line comes into view when the grid is next laid out and
  // painted: once for a burst of scans, not once for each.
  if (!gulirNanti_) {
    gulirNanti_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          gulirNanti_ = false;
          grid_->scrollToBottom();
        },
        Qt::QueuedConnection);
  }
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
  LblPindai = Label(Frame2, "LblPindai", QString());
  LblPindai->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  LblPindai->hide();
  LblJumlahBaris = Label(Frame2, "LblJumlahBaris", QString());
  TxtJumlahBaris = Kotak(Frame2, "TxtJumlahBaris", 3, true);
  TxtJumlahBaris->setFixedWidth(60);
  ui::SetKeyFilter(TxtJumlahBaris, ui::DigitsOnly);
  TxtJumlahBaris->installEventFilter(this);
  LblJumlahBaris->hide();
  TxtJumlahBaris->hide();
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
  kode->addSpacing(12);
  kode->addWidget(LblPindai);
  kode->addStretch();
  kode->addWidget(LblJumlahBaris);
  kode->addWidget(TxtJumlahBaris);
  auto* g = new QGridLayout(Frame2);
  g->addWidget(Label(Frame2, label[0].name, label[0].caption), 0, 0);
  g->addLayout(kode, 0, 1, 1, 6);
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
    Tulis(TxtTotal, QStringLiteral("0"));
    return;
  }
  qint64 sub;
  if (KaliBaris(harga, jumlah, &sub)) Tulis(TxtTotal, QString::number(sub));
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

// ---- the scanner, the lines, the keys --------------------------------------

void FormTransaksi::PasangPemindai(const QList<KotakPindai>& kotak) {
  jam_.start();
  for (const KotakPindai& k : kotak) {
    muat_.insert(k.kotak, k.muat);
    k.kotak->installEventFilter(this);
  }
}

bool FormTransaksi::eventFilter(QObject* obj, QEvent* ev) {
  if (obj == grid_ && ev->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(ev);
    if (k->key() == Qt::Key_Delete && SedangTransaksi() && grid_->Row() >= 1 && grid_->Row() < baris_) {
      HapusBaris(grid_->Row());
      return true;
    }
    return false;
  }
  if (obj == TxtJumlahBaris && ev->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(ev)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      TerapkanJumlah();
      return true;
    }
    if (key == Qt::Key_Escape) {  // not the closing question: only this change is given up
      barisUbah_ = 0;
      TxtJumlahBaris->hide();
      LblJumlahBaris->hide();
      txtKodeG->setFocus();
      return true;
    }
    return false;
  }
  if (!muat_.contains(obj)) return QDialog::eventFilter(obj, ev);
  if (ev->type() == QEvent::FocusIn) {
    ketikan_[obj].clear();
    return false;
  }
  if (ev->type() != QEvent::KeyPress) return false;
  const auto* k = static_cast<QKeyEvent*>(ev);
  QString& ketik = ketikan_[obj];
  if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
    const QString kode = ketik;
    ketik.clear();
    // More than the box takes by hand is a scan (or a code typed whole);
    // so is a barcode whose check digit is right, which may fit a price box.
    const bool lebih = kode.size() > muat_.value(obj);
    const bool barcode = kode.size() >= 8 && toko::Jenis(kode) != toko::JenisBarcode::Lain && toko::DigitBenar(kode);
    if (lebih || barcode) {
      const toko::BarangDipindai b = toko::CariDipindai(Conn, kode);
      if (!b.ok()) {
        TampilGagal(b.error);
        return true;
      }
      if (b.ada) {
        LupakanPindai();
        AmbilDipindai(b);
        return true;
      }
      if (lebih) {
        TidakDikenali(kode);
        return true;
      }
    }
    return EnterBaris(qobject_cast<QLineEdit*>(obj));
  }
  if (k->key() == Qt::Key_Backspace) {
    ketik.chop(1);
    return false;
  }
  const QString t = k->text();
  if (t.isEmpty() || !t.at(0).isPrint() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  LupakanPindai();
  // A scan starts on a box that is empty, whose text it replaces, or that
  // took no key for a moment; what was there before is no part of it.
  auto* kotak = static_cast<QLineEdit*>(obj);
  const auto* mask = qobject_cast<ui::MaskEdBox*>(kotak);
  const bool kosong = mask ? mask->ClipText().isEmpty() : kotak->text().isEmpty();
  const qint64 kini = jam_.elapsed();
  const bool ganti = kosong || (kotak->hasSelectedText() && kotak->selectedText() == kotak->text());
  if (ketik.isEmpty() || ganti || kini - ketikTerakhir_.value(obj, kini) > 250) {
    ketik.clear();
    // What the box holds already and keeps takes room of its own.
    isiAwal_[obj] = ganti ? 0 : int(mask ? mask->ClipText().size() : kotak->text().size());
  }
  ketikTerakhir_[obj] = kini;
  ketik += t;
  // Digits past what the box takes are a scan's, kept here unseen (no beep
  // for each); a few other keys too many are the person's, refused by the
  // box as it does, and a run of them is a scan's again.
  const int muat = muat_.value(obj), penuh = int(ketik.size()) + isiAwal_.value(obj);
  static const QRegularExpression angka(QStringLiteral("^\\d*$"));
  return penuh > muat + 3 || (penuh > muat && angka.match(ketik).hasMatch());
}

bool FormTransaksi::Pindai(const QString& kode) {
  const toko::BarangDipindai b = toko::CariDipindai(Conn, kode);
  if (!b.ok()) {
    TampilGagal(b.error);
    return false;
  }
  if (!b.ada) {
    TidakDikenali(kode);
    return false;
  }
  LupakanPindai();
  AmbilDipindai(b);
  return true;
}

void FormTransaksi::TidakDikenali(const QString& kode) {
  ui::Beep();
  // The scan's leftovers in the boxes name nothing.
  BersihBarisBarang();
  LblPindai->setText(QStringLiteral("KODE %1 TIDAK DIKENALI").arg(kode));
  LblPindai->show();
  txtKodeG->setFocus();
}

void FormTransaksi::LupakanPindai() {
  if (LblPindai && LblPindai->isVisible()) LblPindai->hide();
}

int FormTransaksi::BarisDengan(const QString& kode) const {
  for (int r = 1; r < baris_; ++r)
    if (Sel(r, 0).compare(kode, Qt::CaseInsensitive) == 0) return r;
  return 0;
}

bool FormTransaksi::UbahJumlahBaris(int row, qint64 jumlah) {
  if (row < 1 || row >= baris_ || jumlah < 1 || jumlah > 999) return false;
  const qint64 lama = AngkaSel(row, 4);
  qint64 total = 0, sub = 0, totalBaru = 0;
  if (!ui::Angka(totalDok_->text(), &total) || __builtin_mul_overflow(AngkaSel(row, 2), jumlah, &sub) ||
      __builtin_add_overflow(total - lama, sub, &totalBaru))
    return false;
  grid_->SetTextMatrix(row, 3, QString::number(jumlah));
  grid_->SetTextMatrix(row, 4, QString::number(sub));
  totalDok_->setText(QString::number(totalBaru));
  return true;
}

void FormTransaksi::TambahSatu(int row) {
  if (!UbahJumlahBaris(row, AngkaSel(row, 3) + 1)) {
    ui::Beep();
    LblPindai->setText(QStringLiteral("JUMLAH %1 TIDAK DAPAT DITAMBAH").arg(Sel(row, 1)));
    LblPindai->show();
  }
  BersihBarisBarang();
  txtKodeG->setFocus();
}

void FormTransaksi::HapusBaris(int row) {
  if (row < 1 || row >= baris_) return;
  const QString crlf = QStringLiteral("\r\n");
  Pesan = QString::number(ui::MsgBox(QStringLiteral("HAPUS BARIS INI DARI TRANSAKSI?") + crlf + crlf +
                                         QStringLiteral("KODE : ") + Sel(row, 0) + crlf + QStringLiteral("NAMA : ") +
                                         Sel(row, 1) + crlf + QStringLiteral("JUMLAH : ") + Sel(row, 3),
                                     ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Konfirmasi")));
  if (Pesan.toInt() != ui::vbYes) return;
  qint64 total = 0;
  ui::Angka(totalDok_->text(), &total);
  totalDok_->setText(QString::number(total - AngkaSel(row, 4)));
  for (int r = row; r < baris_ - 1; ++r)
    for (int c = 0; c < grid_->Cols(); ++c) grid_->SetTextMatrix(r, c, Sel(r + 1, c));
  --baris_;
  // The grid keeps one empty row when it holds no line.
  if (baris_ == 1) {
    for (int c = 0; c < grid_->Cols(); ++c) grid_->SetTextMatrix(1, c, QString());
    grid_->SetRows(2);
  } else {
    grid_->SetRows(baris_);
    grid_->SetRow(qMin(row, baris_ - 1));
  }
  if (barisUbah_ == row) {
    barisUbah_ = 0;
    TxtJumlahBaris->hide();
    LblJumlahBaris->hide();
  } else if (barisUbah_ > row) {
    --barisUbah_;  // the line being changed moved up
  }
}

void FormTransaksi::UbahJumlah() {
  if (!SedangTransaksi() || baris_ <= 1) return;
  const int r = grid_->hasFocus() && grid_->Row() >= 1 && grid_->Row() < baris_ ? grid_->Row() : baris_ - 1;
  barisUbah_ = r;
  LupakanPindai();
  LblJumlahBaris->setText(QStringLiteral("Jumlah baris %1 (%2):").arg(r).arg(Sel(r, 1).left(24)));
  LblJumlahBaris->show();
  TxtJumlahBaris->setText(Sel(r, 3));
  TxtJumlahBaris->show();
  TxtJumlahBaris->setFocus();
  TxtJumlahBaris->selectAll();
}

void FormTransaksi::TerapkanJumlah() {
  qint64 jumlah = 0;
  const int r = barisUbah_;
  if (!ui::Angka(TxtJumlahBaris->text(), &jumlah) || jumlah < 0) jumlah = -1;
  if (jumlah == 0) {
    // No quantity is no line: asked as Delete asks.
    HapusBaris(r);
    if (barisUbah_ == r) return;  // kept: the box stays for another quantity
  } else if (!UbahJumlahBaris(r, jumlah)) {
    ui::MsgBox(QStringLiteral("Jumlah barang masih kosong! "), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    TxtJumlahBaris->setFocus();
    TxtJumlahBaris->selectAll();
    return;
  }
  barisUbah_ = 0;
  TxtJumlahBaris->hide();
  LblJumlahBaris->hide();
  txtKodeG->setFocus();
}

void FormTransaksi::KeBayar() {}

void FormTransaksi::PasangTombolCepat(QLineEdit* bayar) {
  auto tombol = [this](int key, std::function<void()> f) {
    auto* s = new QShortcut(QKeySequence(key), this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, std::move(f));
  };
  tombol(Qt::Key_F2, [this] {
    if (TbCari && TbCari->isEnabled()) TbCari->click();
  });
  tombol(Qt::Key_F12, [this] {
    if (TbSimpan->isEnabled()) TbSimpan->click();
  });
  tombol(Qt::Key_F4, [this] { UbahJumlah(); });
  TbBaru->setToolTip(QStringLiteral("Mulai transaksi baru (Alt+B)"));
  TbSimpan->setToolTip(QStringLiteral("Simpan transaksi (F12)"));
  TbKeluar->setToolTip(QStringLiteral("Batalkan transaksi / tutup jendela (Esc)"));
  if (TbCari) TbCari->setToolTip(QStringLiteral("Cari barang (F2)"));
  if (TbMasuk) TbMasuk->setToolTip(QStringLiteral("Masukkan barang ke daftar (Enter)"));
  if (TxtJumlah) TxtJumlah->setToolTip(QStringLiteral("Jumlah barang; F4: ubah jumlah baris terakhir"));
  if (bayar) {
    tombol(Qt::Key_F8, [this] { KeBayar(); });
    bayar->setToolTip(QStringLiteral("Uang bayar (F8)"));
  }
}

namespace {
// A figure as the customer reads it: grouped by thousands with dots.
QString Besar(const QString& angka) {
  qint64 n = 0;
  if (!ui::Angka(angka, &n)) return angka;
  static const QLocale id(QLocale::Indonesian, QLocale::Indonesia);
  return id.toString(n);
}
}  // namespace

QWidget* FormTransaksi::BuatAngkaBesar(QLineEdit* total, QLineEdit* kembali) {
  auto* layar = new QFrame(this);
  layar->setObjectName(QStringLiteral("FrameLayar"));
  layar->setStyleSheet(QStringLiteral("#FrameLayar { background: #101820; border-radius: 6px; }"
                                      "#FrameLayar QLabel { color: #e8f0f8; background: transparent; }"));
  auto* g = new QGridLayout(layar);
  g->setContentsMargins(14, 6, 14, 6);
  g->setHorizontalSpacing(18);
  QFont kecil = font();
  kecil.setPointSize(kecil.pointSize() + 2);
  kecil.setBold(true);
  QFont besar = font();
  besar.setPointSize(30);
  besar.setBold(true);
  QLabel* j = nullptr;  // the caption of the row made last
  auto baris = [&](int r, const char* nama, const QString& judul, const QString& warna) {
    j = Label(layar, "", judul);
    j->setObjectName(QString());
    j->setFont(kecil);
    QLabel* l = Label(layar, nama, QString());
    l->setFont(besar);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(warna));
    l->setMinimumWidth(QFontMetrics(besar).horizontalAdvance(QStringLiteral("Rp 000.000.000")));
    g->addWidget(j, r, 0);
    g->addWidget(l, r, 1);
    return l;
  };
  QLabel* lt = baris(0, "LblTotalBesar", QStringLiteral("TOTAL"), QStringLiteral("#7CFC9A"));
  QLabel* lk = baris(1, "LblKembaliBesar", QStringLiteral("KEMBALI"), QStringLiteral("#FFD84D"));
  QLabel* jk = j;
  auto tulisTotal = [lt, total] { lt->setText(QStringLiteral("Rp ") + Besar(total->text())); };
  auto tulisKembali = [lk, jk, kembali] {
    qint64 n = 0;
    // While the payment is short the customer reads how much is missing.
    const bool kurang = ui::Angka(kembali->text(), &n) && n < 0;
    jk->setText(kurang ? QStringLiteral("KURANG") : QStringLiteral("KEMBALI"));
    lk->setText(QStringLiteral("Rp ") + Besar(kurang ? QString::number(-n) : kembali->text()));
  };
  connect(total, &QLineEdit::textChanged, layar, tulisTotal);
  connect(kembali, &QLineEdit::textChanged, layar, tulisKembali);
  tulisTotal();
  tulisKembali();
  return layar;
}
