#include "master/MasterKode.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/mdlUtama.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "toko/Kode.h"

using namespace mdlUtama;

namespace master {

MasterKode::MasterKode(const char* name, const QString& caption, QWidget* parent) : MasterForm(name, caption, parent) {
  txtKode = BuatTeks("txtKode");
  txtKode->setReadOnly(true);
  txtKode->setFixedWidth(80);
}

void MasterKode::Siapkan(TabelKode tabel, ui::FlexGrid* grid) {
  t_ = std::move(tabel);
  grid_ = grid;
  // The code keeps its design colour and is never typed into.
  Masukan(txtKode, false);
  for (const Isian& i : t_.isian) Masukan(i.kotak);
  connect(grid_, &ui::FlexGrid::DblClick, this, &MasterKode::Grid_DblClick);
  Form_Load();
}

QPlainTextEdit* MasterKode::BuatAlamat(const char* name) {
  auto* t = new QPlainTextEdit(Frame1);
  t->setObjectName(QString::fromLatin1(name));
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  t->setTabChangesFocus(true);
  ui::TanpaKendali(t);
  t->setFixedHeight(t->fontMetrics().lineSpacing() * 3 + 12);
  ui::SetBackColor(t, ui::Kuning);
  return t;
}

ui::MaskEdBox* MasterKode::BuatTelepon(const char* name) {
  auto* t = new ui::MaskEdBox(Frame1);
  t->setObjectName(QString::fromLatin1(name));
  t->SetMask(QStringLiteral("[&&&&]-&&&&&&&&"));
  t->setFixedWidth(150);
  ui::SetBackColor(t, ui::Kuning);
  return t;
}

void MasterKode::Form_Load() {
  if (!BukaKoneksi()) return;
  FormMati();
  TampilGridData();
  TbSimpan->setEnabled(false);
  TbHapus->setEnabled(false);
  txtKode->setReadOnly(true);
}

void MasterKode::TampilGridData() {
  grid_->Clear();
  AktifGrid();
  grid_->SetRows(2);
  if (!Buka(Rs(), QStringLiteral("SELECT * FROM ") + Tabel())) return;
  if (DaftarKosong(Rs().get(), t_.pesanKosong)) return;
  IsiGrid(grid_, Rs().get(), t_.kolomGrid);
}

bool MasterKode::BuatKode() {
  txtKode->clear();
  // From the highest stored code, whatever order the rows were stored in;
  // past 999 no code is made, so a code never grows a digit or repeats.
  const toko::NextCodeResult r = KodeBaru({.tabel = Tabel(), .kolom = KolomKode(), .awalan = t_.awalan, .syarat = {}});
  if (!r.error.isEmpty()) ui::MsgBox(r.error, ui::vbCritical, QStringLiteral("Error"));
  if (!r.ok) return false;
  txtKode->setText(r.code);
  return true;
}

void MasterKode::TbBaru_Click() {
  FormHidup();
  if (!BuatKode()) {
    // Without a code there is nothing to enter.
    FormNormal();
    return;
  }
  txtKode->setEnabled(false);
  Nama()->setFocus();
  ModeBaru();
}

void MasterKode::Grid_DblClick() {
  ModeUbah();
  FormHidup();
  txtKode->setEnabled(false);
  Nama()->setFocus();
  if (!MuatBaris(Rs(), grid_, 1,
                 QStringLiteral(" SELECT * FROM ") + Tabel() + QStringLiteral(" ") + QStringLiteral(" WHERE ") +
                     KolomKode() + QStringLiteral("="),
                 QStringLiteral("TABEL MASIH KOSONG!"), QStringLiteral("Erro")))
    return;
  txtKode->setText(Rs()->Text(KolomKode()));
  for (const Isian& i : t_.isian) SetTeks(i.kotak, Rs()->Text(i.kolom));
}

void MasterKode::TbSimpan_Click() {
  if (!CekIsian(t_.wajib, ui::vbInformation)) return;
  // A record that never got its code (a double-click that found nothing) is
  // a new one.
  if (txtKode->text().isEmpty() && !BuatKode()) return;
  const bool dimuat = TbHapus->isEnabled();  // a record loaded from the grid
  auto buka = [this] {
    SQL.clear();
    SQL = QStringLiteral("SELECT * FROM ") + Tabel() + QStringLiteral(" WHERE ") + KolomKode() +
          QStringLiteral(" = ") + db::Quote(txtKode->text());
    return Buka(Rs(), SQL);
  };
  if (!buka()) return;
  // A new record whose code another till has used meanwhile takes the next
  // free code rather than overwrite that record.
  if (!dimuat && !Rs()->Bof() && (!BuatKode() || !buka())) return;
  const bool baru = Rs()->Bof();
  if (baru) {
    Rs()->AddNew();
    Rs()->SetField(KolomKode(), txtKode->text().trimmed());
  }
  for (const Isian& i : t_.isian) Rs()->SetField(i.kolom, Teks(i.kotak).trimmed());
  if (!Simpan(Rs().get())) return;
  ui::MsgBox(baru ? QStringLiteral("DATA BARU TELAH TERSIMPAN") : t_.pesanUbah, ui::vbInformation,
             QStringLiteral("INFO"));
  SelesaiSimpan(Rs().get());
}

void MasterKode::TbHapus_Click() {
  if (!HapusData(txtKode->text(), Teks(Nama()), t_.jenis, Rs().get())) return;
  FormMati();
  TampilGridData();
}

}  // namespace master
