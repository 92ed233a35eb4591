#include "transactions/FormTransaksi.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/mdlUtama.h"
#include "ui/FlexGrid.h"
#include "ui/Input.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"
#include "toko/Barang.h"
#include "toko/Kode.h"

using namespace mdlUtama;

FormTransaksi::FormTransaksi(QWidget* parent) : QDialog(parent) {}

bool FormTransaksi::SedangTransaksi() const { return TbKeluar && TbKeluar->text() == CaptionBatal; }

void FormTransaksi::DaftarIsian(const QList<QWidget*>& isian, const QList<QWidget*>& tetapMati) {
  isian_ = isian;
  tetapMati_ = tetapMati;
}

void FormTransaksi::FormMati() {
  for (QWidget* w : isian_) ui::SetInputEnabled(w, false);
}

void FormTransaksi::FormHidup() {
  for (QWidget* w : isian_) ui::SetInputEnabled(w, !tetapMati_.contains(w));
}

void FormTransaksi::ModeTransaksi(bool buka) { TbKeluar->setText(buka ? CaptionBatal : CaptionKeluar); }

void FormTransaksi::PertanyaanTutup(const QString& text, const QString& title, bool hanyaSaatDokumen) {
  tanyaTeks_ = text;
  tanyaJudul_ = title;
  tanyaSaatDokumen_ = hanyaSaatDokumen;
}

bool FormTransaksi::KaliBaris(const QString& harga, const QString& jumlah, qint64* hasil) {
  qint64 h, j;
  return ui::Angka(harga, &h) && ui::Angka(jumlah, &j) && !__builtin_mul_overflow(h, j, hasil);
}

FormTransaksi::Barang FormTransaksi::CariBarang(const QString& kode) {
  SQL = QStringLiteral("SELECT * FROM Barang ") + QStringLiteral(" WHERE Kode_Barang=") + db::Quote(kode) +
        QStringLiteral(" ");
  if (!Buka(RsBarang, SQL)) return Barang::Gagal;
  return RsBarang->RecordCount() > 0 ? Barang::Ada : Barang::TidakAda;
}

void FormTransaksi::TbKeluar_Click() {
  if (SedangTransaksi()) {
    if (AdaBaris()) {
      Pesan = QString::number(ui::MsgBox(QStringLiteral("YAKIN AKAN MEMBATALKAN TRANSAKSI INI..?"),
                                         ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                                         QStringLiteral("Konfirmasi")));
      if (Pesan.toInt() != ui::vbYes) return;
    }
    Batal();
    return;
  }
  close();
}

void FormTransaksi::reject() {
  if (!tanyaTeks_.isEmpty() && (!tanyaSaatDokumen_ || SedangTransaksi())) {
    // With a document open Yes throws it away: Enter must not.
    const int awal = SedangTransaksi() ? ui::vbDefaultButton2 : ui::vbDefaultButton1;
    Pesan = QString::number(ui::MsgBox(tanyaTeks_, ui::vbYesNo | ui::vbQuestion | awal, tanyaJudul_));
    if (Pesan.toInt() != ui::vbYes) return;
  }
  QDialog::reject();
}

void FormTransaksi::BersihBarisBarang() {
  txtKodeG->clear();
  TxtNama->clear();
  TxtJumlah->clear();
  TxtKode->SetText(QString());
  harga_->setText(QStringLiteral("0"));
  HitungSubTotal();
}

