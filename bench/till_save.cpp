// Saving a 100-line sale from the till, against raw SQLite running the same
// statements in one transaction, in the same run. The till's time is the
// save alone (checks, number check, statements, commit); the receipt window
// that follows is timed apart.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/mdlUtama.h"
#include "BenchShop.h"
#include "db/Connection.h"
#include "transactions/frmPenjualan.h"
#include "ui/FlexGrid.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"


int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int lines = 100, items = 2000, reps = 15;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  {
    db::Connection c;
    if (!c.Create(path)) return 1;
    bool ok = c.BeginTrans() && c.Execute("INSERT INTO Grup VALUES ('001','KEBUTUHAN HARIAN')") &&
              c.Execute("INSERT INTO Produk VALUES ('001.001','001','SEMUA')");
    for (int i = 1; ok && i <= items; ++i)
      ok = c.Execute(QString("INSERT INTO Barang VALUES ('001.%1.%2','001.001','Barang %3','PCS',1000,%4,500)")
                         .arg(i / 1000 + 1, 3, 10, QChar('0')).arg(i % 1000, 3, 10, QChar('0')).arg(i).arg(1500 + i));
    if (!ok || !c.CommitTrans()) return 1;
  }
  mdlUtama::SetDatabasePathForTests(path);
  mdlUtama::UserAktif = "KASIR";
  QElapsedTimer t, tr;
  double saved = 0;
  // The save is over when the cashier is told so; the receipt follows.
  ui::SetPrompter([&](const ui::Message&) {
    saved = t.nsecsElapsed() / 1e6;
    return int(ui::vbOK);
  });

  frmPenjualan w;
  auto* grid = w.findChild<ui::FlexGrid*>("GridJual");
  auto* bayar = w.findChild<QLineEdit*>("TxtUBayar");
  auto* nota = w.findChild<QLineEdit*>("TxtNoNota");

  // One sale of `lines` lines, entered as the search dialog would fill them.
  auto isiPenjualan = [&](int rep) {
    w.findChild<QPushButton*>("TbBaru")->click();
    for (int i = 0; i < lines; ++i) {
      const int n = (rep * lines + i) % items + 1;
      w.findChild<QLineEdit*>("txtKodeG")->setText("001");
      w.findChild<ui::MaskEdBox*>("TxtKode")->SetText(QString("%1.%2").arg(n / 1000 + 1, 3, 10, QChar('0')).arg(n % 1000, 3, 10, QChar('0')));
      w.findChild<QLineEdit*>("TxtNama")->setText(QString("BARANG %1").arg(n));
      w.findChild<QLineEdit*>("TxtHarga")->setText(QString::number(1500 + n));
      w.findChild<QLineEdit*>("TxtJumlah")->setText(QString::number(i % 7 + 1));
      w.TbMasuk_Click();
    }
    bayar->setText("999999999");
  };

  std::vector<double> ours, receipt, raw;
  ui::SetModalHandler([&](QDialog* d) { d->accept(); });
  sqlite3* h = nullptr;
  sqlite3_open(path.toUtf8().constData(), &h);
  db::Connection translator;
  if (!translator.Open(path)) return 1;
  const int level = bench::SameSyncs(h, translator);
  if (level < 0) return 1;

  for (int rep = 0; rep < reps; ++rep) {
    isiPenjualan(rep);
    const QString no = nota->text();
    // The same statements as the till writes, for the raw run (another number).
    QStringList jet;
    const QString rawNo = QString("RW-%1").arg(rep, 7, 10, QChar('0'));
    jet << "INSERT INTO Penjualan(No_Nota,Tgl_Nota,Total_Bayar,Kode_Pelanggan,UserID)VALUES ('" + rawNo +
               "','2024-03-15','" + w.findChild<QLineEdit*>("TxtTotBayar")->text() + " ','','KASIR')";
    for (int i = 1; i < grid->Rows(); ++i) {
      jet << "INSERT INTO Penjualan_Detail(No_Nota,Kode_Barang,Harga_Jual,Jumlah,SubTotal) VALUES ('" + rawNo + "','" +
                 grid->TextMatrix(i, 0) + "','" + grid->TextMatrix(i, 2) + "','" + grid->TextMatrix(i, 3) + "','" +
                 grid->TextMatrix(i, 4) + "')";
      jet << "UPDATE Barang SET  Stok=Stok - " + grid->TextMatrix(i, 3) + " WHERE Kode_Barang='" + grid->TextMatrix(i, 0) + "'";
    }
    QList<QByteArray> sqlite;
    for (const QString& s : jet) {
      QString out;
      if (!translator.Prepare(s, &out)) return 1;
      sqlite << out.toUtf8();
    }

    auto kita = [&] {
      t.start();
      w.TbSimpan_Click();
      const double total = t.nsecsElapsed() / 1e6;
      ours.push_back(saved);
      receipt.push_back(total - saved);
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
    if (rep % 2) { kita(); mentah(); } else { mentah(); kita(); }
    if (nota->text() != QString() || !mdlUtama::Conn) return 2;  // back at rest after the receipt
    (void)no;
  }
  sqlite3_close(h);
  const double o = bench::Best(ours), r = bench::Best(raw), rc = bench::Best(receipt);
  std::printf("saving a %d-line sale (%d statements), best of %d; files in %s, synchronous=%d on both sides\n",
              lines, 1 + 2 * lines, reps, bench::Where(dir.path()).constData(), level);
  std::printf("  raw SQLite, same statements, one transaction : %8.2f ms\n", r);
  std::printf("  till save (checks, number check, statements) : %8.2f ms   ratio %.2fx (target <= 1.5x)\n", o, o / r);
  std::printf("  then the receipt (read back, lay out, window): %8.2f ms\n", rc);
  return 0;
}
