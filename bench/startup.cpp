// Starting the program until its login window is shown, against a bare Qt
// Widgets program that shows a window of the same kind. Both are started
// afresh as processes, in turns, many times; a run lasts from the start of the
// process until its first window has been painted (see startup/probe.cpp).
// Prints the medians and their ratio, for a small and a large shop.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchShop.h"

namespace {

// Milliseconds from starting `program` until it reports its window shown;
// negative when it never does.
double Run(const QString& program) {
  QProcess p;
  p.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer t;
  t.start();
  p.start(program, {});
  QByteArray out;
  while (!out.contains("shown") && p.waitForReadyRead(20000)) out += p.readAllStandardOutput();
  const double ms = double(t.nsecsElapsed()) / 1e6;
  if (!p.waitForFinished(20000)) p.kill();
  return out.contains("shown") ? ms : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication app(argc, argv);
  const QDir here(QCoreApplication::applicationDirPath());
  const QString bare = here.filePath("bench_startup_bare");
  const int rounds = 15;
  std::printf("start-up until the first window is painted, platform %s, median of %d fresh processes each\n",
              qgetenv("QT_QPA_PLATFORM").constData(), rounds);

  bool within = true;
  for (const int items : {500, 5000, 20000}) {
    // The program reads the database in its own folder: a copy of it beside
    // a shop of this size.
    QTemporaryDir dir;
    const QString program = dir.filePath("merapu");
    const bool ready =
        QFile::copy(here.filePath("bench_startup_merapu"), program) &&
        bench::FillShop(dir.filePath("ZovaDavezuZi.mdb"), items, [](int i) {
          bench::Item it;
          it.kode = bench::Kode(i % 20 + 1, (i / 20) % 50 + 1, i / 1000 + 1);
          it.nama = "Barang nomor " + QByteArray::number(i);
          it.beli = 1000 + i % 900;
          it.jual = 1500 + i % 900;
          it.stok = i % 40;
          return it;
        });
    if (!ready) {
      std::fprintf(stderr, "cannot prepare the program and its database in %s\n", qPrintable(dir.path()));
      return 1;
    }
    // Once each first: file and font caches are warm for both alike.
    if (Run(bare) < 0 || Run(program) < 0) {
      std::fprintf(stderr, "a program never showed its window\n");
      return 1;
    }
    std::vector<double> tBare, tOurs;
    for (int r = 0; r < rounds; ++r) {
      tBare.push_back(Run(bare));
      tOurs.push_back(Run(program));
    }
    const double b = Median(tBare), o = Median(tOurs);
    std::printf("  shop of %5d items: bare Qt Widgets %6.1f ms, merapu login %6.1f ms, ratio %.2f\n", items, b, o,
                o / b);
    within = within && o / b <= 1.5;
  }
  std::printf("target: ratio at most 1.5 -- %s\n", within ? "met" : "NOT met");
  return 0;
}
