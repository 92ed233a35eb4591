#include "transactions/frmPembelian.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
void Salah(const QString& teks, QWidget* fokus) {
  ui::MsgBox(teks, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
  if (fokus) fokus->setFocus();
}
}  // namespace

frmPembelian::frmPembelian(QWidget* parent) : FormTransaksi(parent) {
  setObjectName(QStringLiteral("frmPembelian"));
  setWindowTitle(QStringLiteral("   :: TRANSAKSI PEMBELIAN BARANG"));

  // ---- document number, date and supplier
  auto* Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  TxtNoMasuk = Kotak(Frame1, "TxtNoMasuk", 10);
  TxtTgl = new ui::MaskEdBox(Frame1);
  TxtTgl->setObjectName(QStringLiteral("TxtTgl"));
  TxtTgl->SetMask(QStringLiteral("##/##/####"));
  cmbPemasok = new QComboBox(Frame1);
  cmbPemasok->setObjectName(QStringLiteral("cmbPemasok"));
  cmbPemasok->setEditable(true);
  // Typed text neither grows the list nor is completed into an entry.
  cmbPemasok->setInsertPolicy(QComboBox::NoInsert);
  cmbPemasok->setCompleter(nullptr);
  cmbPemasok->setMaxVisibleItems(15);
  ui::TanpaKendali(cmbPemasok);
  txtNmPemasok = Kotak(Frame1, "txtNmPemasok");
  TxtAlamat = new QPlainTextEdit(Frame1);
  TxtAlamat->setObjectName(QStringLiteral("TxtAlamat"));
  TxtAlamat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TxtAlamat->setReadOnly(true);
  TxtAlamat->setTabChangesFocus(true);
  TxtAlamat->setFixedHeight(48);
  TxtNoMasuk->setFixedWidth(130);
  TxtTgl->setFixedWidth(110);
  cmbPemasok->setFixedWidth(110);
  auto* g1 = new QGridLayout(Frame1);
  g1->addWidget(Label(Frame1, "Label1", QStringLiteral("Nomor Masuk")), 0, 0);
  g1->addWidget(TxtNoMasuk, 0, 1);
  g1->addWidget(Label(Frame1, "Label2", QStringLiteral("Tanggal Masuk")), 0, 3, Qt::AlignRight);
  g1->addWidget(TxtTgl, 0, 4);
  g1->addWidget(Label(Frame1, "Label3", QStringLiteral("Nama Pemasok")), 1, 0);
  g1->addWidget(cmbPemasok, 1, 1);
  g1->addWidget(txtNmPemasok, 1, 2, 1, 3);
  g1->addWidget(Label(Frame1, "Label4", QStringLiteral("Alamat Pemasok")), 2, 0, Qt::AlignTop);
  g1->addWidget(TxtAlamat, 2, 1, 1, 4);
  g1->setColumnStretch(2, 1);

  // ---- the line being entered
  // Prices as long as the item screen takes them: with at most 999 a line,
  // no line or total can overflow.
  QGroupBox* Frame2 = BuatBarisBarang({{"Label5", QStringLiteral("Kode Barang")},
                                       {"Label6", QStringLiteral("Nama Barang")},
                                       {"Label7", QStringLiteral("Harga (Rp)")},
                                       {"Label8", QStringLiteral("Qty")},
                                       {"Label9", QStringLiteral("Sub Total (Rp)")}},
                                      "TxtHBeli", 10, QStringLiteral("OK"), &TxtHBeli);

  // ---- the lines of the document
  GridMasuk = new ui::FlexGrid(this);
  GridMasuk->setObjectName(QStringLiteral("GridMasuk"));

  // ---- buttons and the total
  auto* Frame3 = new QGroupBox(this);
  Frame3->setObjectName(QStringLiteral("Frame3"));
  TbBaru = ui::Tombol(Frame3, "TbBaru", QStringLiteral("Transaksi &Baru"), 130, 32);
  TbSimpan = ui::Tombol(Frame3, "TbSimpan", QStringLiteral("&Simpan"), 130, 32);
  TbKeluar = ui::Tombol(Frame3, "TbKeluar", CaptionKeluar, 130, 32);
  TxtTotalHarga = Kotak(Frame3, "TxtTotalHarga", 0, true);
  QFont f = TxtTotalHarga->font();
  f.setPointSize(f.pointSize() + 3);
  f.setBold(true);
  TxtTotalHarga->setFont(f);
  TxtTotalHarga->setFixedWidth(200);
  auto* h3 = new QHBoxLayout(Frame3);
  for (QPushButton* b : {TbBaru, TbSimpan, TbKeluar}) h3->addWidget(b);
  h3->addStretch();
  h3->addWidget(Label(Frame3, "Label10", QStringLiteral("Total Harga Rp.")));
  h3->addWidget(TxtTotalHarga);

  DaftarGrid(GridMasuk, 4500, TxtTotalHarga);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Frame1);
  v->addWidget(Frame2);
  v->addWidget(GridMasuk, 1);
  v->addWidget(Frame3);
  resize(800, 640);

  // Boxes nobody types into are reached by clicking only.
  for (QLineEdit* t : {TxtNoMasuk, txtNmPemasok, TxtNama, TxtTotal, TxtTotalHarga}) {
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
  }
  TxtAlamat->setFocusPolicy(Qt::ClickFocus);
  setTabOrder(cmbPemasok, txtKodeG);
  setTabOrder(txtKodeG, TxtKode);
  setTabOrder(TxtKode, TbCari);
  setTabOrder(TbCari, TxtHBeli);
  setTabOrder(TxtHBeli, TxtJumlah);
  setTabOrder(TxtJumlah, TbMasuk);
  setTabOrder(TbMasuk, GridMasuk);
  setTabOrder(GridMasuk, TbSimpan);
  setTabOrder(TbSimpan, TbBaru);
  setTabOrder(TbBaru, TbKeluar);

  ui::SetKeyFilter(cmbPemasok, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtKodeG, ui::UpperCase | ui::EnterMovesFocus);
  ui::SetKeyFilter(TxtHBeli, ui::DigitsOnly | ui::EnterMovesFocus);
  ui::SetKeyFilter(TxtJumlah, ui::DigitsOnly | ui::EnterMovesFocus);
  ui::SetEnterAction(TxtKode, [this] { TxtKode_Enter(); });
  PasangPemindai({{txtKodeG, 3}, {TxtKode, 7}, {TxtHBeli, 10}, {TxtJumlah, 3}});
  PasangTombolCepat();

  DaftarIsian({TxtNoMasuk, TxtTgl, cmbPemasok, txtNmPemasok, TxtAlamat, txtKodeG, TxtKode, TxtNama, TxtHBeli,
               TxtJumlah, TxtTotal, TxtTotalHarga},
              // The date of saving is what is stored: the date box only shows it.
              {TxtTgl});
  // Leaving at rest closes at once; a document being entered is not thrown
  // away by a stray Escape or the close box without asking.
  PertanyaanTutup(QStringLiteral("YAKIN AKAN MENUTUP JENDELA INI..?"), QStringLiteral("Exit"), true);

  connect(TbBaru, &QPushButton::clicked, this, &frmPembelian::TbBaru_Click);
  connect(TbCari, &QPushButton::clicked, this, &frmPembelian::TbCari_Click);
  connect(TbMasuk, &QPushButton::clicked, this, &frmPembelian::TbMasuk_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &frmPembelian::TbSimpan_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &frmPembelian::TbKeluar_Click);
  connect(cmbPemasok, qOverload<int>(&QComboBox::activated), this, &frmPembelian::cmbPemasok_Click);
  // A supplier or item code changed by hand no longer names what is shown.
  connect(cmbPemasok->lineEdit(), &QLineEdit::textEdited, this, [this] {
    txtNmPemasok->clear();
    TxtAlamat->clear();
  });
  // A code typed in full shows its supplier as a pick does; a text that
  // names none is refused only when the document goes on.
  connect(cmbPemasok->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    const QString kode = KodePemasok(cmbPemasok->currentText());
    if (kode.isEmpty() || !txtNmPemasok->text().isEmpty()) return;
    db::Recordset rs;
    if (rs.Open(QStringLiteral("SELECT * FROM Pemasok WHERE Kode_Pemasok =") + db::Quote(kode), Conn) &&
        rs.RecordCount() > 0) {
      TampilPemasok(rs);
    }
  });
  auto lupakanBarang = [this] {
    TxtNama->clear();
    dipindai_ = false;
  };
  connect(txtKodeG, &QLineEdit::textEdited, this, lupakanBarang);
  connect(TxtKode, &QLineEdit::textEdited, this, lupakanBarang);

  // Load
  FormNormal();
  // On opening every amount box shows 0, the quantity too; from then on
  // FormKosong leaves the quantity empty.
  TxtJumlah->setText(QStringLiteral("0"));
  if (!BukaKoneksi()) return;
  DataPemasok();
}

