#pragma once
// A master screen whose code the program makes (a prefix and three digits)
// and nobody types: suppliers and customers. The screen builds its boxes and
// states its table, which box holds which column, the boxes a save needs and
// its messages; opening, the grid fill, the next code, and new, edit, save
// and delete are the same for all such screens and live here. A change is
// saved without a question.
#include "master/MasterForm.h"

class QPlainTextEdit;
namespace ui {
class MaskEdBox;
}

namespace master {

// An input box and the column it holds.
struct Isian {
  QWidget* kotak;
  QString kolom;
};

struct TabelKode {
  toko::JenisMaster jenis;  // the table, its code column and the rows that keep a record
  QString awalan;           // "PS"
  db::RecordsetPtr* rs = nullptr;  // the shared record set of the table
  QString pesanKosong;     // the grid fill's notice of an empty table
  QString pesanUbah;       // the notice after a change is stored
  QList<Isian> isian;      // every box but the code, the name first
  QStringList kolomGrid;   // what the grid lists after the row number
  QList<Syarat> wajib;     // the save's checks, in order
};

class MasterKode : public MasterForm {
  Q_OBJECT
 public:
  QLineEdit* txtKode = nullptr;

  void TampilGridData() override;
  // Puts the next code into txtKode. False, with txtKode empty, when none can
  // be made (the serial is used up, or the store failed); the person is told.
  bool BuatKode();

 protected:
  MasterKode(const char* name, const QString& caption, QWidget* parent);
  // The last step of a screen's constructor: what the screen keeps, then
  // the window opens.
  void Siapkan(TabelKode tabel, ui::FlexGrid* grid);
  virtual void AktifGrid() = 0;

  // An address box: several lines with a vertical scroll bar, in which Tab
  // moves on. What Enter does is the screen's to say.
  QPlainTextEdit* BuatAlamat(const char* name);
  // A telephone or fax box: "[&&&&]-&&&&&&&&", stored with its literals and
  // prompts.
  ui::MaskEdBox* BuatTelepon(const char* name);

 protected slots:
  void TbBaru_Click() override;
  void TbSimpan_Click() override;
  void TbHapus_Click() override;
  void Grid_DblClick();

 private:
  void Form_Load();
  db::RecordsetPtr& Rs() { return *t_.rs; }
  QWidget* Nama() const { return t_.isian.first().kotak; }
  const QString& Tabel() const { return toko::Master(t_.jenis).tabel; }
  const QString& KolomKode() const { return toko::Master(t_.jenis).kolomKode; }
  TabelKode t_;
  ui::FlexGrid* grid_ = nullptr;
};

}  // namespace master
