// Start-up on a large store (1,000,000 sale lines): the login window as it
// opens (connection, table and column check, the shared record sets) against
// SQLite's quick check of the whole file, with the file in the page cache
// (warm) and dropped from it (cold). Decides whether the check may run
// before the login or must run beside it.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchShop.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"
#include "db/FileCheck.h"
#include "ui/Seams.h"

namespace {
bool FillSales(const QString& path, int receipts, int linesEach) {
  sqlite3* h = nullptr;
  if (sqlite3_open(QFile::encodeName(path).constData(), &h) != SQLITE_OK) return false;
  sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* nota = nullptr;
  sqlite3_stmt* baris = nullptr;
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan VALUES (?, ?, ?, '', 'KASIR')", -1, &nota, nullptr);
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan_Detail VALUES (?, ?, 1500, ?, ?)", -1, &baris, nullptr);
  bool ok = true;
  for (int r = 1; ok && r <= receipts; ++r) {
    const QByteArray no = "JL-" + QByteArray::number(r).rightJustified(7, '0');
    const QByteArray tgl = QDate(2020, 1, 1).addDays(r / 300).toString("yyyy-MM-dd").toLatin1();
    sqlite3_bind_text(nota, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(nota, 2, tgl.constData(), int(tgl.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(nota, 3, 1500LL * linesEach);
    ok = sqlite3_step(nota) == SQLITE_DONE;
    sqlite3_reset(nota);
    for (int l = 0; ok && l < linesEach; ++l) {
      const QByteArray kode = bench::Kode(1, (r + l) % 10 + 1, (r * 7 + l) % 100 + 1);
      sqlite3_bind_text(baris, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(baris, 2, kode.constData(), int(kode.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int(baris, 3, 1 + l % 4);
      sqlite3_bind_int64(baris, 4, 1500LL * (1 + l % 4));
      ok = sqlite3_step(baris) == SQLITE_DONE;
      sqlite3_reset(baris);
    }
  }
  sqlite3_finalize(nota);
  sqlite3_finalize(baris);
  ok = ok && sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(h);
  return ok;
}

// Drops the file's pages from the page cache, as after a reboot.
void Cold(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int receipts = 250000, linesEach = 4;
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  const bool filled = bench::FillShop(path, 1000, [](int i) {
    bench::Item it;
    it.kode = bench::Kode(1, i % 10 + 1, i / 10 + 1);
    it.nama = "Barang " + QByteArray::number(i);
    it.beli = 1000;
    it.jual = 1500;
    it.stok = 50;
    return it;
  });
  if (!filled || !FillSales(path, receipts, linesEach)) return 1;
  mdlUtama::SetDatabasePathForTests(path);
  ui::SetPrompter([](const ui::Message& m) {
    std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
    return int(ui::vbOK);
  });
  std::printf("store: %d sale lines, %d receipts, %.1f MB\n", receipts * linesEach, receipts,
              QFileInfo(path).size() / 1048576.0);

  for (const bool cold : {true, false}) {
    std::vector<double> login, check;
    for (int rep = 0; rep < 5; ++rep) {
      db::FileCheck::WaitAll();  // the login alone, nothing running beside it
      if (cold) Cold(path);
      QElapsedTimer t;
      t.start();
      {
        frmLogin w;
        if (!w.Loaded()) return 2;
      }
      login.push_back(Ms(t));

      if (cold) Cold(path);
      t.restart();
      db::FileCheck c(path);
      if (!c.Wait()) return 3;
      check.push_back(Ms(t));
    }
    const double l = bench::Best(login), c = bench::Best(check);
    std::printf("%s cache: login window %.1f ms, quick check %.1f ms; check / login = %.2f\n",
                cold ? "cold" : "warm", l, c, c / l);
  }
  return 0;
}
