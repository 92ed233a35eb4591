#include "master/MasterForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"
#include "toko/Kode.h"
#include "toko/Master.h"

namespace master {

namespace {
const QString kKeluar = QStringLiteral("&Keluar");
const QString kNormal = QStringLiteral("&Normal");
const QString kCrLf = QStringLiteral("\r\n");
}  // namespace

MasterForm::MasterForm(const char* name, const QString& caption, QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(caption);
  setAttribute(Qt::WA_DeleteOnClose, false);

  susunan_ = new QVBoxLayout(this);
  susunan_->setContentsMargins(8, 8, 8, 8);
  susunan_->setSpacing(6);

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  isian_ = new QGridLayout(Frame1);
  isian_->setHorizontalSpacing(8);
  isian_->setVerticalSpacing(5);
  susunan_->addWidget(Frame1);

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  auto* tombol = new QHBoxLayout(Frame2);
  tombol->setContentsMargins(8, 6, 8, 6);
  auto buat = [&](const char* n, const char* text) {
    QPushButton* b = ui::Tombol(Frame2, n, QString::fromUtf8(text), 90, 30);
    tombol->addWidget(b);
    return b;
  };
  TbBaru = buat("TbBaru", "&Baru");
  TbSimpan = buat("TbSimpan", "&Simpan");
  TbHapus = buat("TbHapus", "&Hapus");
  TbKeluar = buat("TbKeluar", "&Keluar");
  tombol->addStretch(1);
  susunan_->addWidget(Frame2);

  connect(TbBaru, &QPushButton::clicked, this, &MasterForm::TbBaru_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &MasterForm::TbSimpan_Click);
  connect(TbHapus, &QPushButton::clicked, this, &MasterForm::TbHapus_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &MasterForm::TbKeluar_Click);
}

bool MasterForm::Istirahat() const { return TbKeluar->text() == kKeluar; }

QLabel* MasterForm::BuatLabel(const char* name, const QString& text) {
  auto* l = new QLabel(text, Frame1);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QLineEdit* MasterForm::BuatTeks(const char* name, int maxLength) {
  QLineEdit* t = ui::BuatKotak(Frame1, name, maxLength);
  // Design colour of the input boxes: the light yellow.
  ui::SetBackColor(t, ui::Kuning);
  return t;
}

QComboBox* MasterForm::BuatCombo(const char* name) {
  auto* c = new QComboBox(Frame1);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);
  // The screens read only the combo's text: typed text must not grow the list
  // or be completed into an entry behind the person's back.
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);
  c->setMaxVisibleItems(15);
  ui::TanpaKendali(c);
  // The box itself is narrow (it shows only the code after a pick), but its
  // list must show each entry whole, code and name: widen the list to the
  // longest entry instead of eliding the names.
  QAbstractItemView* daftar = c->view();
  connect(c->model(), &QAbstractItemModel::rowsInserted, c, [c, daftar](const QModelIndex&, int first, int last) {
    const QFontMetrics fm(daftar->font());
    int lebar = daftar->minimumWidth();
    for (int i = first; i <= last; ++i) lebar = qMax(lebar, fm.horizontalAdvance(c->itemText(i)) + 40);
    daftar->setMinimumWidth(lebar);
  });
  connect(c->model(), &QAbstractItemModel::rowsRemoved, c, [c, daftar] {
    if (c->count() == 0) daftar->setMinimumWidth(0);
  });
  ui::SetBackColor(c, ui::Kuning);
  return c;
}

ui::FlexGrid* MasterForm::BuatGrid(const char* name, const QString& tooltip) {
  auto* g = new ui::FlexGrid(this);
  g->setObjectName(QString::fromLatin1(name));
  g->setToolTip(tooltip);
  g->SetFixedCols(1);
  return g;
}

void MasterForm::Masukan(QWidget* w, bool dicat) { masukan_.append({w, dicat}); }

void MasterForm::UrutanTab(std::initializer_list<QWidget*> urutan) {
  QWidget* sebelum = nullptr;
  for (QWidget* w : urutan) {
    if (sebelum) setTabOrder(sebelum, w);
    sebelum = w;
  }
}

QString MasterForm::Teks(const QWidget* w) {
  if (auto* m = qobject_cast<const ui::MaskEdBox*>(w)) return m->Text();
  if (auto* t = qobject_cast<const QLineEdit*>(w)) return t->text();
  if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
  if (auto* p = qobject_cast<const QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* r = qobject_cast<const QTextEdit*>(w)) return r->toPlainText();
  return QString();
}

void MasterForm::SetTeks(QWidget* w, const QString& text) {
  if (auto* m = qobject_cast<ui::MaskEdBox*>(w)) {
    m->SetText(text);
  } else if (auto* t = qobject_cast<QLineEdit*>(w)) {
    t->setText(text);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    // Showing a text is not a pick: no entry is current.
    c->setCurrentIndex(-1);
    c->setEditText(text);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    p->setPlainText(text);
  } else if (auto* r = qobject_cast<QTextEdit*>(w)) {
    r->setPlainText(text);
  }
}

