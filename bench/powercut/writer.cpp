// The till of the power-cut run (run.sh beside this file).
//
//   writer DB LOG [--idle-after N] [--synchronous LEVEL]
//     sells through the sale window, offscreen, as a cashier does: item codes
//     looked up, lines added, paid, saved, the receipt window closed. When
//     the till tells the cashier "DATA TRANSAKSI TELAH TERSIMPAN" the receipt
//     number, its line count and the connection's synchronous level are
//     appended to LOG (a file off the file system under test). With
//     --idle-after it prints "idle" after N sales and waits to be cut.
//     --synchronous sets another level on the till's connection (FULL shows
//     what a save was worth before).
//
//   writer --check DB LOG
//     opens DB as the program does (SQLite rolls a leftover journal back)
//     and looks for every sale LOG confirms: its header and all its lines.
//     Prints one line; status 0 when none is missing, 1 when one is, 2 when
//     the file does not open.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>

#include "core/mdlUtama.h"
#include "db/Connection.h"
#include "db/FileCheck.h"
#include "db/Recordset.h"
#include "db/Sql.h"
#include "transactions/frmPenjualan.h"
#include "ui/MaskEdBox.h"
#include "ui/Seams.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: writer DB LOG [--idle-after N] [--synchronous LEVEL]\n"
                       "       writer --check DB LOG\n");
  return 2;
}

int Level(db::Connection& c) {
  QStringList got;
  bool ok = false;
  const int level = c.QueryRaw("PRAGMA synchronous", &got) && !got.isEmpty() ? got.first().toInt(&ok) : -1;
  return ok ? level : -1;
}

qint64 Count(const db::ConnectionPtr& c, const QString& sql, bool* ok) {
  db::Recordset rs;
  if (!rs.Open(sql, c) || rs.Eof()) {
    std::fprintf(stderr, "query failed: %s: %s\n", qPrintable(sql), qPrintable(rs.LastError()));
    *ok = false;
    return -1;
  }
  return rs.Value(0).toLongLong();
}

