#pragma once
// The receipt of a sale just saved: laid out as fixed-width text, shown,
// printed on the default printer or saved as a text file.
#include <QDialog>
#include <QString>

#include "toko/Dokumen.h"

class QPlainTextEdit;
class QPushButton;
class QGroupBox;
class QPainter;
class QPrinter;

class frmCetakJual : public QDialog {
  Q_OBJECT
 public:
  explicit frmCetakJual(QWidget* parent = nullptr);

  // Set by the sale before Form_Load.
  QString NoNota;
  QString TotHarga;
  QString UangBayar;
  QString UangKembali;

  // Builds the receipt from the values above and the sale's stored lines.
  // False when the lines cannot be read back or there are none: that has
  // been told, naming the receipt, and the window is not to be shown.
  bool Form_Load();
  // The receipt text, lines joined by CR LF.
  QString Teks() const { return teks_; }

  // Paints the receipt text on a device in the receipt font; false when the
  // device cannot be painted on.
  static bool CetakKe(QPrinter* printer, const QString& teks);

  // The receipt of a sale just stored (its number in jual.nomor, what was
  // paid and given back in jual.bayar and jual.kembali), on the till's
  // receipt printer: this window for the page printer, with the four texts
  // the sale's boxes show, or the narrow receipt for an ESC/POS printer.
  static void CetakPenjualan(QWidget* parent, const toko::Penjualan& jual, const QString& totHarga,
                             const QString& uangBayar, const QString& uangKembali);

 public slots:
  // The stored sale's receipt again, marked CETAK ULANG, on the till's
  // receipt printer; for the page printer shown in this window (printed at
  // once when the window is open already). Other windows reach it by name.
  void CetakUlang(const QString& nomor);
  void cmdCetakUlang_Click() { CetakUlang(NoNota); }
  void cmdCetak_Click();
  void cmdSimpan_Click();
  void cmdKeluar_Click();

 private:
  QPlainTextEdit* rtfLap;
  QPushButton* cmdCetak;
  QPushButton* cmdSimpan;
  QPushButton* cmdKeluar;
  QPushButton* cmdCetakUlang;
  QGroupBox* Frame1;
  QString teks_;
};
