#pragma once
// What the transaction screens (sale, purchase, cash entry) have in common:
// input boxes that are switched on and off together, the leave button that
// cancels a document in progress ("&Batal") or closes the screen
// ("&Keluar"), a closing question, the next document number from the last
// stored one, and a save that stores a whole document or nothing.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "db/Recordset.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class FlexGrid;
class MaskEdBox;
}

class FormTransaksi : public QDialog {
  Q_OBJECT
 public:
  explicit FormTransaksi(QWidget* parent = nullptr);

  // Shown by the leave button while a document is open and at rest.
  static inline const QString CaptionBatal = QStringLiteral("&Batal");
  static inline const QString CaptionKeluar = QStringLiteral("&Keluar");

  // A document is open when the leave button cancels instead of closing.
  bool SedangTransaksi() const;

  // The result of saving a document.
  struct HasilSimpan {
    bool ok = false;
    QString nomor;  // the number the document was stored under
    QString error;  // the store's message when not ok
    QString statement;  // the statement that failed, if one did
    bool busy = false;  // another program held the database too long
  };
  // Tells the person that nothing of the document was stored and that it
  // can be saved again (from the screen, as it stands).
  static void TampilGagalSimpan(const HasilSimpan& h);

  // One statement of a document. With `wajibBaris` it must change a row:
  // an update of an item that another program deleted meanwhile fails the
  // save instead of passing unnoticed.
  struct Perintah {
    Perintah(const QString& s, bool wajib = false) : sql(s), wajibBaris(wajib) {}
    QString sql;
    bool wajibBaris;
  };
  // Stores a document in one transaction. `statements` builds every
  // statement of the document for a given number. If the number was stored
  // meanwhile by someone else, the next free number after the last stored
  // one is used instead. On any failure nothing is stored.
  static HasilSimpan SimpanDokumen(const QString& nomor, const QString& table, const QString& keyField,
                                   const QString& prefix, int width,
                                   const std::function<QList<Perintah>(const QString& nomor)>& statements);

  // The number after the last row of `sql` (which orders by `keyField`),
  // or the first number when there is none. The rows are opened into `rs`
  // (the screen's shared record set). Shows the refusal when the serial is
  // used up, or the store's failure, and returns "".
  static QString NomorBerikut(db::RecordsetPtr& rs, const QString& sql, const QString& keyField,
                              const QString& prefix, int width);

 public slots:
  void TbKeluar_Click();
  // Closing the screen (leave button at rest, close box, Escape) asks first.
  void reject() override;

 protected:
  // The boxes that FormMati turns off and FormHidup turns on; those in
  // `tetapMati` stay off in FormHidup.
  void DaftarIsian(const QList<QWidget*>& isian, const QList<QWidget*>& tetapMati = {});
  void FormMati();
  void FormHidup();
  // Caption of the leave button: a document open or not.
  void ModeTransaksi(bool buka);
  // The question asked before the screen closes; an empty text closes at once.
  // With `hanyaSaatDokumen` it is asked only while a document is open, so
  // that a stray Escape does not throw away a document being entered.
  void PertanyaanTutup(const QString& text, const QString& title, bool hanyaSaatDokumen = false);
  // The line being entered starts again: code, name and quantity empty, the
  // price "0", and the line's amount as its rule gives it.
  void BersihBarisBarang();
  // Price times quantity of a line, as the boxes show them. False when a box
  // holds no whole number or the product does not fit in 64 bits.
  static bool KaliBaris(const QString& harga, const QString& jumlah, qint64* hasil);
  // Looks a stored item up by its full code (GGG.PPP.BBB) into RsBarang.
  // A failure of the store is shown; it is no "unknown code".
  enum class Barang { Ada, TidakAda, Gagal };
  static Barang CariBarang(const QString& kode);
  // Cancels the open document (leave button while "&Batal").
  virtual void Batal() = 0;
  // Whether the open document holds lines. Cancelling one that does asks
  // first: "&Batal" shares Alt+B with "Transaksi &Baru", and a habit must
  // not throw a whole sale away.
  virtual bool AdaBaris() const { return false; }

  // Small builders so each screen states only its own names and captions.
  QLineEdit* Kotak(QWidget* parent, const char* name, int maxLength = 0, bool kanan = false);
  QLabel* Label(QWidget* parent, const char* name, const QString& caption);

  // The line of an item being entered, as the sale and the purchase show it:
  // the group box and the masked rest of the code with the search button,
  // the item's name, price, quantity, the line's amount and the button that
  // adds the line (the members below). Each screen names its labels, its
  // price box and captions; the line's amount follows price and quantity.
  struct Tulisan {
    const char* name;
    QString caption;
  };
  // `label` holds the code, name, price, quantity and amount labels in order;
  // the price box is returned in `harga`.
  QGroupBox* BuatBarisBarang(const Tulisan (&label)[5], const char* namaHarga, int hargaMax, const QString& masuk,
                             QLineEdit** harga);
  // The item code the line names, GGG.PPP.BBB as typed.
  QString KodeLengkap() const;
  // The line's amount from its price and quantity; what cannot be counted
  // leaves the box as it was (adding the line checks again).
  void HitungSubTotal();
  // Opens an item search dialog over the screen; after a pick, `lanjut` is
  // where the person goes on.
  void CariBarangDiDaftar(const QString& dialog, QWidget* lanjut);

  QPushButton* TbKeluar = nullptr;
  // The item line, when the screen has one.
  QLineEdit* txtKodeG = nullptr;
  ui::MaskEdBox* TxtKode = nullptr;
  QPushButton* TbCari = nullptr;
  QLineEdit* TxtNama = nullptr;
  QLineEdit* TxtJumlah = nullptr;
  QLineEdit* TxtTotal = nullptr;
  QPushButton* TbMasuk = nullptr;

 private:
  QLineEdit* harga_ = nullptr;  // the item line's price box
  QList<QWidget*> isian_;
  QList<QWidget*> tetapMati_;
  QString tanyaTeks_;
  QString tanyaJudul_;
  bool tanyaSaatDokumen_ = false;
};
