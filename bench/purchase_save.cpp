// Saving a 100-line purchase, against raw SQLite running the same statements
// in one transaction, in the same run. The screen's time is the save alone
// (supplier check, number check, statements, commit), up to the saved
// message.
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "BenchShop.h"
#include "core/mdlUtama.h"
#include "db/Connection.h"
#include "transactions/frmPembelian.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int lines = 100, items = 2000, reps = 25;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  const bool filled = bench::FillShop(path, items, [](int i) {
    bench::Item it;
    it.kode = bench::Kode(1, i / 1000 + 1, i % 1000);
    it.nama = "Barang " + QByteArray::number(i);
    it.beli = 1000 + i;
    it.jual = 1500 + i;
    it.stok = 50;
    return it;
  });
  {
    db::Connection c;
    if (!filled || !c.Open(path) ||
        !c.Execute("INSERT INTO Pemasok VALUES ('PS001','UD MAKMUR','Jl. Pasar 1','Tabanan','Bali','','','Made')"))
      return 1;
  }
  mdlUtama::SetDatabasePathForTests(path);
  mdlUtama::UserAktif = "ADMIN";
  QElapsedTimer t, tr;
  double saved = 0;
  ui::SetPrompter([&](const ui::Message& m) {
    if (m.text != "DATA TRANSAKSI TELAH TERSIMPAN !") {
      std::fprintf(stderr, "unexpected message: %s\n", qPrintable(m.text));
      std::exit(4);
    }
    saved = t.nsecsElapsed() / 1e6;
    return int(ui::vbOK);
  });

  frmPembelian w;
  auto* grid = w.findChild<ui::FlexGrid*>("GridMasuk");
  auto* cmb = w.findChild<QComboBox*>("cmbPemasok");

  // One document of `lines` lines, entered as the search dialog fills them.
  auto isi = [&](int rep) {
    w.findChild<QPushButton*>("TbBaru")->click();
    cmb->setCurrentIndex(0);
    emit cmb->activated(0);
    for (int i = 0; i < lines; ++i) {
      const int n = (rep * lines + i) % items;
      w.findChild<QLineEdit*>("txtKodeG")->setText("001");
      w.findChild<ui::MaskEdBox*>("TxtKode")->SetText(QString::fromLatin1(bench::Kode(1, n / 1000 + 1, n % 1000).mid(4)));
      w.findChild<QLineEdit*>("TxtHBeli")->setText(QString::number(1000 + n));
      w.findChild<QLineEdit*>("TxtJumlah")->setText(QString::number(i % 7 + 1));
      w.TbMasuk_Click();
    }
  };

  std::vector<double> ours, raw;
  sqlite3* h = nullptr;
  sqlite3_open(path.toUtf8().constData(), &h);
  db::Connection translator;
  if (!translator.Open(path)) return 1;
  const int level = bench::SameSyncs(h, translator);
  if (level < 0) return 1;

  for (int rep = 0; rep < reps; ++rep) {
    isi(rep);
    if (grid->Rows() != lines + 1) return 2;
    // The same statements as the screen writes, for the raw run (another number).
    QStringList jet;
    const QString rawNo = QString("RW-%1").arg(rep, 7, 10, QChar('0'));
    jet << "INSERT INTO Pembelian(No_Masuk,Tgl_Masuk,Kode_Pemasok,Total,UserID)VALUES ('" + rawNo +
               "','2024-03-15','PS001','" + w.findChild<QLineEdit*>("TxtTotalHarga")->text() + "','ADMIN')";
    for (int i = 1; i < grid->Rows(); ++i) {
      jet << "INSERT INTO Pembelian_Detail(No_Masuk,Kode_Barang,Harga_Beli,Jumlah,SubTotal) VALUES ('" + rawNo + "','" +
                 grid->TextMatrix(i, 0) + "','" + grid->TextMatrix(i, 2) + "','" + grid->TextMatrix(i, 3) + "','" +
                 grid->TextMatrix(i, 4) + "')";
      jet << "UPDATE Barang SET  Stok=Stok + " + grid->TextMatrix(i, 3) + ", Harga_beli='" + grid->TextMatrix(i, 2) +
                 "' WHERE Kode_Barang='" + grid->TextMatrix(i, 0) + "'";
    }
    QList<QByteArray> sqlite;
    for (const QString& s : jet) {
      QString out;
      if (!translator.Prepare(s, &out)) return 1;
      sqlite << out.toUtf8();
    }

    auto kita = [&] {
      saved = -1;
      t.start();
      w.TbSimpan_Click();
      if (saved < 0) std::exit(3);
      ours.push_back(saved);
    };
    auto mentah = [&] {
      tr.start();
      sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      for (const QByteArray& s : sqlite)
        if (sqlite3_exec(h, s.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) std::exit(3);
      sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
      raw.push_back(tr.nsecsElapsed() / 1e6);
    };
    // Alternate which goes first, so neither gains from a warm cache.
    if (rep % 2) {
      kita();
      mentah();
    } else {
      mentah();
      kita();
    }
  }
  sqlite3_close(h);
  const double o = bench::Best(ours), r = bench::Best(raw);
  std::printf("saving a %d-line purchase (%d statements), best of %d; files in %s, synchronous=%d on both sides\n",
              lines, 1 + 2 * lines, reps, bench::Where(dir.path()).constData(), level);
  std::printf("  raw SQLite, same statements, one transaction   : %8.2f ms\n", r);
  std::printf("  purchase save (checks, number check, statements): %8.2f ms   ratio %.2fx (target <= 1.5x)\n", o,
              o / r);
  return 0;
}
