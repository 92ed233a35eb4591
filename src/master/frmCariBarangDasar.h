#pragma once
// What the two item-search dialogs share: a search box that searches on
// every change, a grid of items, and the pick, which the dialog hands back
// as a toko::BarangDipilih (Dipilih(), or the property "dipilih" for a
// caller of another layer, read after the dialog has closed). A caller that
// fills its own boxes says so by setting "isiPemanggil" to false before it
// shows the dialog; otherwise the pick is written into the caller's boxes
// of the item line (txtKodeG, TxtKode, TxtNama and, for the sale,
// TxtHarga). Each twin states its queries, columns and messages.
#include <QDialog>
#include <QList>
#include <QString>

#include "db/Recordset.h"
#include "toko/Barang.h"
#include "ui/FlexGrid.h"

class QLineEdit;
class QPushButton;
class QGroupBox;

class frmCariBarangDasar : public QDialog {
  Q_OBJECT
  Q_PROPERTY(toko::BarangDipilih dipilih READ Dipilih)
  Q_PROPERTY(bool isiPemanggil MEMBER isiPemanggil_)
 public:
  // A grid column and the field it shows (empty: the row number).
  struct Kolom : ui::Kolom {
    QString field;
  };
  struct Ragam {
    const char* objectName;
    QString caption;
    QString tooltip;
    QString pesanKosong, judulKosong;       // empty list
    QString awalTakAda, akhirTakAda;        // not found: start, end
    QList<Kolom> kolom;
    bool denganHarga;                       // the pick also writes TxtHarga
  };

  void AktifGridBarang();
  void TampilGridData();
  // The item picked; dipilih is false while nothing was (TUTUP, Escape).
  const toko::BarangDipilih& Dipilih() const { return dipilih_; }

 public slots:
  void txtCari_Change();
  void TbCari_Click();
  void TbNormal_Click();
  void TbTutup_Click();
  void GridBarang_DblClick();
  // However the dialog closes (pick, TUTUP, Escape, close box), the caller
  // gets its input back.
  void done(int r) override;

 protected:
  frmCariBarangDasar(QWidget* parent, Ragam ragam);
  bool eventFilter(QObject* obj, QEvent* ev) override;
  // The caller that did not say it fills its own boxes gets the pick in the
  // boxes of its item line, found by name.
  void IsiPemanggil();
  // Opening: connection, list query, fill. Run by the twin's constructor.
  void Form_Load();
  virtual QString SqlDaftar() const = 0;
  virtual QString SqlCari(const QString& teks) const = 0;
  // The shared record set this dialog works on.
  virtual db::RecordsetPtr& Rs() const = 0;

 private:
  Ragam ragam_;
  toko::BarangDipilih dipilih_;
  bool isiPemanggil_ = true;
  QLineEdit* txtCari;
  QPushButton* TbCari;
  QPushButton* TbNormal;
  QPushButton* TbTutup;
  ui::FlexGrid* GridBarang;
  QGroupBox* Frame2;
};
