// Returns in the sales reports, each cashier's day, and the closes of the
// cashiers' days.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

#include "Lap.h"
#include "TestSupport.h"
#include "core/mdlUtama.h"
#include "reports/FormLaporan.h"
#include "reports/PreviewWindow.h"

using namespace testsupport;

namespace {
QStringList Isi(ui::FlexGrid* g) {
  QStringList t;
  for (int r = 1; r < g->Rows(); ++r) {
    QStringList b;
    for (int c = 0; c < g->Cols(); ++c) b << g->TextMatrix(r, c);
    t << b.join('|');
  }
  return t;
}

// Friday 15 March 2024: KSR sells 2 soaps and 2 toothpastes (27.000) and
// takes one toothpaste back; KSR2 sells one toothpaste.
void Hari(TempDb& db) {
  db.exec("INSERT INTO Barang VALUES ('001.002.003','001.002','Sabun Mandi','PCS',1000,1500,10)");
  db.exec("INSERT INTO Barang VALUES ('001.002.004','001.002','Pasta Gigi','PCS',9000,12000,5)");
  db.exec("INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-15',27000,'','KSR')");
  db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.003',1500,2,3000)");
  db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.002.004',12000,2,24000)");
  db.exec("INSERT INTO Penjualan VALUES ('JL-0000002','2024-03-15',12000,'','KSR2')");
  db.exec("INSERT INTO Penjualan_Detail VALUES ('JL-0000002','001.002.004',12000,1,12000)");
  db.exec("INSERT INTO Retur VALUES ('RT-0000001','2024-03-15','JL-0000001',12000,'rusak',0,'KSR','BOS')");
  db.exec("INSERT INTO Detail_Retur VALUES ('RT-0000001','001.002.004',12000,1,12000)");
}

// The header captions of the document a report window prints.
QStringList Dicetak(QDialog* w) {
  QStringList kepala;
  ModalScript m;
  m.then([&](QDialog* p) {
    auto* pw = qobject_cast<reports::PreviewWindow*>(p);
    QVERIFY(pw);
    kepala = laptest::Texts(pw->PageAt(0), reports::Band::ReportHeader);
    p->reject();
  });
  child<QPushButton>(w, "TbTampil")->click();
  return kepala;
}
}  // namespace

class ReturLaporanTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void cleanup() { ui::SetToday(QDate()); }

  // The receipt lists its returns after its lines; the day and the period
  // give sales, returns and net; each cashier's day its own figures.
  void returnsInTheReports() {
    TempDb db;
    ui::SetToday(QDate(2024, 3, 15));
    Hari(db);
    frmLapJualNota nota;
    child<QComboBox>(&nota, "cmbNota")->setEditText("JL-0000001");
    child<QPushButton>(&nota, "TbPreview")->click();
    QCOMPARE(Isi(nota.Grid()), QStringList({"1|001.002.003|Sabun Mandi|1500|2|3000",
                                             "2|001.002.004|Pasta Gigi|12000|2|24000",
                                             "3|001.002.004|RETUR RT-0000001: Pasta Gigi|12000|-1|-12000"}));

    const QString ringkas = "Penjualan: Rp 39,000     Retur: Rp 12,000     Bersih: Rp 27,000";
    frmLapJualTanggal tanggal;
    child<QPushButton>(&tanggal, "TbPreview")->click();
    QCOMPARE(child<QLabel>(&tanggal, "LblRingkas")->text(), ringkas);
    frmLapJualPeriode periode;
    child<QDateEdit>(&periode, "TglA")->setDate(QDate(2024, 3, 1));
    child<QPushButton>(&periode, "TbPreview")->click();
    QCOMPARE(child<QLabel>(&periode, "LblRingkas")->text(), ringkas);
    // The printed day and period give the same three figures.
    for (QDialog* w : {static_cast<QDialog*>(&tanggal), static_cast<QDialog*>(&periode)}) {
      const QStringList kepala = Dicetak(w);
      QVERIFY2(kepala.contains("Penjualan - Retur = Bersih") && kepala.contains("Rp 39,000 - Rp 12,000 = Rp 27,000"),
               qPrintable(kepala.join('|')));
    }

    frmLapKasirHarian kasir;
    child<QPushButton>(&kasir, "TbPreview")->click();
    QCOMPARE(Isi(kasir.Grid()), QStringList({"1|KSR|1|4|27000|12000|15000", "2|KSR2|1|1|12000|0|12000"}));
  }

  // Every close of the period, its differences summed; a file without the
  // new tables says what to run.
  void closes() {
    TempDb db;
    ui::SetToday(QDate(2024, 3, 15));
    db.exec("INSERT INTO Tutup_Kasir VALUES ('KSR','2024-03-15','21:05:00',50000,1,27000,12000,65000,67000,2000)");
    db.exec("INSERT INTO Tutup_Kasir VALUES ('KSR2','2024-03-15','21:10:00',0,1,12000,0,12000,11500,-500)");
    frmLapTutupKasir w;
    child<QPushButton>(&w, "TbPreview")->click();
    const QStringList isi = Isi(w.Grid());
    QCOMPARE(isi.size(), 3);
    QVERIFY2(isi[0].endsWith("|KSR|21:05:00|50000|1|27000|12000|65000|67000|2000"), qPrintable(isi[0]));
    QVERIFY2(isi[2].endsWith(":: TOTAL ::|1500"), qPrintable(isi[2]));

    QVERIFY(db.conn()->ExecRaw("DROP TABLE Tutup_Kasir"));
    ScriptedPrompter p;
    p.expect("Database ini belum memuat tabel retur dan tutup kasir.\r"
             "Jalankan 'merapu-db upgrade' pada file database terlebih dulu!",
             ui::vbOK, "Perhatian");
    frmLapTutupKasir lama;
    QVERIFY(!child<QPushButton>(&lama, "TbPreview")->isEnabled());
    VERIFY_PROMPTS(p);
  }
};
REGISTER_TEST(ReturLaporanTest);
#include "ReturLaporanTest.moc"
