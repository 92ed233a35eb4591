#include "reports/FormLaporan.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "base/DateText.h"
#include "core/mdlUtama.h"
#include "reports/DeLaporan.h"
#include "reports/Document.h"
#include "toko/Retur.h"
#include "ui/DTPicker.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
const QString Perhatian = QStringLiteral("Perhatian");
const QString Informasi = QStringLiteral("Informasi");

void Beritahu(const QString& text, const QString& title) { ui::MsgBox(text, ui::vbOKOnly | ui::vbInformation, title); }

// A product of two stored whole numbers; false when either is empty or the
// product leaves 64 bits.
bool Kali(const QVariant& a, const QVariant& b, qint64* hasil) {
  bool okA = false, okB = false;
  const qint64 x = a.toLongLong(&okA), y = b.toLongLong(&okB);
  return !a.isNull() && !b.isNull() && okA && okB && !__builtin_mul_overflow(x, y, hasil);
}
}  // namespace

FormLaporan::FormLaporan(const Jenis& jenis, QWidget* parent) : QDialog(parent), jenis_(jenis) {
  setObjectName(QString::fromLatin1(jenis.nama));
  setWindowTitle(jenis.judul);

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  saring_ = new QGridLayout;
  auto label = [this](const char* name, const QString& caption) {
    auto* l = new QLabel(caption, Frame1);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  switch (jenis.saring) {
    case Saring::Nota:
      cmbNota = new QComboBox(Frame1);
      cmbNota->setObjectName(QString::fromLatin1(jenis.kotak));
      cmbNota->setEditable(true);
      cmbNota->setInsertPolicy(QComboBox::NoInsert);
      cmbNota->setMinimumWidth(260);
      ui::TanpaKendali(cmbNota);
      saring_->addWidget(label("Label1", QStringLiteral("Nomor Transaksi")), 0, 0);
      saring_->addWidget(cmbNota, 0, 1);
      break;
    case Saring::Tanggal:
      DTPicker1 = Tanggal("DTPicker1");
      saring_->addWidget(label("Label1", QStringLiteral("Tanggal Transaksi")), 0, 0);
      saring_->addWidget(DTPicker1, 0, 1);
      break;
    case Saring::Periode:
      TglA = Tanggal("TglA");
      TglB = Tanggal("TglB");
      saring_->addWidget(label("Label1", QStringLiteral("Tanggal Awal")), 0, 0);
      saring_->addWidget(TglA, 0, 1);
      saring_->addWidget(label("Label3", QStringLiteral("Tanggal Akhir")), 1, 0);
      saring_->addWidget(TglB, 1, 1);
      break;
  }
  TbPreview = ui::Tombol(Frame1, "TbPreview", QStringLiteral("Preview"), 90, 30);
  TbTampil = ui::Tombol(Frame1, "TbTampil", jenis.tampil, 90, 30);
  TbKeluar = ui::Tombol(Frame1, "TbKeluar", QStringLiteral("Keluar"), 90, 30);
  auto* h = new QHBoxLayout(Frame1);
  h->addLayout(saring_);
  h->addStretch();
  for (QPushButton* b : {TbPreview, TbTampil, TbKeluar}) h->addWidget(b, 0, Qt::AlignBottom);
  connect(TbPreview, &QPushButton::clicked, this, [this] { TbPreview_Click(); });
  connect(TbTampil, &QPushButton::clicked, this, [this] { TbTampil_Click(); });
  connect(TbKeluar, &QPushButton::clicked, this, &FormLaporan::TbKeluar_Click);

  grid_ = new ui::FlexGrid(this);
  grid_->setObjectName(QString::fromLatin1(jenis.grid));
  auto* v = new QVBoxLayout(this);
  v->addWidget(Frame1);
  v->addWidget(grid_, 1);
  if (!jenis.sqlRingkas.isEmpty()) {
    LblRingkas = new QLabel(this);
    LblRingkas->setObjectName(QStringLiteral("LblRingkas"));
    v->addWidget(LblRingkas);
  }

  int lebar = 400;
  for (const Kolom& k : jenis.kolom) lebar += k.lebar;
  resize(qMax(640, ui::TwipsToPixels(lebar) + 60), 540);

  // Load: the connection, the grid, then the filter (the pickers start at
  // today; a window with a number list fills it in its own constructor).
  terbuka_ = BukaKoneksi();
  if (!terbuka_) return;
  AktifGridPreview();
  grid_->SetRows(2);
}

QDateEdit* FormLaporan::Tanggal(const char* name) {
  auto* d = new ui::DTPicker(ui::Today(), Frame1);
  d->setObjectName(QString::fromLatin1(name));
  return d;
}

void FormLaporan::IsiNota(const QString& sql, db::RecordsetPtr& rs, const QString& field, const QString& field2) {
  if (!terbuka_) return;
  SQL.clear();
  SQL = sql;
  if (!Buka(rs, SQL)) return;
  const int f = rs->FieldIndex(field), f2 = field2.isEmpty() ? -1 : rs->FieldIndex(field2);
  QStringList daftar;
  daftar.reserve(rs->RecordCount());
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
    daftar << (f2 < 0 ? rs->Text(f) : rs->Text(f) + QStringLiteral(" | ") + rs->Text(f2));
  cmbNota->addItems(daftar);
  for (rs->MoveFirst(); f2 >= 0 && !rs->Eof(); rs->MoveNext())
    cmbNota->setItemData(rs->AbsolutePosition(), rs->Text(f));
  cmbNota->setCurrentIndex(-1);
  cmbNota->clearEditText();
}

QString FormLaporan::Panjang(const QDate& d) { return QLocale().toString(d, QStringLiteral("dd MMMM yyyy")); }

QString FormLaporan::Standar(qint64 v) {
  const QLocale l;
  return l.toString(v) + l.decimalPoint() + QStringLiteral("00");
}

QString FormLaporan::Ganti(const QString& text) const {
  QString s = text;
  if (TglA) {
    s.replace(QLatin1String(":tglA"), base::ShortDateText(TglA->date()));
    s.replace(QLatin1String(":tglB"), base::ShortDateText(TglB->date()));
    s.replace(QLatin1String("%PERIODE%"), Panjang(TglA->date()) + QStringLiteral(" S/D ") + Panjang(TglB->date()));
  }
  if (DTPicker1) {
    s.replace(QLatin1String(":tgl"), base::ShortDateText(DTPicker1->date()));
    s.replace(QLatin1String("%TGL%"), Panjang(DTPicker1->date()));
  }
  s.replace(QLatin1String("%HARIINI%"), Panjang(ui::Today()));
  // The typed number last, so that nothing in it is taken for a mark.
  if (cmbNota) {
    const QString nota = cmbNota->currentText();
    s.replace(QLatin1String("%NOTA10%"), nota.left(10));
    s.replace(QLatin1String("%NOTA%"), nota);
    s.replace(QLatin1String(":nota"), db::Quote(nota.left(10)));
  }
  return s;
}

QString FormLaporan::QueryPreview() const { return Ganti(jenis_.sqlPreview); }
QString FormLaporan::QueryTampil() const {
  return Ganti(jenis_.sqlTampil.isEmpty() ? jenis_.sqlPreview : jenis_.sqlTampil);
}

void FormLaporan::AktifGridPreview() {
  QList<ui::Kolom> kolom{{QStringLiteral("NO"), 400, true}};
  for (const Kolom& k : jenis_.kolom) kolom.append({k.judul, k.lebar, k.isi == Isi::Angka || k.isi == Isi::Kali});
  ui::AturGrid(grid_, kolom);
  grid_->SetRowHeightMin(300);
}

void FormLaporan::TampilGridData() {
  grid_->Clear();
  AktifGridPreview();
  grid_->SetRows(2);
  const db::RecordsetPtr rs = *jenis_.rsPreview;
  if (!rs || rs->RecordCount() == 0) {
    Beritahu(jenis_.kosongGrid, Perhatian);
    return;
  }
  // Where each column's fields lie, found once.
  struct Sumber {
    Isi isi;
    int a, b;
  };
  std::vector<Sumber> sumber;
  for (const Kolom& k : jenis_.kolom)
    sumber.push_back({k.isi, rs->FieldIndex(k.field), k.field2.isEmpty() ? -1 : rs->FieldIndex(k.field2)});
  const int n = rs->RecordCount();
  const bool total = jenis_.kolomTotal > 0;
  grid_->Reserve(n + 2);
  grid_->SetRows(n + 1 + (total ? 1 : 0));
  QHash<QString, QString> tanggal;  // a day's short form, made once per day
  qint64 jumlah = 0;
  bool jumlahUtuh = true;
  int r = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    ++r;
    grid_->SetTextMatrix(r, 0, QString::number(r));
    for (size_t c = 0; c < sumber.size(); ++c) {
      const Sumber& s = sumber[c];
      const int col = int(c) + 1;
      switch (s.isi) {
        case Isi::Tanggal: {
          const QString t = rs->Text(s.a);
          auto it = tanggal.find(t);
          if (it == tanggal.end()) {
            const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
            it = tanggal.insert(t, d.isValid() ? base::ShortDateText(d) : t);
          }
          grid_->SetTextMatrix(r, col, *it);
          break;
        }
        case Isi::Kali: {
          qint64 v = 0;
          if (Kali(rs->Value(s.a), rs->Value(s.b), &v)) grid_->SetTextMatrix(r, col, QString::number(v));
          break;
        }
        default:
          grid_->SetTextMatrix(r, col, rs->Text(s.a));
      }
    }
    if (total) {
      bool ok = false;
      const qint64 v = rs->Value(sumber[size_t(jenis_.kolomTotal - 1)].a).toLongLong(&ok);
      jumlahUtuh = jumlahUtuh && (ok || rs->Value(sumber[size_t(jenis_.kolomTotal - 1)].a).isNull()) &&
                   !__builtin_add_overflow(jumlah, v, &jumlah);
    }
  }
  if (total) {
    grid_->SetTextMatrix(n + 1, jenis_.kolomTotal - 1, QStringLiteral(":: TOTAL ::"));
    if (jumlahUtuh) grid_->SetTextMatrix(n + 1, jenis_.kolomTotal, QString::number(jumlah));
  }
}

