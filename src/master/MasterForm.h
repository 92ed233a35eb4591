#pragma once
// The shape every master-data screen shares: an input area (Frame1), a row of
// four buttons (Frame2), and a grid of the whole table below. The mode lives in
// the caption of TbKeluar: "&Keluar" at rest, "&Normal" while a record is open.
// Each screen adds its own boxes and states only what differs.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>

#include "db/Recordset.h"
#include "db/Sql.h"
#include "toko/Kode.h"
#include "toko/Master.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace ui {
class FlexGrid;
}

namespace master {

// A box that must not be left empty, and what a save says when it is.
struct Syarat {
  QWidget* kotak;
  QString pesan;
};

class MasterForm : public QDialog {
  Q_OBJECT
 public:
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QPushButton* TbBaru = nullptr;
  QPushButton* TbSimpan = nullptr;
  QPushButton* TbHapus = nullptr;
  QPushButton* TbKeluar = nullptr;

  // At rest when TbKeluar reads "&Keluar".
  bool Istirahat() const;

  // The procedures every master screen has under these names.
  virtual void FormKosong();
  virtual void FormHidup();
  virtual void FormMati();
  virtual void FormNormal();
  virtual void TampilGridData() = 0;
  // After a save, stored or declined: rs read again, the screen at rest and
  // the grid filled anew.
  void SelesaiSimpan(db::Recordset* rs);
  // Another screen opens this one on a group it has picked (code and name):
  // a screen whose records belong to a group shows it and the group's next
  // code; the others ignore it.
  virtual void BukaDiGrup(const QString& kode, const QString& nama);

 protected:
  MasterForm(const char* name, const QString& caption, QWidget* parent);

  // ---- building the window -------------------------------------------------
  QGridLayout* isian_ = nullptr;  // the grid layout inside Frame1
  QVBoxLayout* susunan_ = nullptr;  // Frame1, Frame2, then what the screen adds
  QLabel* BuatLabel(const char* name, const QString& text);
  QLineEdit* BuatTeks(const char* name, int maxLength = 0);
  QComboBox* BuatCombo(const char* name);
  ui::FlexGrid* BuatGrid(const char* name, const QString& tooltip);
  // Registers an input box for FormKosong/FormHidup/FormMati. A box that is
  // not repainted keeps its design colour and is only enabled or disabled.
  void Masukan(QWidget* w, bool dicat = true);
  // The text of any input box (text box, masked box with its literals and
  // prompts, combo, several-line box) and setting it.
  static QString Teks(const QWidget* w);
  static void SetTeks(QWidget* w, const QString& text);
  void UrutanTab(std::initializer_list<QWidget*> urutan);

  // ---- button states ----------------------------------------------------------
  void ModeBaru();  // New: TbSimpan on; TbBaru, TbHapus off; "&Normal"
  void ModeUbah();  // Edit: TbSimpan, TbHapus on; TbBaru off; "&Normal"

  // ---- messages -----------------------------------------------------------------
  // A Yes/No question under "Awass"; the answer is kept in Pesan. `awal`
  // is the default-button part of the style (Yes unless it says No).
  bool Tanya(const QString& text, const QString& title = QStringLiteral("Awass"), int awal = 0);
  // "YAKIN AKAN MENGHAPUS DATA INI?" with the code and name of the record;
  // No is the default, as a delete cannot be undone.
  bool TanyaHapus(const QString& kode, const QString& nama, const QString& labelKode = QStringLiteral("KODE : "));
  // The save's checks of required boxes, in order, on the text that would be
  // stored (blanks around it removed): the first empty one is named under
  // "Error" with `icon` and gets the focus. True when all are filled.
  static bool CekIsian(const QList<Syarat>& syarat, int icon);

  // The delete of every master screen. A record that other rows still name
  // is not deleted (the lists and reports join on these codes, so its
  // history would vanish from them): the refusal says what refers to it and
  // the screen stays as it was; so does a refusal of the table's own rule
  // (the only ADMIN). Otherwise asks TanyaHapus, deletes the record of
  // `jenis` (checked again in the same transaction), re-reads rs and returns
  // to rest. True when the row is gone (the screen then refreshes its own
  // way); No also returns to rest; a failure of the store is shown and
  // leaves the screen as it was. The question names the code with labelKode.
  bool HapusData(const QString& kode, const QString& nama, toko::JenisMaster jenis, db::Recordset* rs,
                 const QString& labelKode = QStringLiteral("KODE : "));

  // ---- grid -------------------------------------------------------------------
  // Whether the grid's rows (rs) are none; the grid's empty message (title
  // "Perhatian") is shown then, but only when the grid showed rows before or
  // the person was not yet told: a refill that finds the list still empty (a
  // new record started, a group and then its product picked) does not say
  // again what the person already sees.
  bool DaftarKosong(const db::Recordset* rs, const QString& pesan);
  // Writes every row of rs into the grid from row 1: the row number in column
  // 0 when nomor is set, then the named fields. A field the record set lacks
  // leaves its cell empty. Returns the number of rows written.
  static int IsiGrid(ui::FlexGrid* g, db::Recordset* rs, const QStringList& fields, bool nomor = true);
  // A grid double-click's read of its record: opens rs on `awal` followed by
  // the quoted text of column `kolom` of the row clicked (any row, however
  // long the list). A refused statement returns the screen to rest; no row
  // shows pesanKosong under `judul`. True when the record is there.
  bool MuatBaris(db::RecordsetPtr& rs, ui::FlexGrid* grid, int kolom, const QString& awal,
                 const QString& pesanKosong, const QString& judul);

  // Fills a group combo from Grup ("KODE | NAMA" entries) into RsGrup; an empty
  // table shows pesanKosong (title "Error"). Filling is not a pick: the box
  // keeps the text it showed. Used by the product and item screens.
  static void IsiComboGrup(QComboBox* cmb, const QString& pesanKosong);
  // Fills a drop-down list without picking: the box keeps its text and no
  // entry is current, so Down by keyboard starts at the first entry. The
  // record set form makes "KODE | NAMA" entries.
  static void IsiDaftar(QComboBox* cmb, const QStringList& entri);
  static void IsiDaftar(QComboBox* cmb, db::Recordset* rs, const QString& kode, const QString& nama);

  // ---- store --------------------------------------------------------------------
  // Stores a pending AddNew/SetField; a refusal of the store is shown and false
  // returned, so the screen keeps what was typed.
  static bool Simpan(db::Recordset* rs);
  // The next code of the scope that no row of its table holds yet. Not ok
  // with an empty error when the store failed (the failure has been shown).
  static toko::NextCodeResult KodeBaru(const toko::LingkupKode& lingkup);

  void keyPressEvent(QKeyEvent* e) override;

 protected slots:
  virtual void TbBaru_Click() = 0;
  virtual void TbSimpan_Click() = 0;
  virtual void TbHapus_Click() = 0;
  // At rest it closes the window; otherwise it cancels through Batal().
  virtual void TbKeluar_Click();
  virtual void Batal();

 private:
  struct Input {
    QWidget* w;
    bool dicat;
  };
  QList<Input> masukan_;
  bool kosongDikatakan_ = false;  // the grid is empty and the person was told
};

}  // namespace master
