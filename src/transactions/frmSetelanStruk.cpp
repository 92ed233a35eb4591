#include "transactions/frmSetelanStruk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "perangkat/EscPos.h"
#include "transactions/CetakStruk.h"
#include "transactions/frmCetakJual.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using perangkat::Tujuan;

namespace {
// The kinds in the order of the list, with the prefix of their setting and
// an example address.
struct Jenis {
  Tujuan::Jenis jenis;
  const char* nama;
  const char* awalan;
  const char* contoh;
};
constexpr Jenis kJenis[] = {
    {Tujuan::Jenis::Halaman, "Printer halaman (bawaan)", "page", ""},
    {Tujuan::Jenis::Berkas, "Perangkat ESC/POS (file)", "file:", "/dev/usb/lp0"},
    {Tujuan::Jenis::Jaringan, "Printer ESC/POS jaringan", "net:", "192.168.1.50:9100"},
    {Tujuan::Jenis::Cups, "Antrean CUPS raw (ESC/POS)", "cups:", "STRUK"},
};
const QString Judul = QStringLiteral("Printer Struk");
}  // namespace

frmSetelanStruk::frmSetelanStruk(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSetelanStruk"));
  setWindowTitle(QStringLiteral("  :: SETELAN PRINTER STRUK"));

  cmbJenis = new QComboBox(this);
  cmbJenis->setObjectName(QStringLiteral("cmbJenis"));
  for (const Jenis& j : kJenis) cmbJenis->addItem(QString::fromLatin1(j.nama));
  txtAlamat = ui::BuatKotak(this, "txtAlamat", 200);
  cmbLebar = new QComboBox(this);
  cmbLebar->setObjectName(QStringLiteral("cmbLebar"));
  cmbLebar->addItem(QStringLiteral("58 mm (%1 kolom)").arg(perangkat::Lebar58), perangkat::Lebar58);
  cmbLebar->addItem(QStringLiteral("80 mm (%1 kolom)").arg(perangkat::Lebar80), perangkat::Lebar80);
  chkPotong = new QCheckBox(QStringLiteral("Potong kertas setelah setiap struk"), this);
  chkPotong->setObjectName(QStringLiteral("chkPotong"));
  chkLaci = new QCheckBox(QStringLiteral("Buka laci kas pada penjualan tunai"), this);
  chkLaci->setObjectName(QStringLiteral("chkLaci"));
  txtKepala = new QPlainTextEdit(this);
  txtKepala->setObjectName(QStringLiteral("txtKepala"));
  txtKepala->setTabChangesFocus(true);
  txtKepala->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtKepala->setFixedHeight(90);
  lblMasalah = new QLabel(this);
  lblMasalah->setObjectName(QStringLiteral("lblMasalah"));
  lblMasalah->setWordWrap(true);

  TbCetakCoba = ui::Tombol(this, "TbCetakCoba", QStringLiteral("Cetak &Coba"), 110);
  TbSimpan = ui::Tombol(this, "TbSimpan", QStringLiteral("&Simpan"), 110);
  TbKeluar = ui::Tombol(this, "TbKeluar", QStringLiteral("&Keluar"), 110);

  auto* f = new QFormLayout;
  f->addRow(QStringLiteral("Printer struk"), cmbJenis);
  f->addRow(QStringLiteral("Alamat"), txtAlamat);
  f->addRow(QStringLiteral("Lebar kertas"), cmbLebar);
  f->addRow(QString(), chkPotong);
  f->addRow(QString(), chkLaci);
  f->addRow(QStringLiteral("Kepala struk\n(satu baris\nper baris)"), txtKepala);
  auto* tombol = new QHBoxLayout;
  tombol->addWidget(TbCetakCoba);
  tombol->addStretch();
  tombol->addWidget(TbSimpan);
  tombol->addWidget(TbKeluar);
  auto* v = new QVBoxLayout(this);
  v->addLayout(f);
  v->addWidget(lblMasalah);
  v->addLayout(tombol);
  resize(520, 380);

  connect(cmbJenis, &QComboBox::currentIndexChanged, this, &frmSetelanStruk::JenisBerubah);
  connect(TbCetakCoba, &QPushButton::clicked, this, &frmSetelanStruk::TbCetakCoba_Click);
  connect(TbSimpan, &QPushButton::clicked, this, &frmSetelanStruk::TbSimpan_Click);
  connect(TbKeluar, &QPushButton::clicked, this, &QDialog::reject);

  const perangkat::BacaanSetelan b = perangkat::BacaSetelan(cetak::BerkasSetelan());
  Tampilkan(b.setelan);
  // What the file held and could not be used is shown, not silently lost.
  if (!b.masalah.isEmpty())
    lblMasalah->setText(QStringLiteral("Di %1 ada nilai yang tidak dipakai:\n")
                            .arg(QDir::toNativeSeparators(cetak::BerkasSetelan())) +
                        b.masalah.join(QLatin1Char('\n')));
  if (!mdlUtama::AdminAktif()) {
    TbSimpan->setEnabled(false);
    lblMasalah->setText(QStringLiteral("Hanya ADMIN yang dapat mengubah setelan printer struk."));
  }
}

void frmSetelanStruk::JenisBerubah() {
  const Jenis& j = kJenis[std::max(0, cmbJenis->currentIndex())];
  const bool escpos = j.jenis != Tujuan::Jenis::Halaman;
  txtAlamat->setEnabled(escpos);
  txtAlamat->setPlaceholderText(QString::fromLatin1(j.contoh));
  chkPotong->setEnabled(escpos);
  chkLaci->setEnabled(escpos);
}