void FormLaporan::TbPreview_Click() {
  SQL.clear();
  SQL = QueryPreview();
  if (!Buka(*jenis_.rsPreview, SQL)) return;
  TampilGridData();
  TampilRingkas();
}

bool FormLaporan::BacaRingkas(qint64* jual, qint64* retur) {
  if (jenis_.sqlRingkas.isEmpty() || !toko::AdaTabelKasir(Conn)) return false;
  db::RecordsetPtr rs;
  if (!Buka(rs, Ganti(jenis_.sqlRingkas))) return false;
  *jual = rs->Int(QStringLiteral("Jual"));
  *retur = rs->Int(QStringLiteral("Retur"));
  return true;
}

void FormLaporan::TampilRingkas() {
  if (!LblRingkas) return;
  LblRingkas->clear();
  qint64 jual = 0, retur = 0;
  if (!BacaRingkas(&jual, &retur)) return;
  const QLocale l;
  LblRingkas->setText(QStringLiteral("Penjualan: Rp %1     Retur: Rp %2     Bersih: Rp %3")
                          .arg(l.toString(jual), l.toString(retur), l.toString(jual - retur)));
}

void FormLaporan::TbTampil_Click() {
  SQL.clear();
  SQL = QueryTampil();
  db::RecordsetPtr& rs = *jenis_.rsTampil;
  if (!Buka(rs, SQL)) return;
  if (rs->RecordCount() == 0) {
    Beritahu(Ganti(jenis_.kosongDokumen), Informasi);
    return;
  }
  reports::DeLaporan().CommandText(jenis_.command) = SQL;
  reports::Document& rpt = reports::Document::Get(jenis_.dokumen);
  rs->MoveFirst();
  IsiLabel(rpt, *rs);
  rpt.Show(this);
}

