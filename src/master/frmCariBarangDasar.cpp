#include "master/frmCariBarangDasar.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/mdlUtama.h"
#include "db/Sql.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

frmCariBarangDasar::frmCariBarangDasar(QWidget* parent, Ragam ragam) : QDialog(parent), ragam_(std::move(ragam)) {
  setObjectName(QString::fromLatin1(ragam_.objectName));
  setWindowTitle(ragam_.caption);

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  txtCari = ui::BuatKotak(Frame2, "txtCari");
  TbCari = ui::Tombol(Frame2, "TbCari", QStringLiteral("&CARI"), 90);
  TbNormal = ui::Tombol(Frame2, "TbNormal", QStringLiteral("&NORMAL"), 90);
  TbTutup = ui::Tombol(Frame2, "TbTutup", QStringLiteral("&TUTUP"), 90);
  auto* h = new QHBoxLayout(Frame2);
  h->addWidget(new QLabel(QStringLiteral("Nama Barang"), Frame2));
  h->addWidget(txtCari, 1);
  h->addWidget(TbCari);
  h->addWidget(TbNormal);
  h->addWidget(TbTutup);

  GridBarang = new ui::FlexGrid(this);
  GridBarang->setObjectName(QStringLiteral("GridBarang"));
  GridBarang->setToolTip(ragam_.tooltip);

  auto* v = new QVBoxLayout(this);
  v->addWidget(Frame2);
  v->addWidget(GridBarang, 1);
  int lebar = 0;
  for (const Kolom& k : ragam_.kolom) lebar += ui::TwipsToPixels(k.lebar);
  resize(lebar + 70, 480);

  connect(txtCari, &QLineEdit::textChanged, this, &frmCariBarangDasar::txtCari_Change);
  connect(TbCari, &QPushButton::clicked, this, &frmCariBarangDasar::TbCari_Click);
  connect(TbNormal, &QPushButton::clicked, this, &frmCariBarangDasar::TbNormal_Click);
  connect(TbTutup, &QPushButton::clicked, this, &frmCariBarangDasar::TbTutup_Click);
  connect(GridBarang, &ui::FlexGrid::DblClick, this, &frmCariBarangDasar::GridBarang_DblClick);
  // By keyboard: Enter in the search box searches, Down goes into the list,
  // where Enter picks the row.
  ui::SetEnterAction(txtCari, [this] { TbCari_Click(); });
  txtCari->installEventFilter(this);
}

bool frmCariBarangDasar::eventFilter(QObject* obj, QEvent* ev) {
  if (obj == txtCari && ev->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(ev)->key() == Qt::Key_Down) {
    GridBarang->setFocus();
    if (GridBarang->Row() < 1) GridBarang->SetRow(1);
    return true;
  }
  return QDialog::eventFilter(obj, ev);
}

void frmCariBarangDasar::Form_Load() {
  if (!BukaKoneksi()) return;
  (void)Buka(Rs(), SqlDaftar());  // a failure is shown, and is no empty list
  TampilGridData();
}

void frmCariBarangDasar::AktifGridBarang() {
  ui::AturGrid(GridBarang, QList<ui::Kolom>(ragam_.kolom.begin(), ragam_.kolom.end()));
  GridBarang->SetFixedCols(1);
}

void frmCariBarangDasar::TampilGridData() {
  // Down to two rows first, so clearing does not touch the last list's rows.
  GridBarang->SetRows(2);
  GridBarang->Clear();
  AktifGridBarang();
  db::RecordsetPtr rs = Rs();
  if (!rs) return;  // the store failed, and said so
  if (rs->RecordCount() == 0) {
    ui::MsgBox(ragam_.pesanKosong, ui::vbOKOnly | ui::vbInformation, ragam_.judulKosong);
    return;
  }
  QList<int> indeks;
  for (const Kolom& k : ragam_.kolom) indeks << (k.field.isEmpty() ? -1 : rs->FieldIndex(k.field));
  const int n = rs->RecordCount();
  GridBarang->Reserve(n + 1);
  GridBarang->SetRows(n + 1);
  int i = 1;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++i) {
    for (int c = 0; c < indeks.size(); ++c)
      GridBarang->SetTextMatrix(i, c, indeks[c] < 0 ? QString::number(i) : rs->Text(indeks[c]));
  }
  rs->MoveFirst();
}

void frmCariBarangDasar::txtCari_Change() {
  const QString teks = txtCari->text();
  if (!Buka(Rs(), SqlCari(teks))) return;  // shown; nothing was "not found"
  if (Rs()->RecordCount() > 0) {
    TampilGridData();
    return;
  }
  ui::MsgBox(ragam_.awalTakAda + QStringLiteral(" - ") + teks + ragam_.akhirTakAda, ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Informasi"));
  txtCari->clear();  // a change too: the full list comes back
  txtCari->setFocus();
}

void frmCariBarangDasar::TbCari_Click() { txtCari_Change(); }

void frmCariBarangDasar::TbNormal_Click() {
  Form_Load();
  txtCari->clear();
  txtCari->setFocus();
}

void frmCariBarangDasar::GridBarang_DblClick() {
  // With nothing clicked yet the first row counts, never the heading.
  const int r = std::max(GridBarang->Row(), 1);
  dipilih_ = toko::BarangDipilih();
  dipilih_.kode = GridBarang->TextMatrix(r, 1);
  dipilih_.nama = GridBarang->TextMatrix(r, 3).toUpper();
  dipilih_.denganHarga = ragam_.denganHarga;
  if (ragam_.denganHarga) dipilih_.hargaJual = db::LeadingNumber(GridBarang->TextMatrix(r, 4));
  dipilih_.dipilih = true;
  if (isiPemanggil_) IsiPemanggil();
  accept();
}

void frmCariBarangDasar::IsiPemanggil() {
  QWidget* pemanggil = parentWidget();
  if (!pemanggil) return;
  const QString& kode = dipilih_.kode;
  if (auto* g = pemanggil->findChild<QLineEdit*>(QStringLiteral("txtKodeG"))) g->setText(kode.left(3));
  if (auto* k = pemanggil->findChild<ui::MaskEdBox*>(QStringLiteral("TxtKode"))) k->SetText(kode.right(7));
  if (auto* n = pemanggil->findChild<QLineEdit*>(QStringLiteral("TxtNama"))) n->setText(dipilih_.nama);
  if (dipilih_.denganHarga)
    if (auto* h = pemanggil->findChild<QLineEdit*>(QStringLiteral("TxtHarga")))
      h->setText(dipilih_.ada() ? QString::number(dipilih_.hargaJual) : QString());
}

void frmCariBarangDasar::TbTutup_Click() { accept(); }

void frmCariBarangDasar::done(int r) {
  // A caller that switched itself off for the dialog must never stay off;
  // the main window stays as the caller left it.
  if (parentWidget()) parentWidget()->setEnabled(true);
  QDialog::done(r);
}
