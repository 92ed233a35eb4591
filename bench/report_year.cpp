// A busy shop's year: 1,200,000 sale lines (240,000 receipts of five lines,
// spread evenly over 2024) and 100,000 cash-ledger entries. Times, in one
// run, the per-period sales Preview of one month (query and grid fill)
// against raw SQLite running the same query and reading every column, and
// the profit and loss of the whole year against raw SQLite computing the two
// sums. Both on a file made without the report indexes and again after
// `merapu-db upgrade` has added them. Prints the measured ratios.
#include <sqlite3.h>

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchShop.h"
#include "core/mdlUtama.h"
#include "db/FileCheck.h"
#include "db/Sql.h"
#include "reports/FormLaporan.h"
#include "ui/FlexGrid.h"
#include "ui/Seams.h"

// The schema is built into the store's library, which registers it only when asked.
static void LoadSchemaResource() { Q_INIT_RESOURCE(db); }

namespace {
constexpr int kItems = 5000, kNota = 240000, kLines = 5, kKas = 100000;

QByteArray Tanggal(int i, int n) { return QDate(2024, 1, 1).addDays(qint64(i) * 366 / n).toString(Qt::ISODate).toUtf8(); }

// The year, written with raw SQLite in one transaction. The indexes the
// reports added are dropped, so the file is as one made before them.
bool IsiTahun(const QString& path) {
  const bool shop = bench::FillShop(path, kItems, [](int i) {
    bench::Item it;
    it.kode = bench::Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
    it.nama = "Barang dagangan nomor " + QByteArray::number(i) + " ukuran sedang";
    it.beli = 1000 + i;
    it.jual = 1500 + 7 * i;
    return it;
  });
  sqlite3* h = nullptr;
  if (!shop || sqlite3_open(QFile::encodeName(path).constData(), &h) != SQLITE_OK) return false;
  sqlite3_exec(h, "PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt *nota = nullptr, *baris = nullptr, *kas = nullptr;
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan VALUES (?,?,0,'','KASIR')", -1, &nota, nullptr);
  sqlite3_prepare_v2(h, "INSERT INTO Penjualan_Detail VALUES (?,?,?,?,?)", -1, &baris, nullptr);
  sqlite3_prepare_v2(h, "INSERT INTO Rekening VALUES (?,?,?,?,?)", -1, &kas, nullptr);
  bool ok = true;
  for (int n = 0; ok && n < kNota; ++n) {
    const QByteArray no = "JL-" + QByteArray::number(n + 1).rightJustified(7, '0');
    const QByteArray tgl = Tanggal(n, kNota);
    sqlite3_bind_text(nota, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(nota, 2, tgl.constData(), int(tgl.size()), SQLITE_TRANSIENT);
    ok = sqlite3_step(nota) == SQLITE_DONE;
    sqlite3_reset(nota);
    for (int l = 0; ok && l < kLines; ++l) {
      const int i = ((n * kLines + l) * 7919) % kItems, qty = 1 + l % 12;
      const QByteArray kode = bench::Kode(i % 10 + 1, i / 10 % 10 + 1, i / 100 + 1);
      sqlite3_bind_text(baris, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(baris, 2, kode.constData(), int(kode.size()), SQLITE_TRANSIENT);
      sqlite3_bind_int64(baris, 3, 1500 + 7 * i);
      sqlite3_bind_int64(baris, 4, qty);
      sqlite3_bind_int64(baris, 5, qint64(1500 + 7 * i) * qty);
      ok = sqlite3_step(baris) == SQLITE_DONE;
      sqlite3_reset(baris);
    }
  }
  for (int k = 0; ok && k < kKas; ++k) {
    const QByteArray kode = (k % 3 ? "RK-" : "RD-") + QByteArray::number(k + 1).rightJustified(7, '0');
    const QByteArray tgl = Tanggal(k, kKas);
    const QByteArray apa = "Catatan kas nomor " + QByteArray::number(k);
    sqlite3_bind_text(kas, 1, kode.constData(), int(kode.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(kas, 2, tgl.constData(), int(tgl.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(kas, 3, k % 3 ? "DEBET" : "KREDIT", -1, SQLITE_STATIC);
    sqlite3_bind_text(kas, 4, apa.constData(), int(apa.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(kas, 5, 1000 + (k * 37) % 500000);
    ok = sqlite3_step(kas) == SQLITE_DONE;
    sqlite3_reset(kas);
  }
  for (sqlite3_stmt* st : {nota, baris, kas}) sqlite3_finalize(st);
  // As a file made before the report indexes.
  ok = ok && sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  LoadSchemaResource();
  QFile schema(":/db/schema.sql");
  ok = ok && schema.open(QIODevice::ReadOnly);
  static const QRegularExpression baru("CREATE INDEX IF NOT EXISTS (\\w+)");
  for (auto m = baru.globalMatch(QString::fromUtf8(schema.readAll())); m.hasNext();)
    ok = ok && sqlite3_exec(h, ("DROP INDEX " + m.next().captured(1)).toUtf8(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(h);
  return ok;
}

// Raw SQLite: the statement stepped through, every column read as text.
double Mentah(sqlite3* h, const QString& jet, long long* sum, int* rows) {
  QString sql, error;
  if (!db::TranslateJet(jet, &sql, &error)) qFatal("%s", qPrintable(error));
  QElapsedTimer t;
  t.start();
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &st, nullptr);
  *rows = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    for (int c = 0; c < sqlite3_column_count(st); ++c)
      *sum += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
    ++*rows;
  }
  sqlite3_finalize(st);
  return t.nsecsElapsed() / 1e6;
}

double Waktu(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return t.nsecsElapsed() / 1e6;
}

struct Hasil {
  double raw, ours, rawSum, oursSum;
};

Hasil Ukur(QApplication& app, const QString& path, int reps) {
  frmLapJualPeriode jual;
  frmKasPeriode laba;
  db::FileCheck::WaitAll();
  jual.findChild<QDateEdit*>("TglA")->setDate(QDate(2024, 3, 1));
  jual.findChild<QDateEdit*>("TglB")->setDate(QDate(2024, 3, 31));
  laba.findChild<QDateEdit*>("TglA")->setDate(QDate(2024, 1, 1));
  laba.findChild<QDateEdit*>("TglB")->setDate(QDate(2024, 12, 31));
  jual.show();
  app.processEvents();
  sqlite3* h = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
  const QString tahun = QStringLiteral(" AND (tanggal >= #2024-01-01# AND tanggal <= #2024-12-31# )");
  std::vector<double> raw, ours, rawSum, oursSum;
  long long sum = 0;
  for (int rep = 0; rep < reps; ++rep) {
    int rows = 0, rowsSum = 0;
    raw.push_back(Mentah(h, jual.QueryPreview(), &sum, &rows));
    ours.push_back(Waktu([&] {
      jual.TbPreview_Click();
      app.processEvents();
    }));
    if (jual.Grid()->Rows() != rows + 1) qFatal("grid holds %d rows, the query %d", jual.Grid()->Rows() - 1, rows);
    rawSum.push_back(Mentah(h, " SELECT SUM(jumlah) FROM Rekening WHERE dk = 'DEBET' " + tahun, &sum, &rowsSum) +
                     Mentah(h, " SELECT SUM(jumlah) FROM Rekening WHERE dk = 'KREDIT' " + tahun, &sum, &rowsSum));
    oursSum.push_back(Waktu([&] { laba.TbPreview_Click(); }));
    sum += jual.Grid()->TextMatrix(rows, 7).size() + laba.Grid()->TextMatrix(1, 2).size();
    if (rep == 0)
      std::printf("  (one month: %d sale lines; the year: income %s, expenses %s, result %s)\n", rows,
                  qPrintable(laba.Grid()->TextMatrix(1, 0)), qPrintable(laba.Grid()->TextMatrix(1, 1)),
                  qPrintable(laba.Grid()->TextMatrix(1, 2)));
  }
  sqlite3_close(h);
  if (sum == 42) std::printf(" ");
  return {bench::Best(raw), bench::Best(ours), bench::Best(rawSum), bench::Best(oursSum)};
}

void Cetak(const char* judul, const Hasil& r) {
  std::printf("%s\n", judul);
  std::printf("  month of sales: raw SQLite %8.2f ms, Preview (query + grid) %8.2f ms, ratio %.2fx (target <= 3x)\n",
              r.raw, r.ours, r.ours / r.raw);
  std::printf("  year's profit/loss: raw two sums %8.2f ms, Preview %8.2f ms, ratio %.2fx (target <= 1.5x)\n",
              r.rawSum, r.oursSum, r.oursSum / r.rawSum);
}
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
  QTemporaryDir dir;
  const QString path = dir.filePath("ZovaDavezuZi.mdb");
  QElapsedTimer t;
  t.start();
  if (!IsiTahun(path)) return 1;
  std::printf("a year of a busy shop: %d sale lines, %d ledger entries, written in %.1f s\n", kNota * kLines, kKas,
              t.nsecsElapsed() / 1e9);
  mdlUtama::SetDatabasePathForTests(path);
  ui::SetPrompter([](const ui::Message& m) {
    qFatal("unexpected message: %s", qPrintable(m.text));
    return ui::vbOK;
  });
  const Hasil sebelum = Ukur(app, path, 3);
  Cetak("file made before the report indexes, best of 3:", sebelum);

  // The tool adds the indexes to the existing file.
  const QString tool = qEnvironmentVariable("MERAPU_TOOL", QApplication::applicationDirPath() + "/merapu-db");
  QProcess p;
  t.restart();
  p.start(tool, {"upgrade", path});
  if (!p.waitForFinished(600000) || p.exitCode() != 0) {
    std::printf("merapu-db upgrade failed: %s\n", p.readAllStandardError().constData());
    return 2;
  }
  std::printf("merapu-db upgrade: %.1f s: %s", t.nsecsElapsed() / 1e9, p.readAllStandardOutput().constData());
  const Hasil sesudah = Ukur(app, path, 5);
  Cetak("after the upgrade, best of 5:", sesudah);
  return 0;
}