void FormLaporan::IsiLabel(reports::Document& rpt, const db::Recordset&) {
  for (const auto& [label, teks] : jenis_.label) rpt.SetCaption(label, Ganti(teks));
  // The printed day or period gives what the screen gives under its grid:
  // the sales, what was returned of them, and the net.
  if (jenis_.sqlRingkas.isEmpty()) return;
  qint64 jual = 0, retur = 0;
  const QLocale l;
  rpt.SetCaption(QStringLiteral("LblRingkas"),
                 BacaRingkas(&jual, &retur) ? QStringLiteral("Rp %1 - Rp %2 = Rp %3")
                                                  .arg(l.toString(jual), l.toString(retur), l.toString(jual - retur))
                                            : QStringLiteral("-"));
}

// ---- the windows ---------------------------------------------------------------

namespace {
using K = FormLaporan::Kolom;
using I = FormLaporan::Isi;
using S = FormLaporan::Saring;
QString T(const char* s) { return QString::fromUtf8(s); }

// The lines of sales, as the per-date and per-period queries read them.
const QString JualPilih = T(" SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota, ") +
                          T(" Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, ") +
                          T(" Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah, ") +
                          T(" Penjualan_Detail.Subtotal  ") + T(" FROM Barang, Penjualan, Penjualan_Detail ") +
                          T(" WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota ") +
                          T(" AND Barang.Kode_Barang = Penjualan_Detail.Kode_Barang ");
const QString JualUrut = T(" ORDER BY Penjualan.No_Nota, Barang.Kode_Barang");

QList<K> JualKolom(int kode, int nama) {
  return {{T("NO NOTA"), 1100, I::Teks, T("No_Nota")},
          {T("TANGGAL"), 1200, I::Tanggal, T("Tgl_Nota")},
          {T("KODE"), kode, I::Teks, T("Kode_Barang")},
          {T("NAMA BARANG"), nama, I::Teks, T("Nama_Barang")},
          {T("HARGA JUAL"), 1300, I::Angka, T("Harga_Jual")},
          {T("QTY"), 500, I::Angka, T("Jumlah")},
          {T("SUBTOTAL"), 1300, I::Kali, T("Harga_Jual"), T("Jumlah")}};
}

QList<K> KasKolom(const char* sisi, int transaksi) {
  return {{T("KODE REKENING"), 1800, I::Teks, T("kode")},
          {T("TANGGAL"), 1200, I::Tanggal, T("tanggal")},
          {T(sisi), 1200, I::Teks, T("dk")},
          {T("TRANSAKSI"), transaksi, I::Teks, T("transaksi")},
          {T("JUMLAH (Rp)"), 1300, I::Angka, T("jumlah")}};
}

QString KasTanggal(const char* sisi) {
  return T(" SELECT * FROM Rekening") + T(" WHERE tanggal = #:tgl#") + T(" AND dk = '") + T(sisi) + T("' ") +
         T(" ORDER BY kode");
}
QString KasPeriode(const char* sisi) {
  return T(" SELECT * FROM Rekening") + T(" WHERE dk = '") + T(sisi) + T("' ") + T(" AND (tanggal >= #:tglA#") +
         T(" AND tanggal <= #:tglB#") + T(" )") + T(" ORDER BY kode");
}

const QList<QPair<QString, QString>> LabelTanggal{{T("LblTgl"), T("%HARIINI%")}, {T("LblTgl2"), T("%TGL%")}};
const QList<QPair<QString, QString>> LabelPeriode{{T("LblPeriode"), T("%PERIODE%")}, {T("LblTgl"), T("%HARIINI%")}};

const FormLaporan::Jenis JualNota{
    .nama = "frmLapJualNota",
    .judul = T("   ::  Laporan Penjualan Per Nota"),
    .saring = S::Nota,
    .kotak = "cmbNota",
    .grid = "GridPreview",
    .tampil = T("Tampil"),
    .kolom = {{T("KODE"), 1200, I::Teks, T("Kode_Barang")},
              {T("NAMA BARANG"), 3950, I::Teks, T("Nama_Barang")},
              {T("HARGA JUAL"), 1300, I::Angka, T("Harga_jual")},
              {T("QTY"), 500, I::Angka, T("Jumlah")},
              {T("SUBTOTAL"), 1300, I::Kali, T("Harga_jual"), T("Jumlah")}},
    .sqlPreview = T(" SELECT Penjualan.No_Nota, ") + T(" Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah, ") + T(" Penjualan_Detail.Subtotal ") +
        T(" FROM Barang, Penjualan,Penjualan_Detail ") + T(" WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota ") +
        T(" AND Penjualan_Detail.Kode_Barang = Barang.Kode_Barang ") + T(" AND Penjualan.No_Nota =:nota"),
    .sqlTampil = T(" SELECT Penjualan.No_Nota, Penjualan.Tgl_Nota, ") +
        T(" Penjualan_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Penjualan_Detail.Harga_Jual, Penjualan_Detail.Jumlah, ") + T(" Penjualan_Detail.Subtotal ") +
        T(" FROM Barang, Penjualan, Penjualan_Detail ") + T(" WHERE Penjualan.No_Nota = Penjualan_Detail.No_Nota ") +
        T(" AND Penjualan_Detail.Kode_Barang = Barang.Kode_Barang ") + T(" AND Penjualan.No_Nota =:nota"),
    .rsPreview = &RsDetail,
    .rsTampil = &RsDetail,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Penjualan dengan nota %NOTA%  tidak tersedia !"),
    .command = T("cmdJualNota"),
    .dokumen = T("rptLapJualNota"),
    .label = {{T("LblNota"), T("%NOTA10%")}, {T("LblTgl"), T("%HARIINI%")}},
};

const FormLaporan::Jenis JualTanggal{
    .nama = "frmLapJualTanggal",
    .judul = T("   ::  Laporan Penjualan Per-Tanggal Transaksi"),
    .saring = S::Tanggal,
    .grid = "GridPrev",
    .tampil = T("Tampilkan"),
    .kolom = JualKolom(1200, 4400),
    .sqlPreview = JualPilih + T(" AND Penjualan.Tgl_Nota = #:tgl#") + JualUrut,
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Maaf Penjualan dengan tanggal %TGL% tidak tersedia !"),
    .command = T("cmdJualTanggal"),
    .dokumen = T("rptLapJualTanggal"),
    .label = LabelTanggal,
    .sqlRingkas = T(" SELECT (SELECT COALESCE(SUM(Total_Bayar), 0) FROM Penjualan WHERE Tgl_Nota = #:tgl#) AS Jual,") +
        T(" (SELECT COALESCE(SUM(Total), 0) FROM Retur WHERE Tgl_Retur = #:tgl#) AS Retur"),
};

const FormLaporan::Jenis JualPeriode{
    .nama = "frmLapJualPeriode",
    .judul = T("   ::  LAPORAN PENJUALAN PER-PERIODE"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = JualKolom(1300, 4050),
    .sqlPreview = JualPilih + T(" AND (Penjualan.Tgl_Nota >= #:tglA#") + T(" AND Penjualan.Tgl_Nota <= #:tglB#") +
        T(" )") + JualUrut,
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Penjualan dengan periode tanggal %PERIODE% tidak ada !"),
    .command = T("cmdJualPeriode"),
    .dokumen = T("rptLapJualPeriode"),
    .label = LabelPeriode,
    .sqlRingkas = T(" SELECT (SELECT COALESCE(SUM(Total_Bayar), 0) FROM Penjualan") +
        T(" WHERE Tgl_Nota >= #:tglA# AND Tgl_Nota <= #:tglB#) AS Jual,") +
        T(" (SELECT COALESCE(SUM(Total), 0) FROM Retur WHERE Tgl_Retur >= #:tglA# AND Tgl_Retur <= #:tglB#) AS Retur"),
};

const FormLaporan::Jenis BeliNota{
    .nama = "frmLapBeliNota",
    .judul = T("   ::  Laporan Pembelian Per-Nomor Masuk"),
    .saring = S::Nota,
    .kotak = "cmbNoMasuk",
    .grid = "GridPreview",
    .tampil = T("Tampil"),
    .kolom = {{T("KODE"), 1400, I::Teks, T("Kode_Barang")},
              {T("NAMA BARANG"), 4000, I::Teks, T("Nama_Barang")},
              {T("HARGA BELI"), 1300, I::Angka, T("Harga_Beli")},
              {T("QTY"), 500, I::Angka, T("Jumlah")},
              {T("SUBTOTAL"), 1300, I::Kali, T("Harga_Beli"), T("Jumlah")}},
    .sqlPreview = T(" SELECT Pembelian.No_Masuk, ") + T(" Pembelian_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Pembelian_Detail.Harga_Beli, Pembelian_Detail.Jumlah, ") + T(" Pembelian_Detail.Subtotal ") +
        T(" FROM Barang, Pembelian,Pembelian_Detail ") + T(" WHERE Pembelian.No_Masuk = Pembelian_Detail.No_Masuk ") +
        T(" AND Pembelian_Detail.Kode_Barang = Barang.Kode_Barang ") + T(" AND Pembelian.No_Masuk =:nota"),
    .sqlTampil = T(" SELECT Pemasok.Nama_Pemasok, Pemasok.Alamat, ") +
        T(" Pembelian.No_Masuk, Pembelian.Tgl_Masuk, ") +
        T(" Pembelian_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Pembelian_Detail.Harga_Beli, Pembelian_Detail.Jumlah, ") + T(" Pembelian_Detail.Subtotal ") +
        T(" FROM Pemasok, Barang, Pembelian, Pembelian_Detail ") +
        T(" WHERE Pemasok.Kode_Pemasok=Pembelian.Kode_Pemasok ") +
        T(" AND Pembelian.No_Masuk = Pembelian_Detail.No_Masuk ") +
        T(" AND Pembelian_Detail.Kode_Barang = Barang.Kode_Barang ") + T(" AND Pembelian.No_Masuk =:nota"),
    .rsPreview = &RsDetail,
    .rsTampil = &RsDetail,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Pembelian dengan nota %NOTA%tidak tersedia !"),
    .command = T("cmdBeliNota"),
    .dokumen = T("rptLapBeliNota"),
    .label = {{T("LblNota"), T("%NOTA10%")}},
};

const QString BeliPeriodeSyarat = T(" AND Pembelian.Tgl_Masuk >= #:tglA#") + T(" AND Pembelian.Tgl_Masuk <= #:tglB#") +
                                  T(" ORDER BY Pembelian.No_Masuk, Barang.Kode_Barang");
const FormLaporan::Jenis BeliPeriode{
    .nama = "frmLapBeliPeriode",
    .judul = T("   ::  Laporan Pembelian Per-Periode"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = {{T("NO NOTA"), 1100, I::Teks, T("No_Masuk")},
              {T("TANGGAL"), 1200, I::Tanggal, T("Tgl_Masuk")},
              {T("KODE"), 1250, I::Teks, T("Kode_Barang")},
              {T("NAMA BARANG"), 4000, I::Teks, T("Nama_Barang")},
              {T("HARGA BELI"), 1300, I::Angka, T("Harga_Beli")},
              {T("QTY"), 500, I::Angka, T("Jumlah")},
              {T("SUBTOTAL"), 1300, I::Kali, T("Harga_Beli"), T("Jumlah")}},
    .sqlPreview = T(" SELECT Pembelian.No_Masuk, Pembelian.Tgl_Masuk, ") +
        T(" Pembelian_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Pembelian_Detail.Harga_Beli, Pembelian_Detail.Jumlah, ") + T(" Pembelian_Detail.Subtotal  ") +
        T(" FROM Barang, Pembelian, Pembelian_Detail ") + T(" WHERE Pembelian.No_Masuk = Pembelian_Detail.No_Masuk ") +
        T(" AND Barang.Kode_Barang = Pembelian_Detail.Kode_Barang ") + BeliPeriodeSyarat,
    .sqlTampil = T(" SELECT Pemasok.Nama_Pemasok, Pemasok.Alamat, ") +
        T(" Pembelian.No_Masuk, Pembelian.Tgl_Masuk, ") +
        T(" Pembelian_Detail.Kode_Barang, Barang.Nama_Barang, ") +
        T(" Pembelian_Detail.Harga_Beli, Pembelian_Detail.Jumlah ") +
        T(" FROM Pemasok, Barang, Pembelian, Pembelian_Detail ") +
        T(" WHERE Pemasok.Kode_Pemasok=Pembelian.Kode_Pemasok ") +
        T(" AND Pembelian.No_Masuk = Pembelian_Detail.No_Masuk ") +
        T(" AND Barang.Kode_Barang = Pembelian_Detail.Kode_Barang ") + BeliPeriodeSyarat,
    .rsPreview = &RsLaporan,
    .rsTampil = &RsDetail,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Pembelian dengan periode tanggal %PERIODE% tidak ada !"),
    .command = T("cmdBeliPeriode"),
    .dokumen = T("rptLapBeliPeriode"),
    .label = LabelPeriode,
};

const FormLaporan::Jenis KasMasukTanggal{
    .nama = "frmKasMasukTanggal",
    .judul = T("   ::  Laporan Penerimaan Kas Per-Tanggal"),
    .saring = S::Tanggal,
    .grid = "GridPrev",
    .tampil = T("Tampilkan"),
    .kolom = KasKolom("DEBET", 5500),
    .sqlPreview = KasTanggal("DEBET"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA KAS MASUK MASIH KOSONG!"),
    .kosongDokumen = T("Maaf penerimaan Kas pada tanggal %TGL% tidak tersedia !"),
    .command = T("cmdKasMasukTanggal"),
    .dokumen = T("rptLapKasMasukTanggal"),
    .label = LabelTanggal,
};

const FormLaporan::Jenis KasKeluarTanggal{
    .nama = "frmKasKeluarTanggal",
    .judul = T("   ::  Laporan Pengeluaran Kas Per-Tanggal"),
    .saring = S::Tanggal,
    .grid = "GridPrev",
    .tampil = T("Tampilkan"),
    .kolom = KasKolom("KREDIT", 5500),
    .sqlPreview = KasTanggal("KREDIT"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA KAS KELUAR MASIH KOSONG!"),
    .kosongDokumen = T("Maaf pengeluaran Kas pada tanggal %TGL% tidak tersedia !"),
    .command = T("cmdKasKeluarTanggal"),
    .dokumen = T("rptLapKasKeluarTanggal"),
    .label = LabelTanggal,
};

const FormLaporan::Jenis KasMasukPeriode{
    .nama = "frmKasMasukPeriode",
    .judul = T("   ::  LAPORAN PENENERIMAAN PER-PERIODE"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = KasKolom("DEBET", 5000),
    .sqlPreview = KasPeriode("DEBET"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Penerimaan Kas dengan periode tanggal %PERIODE% tidak ada !"),
    .command = T("cmdKasMasukPeriode"),
    .dokumen = T("rptLapKasMasukPeriode"),
    .label = LabelPeriode,
    .kolomTotal = 5,
};

const FormLaporan::Jenis KasKeluarPeriode{
    .nama = "frmKasKeluarPeriode",
    .judul = T("   ::  LAPORAN PENGELUARAN PER-PERIODE"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = KasKolom("KREDIT", 5000),
    .sqlPreview = KasPeriode("KREDIT"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Pengeluaran Kas dengan periode tanggal %PERIODE% tidak ada !"),
    .command = T("cmdKasKeluarPeriode"),
    .dokumen = T("rptLapKasKeluarPeriode"),
    .label = LabelPeriode,
    .kolomTotal = 5,
};

// The sums of one side of the ledger over the period.
QString KasJumlah(const char* sisi) {
  return T(" SELECT COUNT(*) AS Banyak, SUM(jumlah) AS Total FROM Rekening") + T(" WHERE dk = '") + T(sisi) + T("' ") +
         T(" AND (tanggal >= #:tglA#") + T(" AND tanggal <= #:tglB#") + T(" )");
}

const FormLaporan::Jenis LabaRugi{
    .nama = "frmKasPeriode",
    .judul = T("   ::  Laporan Laba / Rugi Per-Periode"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .sqlPreview = KasJumlah("DEBET"),
    .sqlTampil = KasJumlah("KREDIT"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan2,
    .kosongGrid = T("DATA PEMASUKAN MASIH KOSONG!"),
    .kosongDokumen = T("Penerimaan Kas atau Pengeluaran Kas dengan periode tanggal %PERIODE% belum ada !"),
    .dokumen = T("rptLapKasPeriode"),
    .label = LabelPeriode,
};
// A cashier's day: receipts, pieces, sales and refunds of each cashier who
// sold or refunded on the day.
QString KasirSum(const char* apa, const char* dari, const char* tanggal) {
  return T(" COALESCE((SELECT ") + T(apa) + T(" FROM ") + T(dari) + T(" WHERE ") + T(tanggal) + T(" = #:tgl#") +
         T(" AND ") + T(dari).section(QLatin1Char(','), 0, 0).trimmed() + T(".UserID = Kasir.UserID), 0) ");
}
const FormLaporan::Jenis KasirHarian{
    .nama = "frmLapKasirHarian",
    .judul = T("   ::  Laporan Penjualan Per-Kasir Harian"),
    .saring = S::Tanggal,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = {{T("KASIR"), 1800, I::Teks, T("UserID")},
              {T("NOTA"), 900, I::Angka, T("Nota")},
              {T("BARANG"), 900, I::Angka, T("Barang")},
              {T("PENJUALAN"), 1500, I::Angka, T("Penjualan")},
              {T("RETUR"), 1300, I::Angka, T("Retur")},
              {T("BERSIH"), 1500, I::Angka, T("Bersih")}},
    .sqlPreview = T(" SELECT Hari.*, Hari.Penjualan - Hari.Retur AS Bersih FROM (SELECT Kasir.UserID, ") +
        KasirSum("COUNT(*)", "Penjualan", "Penjualan.Tgl_Nota") + T(" AS Nota, ") +
        KasirSum("SUM(Penjualan_Detail.Jumlah)", "Penjualan, Penjualan_Detail",
                 "Penjualan.No_Nota = Penjualan_Detail.No_Nota AND Penjualan.Tgl_Nota") +
        T(" AS Barang, ") + KasirSum("SUM(Total_Bayar)", "Penjualan", "Penjualan.Tgl_Nota") + T(" AS Penjualan, ") +
        KasirSum("SUM(Total)", "Retur", "Retur.Tgl_Retur") + T(" AS Retur ") +
        T(" FROM (SELECT UserID FROM Penjualan WHERE Tgl_Nota = #:tgl#") +
        T(" UNION SELECT UserID FROM Retur WHERE Tgl_Retur = #:tgl#) AS Kasir) AS Hari ") + T(" ORDER BY Hari.UserID"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TRANSAKSI MASIH KOSONG!"),
    .kosongDokumen = T("Maaf Penjualan dengan tanggal %TGL% tidak tersedia !"),
    .command = T("cmdKasirHarian"),
    .dokumen = T("rptLapKasirHarian"),
    .label = LabelTanggal,
};

const FormLaporan::Jenis TutupKasir{
    .nama = "frmLapTutupKasir",
    .judul = T("   ::  Laporan Tutup Kasir Per-Periode"),
    .saring = S::Periode,
    .grid = "GridPreview",
    .tampil = T("Tampilkan"),
    .kolom = {{T("TANGGAL"), 1200, I::Tanggal, T("Tanggal")},
              {T("KASIR"), 1300, I::Teks, T("UserID")},
              {T("JAM"), 900, I::Teks, T("Jam")},
              {T("KAS AWAL"), 1200, I::Angka, T("Kas_Awal")},
              {T("NOTA"), 700, I::Angka, T("Nota")},
              {T("PENJUALAN"), 1300, I::Angka, T("Penjualan")},
              {T("RETUR"), 1100, I::Angka, T("Retur")},
              {T("SEHARUSNYA"), 1300, I::Angka, T("Diharapkan")},
              {T("DIHITUNG"), 1300, I::Angka, T("Dihitung")},
              {T("SELISIH"), 1100, I::Angka, T("Selisih")}},
    .sqlPreview = T(" SELECT * FROM Tutup_Kasir") + T(" WHERE (Tanggal >= #:tglA#") + T(" AND Tanggal <= #:tglB# )") +
        T(" ORDER BY Tanggal, UserID"),
    .rsPreview = &RsLaporan,
    .rsTampil = &RsLaporan,
    .kosongGrid = T("DATA TUTUP KASIR MASIH KOSONG!"),
    .kosongDokumen = T("Tutup kasir dengan periode tanggal %PERIODE% tidak ada !"),
    .command = T("cmdTutupKasir"),
    .dokumen = T("rptLapTutupKasir"),
    .label = LabelPeriode,
    .kolomTotal = 10,
};
}  // namespace

FormLaporanKasir::FormLaporanKasir(const Jenis& jenis, QWidget* parent) : FormLaporan(jenis, parent) {
  if (!Terbuka() || toko::AdaTabelKasir(Conn)) return;
  ui::MsgBox(T("Database ini belum memuat tabel retur dan tutup kasir.\r"
               "Jalankan 'merapu-db upgrade' pada file database terlebih dulu!"),
             ui::vbOKOnly | ui::vbExclamation, T("Perhatian"));
  TbPreview->setEnabled(false);
  TbTampil->setEnabled(false);
}
frmLapKasirHarian::frmLapKasirHarian(QWidget* parent) : FormLaporanKasir(KasirHarian, parent) {}
frmLapTutupKasir::frmLapTutupKasir(QWidget* parent) : FormLaporanKasir(TutupKasir, parent) {}

frmLapJualNota::frmLapJualNota(QWidget* parent) : FormLaporan(JualNota, parent) {
  TbCetakUlang = ui::Tombol(Frame1, "TbCetakUlang", QStringLiteral("Cetak &Ulang"), 90, 30);
  auto* h = static_cast<QHBoxLayout*>(Frame1->layout());
  h->insertWidget(h->indexOf(TbKeluar), TbCetakUlang, 0, Qt::AlignBottom);
  connect(TbCetakUlang, &QPushButton::clicked, this, &frmLapJualNota::TbCetakUlang_Click);
  IsiNota(T("SELECT  * FROM ") + T(" Penjualan ORDER BY No_Nota"), RsLapJual, T("No_Nota"));
}

void frmLapJualNota::TampilGridData() {
  FormLaporan::TampilGridData();
  const db::RecordsetPtr rs = RsDetail;
  if (!rs || rs->RecordCount() == 0 || !toko::AdaTabelKasir(Conn)) return;
  const toko::ReturNota n = toko::BacaReturNota(Conn, cmbNota->currentText().left(10));
  if (!n.ok()) {
    TampilGagal(n.error);
    return;
  }
  // What came back, as lines of their own: negative quantities and amounts.
  int r = Grid()->Rows();
  Grid()->SetRows(r + int(n.baris.size()));
  for (const toko::BarisReturNota& b : n.baris) {
    const QStringList sel{QString::number(r), b.barang.kode,
                          (b.batal ? T("VOID ") : T("RETUR ")) + b.nomor + T(": ") + b.barang.nama,
                          QString::number(b.barang.harga), QString::number(-b.barang.jumlah),
                          QString::number(-b.barang.subtotal)};
    for (int c = 0; c < sel.size(); ++c) Grid()->SetTextMatrix(r, c, sel[c]);
    ++r;
  }
}

void frmLapJualNota::TbCetakUlang_Click() {
  // The number as the queries take it: the combo's first 10 characters.
  const QString nomor = cmbNota->currentText().left(10).trimmed();
  if (nomor.isEmpty()) {
    ui::MsgBox(T("PILIH DULU NOMOR TRANSAKSI YANG AKAN DICETAK ULANG!"), ui::vbOKOnly | ui::vbExclamation,
               T("Perhatian"));
    cmbNota->setFocus();
    return;
  }
  // The receipt window lies above this layer: reached through the table of windows.
  std::unique_ptr<QDialog> nota(ui::CreateWindow(T("frmCetakJual"), this));
  if (!nota || !QMetaObject::invokeMethod(nota.get(), "CetakUlang", Q_ARG(QString, nomor)))
    ui::MsgBox(T("\"CETAK ULANG\" BELUM TERSEDIA DI PROGRAM INI."), ui::vbOKOnly | ui::vbInformation,
               T("Informasi"));
}
frmLapJualTanggal::frmLapJualTanggal(QWidget* parent) : FormLaporan(JualTanggal, parent) {}
frmLapJualPeriode::frmLapJualPeriode(QWidget* parent) : FormLaporan(JualPeriode, parent) {}
frmLapBeliPeriode::frmLapBeliPeriode(QWidget* parent) : FormLaporan(BeliPeriode, parent) {}
frmKasMasukTanggal::frmKasMasukTanggal(QWidget* parent) : FormLaporan(KasMasukTanggal, parent) {}
frmKasKeluarTanggal::frmKasKeluarTanggal(QWidget* parent) : FormLaporan(KasKeluarTanggal, parent) {}
frmKasMasukPeriode::frmKasMasukPeriode(QWidget* parent) : FormLaporan(KasMasukPeriode, parent) {}
frmKasKeluarPeriode::frmKasKeluarPeriode(QWidget* parent) : FormLaporan(KasKeluarPeriode, parent) {}

// ---- a purchase by its number ------------------------------------------------------

frmLapBeliNota::frmLapBeliNota(QWidget* parent) : FormLaporan(BeliNota, parent) {
  TxtPemasok = ui::BuatKotak(Frame1, "TxtPemasok");
  TxtPemasok->setReadOnly(true);
  auto* Label2 = new QLabel(QStringLiteral("Nama Pemasok"), Frame1);
  Label2->setObjectName(QStringLiteral("Label2"));
  saring_->addWidget(Label2, 1, 0);
  saring_->addWidget(TxtPemasok, 1, 1);
  // Ordered by number, so the list reads as the purchases were made.
  IsiNota(T("SELECT Pembelian.No_Masuk, Pemasok.Nama_Pemasok ") + T(" FROM Pemasok, Pembelian ") +
              T(" WHERE Pembelian.Kode_Pemasok=Pemasok.Kode_Pemasok") + T(" ORDER BY Pembelian.No_Masuk"),
          RsLapBeli, T("No_Masuk"), T("Nama_Pemasok"));
  connect(cmbNota, qOverload<int>(&QComboBox::activated), this, &frmLapBeliNota::cmbNoMasuk_Click);
}

void frmLapBeliNota::cmbNoMasuk_Click(int index) {
  if (index < 0) return;
  const QString entri = cmbNota->itemText(index);
  const QString nomor = cmbNota->itemData(index).toString();
  cmbNota->setEditText(nomor);
  TxtPemasok->setText(entri.mid(nomor.size() + 3));  // after "number | "
  TbPreview->setFocus();
}

void frmLapBeliNota::IsiLabel(reports::Document& rpt, const db::Recordset& rs) {
  FormLaporan::IsiLabel(rpt, rs);
  rpt.SetCaption(T("LblTgl"), Panjang(rs.Date(T("Tgl_Masuk"))));
  rpt.SetCaption(T("LblNama"), rs.Text(T("Nama_Pemasok")));
  rpt.SetCaption(T("LblAlamat"), rs.Text(T("Alamat")));
}

// ---- profit and loss -----------------------------------------------------------------

frmKasPeriode::frmKasPeriode(QWidget* parent) : FormLaporan(LabaRugi, parent) {
  if (Terbuka()) AktifGridPreview();
  resize(720, 300);
}

void frmKasPeriode::TbPreview_Click() { TampilGridData(); }

void frmKasPeriode::AktifGridPreview() {
  ui::AturGrid(Grid(), {{T("TOTAL PEMASUKAN (Rp)"), 3000, true},
                        {T("TOTAL PENGELUARAN (Rp)"), 3000, true},
                        {T("TOTAL LABA / RUGI (Rp)"), 3000, true}});
  Grid()->SetRowHeightMin(300);
}

bool frmKasPeriode::Hitung(bool* adaMasuk, bool* adaKeluar) {
  masuk_ = keluar_ = 0;
  SQL.clear();
  SQL = QueryPreview();
  if (!Buka(RsLaporan, SQL)) return false;
  const QString sqlKeluar = QueryTampil();
  if (!Buka(RsLaporan2, sqlKeluar)) return false;
  *adaMasuk = RsLaporan->Int(T("Banyak")) > 0;
  *adaKeluar = RsLaporan2->Int(T("Banyak")) > 0;
  masuk_ = RsLaporan->Int(T("Total"));
  keluar_ = RsLaporan2->Int(T("Total"));
  return true;
}

void frmKasPeriode::TampilGridData() {
  Grid()->Clear();
  AktifGridPreview();
  Grid()->SetRows(2);
  bool adaMasuk = false, adaKeluar = false;
  if (!Hitung(&adaMasuk, &adaKeluar)) return;
  if (!adaMasuk) Beritahu(T("DATA PEMASUKAN MASIH KOSONG!"), Perhatian);
  if (!adaMasuk && !adaKeluar) return;
  if (!adaKeluar) Beritahu(T("DATA PENGELUARAN MASIH KOSONG!"), Perhatian);
  Grid()->SetTextMatrix(1, 0, Standar(masuk_));
  Grid()->SetTextMatrix(1, 1, Standar(keluar_));
  Grid()->SetTextMatrix(1, 2, Standar(masuk_ - keluar_));
}

void frmKasPeriode::TbTampil_Click() {
  // The totals of the period printed, whatever the last Preview showed.
  bool adaMasuk = false, adaKeluar = false;
  if (!Hitung(&adaMasuk, &adaKeluar)) return;
  if (!adaMasuk && !adaKeluar) {
    Beritahu(Ganti(jenis_.kosongDokumen), Informasi);
    return;
  }
  reports::Document& rpt = reports::Document::Get(jenis_.dokumen);
  IsiLabel(rpt, *RsLaporan);
  rpt.SetCaption(T("Label3"), Standar(masuk_));
  rpt.SetCaption(T("Label5"), Standar(keluar_));
  rpt.SetCaption(T("Label6"), Standar(masuk_ - keluar_));
  rpt.Show(this);
}
