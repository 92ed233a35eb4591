#include "transactions/frmCetakJual.h"

#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "toko/Dokumen.h"
#include "transactions/CetakStruk.h"
#include "transactions/mdlCetak.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace {
QFont HurufNota() {
  QFont f(QStringLiteral("Courier New"), 9);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}
}  // namespace

frmCetakJual::frmCetakJual(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCetakJual"));
  setWindowTitle(QStringLiteral("  :: CETAK NOTA TRANSAKSI PENJUALAN"));

  rtfLap = new QPlainTextEdit(this);
  rtfLap->setObjectName(QStringLiteral("rtfLap"));
  rtfLap->setFont(HurufNota());
  rtfLap->setReadOnly(true);  // the receipt mirrors the stored sale
  rtfLap->setLineWrapMode(QPlainTextEdit::NoWrap);
  rtfLap->setTabChangesFocus(true);  // Tab goes on to the buttons

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  cmdCetak = ui::Tombol(Frame1, "cmdCetak", QStringLiteral("&Cetak"), 110);
  cmdSimpan = ui::Tombol(Frame1, "cmdSimpan", QStringLiteral("&Simpan"), 110);
  cmdKeluar = ui::Tombol(Frame1, "cmdKeluar", QStringLiteral("&Keluar"), 110);
  cmdCetakUlang = ui::Tombol(Frame1, "cmdCetakUlang", QStringLiteral("Cetak &Ulang"), 110);
  auto* tombol = new QHBoxLayout(Frame1);
  tombol->addWidget(cmdCetakUlang);
  tombol->addStretch();
  tombol->addWidget(cmdCetak);
  tombol->addWidget(cmdSimpan);
  tombol->addWidget(cmdKeluar);

  auto* v = new QVBoxLayout(this);
  v->addWidget(rtfLap, 1);
  v->addWidget(Frame1);

  // Wide enough for a whole receipt line at the screen's font size.
  const QFontMetrics fm(rtfLap->font());
  resize(fm.horizontalAdvance(QString(84, QLatin1Char('M'))) + 60, 560);

  connect(cmdCetak, &QPushButton::clicked, this, &frmCetakJual::cmdCetak_Click);
  connect(cmdSimpan, &QPushButton::clicked, this, &frmCetakJual::cmdSimpan_Click);
  connect(cmdKeluar, &QPushButton::clicked, this, &frmCetakJual::cmdKeluar_Click);
  connect(cmdCetakUlang, &QPushButton::clicked, this, &frmCetakJual::cmdCetakUlang_Click);
}