// The supplier box loses its focus while the dialog's children are torn
// down; by then this window's own members are gone, so the box must no
// longer reach them.
frmPembelian::~frmPembelian() { cmbPemasok->lineEdit()->disconnect(this); }

void frmPembelian::FormKosong() {
  cmbPemasok->setCurrentIndex(-1);
  cmbPemasok->setEditText(QString());
  txtNmPemasok->clear();
  TxtAlamat->clear();
  TxtTotalHarga->setText(QStringLiteral("0"));
  KosongkanDokumen(TxtNoMasuk, TxtTgl);
}

void frmPembelian::FormNormal() {
  FormMati();
  FormKosong();
  DokumenDiam();
}


void frmPembelian::DataPemasok() {
  SQL = QStringLiteral("SELECT * FROM Pemasok ORDER BY Kode_Pemasok");
  if (!Buka(RsPemasok, SQL)) return;
  if (RsPemasok->RecordCount() == 0) {
    ui::MsgBox(QStringLiteral("DATA PEMASOK TIDAK ADA"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return;
  }
  const QString teks = cmbPemasok->currentText();
  cmbPemasok->clear();
  const QFontMetrics fm(cmbPemasok->view()->font());
  int lebar = 0;
  for (RsPemasok->MoveFirst(); !RsPemasok->Eof(); RsPemasok->MoveNext()) {
    const QString entri =
        RsPemasok->Text(QStringLiteral("Kode_Pemasok")) + QStringLiteral(" | ") + RsPemasok->Text(QStringLiteral("Nama_Pemasok"));
    cmbPemasok->addItem(entri);
    lebar = qMax(lebar, fm.horizontalAdvance(entri) + 40);
  }
  // The box shows only the code after a pick; its list shows whole entries.
  cmbPemasok->view()->setMinimumWidth(lebar);
  cmbPemasok->setCurrentIndex(-1);
  cmbPemasok->setEditText(teks);
  RsPemasok->MoveFirst();
}

QString frmPembelian::KodePemasok(const QString& teks) {
  const qsizetype bar = teks.indexOf(QStringLiteral(" | "));
  return (bar < 0 ? teks : teks.left(bar)).trimmed();
}

void frmPembelian::TampilPemasok(const db::Recordset& rs) {
  const QString kode = rs.Text(QStringLiteral("Kode_Pemasok"));
  if (cmbPemasok->currentText() != kode) cmbPemasok->setEditText(kode);
  txtNmPemasok->setText(rs.Text(QStringLiteral("Nama_Pemasok")));
  // Laying out the address again is not free: only when it changed.
  const QString alamat = rs.Text(QStringLiteral("Alamat"));
  if (TxtAlamat->toPlainText() != alamat) TxtAlamat->setPlainText(alamat);
}

void frmPembelian::cmbPemasok_Click(int index) {
  if (index < 0) return;
  SQL = QStringLiteral("SELECT * FROM Pemasok WHERE ") + QStringLiteral(" Kode_Pemasok =") +
        db::Quote(KodePemasok(cmbPemasok->itemText(index)));
  if (!Buka(RsPemasok, SQL)) return;
  if (RsPemasok->RecordCount() == 0) {
    ui::MsgBox(QStringLiteral("KODE PEMASOK TIDAK DITEMUKAN"), ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return;
  }
  TampilPemasok(*RsPemasok);
}

QString frmPembelian::PemasokTerpilih() {
  const QString kode = KodePemasok(cmbPemasok->currentText());
  if (!kode.isEmpty()) {
    SQL = QStringLiteral("SELECT * FROM Pemasok WHERE ") + QStringLiteral(" Kode_Pemasok =") + db::Quote(kode);
    if (!Buka(RsPemasok, SQL)) return QString();
    if (RsPemasok->RecordCount() > 0) {
      TampilPemasok(*RsPemasok);
      return RsPemasok->Text(QStringLiteral("Kode_Pemasok"));
    }
  }
  Salah(QStringLiteral("DATA PEMASOK BELUM DIPILIH"), cmbPemasok);
  return QString();
}

void frmPembelian::NomorMasuk() { TxtNoMasuk->setText(NomorBaru(toko::SeriPembelian)); }

void frmPembelian::TbBaru_Click() {
  TxtTgl->SetText(FormatTanggal(ui::Today()));
  NomorMasuk();
  // No number, no document: the reason has been shown.
  if (TxtNoMasuk->text().isEmpty()) return;
  DokumenBuka(cmbPemasok);
}

void frmPembelian::TbCari_Click() {
  // After a pick the price paid comes next.
  CariBarangDiDaftar(QStringLiteral("frmCariBarang"), TxtHBeli);
}

bool frmPembelian::TxtKode_Enter() {
  // The price paid comes next.
  return CariKodeBaris(TxtHBeli, false);
}

void frmPembelian::AmbilDipindai(const toko::BarangDipindai& b) {
  // An item already on the document is one more of its line.
  if (const int r = BarisDengan(b.kode)) return TambahSatu(r);
  // Otherwise the line waits for the price paid, offered as the last one.
  txtKodeG->setText(b.kode.left(3));
  TxtKode->SetText(b.kode.right(7));
  TxtNama->setText(b.nama);
  TxtJumlah->setText(QStringLiteral("1"));
  TxtHBeli->setText(QString::number(b.hargaBeli));
  dipindai_ = true;
  TxtHBeli->setFocus();
  TxtHBeli->selectAll();
}

bool frmPembelian::EnterBaris(QLineEdit* kotak) {
  // After a scan the quantity is there: Enter on the price adds the line.
  if (kotak != TxtHBeli || !dipindai_) return false;
  TbMasuk_Click();
  return true;
}

void frmPembelian::TbMasuk_Click() {
  if (PemasokTerpilih().isEmpty()) return;
  if (txtKodeG->text().isEmpty()) return Salah(QStringLiteral("KODE IDENTITAS GRUP KOSONG"), txtKodeG);
  // A code is whole or it names no item: GGG.PPP.BBB, every place filled.
  if (txtKodeG->text().size() < 3) return Salah(QStringLiteral("KODE BARANG BELUM LENGKAP"), txtKodeG);
  if (TxtKode->ClipText().size() < 6) return Salah(QStringLiteral("KODE BARANG BELUM LENGKAP"), TxtKode);
  qint64 jumlah = 0;
  if (!ui::Angka(TxtJumlah->text(), &jumlah) || jumlah <= 0)
    return Salah(QStringLiteral("JUMLAH BARANG MASIH KOSONG"), TxtJumlah);
  // An empty price would set the item's buying price to 0 unnoticed; a
  // typed 0 is a price (goods given free).
  qint64 harga = 0;
  if (TxtHBeli->text().isEmpty() || !ui::Angka(TxtHBeli->text(), &harga))
    return Salah(QStringLiteral("HARGA BELI BARANG MASIH KOSONG"), TxtHBeli);

  // The line names the item the code names now, looked up now: a code
  // edited after its lookup, or never looked up, is no item yet.
  switch (CariBarang(KodeLengkap())) {
    case Barang::Gagal:
      return;
    case Barang::TidakAda:
      TxtNama->clear();
      ui::MsgBox(QStringLiteral("KODE BARANG TIDAK DIKENALI "), ui::vbOKOnly | ui::vbInformation, QStringLiteral("Info"));
      TxtKode->setFocus();
      return;
    case Barang::Ada:
      break;
  }
  const QString nama = RsBarang->Text(QStringLiteral("Nama_Barang"));
  // The search dialog shows names in capitals; a name that is not this
  // item's is replaced by the stored one.
  if (TxtNama->text().compare(nama, Qt::CaseInsensitive) != 0) TxtNama->setText(nama);
  const QString kode = RsBarang->Text(QStringLiteral("Kode_Barang"));

  qint64 sub = 0, totalBaru = 0;
  if (!HitungBaris(harga, jumlah, TxtTotalHarga, &sub, &totalBaru))
    return Salah(QStringLiteral("NILAI BARIS INI TERLALU BESAR UNTUK DIHITUNG!"), TxtHBeli);
  dipindai_ = false;
  TambahBaris(kode, TxtNama->text(), QString::number(harga), QString::number(jumlah), sub, TxtTotalHarga,
              totalBaru);
}

void frmPembelian::TbSimpan_Click() {
  const QString pemasok = PemasokTerpilih();
  if (pemasok.isEmpty()) return;
  if (baris_ == 1) return Salah(QStringLiteral("BELUM ADA DATA BARANG YANG MASUK"), TbCari);

  toko::Pembelian beli;
  beli.nomor = TxtNoMasuk->text();
  beli.tanggal = ui::Today();
  beli.pemasok = pemasok;
  beli.user = UserAktif;
  ui::Angka(TxtTotalHarga->text(), &beli.total);
  beli.baris = BarisDiGrid<toko::BarisBeli>();
  QString nomor;
  if (!Simpan(beli, &nomor)) return;
  // Stored under another number when this one was taken meanwhile.
  TxtNoMasuk->setText(nomor);
  ui::MsgBox(QStringLiteral("DATA TRANSAKSI TELAH TERSIMPAN !"), ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Info"));
  FormNormal();
}

void frmPembelian::Batal() { FormNormal(); }