int Check(const QString& path, const QString& log) {
  auto c = std::make_shared<db::Connection>();
  if (!c->Open(path)) {
    std::printf("database does not open: %s\n", qPrintable(c->LastError()));
    return 2;
  }
  QString why;
  const bool sound = !c->Check() || c->Check()->Wait(&why);
  QFile f(log);
  if (!f.open(QIODevice::ReadOnly)) {
    std::printf("log %s does not open\n", qPrintable(log));
    return 2;
  }
  int confirmed = 0;
  QStringList lost;
  bool ok = true;
  while (!f.atEnd()) {
    const QList<QByteArray> w = f.readLine().trimmed().split(' ');
    if (w.size() < 2) continue;
    const QString nota = QString::fromLatin1(w[0]);
    const qint64 lines = w[1].toLongLong();
    ++confirmed;
    const qint64 header = Count(c, "SELECT count(*) FROM Penjualan WHERE No_Nota = " + db::Quote(nota), &ok);
    const qint64 stored = Count(c, "SELECT count(*) FROM Penjualan_Detail WHERE No_Nota = " + db::Quote(nota), &ok);
    if (header != 1 || stored != lines) lost << QString("%1(header %2, lines %3/%4)").arg(nota).arg(header).arg(stored).arg(lines);
  }
  // A sale is whole or absent, confirmed or not.
  const qint64 bare = Count(c, "SELECT count(*) FROM Penjualan p WHERE NOT EXISTS "
                               "(SELECT 1 FROM Penjualan_Detail d WHERE d.No_Nota = p.No_Nota)", &ok);
  std::printf("confirmed %d lost %lld headers-without-lines %lld file %s%s%s\n", confirmed, qint64(lost.size()), bare,
              sound ? "sound" : "damaged: ", sound ? "" : qPrintable(why),
              lost.isEmpty() ? "" : qPrintable(" missing: " + lost.join(' ')));
  if (!ok) return 2;
  return lost.isEmpty() && bare == 0 && sound ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (args.value(0) == "--check") {
    if (args.size() != 3) return Usage();
    QCoreApplication app(argc, argv);
    const int rc = Check(args[1], args[2]);
    db::FileCheck::WaitAll();
    return rc;
  }
  if (args.size() < 2) return Usage();
  const QString path = args[0], log = args[1];
  int idleAfter = -1;
  QString level;
  for (int i = 2; i < args.size(); ++i) {
    if (args[i] == "--idle-after" && i + 1 < args.size())
      idleAfter = args[++i].toInt();
    else if (args[i] == "--synchronous" && i + 1 < args.size())
      level = args[++i];
    else
      return Usage();
  }
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const int out = ::open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (out < 0) {
    std::perror("log");
    return 2;
  }
  mdlUtama::SetDatabasePathForTests(path);
  mdlUtama::UserAktif = "KASIR";

  frmPenjualan w;
  auto* nota = w.findChild<QLineEdit*>("TxtNoNota");
  bool saved = false;
  int lines = 0;
  ui::SetPrompter([&](const ui::Message& m) {
    if (m.text != "DATA TRANSAKSI TELAH TERSIMPAN") {
      std::fprintf(stderr, "unexpected message: %s\n", qPrintable(m.text));
      std::exit(3);
    }
    // The cashier is told: from here on the sale must survive.
    const QByteArray line = nota->text().toLatin1() + ' ' + QByteArray::number(lines) + ' ' +
                            QByteArray::number(Level(*mdlUtama::Conn)) + '\n';
    if (::write(out, line.constData(), size_t(line.size())) != line.size() || ::fsync(out) != 0) std::exit(4);
    saved = true;
    return int(ui::vbOK);
  });
  ui::SetModalHandler([](QDialog* d) { d->accept(); });  // the receipt window, closed
  if (!mdlUtama::Conn || !mdlUtama::Conn->IsOpen()) return 2;
  if (!level.isEmpty()) {
    const QByteArray pragma = "PRAGMA synchronous=" + level.toLatin1();
    if (!mdlUtama::Conn->ExecRaw(QString::fromLatin1(pragma))) return 2;
  }

  struct Item {
    QString grup, kode;
  };
  QList<Item> items;
  {
    db::Recordset rs;
    if (!rs.Open("SELECT Kode_Barang FROM Barang ORDER BY Kode_Barang", mdlUtama::Conn)) return 2;
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString k = rs.Text("Kode_Barang");
      items.append({k.left(3), k.mid(4)});
    }
  }
  if (items.isEmpty()) return 2;
  std::printf("selling on %s, synchronous=%d\n", qPrintable(path), Level(*mdlUtama::Conn));
  std::fflush(stdout);

  QRandomGenerator* r = QRandomGenerator::global();
  for (int sale = 0; idleAfter < 0 || sale < idleAfter; ++sale) {
    w.findChild<QPushButton*>("TbBaru")->click();
    lines = 1 + r->bounded(8);
    for (int i = 0; i < lines; ++i) {
      const Item& it = items[r->bounded(int(items.size()))];
      w.findChild<QLineEdit*>("txtKodeG")->setText(it.grup);
      w.findChild<ui::MaskEdBox*>("TxtKode")->SetText(it.kode);
      w.TxtKode_Enter();
      w.findChild<QLineEdit*>("TxtJumlah")->setText(QString::number(1 + r->bounded(5)));
      w.TbMasuk_Click();
    }
    w.findChild<QLineEdit*>("TxtUBayar")->setText(w.findChild<QLineEdit*>("TxtTotBayar")->text());
    saved = false;
    w.TbSimpan_Click();
    if (!saved) {
      std::fprintf(stderr, "sale %d was not saved\n", sale + 1);
      return 3;
    }
  }
  std::printf("idle\n");
  std::fflush(stdout);
  for (;;) ::pause();
}
