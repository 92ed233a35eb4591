#include "core/frmBackup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlUtama.h"
#include "db/Server.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

namespace {
enum Kolom { kTanggal, kJam, kUkuran, kDiperiksa, kNama, kKolom };

QString Ukuran(qint64 byte) {
  return QLocale(QLocale::Indonesian).toString(double(byte) / 1024.0, 'f', 0) + QStringLiteral(" KB");
}
}  // namespace

frmBackup::frmBackup(QWidget* parent) : QDialog(parent) {
  setObjectName("frmBackup");
  setWindowTitle("Daftar Backup Database");
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  resize(640, 380);

  auto* folder = new QLabel(QStringLiteral("Folder: %1").arg(QDir::toNativeSeparators(
                                db::BackupFolder(mdlUtama::SalinanDatabase()))),
                            this);
  folder->setObjectName("lblFolder");
  folder->setTextInteractionFlags(Qt::TextSelectableByMouse);

  GridBackup = new ui::FlexGrid(this);
  GridBackup->setObjectName("GridBackup");
  GridBackup->SetCols(kKolom);
  const char* const judul[] = {"Tanggal", "Jam", "Ukuran", "Diperiksa", "Nama File"};
  const int lebar[] = {1300, 1000, 1300, 1900, 3600};
  for (int c = 0; c < kKolom; ++c) {
    GridBackup->SetTextMatrix(0, c, QString::fromLatin1(judul[c]));
    GridBackup->SetColWidth(c, lebar[c]);
  }
  GridBackup->SetColAlignment(kUkuran, Qt::AlignRight | Qt::AlignVCenter);

  TbPeriksa = ui::Tombol(this, "TbPeriksa", "P&ERIKSA", 96);
  TbPulihkan = ui::Tombol(this, "TbPulihkan", "&PULIHKAN", 96);
  TbTutup = ui::Tombol(this, "TbTutup", "&TUTUP", 96);
  connect(TbPeriksa, &QPushButton::clicked, this, &frmBackup::TbPeriksa_Click);
  connect(TbPulihkan, &QPushButton::clicked, this, &frmBackup::TbPulihkan_Click);
  connect(TbTutup, &QPushButton::clicked, this, &QDialog::reject);

  auto* tombol = new QHBoxLayout;
  tombol->addStretch(1);
  for (QPushButton* b : {TbPeriksa, TbPulihkan, TbTutup}) tombol->addWidget(b);
  auto* utama = new QVBoxLayout(this);
  utama->addWidget(folder);
  utama->addWidget(GridBackup, 1);
  utama->addLayout(tombol);

  TampilDaftar();
}

void frmBackup::TampilDaftar() {
  const QString salinan = mdlUtama::SalinanDatabase();
  daftar_ = salinan.isEmpty() ? QList<db::BackupFile>() : db::Backups(salinan);
  GridBackup->SetRows(int(daftar_.size()) + 1);
  int baris = 1;
  for (const db::BackupFile& b : std::as_const(daftar_)) {
    GridBackup->SetTextMatrix(baris, kTanggal, mdlUtama::FormatTanggal(b.when.date()));
    GridBackup->SetTextMatrix(baris, kJam, b.when.toString(QStringLiteral("HH:mm:ss")));
    GridBackup->SetTextMatrix(baris, kUkuran, Ukuran(b.size));
    // A copy gets its name only after it passed the check.
    GridBackup->SetTextMatrix(baris, kDiperiksa, QStringLiteral("Ya, saat dibuat"));
    GridBackup->SetTextMatrix(baris, kNama, QFileInfo(b.path).fileName());
    ++baris;
  }
  if (!daftar_.isEmpty()) GridBackup->SetRow(1);
}

const db::BackupFile* frmBackup::Terpilih() {
  const int baris = GridBackup->Row();
  if (baris >= 1 && baris <= daftar_.size()) return &daftar_[baris - 1];
  ui::MsgBox(daftar_.isEmpty() ? QStringLiteral("BELUM ADA BACKUP DATABASE.") : QStringLiteral("PILIH BACKUP DULU."),
             ui::vbOKOnly | ui::vbInformation, QStringLiteral("Informasi"));
  return nullptr;
}

void frmBackup::TbPeriksa_Click() {
  const db::BackupFile* b = Terpilih();
  if (!b) return;
  QString sebab;
  const db::Description where = mdlUtama::Database();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool utuh = where.IsServer() ? db::ServerVerify(b->path, where, &sebab) : db::Verify(b->path, &sebab);
  QApplication::restoreOverrideCursor();
  GridBackup->SetTextMatrix(GridBackup->Row(), kDiperiksa,
                            (utuh ? QStringLiteral("Utuh, ") : QStringLiteral("RUSAK, ")) +
                                mdlUtama::Sekarang().toString(QStringLiteral("dd/MM HH:mm")));
  if (utuh)
    ui::MsgBox(QStringLiteral("BACKUP INI UTUH DAN DAPAT DIPULIHKAN."), ui::vbOKOnly | ui::vbInformation,
               QStringLiteral("Backup"));
  else
    ui::MsgBox(QStringLiteral("BACKUP INI RUSAK DAN TIDAK DAPAT DIPULIHKAN.\n\n%1").arg(sebab),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Backup"));
}

void frmBackup::TbPulihkan_Click() {
  const db::BackupFile* b = Terpilih();
  if (!b) return;
  const QString kapan =
      mdlUtama::FormatTanggal(b->when.date()) + QStringLiteral(" JAM ") + b->when.toString(QStringLiteral("HH:mm:ss"));
  // What is kept of the data it replaces: the file, or the server's database.
  const QString lama = mdlUtama::Database().IsServer() ? QStringLiteral("DATABASE") : QStringLiteral("FILE DATA");
  if (ui::MsgBox(QStringLiteral("DATA SEKARANG AKAN DIGANTI DENGAN BACKUP TANGGAL %1.\n"
                                "SEMUA TRANSAKSI DAN PERUBAHAN SESUDAH ITU TIDAK ADA LAGI DI DATA.\n"
                                "%2 YANG SEKARANG DISIMPAN%3 DENGAN NAMA LAIN.\n\n"
                                "YAKIN AKAN MEMULIHKAN BACKUP INI..?")
                     .arg(kapan, lama,
                          mdlUtama::Database().IsServer() ? QStringLiteral(" DI SERVER") : QString()),
                 ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Konfirmasi")) != ui::vbYes)
    return;
  QString disimpan, sebab;
  const QString asal = b->path;
  if (mdlUtama::Pulihkan(asal, &disimpan, &sebab)) {
    ui::MsgBox(QStringLiteral("DATA SUDAH DIPULIHKAN DARI BACKUP TANGGAL %1.\n%2 YANG LAMA DISIMPAN SEBAGAI:\n%3")
                   .arg(kapan, lama, QDir::toNativeSeparators(disimpan)),
               ui::vbOKOnly | ui::vbInformation, QStringLiteral("Backup"));
  } else if (!ui::EndRequested()) {
    ui::MsgBox(QStringLiteral("PEMULIHAN GAGAL, DATA TIDAK DIUBAH.\n\n%1").arg(sebab), ui::vbOKOnly | ui::vbCritical,
               QStringLiteral("Backup"));
  }
  TampilDaftar();
}