void MasterForm::FormKosong() {
  for (const Input& in : masukan_) SetTeks(in.w, QString());
}

void MasterForm::FormHidup() {
  for (const Input& in : masukan_) {
    if (in.dicat)
      ui::SetInputEnabled(in.w, true);
    else
      in.w->setEnabled(true);
  }
}

void MasterForm::FormMati() {
  for (const Input& in : masukan_) {
    if (in.dicat)
      ui::SetInputEnabled(in.w, false);
    else
      in.w->setEnabled(false);
  }
}

void MasterForm::FormNormal() {
  FormKosong();
  FormMati();
  TbBaru->setEnabled(true);
  TbHapus->setEnabled(false);
  TbSimpan->setEnabled(false);
  TbKeluar->setText(kKeluar);
}

void MasterForm::SelesaiSimpan(db::Recordset* rs) {
  (void)mdlUtama::BacaUlang(rs);
  FormNormal();
  FormMati();
  TampilGridData();
}

void MasterForm::BukaDiGrup(const QString&, const QString&) {}

void MasterForm::ModeBaru() {
  TbSimpan->setEnabled(true);
  TbBaru->setEnabled(false);
  TbHapus->setEnabled(false);
  TbKeluar->setText(kNormal);
}

void MasterForm::ModeUbah() {
  TbHapus->setEnabled(true);
  TbSimpan->setEnabled(true);
  TbKeluar->setText(kNormal);
  TbBaru->setEnabled(false);
}

bool MasterForm::Tanya(const QString& text, const QString& title, int awal) {
  const int jawab = ui::MsgBox(text, int(ui::vbYesNo) | ui::vbQuestion | awal, title);
  mdlUtama::Pesan = QString::number(jawab);
  return mdlUtama::Pesan.toInt() == ui::vbYes;
}

bool MasterForm::TanyaHapus(const QString& kode, const QString& nama, const QString& labelKode) {
  return Tanya(QStringLiteral("YAKIN AKAN MENGHAPUS DATA INI?") + kCrLf + labelKode + kode + kCrLf +
               QStringLiteral("NAMA : ") + nama + kCrLf,
               QStringLiteral("Awass"), ui::vbDefaultButton2);
}

bool MasterForm::CekIsian(const QList<Syarat>& syarat, int icon) {
  for (const Syarat& s : syarat) {
    if (!Teks(s.kotak).trimmed().isEmpty()) continue;
    ui::MsgBox(s.pesan, icon, QStringLiteral("Error"));
    s.kotak->setFocus();
    return false;
  }
  return true;
}

namespace {
// The refusal of the table's own rule, as the screen says it.
QString TeksLarangan(toko::Larangan l, const QString& kode) {
  switch (l) {
    case toko::Larangan::PenggunaTidakAda:
      return kode.isEmpty() ? QStringLiteral("USER ID MASIH KOSONG")
                            : QStringLiteral("USER ID ") + kode + QStringLiteral(" TIDAK ADA");
    case toko::Larangan::SatuSatunyaAdmin:
      return QStringLiteral("DATA TIDAK DAPAT DIHAPUS, ") + kode + QStringLiteral(" ADALAH SATU-SATUNYA ADMIN");
    case toko::Larangan::Tidak:
      break;
  }
  return QString();
}

// Whether the check lets the record go; otherwise says why (a failure of the
// store as one, the rows that name it, or the table's own refusal).
bool BolehHapus(const toko::CekHapus& cek, const QString& kode) {
  if (cek.gagal()) {
    mdlUtama::TampilGagal(cek.error);
    return false;
  }
  if (!cek.pemakai.isEmpty()) {
    QStringList dipakai;
    for (const toko::Pemakai& p : cek.pemakai) dipakai << QString::number(p.jumlah) + QLatin1Char(' ') + p.nama;
    ui::MsgBox(QStringLiteral("DATA TIDAK DAPAT DIHAPUS, MASIH DIPAKAI OLEH:") + kCrLf + dipakai.join(kCrLf),
               ui::vbCritical, QStringLiteral("Error"));
    return false;
  }
  if (cek.larangan != toko::Larangan::Tidak) {
    ui::MsgBox(TeksLarangan(cek.larangan, kode), ui::vbCritical, QStringLiteral("Error"));
    return false;
  }
  return true;
}
}  // namespace

