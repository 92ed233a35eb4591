#include "transactions/frmTransaksi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/DateText.h"
#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
// The two directions the cash reports and the profit and loss read.
const QString Debet = QStringLiteral("DEBET");
const QString Kredit = QStringLiteral("KREDIT");

void Salah(const QString& teks, QWidget* fokus) {
  ui::MsgBox(teks, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
  fokus->setFocus();
}
}  // namespace

frmTransaksi::frmTransaksi(QWidget* parent) : FormTransaksi(parent) {
  setObjectName(QStringLiteral("frmTransaksi"));
  setWindowTitle(QStringLiteral("  :: REKENING TRANSAKSI"));

  auto* Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  TxtNoRekening = Kotak(Frame1, "TxtNoRekening", 10);
  TxtTgl = new ui::MaskEdBox(Frame1);
  TxtTgl->setObjectName(QStringLiteral("TxtTgl"));
  TxtTgl->SetMask(QStringLiteral("##/##/####"));
  // Only the two directions: any other word would be stored and then be
  // missing from every cash report.
  cmbDK = new QComboBox(Frame1);
  cmbDK->setObjectName(QStringLiteral("cmbDK"));
  cmbDK->setEditable(false);
  cmbDK->addItems({Debet, Kredit});
  txtTransaksi = Kotak(Frame1, "txtTransaksi");
  TxtJumlah = Kotak(Frame1, "TxtJumlah", 9, true);
  TxtNoRekening->setFixedWidth(130);
  TxtTgl->setFixedWidth(110);
  cmbDK->setFixedWidth(130);
  TxtJumlah->setFixedWidth(130);
  auto* g1 = new QGridLayout(Frame1);
  g1->addWidget(Label(Frame1, "Label1", QStringLiteral("Nomor Rekening")), 0, 0);
  g1->addWidget(TxtNoRekening, 0, 1);
  g1->addWidget(Label(Frame1, "Label2", QStringLiteral("Tanggal")), 0, 3, Qt::AlignRight);
  g1->addWidget(TxtTgl, 0, 4);
  g1->addWidget(Label(Frame1, "Label3", QStringLiteral("Debet / Kredit")), 1, 0);
  g1->addWidget(cmbDK, 1, 1);
  g1->addWidget(Label(Frame1, "Label4", QStringLiteral("Transaksi")), 2, 0);
  g1->addWidget(txtTransaksi, 2, 1, 1, 4);
  g1->addWidget(Label(Frame1, "Label5", QStringLiteral("Jumlah (Rp)")), 3, 0);
  g1->addWidget(TxtJumlah, 3, 1);
  g1->setColumnStretch(2, 1);

  auto* Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  TbBaru = ui::Tombol(Frame2, "TbBaru", QStringLiteral("Transaksi &Baru"), 130, 32);
  TbSimpan = ui::Tombol(Frame2, "TbSimpan", QStringLiteral("&Simpan"), 130, 32);
  TbKeluar = ui::Tombol(Frame2, "TbKeluar", CaptionKeluar, 130, 32);
  auto* v2 = new QVBoxLayout(Frame2);
  for (QPushButton* b : {TbBaru, TbSimpan, TbKeluar}) v2->addWidget(b);
  v2->addStretch();

  GridRekening = new ui::FlexGrid(this);
  GridRekening->setObjectName(QStringLiteral("GridRekening"));

  auto* atas = new QHBoxLayout;
  atas->addWidget(Frame1, 1);
  atas->addWidget(Frame2);
  auto* v = new QVBoxLayout(this);
  v->addLayout(atas);
  v->addWidget(GridRekening, 1);
  resize(800, 560);

  TxtNoRekening->setReadOnly(true);
  TxtNoRekening->setFocusPolicy(Qt::ClickFocus);
  setTabOrder(cmbDK, txtTransaksi);
  setTabOrder(txtTransaksi, TxtJumlah);
  setTabOrder(TxtJumlah, TbSimpan);
  setTabOrder(TbSimpan, TbBaru);
  setTabOrder(TbBaru, TbKeluar);
  setTabOrder(TbKeluar, GridRekening);

  ui::SetKeyFilter(cmbDK, ui::EnterMovesFocus);
  ui::SetKeyFilter(txtTransaksi, ui::EnterMovesFocus);
  ui::SetKeyFilter(TxtJumlah, ui::DigitsOnly | ui::EnterMovesFocus);

  // The date of saving is what is stored: the date box only shows it.
  DaftarIsian({TxtNoRekening, TxtTgl, cmbDK, txtTransaksi, TxtJumlah}, {TxtTgl});
  PertanyaanTutup(QStringLiteral("YAKIN AKAN MENUTUP JENDELA INI..?"), QStringLiteral("Exit"), true);

  connect(TbBaru, &QPushButton::clicked, this, &frmTransaksi::TbBaru_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &frmTransaksi::TbSimpan_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &frmTransaksi::TbKeluar_Click);

  // Load
  FormMati();
  FormKosong();
  ModeTransaksi(false);
  TbSimpan->setEnabled(false);
  if (!BukaKoneksi()) return;
  TampilGridData();
}