bool frmCetakJual::Form_Load() {
  mdlCetak::DataNota nota;
  nota.noNota = NoNota;
  nota.totHarga = TotHarga;
  nota.uangBayar = UangBayar;
  nota.uangKembali = UangKembali;
  nota.tanggal = ui::Today();
  teks_.clear();
  rtfLap->clear();

  toko::Penjualan jual;
  if (!cetak::BacaNota(NoNota, QStringLiteral("NOTA %1 TIDAK DAPAT DITAMPILKAN").arg(NoNota), &jual)) return false;
  for (const toko::BarisJual& b : jual.baris) nota.baris << mdlCetak::BarisNota{b.kode, b.nama, b.harga, b.jumlah};
  teks_ = mdlCetak::SusunNota(nota);
  rtfLap->setPlainText(QString(teks_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  return true;
}

bool frmCetakJual::CetakKe(QPrinter* printer, const QString& teks) {
  QPainter p;
  if (!p.begin(printer)) return false;
  QFont f = HurufNota();
  p.setFont(QFont(f, printer));
  const QFontMetrics fm(p.font(), printer);
  const QRect halaman = printer->pageLayout().paintRectPixels(printer->resolution());
  const int tinggi = halaman.height();
  int y = fm.ascent();
  for (const QString& baris : teks.split(QStringLiteral("\r\n"))) {
    if (y + fm.descent() > tinggi) {
      if (!printer->newPage()) return false;
      y = fm.ascent();
    }
    p.drawText(0, y, baris);
    y += fm.lineSpacing();
  }
  return p.end() && printer->printerState() != QPrinter::Error;
}

void frmCetakJual::cmdCetak_Click() {
  std::unique_ptr<QPrinter> printer = ui::DefaultPrinter();
  if (!mdlCetak::AdaPrinter(printer.get())) {
    ui::MsgBox(QStringLiteral("Belum ada printer terinstall di\rkomputer Anda. Silahkan install\rprinter terlebih dulu!"),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Belum Diinstall"));
    return;
  }
  if (teks_.isEmpty()) {
    ui::MsgBox(QStringLiteral("Belum ada data yang akan dicetak!\rPilih kategori laporan yang akan Anda\r"
                              "cetak, lalu klik menu Cetak."),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Data Tidak Ada"));
    return;
  }
  if (!CetakKe(printer.get(), teks_)) {
    ui::MsgBox(QStringLiteral("Kesalahan nomor: 482. Keterangan: Printer error\r\r"
                              "Kemungkinan printer belum diaktifkan\r"
                              "atau kertas habis/belum dipasang!\r"
                              "Nyalakan printer atau pasang kertas,\r"
                              "lalu klik menu Cetak kembali!"),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Error"));
    return;
  }
  ui::MsgBox(QStringLiteral("Hasil cetakan sudah benar?"), ui::vbYesNo | ui::vbQuestion, QStringLiteral("Cetak"));
}

void frmCetakJual::cmdSimpan_Click() {
  // The receipt's number as the name: "JL-0000073.txt".
  const QString nota = ui::NamaFile(NoNota);
  const QString nama = ui::GetSaveFileName(this, QStringLiteral("Simpan sebagai file..."), QStringLiteral("*.txt|*.txt"),
                                           nota.isEmpty() ? QString() : nota + QStringLiteral(".txt"));
  if (nama.isEmpty()) return;
  QFile f(nama);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;  // silent, as a cancelled save
  f.write((teks_ + QStringLiteral("\r\n")).toLatin1());
}

void frmCetakJual::cmdKeluar_Click() { accept(); }

void frmCetakJual::CetakPenjualan(QWidget* parent, const toko::Penjualan& jual, const QString& totHarga,
                                  const QString& uangBayar, const QString& uangKembali) {
  const perangkat::SetelanStruk s = cetak::Setelan();
  if (s.tujuan.EscPos()) {
    toko::Penjualan dibaca;
    if (!cetak::BacaNota(jual.nomor, QStringLiteral("STRUK NOTA %1 TIDAK DAPAT DICETAK").arg(jual.nomor), &dibaca))
      return;
    // Payment and change are the till's: the store keeps neither.
    dibaca.bayar = jual.bayar;
    dibaca.kembali = jual.kembali;
    cetak::KirimStruk(dibaca, s, mdlUtama::Sekarang().time(), false);
    return;
  }
  auto* nota = new frmCetakJual(parent);
  nota->NoNota = jual.nomor;
  nota->TotHarga = totHarga;
  nota->UangBayar = uangBayar;
  nota->UangKembali = uangKembali;
  // A receipt whose lines cannot be read back is not shown empty: the
  // window has said why there is none.
  if (nota->Form_Load()) ui::ShowModal(nota);
  delete nota;
}

void frmCetakJual::CetakUlang(const QString& nomor) {
  toko::Penjualan jual;
  if (!cetak::BacaNota(nomor, QStringLiteral("NOTA %1 TIDAK DAPAT DICETAK ULANG").arg(nomor), &jual)) return;
  if (!cetak::BolehCetakUlang(jual)) return;
  const perangkat::SetelanStruk s = cetak::Setelan();
  if (s.tujuan.EscPos()) {
    cetak::KirimStruk(jual, s, QTime(), true);
    return;
  }
  mdlCetak::DataNota nota;
  nota.noNota = jual.nomor;
  nota.totHarga = QString::number(jual.total);
  nota.tanggal = jual.tanggal;
  nota.cetakUlang = true;
  for (const toko::BarisJual& b : jual.baris) nota.baris << mdlCetak::BarisNota{b.kode, b.nama, b.harga, b.jumlah};
  NoNota = jual.nomor;
  TotHarga = nota.totHarga;
  UangBayar.clear();
  UangKembali.clear();
  teks_ = mdlCetak::SusunNota(nota);
  rtfLap->setPlainText(QString(teks_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  if (isVisible())
    cmdCetak_Click();
  else
    ui::ShowModal(this);
}