bool MasterForm::HapusData(const QString& kode, const QString& nama, toko::JenisMaster jenis, db::Recordset* rs,
                           const QString& labelKode) {
  if (!BolehHapus(toko::PeriksaHapus(mdlUtama::Conn, jenis, kode), kode)) return false;
  if (!TanyaHapus(kode, nama, labelKode)) {
    FormNormal();
    return false;
  }
  const toko::HasilHapus h = toko::Hapus(mdlUtama::Conn, jenis, kode);
  mdlUtama::SQL = h.perintah;
  if (!BolehHapus(h.cek, kode) || !h.dihapus) return false;
  if (rs) (void)mdlUtama::BacaUlang(rs);
  FormNormal();
  return true;
}

bool MasterForm::DaftarKosong(const db::Recordset* rs, const QString& pesan) {
  if (!rs) return true;  // the store failed, and said so
  if (rs->RecordCount() > 0) {
    kosongDikatakan_ = false;
    return false;
  }
  if (!kosongDikatakan_) ui::MsgBox(pesan, ui::vbInformation, QStringLiteral("Perhatian"));
  kosongDikatakan_ = true;
  return true;
}

int MasterForm::IsiGrid(ui::FlexGrid* g, db::Recordset* rs, const QStringList& fields, bool nomor) {
  if (!rs || rs->Bof()) return 0;
  // Every row is listed, however long the table.
  const int n = rs->RecordCount();
  g->Reserve(n + 1);
  g->SetRows(n + 1);
  QList<int> idx;
  idx.reserve(fields.size());
  for (const QString& f : fields) idx.append(rs->FieldIndex(f));
  const int awal = nomor ? 1 : 0;
  int i = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    ++i;
    if (nomor) g->SetTextMatrix(i, 0, QString::number(i));
    for (int k = 0; k < idx.size(); ++k) {
      if (idx[k] >= 0) g->SetTextMatrix(i, awal + k, rs->Text(idx[k]));
    }
  }
  return i;
}

bool MasterForm::MuatBaris(db::RecordsetPtr& rs, ui::FlexGrid* grid, int kolom, const QString& awal,
                           const QString& pesanKosong, const QString& judul) {
  const int baris = qMax(1, grid->Row());
  mdlUtama::SQL.clear();
  mdlUtama::SQL = awal + db::Quote(grid->TextMatrix(baris, kolom)) + QStringLiteral(" ");
  if (!mdlUtama::Buka(rs, mdlUtama::SQL)) {
    FormNormal();
    return false;
  }
  if (rs->Bof()) {
    ui::MsgBox(pesanKosong, ui::vbInformation, judul);
    return false;
  }
  return true;
}

bool MasterForm::Simpan(db::Recordset* rs) {
  if (rs->Update()) return true;
  const QString err = rs->LastError();
  const bool sibuk = rs->LastErrorBusy();
  rs->CancelUpdate();
  ui::MsgBox(mdlUtama::TeksGagal(rs->Source(), err, sibuk, QStringLiteral("MENYIMPAN DATA ") + rs->Table()),
             ui::vbCritical, QStringLiteral("Error"));
  return false;
}

toko::NextCodeResult MasterForm::KodeBaru(const toko::LingkupKode& lingkup) {
  const toko::KodeBaru b = toko::BuatKodeBaru(mdlUtama::Conn, lingkup);
  if (!b.error.failed()) return b.kode;
  mdlUtama::TampilGagal(b.error);
  return {};
}

void MasterForm::TbKeluar_Click() {
  if (Istirahat()) {
    reject();
    return;
  }
  Batal();
}

void MasterForm::Batal() { FormNormal(); }

void MasterForm::keyPressEvent(QKeyEvent* e) {
  // Escape does not close a master screen: leaving goes through TbKeluar,
  // which first returns an open record to rest.
  if (e->key() == Qt::Key_Escape) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void MasterForm::IsiComboGrup(QComboBox* cmb, const QString& pesanKosong) {
  if (!mdlUtama::Buka(mdlUtama::RsGrup, QStringLiteral("SELECT * FROM Grup"))) return;
  if (mdlUtama::RsGrup->Bof()) {
    ui::MsgBox(pesanKosong, ui::vbCritical, QStringLiteral("Error"));
    return;
  }
  IsiDaftar(cmb, mdlUtama::RsGrup.get(), QStringLiteral("Kode_Grup"), QStringLiteral("Nama_Grup"));
}

void MasterForm::IsiDaftar(QComboBox* cmb, const QStringList& entri) {
  const QString teks = cmb->currentText();
  cmb->clear();
  cmb->addItems(entri);
  // Filling is not a pick: no entry is current (Down starts at the first)
  // and the box shows what it showed.
  cmb->setCurrentIndex(-1);
  cmb->setEditText(teks);
}

void MasterForm::IsiDaftar(QComboBox* cmb, db::Recordset* rs, const QString& kode, const QString& nama) {
  QStringList entri;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
    entri << rs->Text(kode) + QStringLiteral(" | ") + rs->Text(nama);
  IsiDaftar(cmb, entri);
}

}  // namespace master