void frmTransaksi::FormKosong() {
  TxtNoRekening->clear();
  cmbDK->setCurrentIndex(-1);
  txtTransaksi->clear();
  TxtJumlah->clear();
  TxtTgl->SetText(QString());
  GridRekening->Clear();
  GridRekening->SetRows(2);
  AktifGridMasuk();
}

void frmTransaksi::FormNormal() {
  FormMati();
  FormKosong();
  TampilGridData();
  DokumenDiam();
}

void frmTransaksi::AktifGridMasuk() {
  GridRekening->SetFixedCols(0);
  ui::AturGrid(GridRekening, {{QStringLiteral("KODE"), 1300},
                              {QStringLiteral("TANGGAL"), 1500},
                              {QStringLiteral("DEBET / KREDIT"), 1800},
                              {QStringLiteral("TRANSAKSI"), 5000},
                              {QStringLiteral("JUMLAH (Rp)"), 1500, true}});
  GridRekening->SetRowHeightMin(300);
}

void frmTransaksi::TampilGridData() {
  GridRekening->Clear();
  AktifGridMasuk();
  GridRekening->SetRows(2);
  // Read anew every time: the list is never older than the last save.
  SQL = QStringLiteral("SELECT * FROM Rekening ORDER BY kode");
  if (!Buka(RsRekening, SQL)) return;
  if (RsRekening->RecordCount() == 0) {
    ui::MsgBox(QStringLiteral("DATA REKENING MASIH KOSONG!"), ui::vbOKOnly | ui::vbInformation,
               QStringLiteral("Perhatian"));
    return;
  }
  GridRekening->Reserve(RsRekening->RecordCount() + 1);
  GridRekening->SetRows(RsRekening->RecordCount() + 1);
  int i = 1;
  for (RsRekening->MoveFirst(); !RsRekening->Eof(); RsRekening->MoveNext(), ++i) {
    GridRekening->SetTextMatrix(i, 0, RsRekening->Text(QStringLiteral("kode")));
    const QDate tanggal = RsRekening->Date(QStringLiteral("tanggal"));
    GridRekening->SetTextMatrix(i, 1, tanggal.isValid() ? base::ShortDateText(tanggal) : QString());
    GridRekening->SetTextMatrix(i, 2, RsRekening->Text(QStringLiteral("dk")));
    GridRekening->SetTextMatrix(i, 3, RsRekening->Text(QStringLiteral("transaksi")));
    GridRekening->SetTextMatrix(i, 4, RsRekening->Text(QStringLiteral("jumlah")));
  }
  // The newest entries, the one just saved among them, are those in view.
  GridRekening->scrollToBottom();
}

void frmTransaksi::kode() { TxtNoRekening->setText(NomorBaru(toko::SeriKas)); }

void frmTransaksi::TbBaru_Click() {
  TxtTgl->SetText(FormatTanggal(ui::Today()));
  kode();
  // No number, no entry: the reason has been shown.
  if (TxtNoRekening->text().isEmpty()) return;
  AktifGridMasuk();
  DokumenBuka(cmbDK);
}

void frmTransaksi::TbSimpan_Click() {
  const QString dk = cmbDK->currentText();
  if (dk != Debet && dk != Kredit) return Salah(QStringLiteral("DEBET / KREDIT BELUM DIPILIH"), cmbDK);
  if (txtTransaksi->text().trimmed().isEmpty())
    return Salah(QStringLiteral("KETERANGAN TRANSAKSI MASIH KOSONG"), txtTransaksi);
  if (TxtJumlah->text().isEmpty()) return Salah(QStringLiteral("JUMLAH MASIH KOSONG"), TxtJumlah);

  toko::Kas kas;
  kas.kode = TxtNoRekening->text();
  kas.tanggal = ui::Today();
  kas.dk = dk;
  kas.transaksi = txtTransaksi->text();
  ui::Angka(TxtJumlah->text(), &kas.jumlah);
  QString nomor;
  // Not stored: the entry stays open to be saved again.
  if (!Simpan(kas, &nomor)) return;
  TxtNoRekening->setText(nomor);
  ui::MsgBox(QStringLiteral("DATA REKENING TELAH TERSIMPAN !"), ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Info"));
  FormNormal();
}

void frmTransaksi::Batal() { FormNormal(); }
