#include "reports/LapMaster.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "core/mdlUtama.h"
#include "reports/DeLaporan.h"
#include "reports/Document.h"
#include "ui/Input.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

using namespace mdlUtama;

namespace reports {

namespace {
QString HariIni() { return QLocale().toString(ui::Today(), QStringLiteral("dd MMMM yyyy")); }

Document& Siapkan(const QString& dokumen) {
  Document& rpt = Document::Get(dokumen);
  rpt.SetCaption(QStringLiteral("LblTanggal"), HariIni());
  return rpt;
}
}  // namespace

BarisDaftar::BarisDaftar(const QString& dokumen) {
  const ReportDef& def = Document::Get(dokumen).Def();
  QString error;
  if (db::RecordsetPtr rs = DeLaporan().Execute(def.command, &error)) {
    baris = std::make_unique<RecordsetRows>(rs);
    ok = true;
    return;
  }
  ui::MsgBox(def.windowTitle.toUpper() + QStringLiteral(" TIDAK DAPAT DITAMPILKAN\n") + error,
             ui::vbOKOnly | ui::vbCritical, QStringLiteral("Kesalahan"));
  baris = std::make_unique<TableRows>(QStringList{});
}

LapDaftar::LapDaftar(const QString& dokumen, QWidget* parent)
    : BarisDaftar(dokumen), PreviewWindow(Siapkan(dokumen).Def(), Document::Get(dokumen).AllCaptions(), *baris, parent) {
  // Nothing to show once the person has been told why: it closes as it opens.
  if (!ok) QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

}  // namespace reports

frmLapBarangGrup::frmLapBarangGrup(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmLapBarangGrup"));
  setWindowTitle(QStringLiteral("   ::  Laporan Barang Per Grup"));
  auto* Label1 = new QLabel(QStringLiteral("Grup Barang"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  CmbGrup = new QComboBox(this);
  CmbGrup->setObjectName(QStringLiteral("CmbGrup"));
  CmbGrup->setEditable(true);
  CmbGrup->setInsertPolicy(QComboBox::NoInsert);
  CmbGrup->setMinimumWidth(260);
  ui::TanpaKendali(CmbGrup);
  TbTampil = ui::Tombol(this, "TbTampil", QStringLiteral("&TAMPILKAN"), 100, 30);
  TbBatal = ui::Tombol(this, "TbBatal", QStringLiteral("&BATAL"), 100, 30);
  auto* g = new QGridLayout(this);
  g->addWidget(Label1, 0, 0);
  g->addWidget(CmbGrup, 0, 1, 1, 2);
  g->addWidget(TbTampil, 1, 1);
  g->addWidget(TbBatal, 1, 2);
  connect(TbTampil, &QPushButton::clicked, this, &frmLapBarangGrup::TbTampil_Click);
  connect(TbBatal, &QPushButton::clicked, this, &QDialog::reject);

  if (!BukaKoneksi()) return;
  SQL.clear();
  SQL = QStringLiteral("SELECT * FROM Grup ") + QStringLiteral(" ORDER BY Nama_Grup");
  db::RecordsetPtr rs;
  if (!Buka(rs, SQL)) return;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) CmbGrup->addItem(rs->Text(QStringLiteral("Nama_Grup")));
  CmbGrup->setCurrentIndex(-1);
  CmbGrup->clearEditText();
}

void frmLapBarangGrup::TbTampil_Click() {
  const QString grup = CmbGrup->currentText();
  SQL.clear();
  SQL = QStringLiteral(" SELECT Barang.*, Grup.Nama_Grup ") + QStringLiteral(" FROM Grup,Produk,Barang ") +
        QStringLiteral(" WHERE Grup.Kode_Grup=Produk.Kode_Grup ") +
        QStringLiteral(" AND Produk.Kode_Produk = Barang.Kode_Produk ") + QStringLiteral(" AND Grup.Nama_Grup=") +
        db::Quote(grup) + QStringLiteral(" ORDER BY Barang.Kode_Barang");
  if (!Buka(RsLaporan, SQL)) return;
  if (RsLaporan->RecordCount() == 0) {
    ui::MsgBox(QStringLiteral("TIDAK ADA DATA YANG DILAPORKAN"), ui::vbOKOnly | ui::vbInformation,
               QStringLiteral("Informasi"));
    return;
  }
  reports::DeLaporan().CommandText(QStringLiteral("cmdBarangGrup")) = SQL;
  reports::Document& rpt = reports::Document::Get(QStringLiteral("rptLapBarangGrup"));
  rpt.SetCaption(QStringLiteral("LblGrup"), grup);
  rpt.SetCaption(QStringLiteral("LblTanggal"), QLocale().toString(ui::Today(), QStringLiteral("dd MMMM yyyy")));
  rpt.Show(this);
}
