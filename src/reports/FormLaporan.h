#pragma once
// Every report window: a filter at the top (a receipt number, a day or a
// period), a grid, and three buttons. "Preview" runs the query and fills the
// grid; "Tampil"/"Tampilkan" runs it again, writes it into the document's
// command, sets the header labels and shows the document; "Keluar" closes.
// A window states only what differs, as a Jenis.
//
// In query, message and label texts these marks are replaced:
//   :nota      the number typed or chosen (its first 10 characters), quoted
//   #:tgl#     the picked day   (#:tglA#, #:tglB#: the ends of the period),
//              as the short-date text the store reads back as that day
//   %NOTA%     the combo's whole text     %NOTA10% its first 10 characters
//   %TGL%      the picked day, "dd MMMM yyyy" in the system's language
//   %PERIODE%  both ends of the period so, joined by " S/D "
//   %HARIINI%  today so
#include <QDate>
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include "db/Recordset.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QPushButton;

namespace ui {
class FlexGrid;
}
namespace reports {
class Document;
}

class FormLaporan : public QDialog {
  Q_OBJECT
 public:
  enum class Saring { Nota, Tanggal, Periode };
  enum class Isi { Nomor, Teks, Angka, Tanggal, Kali };

  // One grid column: header, width in twips, what it shows. Column 0 (the row
  // number) is not listed. Kali shows field times field2.
  struct Kolom {
    QString judul;
    int lebar;
    Isi isi;
    QString field;
    QString field2 = {};
  };

  // Written by field (.judul = ...); a field with a default may be left out.
  struct Jenis {
    const char* nama;         // the window's class name
    QString judul;            // window title
    Saring saring;
    const char* kotak = nullptr;  // name of the combo box (Nota)
    const char* grid;         // GridPreview or GridPrev
    QString tampil;           // caption of the document button
    QList<Kolom> kolom = {};  // none: the window sets its grid up itself
    QString sqlPreview;
    QString sqlTampil = {};   // empty: the same as sqlPreview
    db::RecordsetPtr* rsPreview;
    db::RecordsetPtr* rsTampil;
    QString kosongGrid;       // Preview found nothing
    QString kosongDokumen;    // Tampil found nothing
    QString command = {};     // of DeLaporan
    QString dokumen;          // rptLap...
    QList<QPair<QString, QString>> label;  // header label -> text
    int kolomTotal = 0;       // > 0: a ":: TOTAL ::" row summing this column
    // Sales and returns of the filter (columns Jual and Retur), shown under
    // the grid with their net after each Preview; needs the returns' table.
    QString sqlRingkas = {};
  };

  FormLaporan(const Jenis& jenis, QWidget* parent);

  // Grid set-up and fill.
  virtual void AktifGridPreview();
  virtual void TampilGridData();
  // The query of each button, as it will run.
  QString QueryPreview() const;
  QString QueryTampil() const;
  // Replaces the marks of the header comment in a text.
  QString Ganti(const QString& text) const;

  // "dd MMMM yyyy" in the system's language.
  static QString Panjang(const QDate& d);
  // A sum as plain digits, and a money amount in the "standard" form:
  // thousands separators and two decimals in the system's separators.
  static QString Standar(qint64 v);

  ui::FlexGrid* Grid() const { return grid_; }
  // The connection opened when the window was made.
  bool Terbuka() const { return terbuka_; }

 public slots:
  virtual void TbPreview_Click();
  virtual void TbTampil_Click();
  void TbKeluar_Click() { reject(); }

 protected:
  // Sets the labels of the document before it is shown; the rows the
  // document will print are in rs.
  virtual void IsiLabel(reports::Document& rpt, const db::Recordset& rs);
  // Fills the combo box from a query: the text shown and the number it holds.
  void IsiNota(const QString& sql, db::RecordsetPtr& rs, const QString& field, const QString& field2 = {});

  const Jenis& jenis_;
  QGroupBox* Frame1 = nullptr;
  QGridLayout* saring_ = nullptr;  // the filter controls, in Frame1
  QComboBox* cmbNota = nullptr;
  QDateEdit* DTPicker1 = nullptr;
  QDateEdit* TglA = nullptr;
  QDateEdit* TglB = nullptr;
  QPushButton* TbPreview = nullptr;
  QPushButton* TbTampil = nullptr;
  QPushButton* TbKeluar = nullptr;
  class QLabel* LblRingkas = nullptr;

 private:
  QDateEdit* Tanggal(const char* name);
  void TampilRingkas();
  // The sales, returns and net of the chosen day or period; false (told, or
  // a database without the returns) when they cannot be read.
  bool BacaRingkas(qint64* jual, qint64* retur);
  ui::FlexGrid* grid_ = nullptr;
  bool terbuka_ = false;
};

// The profit and loss of a period: income, expenses and their difference,
// from the cash ledger.
class frmKasPeriode : public FormLaporan {
  Q_OBJECT
 public:
  explicit frmKasPeriode(QWidget* parent = nullptr);
  void AktifGridPreview() override;
  void TampilGridData() override;
  qint64 Pemasukan() const { return masuk_; }
  qint64 Pengeluaran() const { return keluar_; }

 public slots:
  void TbPreview_Click() override;
  void TbTampil_Click() override;

 private:
  // Both totals of the period now picked; false when the store failed.
  // *ada tells which sides have entries.
  bool Hitung(bool* adaMasuk, bool* adaKeluar);
  qint64 masuk_ = 0;
  qint64 keluar_ = 0;
};

// A purchase by its number; the combo lists number and supplier, and a choice
// shows the supplier in TxtPemasok.
class frmLapBeliNota : public FormLaporan {
  Q_OBJECT
 public:
  explicit frmLapBeliNota(QWidget* parent = nullptr);

 public slots:
  void cmbNoMasuk_Click(int index);

 protected:
  void IsiLabel(reports::Document& rpt, const db::Recordset& rs) override;

 private:
  class QLineEdit* TxtPemasok;
};

// Reports of the cashiers' days: they need the tables `merapu-db upgrade`
// adds, and say so on a database without them.
class FormLaporanKasir : public FormLaporan {
 public:
  FormLaporanKasir(const Jenis& jenis, QWidget* parent);
};
class frmLapKasirHarian : public FormLaporanKasir {
  Q_OBJECT
 public:
  explicit frmLapKasirHarian(QWidget* parent = nullptr);
};
class frmLapTutupKasir : public FormLaporanKasir {
  Q_OBJECT
 public:
  explicit frmLapTutupKasir(QWidget* parent = nullptr);
};

// The sales of one receipt, with its returns under its lines; the chosen
// receipt can also be printed again.
class frmLapJualNota : public FormLaporan {
  Q_OBJECT
 public:
  explicit frmLapJualNota(QWidget* parent = nullptr);
  void TampilGridData() override;

 public slots:
  // The receipt window prints it, on the till's receipt printer.
  void TbCetakUlang_Click();

 private:
  QPushButton* TbCetakUlang;
};

#define FORM_LAPORAN(Class)                             \
  class Class : public FormLaporan {                    \
   public:                                              \
    explicit Class(QWidget* parent = nullptr);          \
  };

FORM_LAPORAN(frmLapJualTanggal)
FORM_LAPORAN(frmLapJualPeriode)
FORM_LAPORAN(frmLapBeliPeriode)
FORM_LAPORAN(frmKasMasukTanggal)
FORM_LAPORAN(frmKasKeluarTanggal)
FORM_LAPORAN(frmKasMasukPeriode)
FORM_LAPORAN(frmKasKeluarPeriode)
#undef FORM_LAPORAN
