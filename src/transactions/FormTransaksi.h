#pragma once
// What the transaction screens (sale, purchase, cash entry) have in common:
// input boxes that are switched on and off together, the leave button that
// cancels a document in progress ("&Batal") or closes the screen
// ("&Keluar"), a closing question, the next document number and the save
// (both done by the shop's core, the failures shown here), and for the sale
// and the purchase the line of an item and the grid of the lines.
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "db/Recordset.h"
#include "toko/Barcode.h"
#include "toko/Dokumen.h"

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

  // Tells the person that nothing of the document was stored and that it
  // can be saved again (from the screen, as it stands).
  static void TampilGagalSimpan(const toko::HasilSimpan& h);

  // The grid row the next line takes (1 when the document has no lines).
  int BarisBerikut() const { return baris_; }

  // A code the scanner typed (or a person typed whole: an item code with or
  // without its dots) into the item line: the item it names is taken as a
  // line. False when it names none; then it beeps and says so beside the
  // line, with no key needed to go on.
  bool Pindai(const QString& kode);
  // Removes a line after asking (No is the default answer).
  void HapusBaris(int row);
  // Sets the quantity of a line; the line's amount and the total follow.
  // False (and the line as it was) when it cannot be counted.
  bool UbahJumlahBaris(int row, qint64 jumlah);
  // Puts the quantity of a line (the grid's current one while the grid has
  // the focus, else the last) into the box that changes it.
  void UbahJumlah();

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

  // The next number of a series, or "" when none could be drawn (the
  // store's failure or the used-up serial has been shown).
  static QString NomorBaru(const toko::Seri& seri);
  // Stores a document through the core; on success *nomor is the number it
  // was stored under, on failure that has been shown.
  static bool Simpan(const toko::Penjualan& d, QString* nomor);
  static bool Simpan(const toko::Pembelian& d, QString* nomor);
  static bool Simpan(const toko::Kas& d, QString* nomor);

  // At rest: the leave button closes, nothing but a new document can be
  // started, and Enter starts it.
  void DokumenDiam();
  // A new document is open: the boxes on, its lines from the first row,
  // the person goes on at `fokus`.
  void DokumenBuka(QWidget* fokus);

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

  // The lines of the document: the grid, the width of its name column and
  // the box of the document's total.
  void DaftarGrid(ui::FlexGrid* grid, int lebarNama, QLineEdit* total);
  // The boxes of the item line a scanner may type into, with how many
  // characters each takes by hand. Called after the screen's own key
  // filters, so that a scan's Enter is seen first.
  struct KotakPindai {
    QLineEdit* kotak;
    int muat;
  };
  void PasangPemindai(const QList<KotakPindai>& kotak);
  // What the screen does with a scanned item (not yet a line of the grid).
  virtual void AmbilDipindai(const toko::BarangDipindai&) {}
  // Enter in an item-line box that was no scan; true when the screen took it.
  virtual bool EnterBaris(QLineEdit*) { return false; }
  // The till's keys: F2 the search, F12 the save, F4 the quantity of the
  // last line and, with `bayar`, F8 the payment. Each button's tooltip
  // names its key.
  void PasangTombolCepat(QLineEdit* bayar = nullptr);
  // F8: to the payment box.
  virtual void KeBayar();
  // The total and the change in figures a customer can read across the
  // counter.
  QWidget* BuatAngkaBesar(QLineEdit* total, QLineEdit* kembali);
  // The line of a grid that holds an item (0 when none does).
  int BarisDengan(const QString& kode) const;
  // Raises a line's quantity by one, or says why not.
  void TambahSatu(int row);
  // Hides the "not known" note of the last scan.
  void LupakanPindai();
  // Scans into the item line, Delete on the grid, the quantity box.
  bool eventFilter(QObject* obj, QEvent* ev) override;
  // The grid's columns: code, name, price, quantity, amount.
  void AturGridBarang();
  // The document starts again empty: its number, its date, the item line
  // and its lines.
  void KosongkanDokumen(QLineEdit* nomor, ui::MaskEdBox* tgl);
  // Enter in the code box: the item is looked up by its full code. False
  // when the group is not whole (refused). A found item shows its name
  // (and, with `hargaJual`, its selling price in the price box) and the
  // person goes on at `lanjut`.
  bool CariKodeBaris(QWidget* lanjut, bool hargaJual);
  // The amount of a line and the document's total with it; false when
  // either does not fit in 64 bits or the total box holds no number.
  static bool HitungBaris(qint64 harga, qint64 jumlah, const QLineEdit* total, qint64* sub, qint64* totalBaru);
  // Adds a line to the grid as shown, puts the new total in `total` and
  // starts the item line again.
  void TambahBaris(const QString& kode, const QString& nama, const QString& harga, const QString& jumlah, qint64 sub,
                   QLineEdit* total, qint64 totalBaru);
  // The grid's lines as a document's lines.
  template <class Baris>
  QList<Baris> BarisDiGrid() const {
    QList<Baris> l;
    for (int r = 1; r < baris_; ++r) {
      Baris b;
      b.kode = Sel(r, 0);
      b.nama = Sel(r, 1);
      b.harga = AngkaSel(r, 2);
      b.jumlah = AngkaSel(r, 3);
      b.subtotal = AngkaSel(r, 4);
      l << b;
    }
    return l;
  }

  QPushButton* TbBaru = nullptr;
  QPushButton* TbSimpan = nullptr;
  QPushButton* TbKeluar = nullptr;
  // The item line, when the screen has one.
  QLineEdit* txtKodeG = nullptr;
  ui::MaskEdBox* TxtKode = nullptr;
  QPushButton* TbCari = nullptr;
  QLineEdit* TxtNama = nullptr;
  QLineEdit* TxtJumlah = nullptr;
  QLineEdit* TxtTotal = nullptr;
  QPushButton* TbMasuk = nullptr;

  int baris_ = 1;  // the grid row the next line takes

 private:
  QString Sel(int r, int c) const;
  qint64 AngkaSel(int r, int c) const;

  void TidakDikenali(const QString& kode);
  void TerapkanJumlah();

  ui::FlexGrid* grid_ = nullptr;
  QLineEdit* totalDok_ = nullptr;  // the document's total
  QLabel* LblPindai = nullptr;       // "KODE ... TIDAK DIKENALI" beside the line
  QLabel* LblJumlahBaris = nullptr;  // which line's quantity is being changed
  QLineEdit* TxtJumlahBaris = nullptr;
  int barisUbah_ = 0;  // the line TxtJumlahBaris changes
  bool gulirNanti_ = false;  // the grid is to show its last line
  // What each item-line box took since it got the focus or its last Enter,
  // and how much it takes by hand: more is the scanner's.
  QHash<QObject*, QString> ketikan_;
  QHash<QObject*, int> muat_;
  QHash<QObject*, qint64> ketikTerakhir_;  // when each box took its last key
  QHash<QObject*, int> isiAwal_;           // what it held and kept when the keys began
  QElapsedTimer jam_;
  int lebarNama_ = 4200;
  QLineEdit* harga_ = nullptr;  // the item line's price box
  QList<QWidget*> isian_;
  QList<QWidget*> tetapMati_;
  QString tanyaTeks_;
  QString tanyaJudul_;
  bool tanyaSaatDokumen_ = false;
};