void frmSetelanStruk::Tampilkan(const perangkat::SetelanStruk& s) {
  for (int i = 0; i < int(std::size(kJenis)); ++i)
    if (kJenis[i].jenis == s.tujuan.jenis) cmbJenis->setCurrentIndex(i);
  // The address as its setting writes it, without the kind's prefix.
  const QString teks = s.tujuan.Teks();
  txtAlamat->setText(s.tujuan.EscPos() ? teks.mid(teks.indexOf(QLatin1Char(':')) + 1) : QString());
  cmbLebar->setCurrentIndex(s.lebar == perangkat::Lebar80 ? 1 : 0);
  chkPotong->setChecked(s.potong);
  chkLaci->setChecked(s.laci);
  txtKepala->setPlainText(s.kepala.join(QLatin1Char('\n')));
  JenisBerubah();
}

bool frmSetelanStruk::Isian(perangkat::SetelanStruk* s) {
  const Jenis& j = kJenis[std::max(0, cmbJenis->currentIndex())];
  perangkat::SetelanStruk baru;
  if (j.jenis != Tujuan::Jenis::Halaman) {
    QString alamat = txtAlamat->text().trimmed();
    const QString awalan = QString::fromLatin1(j.awalan);
    if (alamat.startsWith(awalan, Qt::CaseInsensitive)) alamat = alamat.mid(awalan.size()).trimmed();
    const std::optional<Tujuan> t = alamat.isEmpty() ? std::nullopt : Tujuan::Baca(awalan + alamat);
    if (!t || t->jenis != j.jenis) {
      ui::MsgBox(QStringLiteral("ALAMAT PRINTER STRUK TIDAK SAH: \"%1\"\rCONTOH UNTUK %2: %3")
                     .arg(alamat, cmbJenis->currentText().toUpper(), QString::fromLatin1(j.contoh)),
                 ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
      txtAlamat->setFocus();
      return false;
    }
    baru.tujuan = *t;
  }
  baru.lebar = cmbLebar->currentData().toInt();
  baru.potong = chkPotong->isChecked();
  baru.laci = chkLaci->isChecked();
  baru.kepala.clear();
  for (const QString& l : txtKepala->toPlainText().split(QLatin1Char('\n'))) baru.kepala << l.trimmed();
  while (!baru.kepala.isEmpty() && baru.kepala.last().isEmpty()) baru.kepala.removeLast();
  *s = baru;
  return true;
}

void frmSetelanStruk::TbSimpan_Click() {
  if (!mdlUtama::AdminAktif()) {
    ui::MsgBox(QStringLiteral("HANYA ADMIN YANG DAPAT MENGUBAH SETELAN PRINTER STRUK."),
               ui::vbOKOnly | ui::vbExclamation, Judul);
    return;
  }
  perangkat::SetelanStruk s;
  if (!Isian(&s)) return;
  QString galat;
  if (!perangkat::TulisSetelan(cetak::BerkasSetelan(), s, &galat)) {
    ui::MsgBox(QStringLiteral("SETELAN PRINTER STRUK TIDAK TERSIMPAN.\r") + galat, ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Error"));
    return;
  }
  lblMasalah->clear();
  ui::MsgBox(QStringLiteral("SETELAN PRINTER STRUK TELAH TERSIMPAN."), ui::vbOKOnly | ui::vbInformation, Judul);
}

void frmSetelanStruk::TbCetakCoba_Click() {
  perangkat::SetelanStruk s;
  if (!Isian(&s)) return;
  if (!s.tujuan.EscPos()) {
    // The page printer takes the same test page as text in the receipt font.
    QStringList baris;
    for (const perangkat::BarisCetak& b : perangkat::SusunCoba(s.lebar, s.kepala)) baris << b.teks;
    std::unique_ptr<QPrinter> printer = ui::DefaultPrinter();
    if (!printer || !frmCetakJual::CetakKe(printer.get(), baris.join(QStringLiteral("\r\n")))) {
      ui::MsgBox(printer ? QStringLiteral("TES CETAK GAGAL: PRINTER HALAMAN TIDAK DAPAT MENCETAK.")
                         : QStringLiteral("TES CETAK GAGAL: BELUM ADA PRINTER TERINSTALL DI KOMPUTER INI."),
                 ui::vbOKOnly | ui::vbCritical, Judul);
      return;
    }
    ui::MsgBox(QStringLiteral("TES CETAK TELAH DIKIRIM KE PRINTER HALAMAN."), ui::vbOKOnly | ui::vbInformation, Judul);
    return;
  }
  const perangkat::HasilKirim h = cetak::Kirim(s, perangkat::CetakCoba(s.lebar, s.potong, s.kepala));
  if (!h.ok) {
    ui::MsgBox(QStringLiteral("TES CETAK GAGAL.\r") + cetak::TeksGagal(s.tujuan, h), ui::vbOKOnly | ui::vbCritical,
               Judul);
    return;
  }
  ui::MsgBox(QStringLiteral("TES CETAK TERKIRIM KE %1 (%2 KOLOM).\rPERIKSA PENGGARIS: ANGKA TERAKHIR HARUS TEPAT "
                            "DI TEPI KANAN KERTAS.")
                 .arg(s.tujuan.Teks())
                 .arg(s.lebar),
             ui::vbOKOnly | ui::vbInformation, Judul);
}