QString FormTransaksi::NomorBerikut(db::RecordsetPtr& rs, const QString& sql, const QString& keyField,
                                    const QString& prefix, int width) {
  // A failed read is no empty table: the numbers would start again at 1.
  if (!Buka(rs, sql)) return QString();
  QString terakhir;
  if (rs->RecordCount() > 0) {
    rs->MoveLast();
    terakhir = rs->Text(keyField);
  }
  const toko::NextCodeResult r = toko::NextCode(prefix, width, terakhir);
  if (!r.ok) {
    ui::MsgBox(r.error, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
    return QString();
  }
  return r.code;
}

FormTransaksi::HasilSimpan FormTransaksi::SimpanDokumen(
    const QString& nomor, const QString& table, const QString& keyField, const QString& prefix, int width,
    const std::function<QList<Perintah>(const QString&)>& statements) {
  HasilSimpan h;
  db::ConnectionPtr c = Conn;
  if (!c || !c->IsOpen()) {
    h.error = QStringLiteral("Database belum terbuka");
    return h;
  }
  if (!c->BeginTrans()) {
    h.error = c->LastError();
    h.busy = c->LastErrorBusy();
    return h;
  }
  auto gagal = [&](const QString& e, bool busy = false, const QString& statement = QString()) {
    c->RollbackTrans();
    h.error = e;
    h.busy = busy;
    h.statement = statement;
    return h;
  };

  // The number was taken from the last stored row when the document was
  // started; another till may have stored it since. The write lock is held
  // from here on, so the free number found now stays free.
  h.nomor = nomor;
  db::Recordset ada;
  if (!ada.Open(QStringLiteral("SELECT ") + keyField + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") +
                    keyField + QStringLiteral(" = ") + db::Quote(nomor),
                c))
    return gagal(ada.LastError(), ada.LastErrorBusy(), ada.Source());
  if (ada.RecordCount() > 0) {
    db::Recordset akhir;
    if (!akhir.Open(QStringLiteral("SELECT ") + keyField + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") +
                        keyField + QStringLiteral(" LIKE ") + db::Quote(prefix + QStringLiteral("%")) +
                        QStringLiteral(" ORDER BY ") + keyField,
                    c))
      return gagal(akhir.LastError(), akhir.LastErrorBusy(), akhir.Source());
    akhir.MoveLast();
    const toko::NextCodeResult r = toko::NextCode(prefix, width, akhir.Eof() ? QString() : akhir.Text(keyField));
    if (!r.ok) return gagal(r.error);
    h.nomor = r.code;
  }

  for (const Perintah& p : statements(h.nomor)) {
    SQL = p.sql;
    int baris = 0;
    if (!c->Execute(SQL, &baris)) return gagal(c->LastError(), c->LastErrorBusy(), SQL);
    if (p.wajibBaris && baris == 0)
      return gagal(QStringLiteral("Data yang dituju perintah ini tidak ada lagi di database."), false, SQL);
  }
  if (!c->CommitTrans()) return gagal(c->LastError(), c->LastErrorBusy());
  h.ok = true;
  return h;
}

void FormTransaksi::TampilGagalSimpan(const HasilSimpan& h) {
  const QString crlf = QStringLiteral("\r\n");
  QString teks = QStringLiteral("DATA TRANSAKSI GAGAL DISIMPAN!") + crlf;
  if (h.busy) teks += QStringLiteral("DATABASE SEDANG DIPAKAI PROGRAM LAIN. Tunggu sebentar.") + crlf;
  teks += QStringLiteral("Tidak ada data yang tersimpan; transaksi masih di layar dan dapat disimpan kembali.") + crlf + crlf;
  if (!h.statement.isEmpty()) teks += QStringLiteral("Perintah: ") + db::ShortStatement(h.statement) + crlf;
  teks += QStringLiteral("Pesan database: ") + h.error;
  ui::MsgBox(teks, ui::vbOKOnly | ui::vbCritical, QStringLiteral("Error"));
}

QLineEdit* FormTransaksi::Kotak(QWidget* parent, const char* name, int maxLength, bool kanan) {
  QLineEdit* t = ui::BuatKotak(parent, name, maxLength);
  if (kanan) t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return t;
}

QLabel* FormTransaksi::Label(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QGroupBox* FormTransaksi::BuatBarisBarang(const Tulisan (&label)[5], const char* namaHarga, int hargaMax,
                                         const QString& masuk, QLineEdit** harga) {
  auto* Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  txtKodeG = Kotak(Frame2, "txtKodeG", 3);
  TxtKode = new ui::MaskEdBox(Frame2);
  TxtKode->setObjectName(QStringLiteral("TxtKode"));
  TxtKode->SetMask(QStringLiteral("###.###"));
  TbCari = ui::Tombol(Frame2, "TbCari", QStringLiteral("Ca&ri"));
  TxtNama = Kotak(Frame2, "TxtNama");
  *harga = harga_ = Kotak(Frame2, namaHarga, hargaMax, true);
  TxtJumlah = Kotak(Frame2, "TxtJumlah", 3, true);
  TxtTotal = Kotak(Frame2, "TxtTotal", 0, true);
  TbMasuk = ui::Tombol(Frame2, "TbMasuk", masuk);
  txtKodeG->setFixedWidth(50);
  TxtKode->setFixedWidth(80);
  harga_->setFixedWidth(110);
  TxtJumlah->setFixedWidth(60);
  TxtTotal->setFixedWidth(120);
  auto* kode = new QHBoxLayout;
  kode->addWidget(txtKodeG);
  kode->addWidget(new QLabel(QStringLiteral("."), Frame2));
  kode->addWidget(TxtKode);
  kode->addWidget(TbCari);
  kode->addStretch();
  auto* g = new QGridLayout(Frame2);
  g->addWidget(Label(Frame2, label[0].name, label[0].caption), 0, 0);
  g->addLayout(kode, 0, 1, 1, 3);
  g->addWidget(Label(Frame2, label[1].name, label[1].caption), 1, 0);
  g->addWidget(TxtNama, 1, 1, 1, 6);
  g->addWidget(Label(Frame2, label[2].name, label[2].caption), 2, 0);
  g->addWidget(harga_, 2, 1);
  g->addWidget(Label(Frame2, label[3].name, label[3].caption), 2, 2, Qt::AlignRight);
  g->addWidget(TxtJumlah, 2, 3);
  g->addWidget(Label(Frame2, label[4].name, label[4].caption), 2, 4, Qt::AlignRight);
  g->addWidget(TxtTotal, 2, 5);
  g->addWidget(TbMasuk, 2, 6);
  g->setColumnStretch(1, 1);
  connect(harga_, &QLineEdit::textChanged, this, &FormTransaksi::HitungSubTotal);
  connect(TxtJumlah, &QLineEdit::textChanged, this, &FormTransaksi::HitungSubTotal);
  return Frame2;
}

QString FormTransaksi::KodeLengkap() const {
  return txtKodeG->text() + QStringLiteral(".") + TxtKode->Text();
}

void FormTransaksi::HitungSubTotal() {
  const QString harga = harga_->text(), jumlah = TxtJumlah->text();
  if (jumlah.isEmpty() || harga.isEmpty()) {
    TxtTotal->setText(QStringLiteral("0"));
    return;
  }
  qint64 sub;
  if (KaliBaris(harga, jumlah, &sub)) TxtTotal->setText(QString::number(sub));
}

void FormTransaksi::CariBarangDiDaftar(const QString& dialog, QWidget* lanjut) {
  // The dialog is modal: this window and the main window wait for it and
  // nothing needs switching off (and so nothing can stay off).
  QDialog* cari = ui::CreateWindow(dialog, this);
  if (!cari) return;
  // The pick comes back as an item; this screen writes its own item line.
  cari->setProperty("isiPemanggil", false);
  ui::ShowModal(cari);
  const auto b = cari->property("dipilih").value<toko::BarangDipilih>();
  delete cari;
  if (b.dipilih) {
    txtKodeG->setText(b.kode.left(3));
    TxtKode->SetText(b.kode.right(7));
    TxtNama->setText(b.nama);
    if (b.denganHarga) harga_->setText(b.ada() ? QString::number(b.hargaJual) : QString());
  }
  if (!TxtNama->text().isEmpty() && lanjut->isEnabled()) lanjut->setFocus();
}
