// The main window: its menu tree, the menu states by level and after a
// logout, the closing question and the tiled background.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "Masuk.h"
#include "TestSupport.h"
#include "core/FrmUtama.h"
#include "core/frmLogin.h"
#include "core/mdlUtama.h"

using namespace testsupport;

namespace {

// Every item whose state the level decides, with its state after an ADMIN
// login, a cashier login and a logout ('1' on, '0' off, '=' untouched).
struct Keadaan {
  const char* name;
  char admin, kasir, logout;
};
const Keadaan Tabel[] = {
    {"MuFile", '1', '1', '='},          {"mnuLogin", '0', '0', '1'},
    {"mnuLogout", '1', '1', '0'},       {"mnuKeluar", '1', '1', '='},
    {"MuData", '1', '0', '0'},          {"MuTransaksi", '1', '1', '0'},
    {"mnuPembelian", '1', '0', '='},    {"mnuPenjualan", '1', '1', '='},
    {"MuLaporan", '1', '1', '0'},       {"mnuLapJualNota", '1', '1', '='},
    {"mnuLapJualTanggal", '1', '1', '='}, {"mnuLapJualPeriode", '1', '1', '='},
    {"mnuLapBeliNota", '1', '0', '='},  {"mnuLapBeliPeriode", '1', '0', '='},
    {"MuLapMaster", '1', '0', '='},
    {"MuSetting", '1', '0', '0'},       {"mnuPengguna", '1', '0', '='},
    {"mnuBukaLaci", '1', '0', '='},
};
// Never switched: on whenever their menu is.
const char* const SelaluAktif[] = {"mnuPemasok", "mnuPelanggan", "mnuGrup", "mnuProduk", "mnuBarang", "mnuRekening",
                                   "mnuLabaRugi", "mnuKasMasukTanggal", "mnuKasMasukPeriode",
                                   "mnuKasKeluarTanggal", "mnuKasKeluarPeriode", "mnuBackup", "mnuDaftarBackup",
                                   "mnuSetelanStruk"};

bool aktif(FrmUtama* u, const char* name) {
  if (QMenu* m = u->findChild<QMenu*>(name)) return m->menuAction()->isEnabled();
  return child<QAction>(u, name)->isEnabled();
}

// The states of every item of the table as one text, in table order.
QString keadaan(FrmUtama* u) {
  QString s;
  for (const Keadaan& k : Tabel) s += aktif(u, k.name) ? '1' : '0';
  return s;
}

QString harapan(char Keadaan::*kolom, const QString& sebelum = QString()) {
  QString s;
  int i = 0;
  for (const Keadaan& k : Tabel) {
    const char c = k.*kolom;
    s += c == '=' ? sebelum.at(i) : QChar(c);
    ++i;
  }
  return s;
}


// The entries of a menu, those of its submenus after the submenu's own.
QList<QAction*> entri(QMenu* m) {
  QList<QAction*> semua;
  for (QAction* a : m->actions()) {
    semua << a;
    if (a->menu()) semua << entri(a->menu());
  }
  return semua;
}

}  // namespace

class UtamaTest : public QObject {
  Q_OBJECT
  TempDb* db = nullptr;

 private slots:
  void init() { db = masuk::Mulai(); }
  void cleanup() { masuk::Selesai(db); }

  void menuTree() {
    FrmUtama* u = FrmUtama::Instance();
    QCOMPARE(u->windowTitle(), QString("APLIKASI CV. MERAPU v 1.0"));
    QStringList pohon;
    for (QAction* top : u->menuBar()->actions()) {
      QMenu* m = top->menu();
      QVERIFY(m);
      pohon << m->objectName() + "=" + m->title();
      for (QAction* a : entri(m)) {
        const QString indent = m->actions().contains(a) ? "  " : "    ";
        pohon << indent + a->objectName() + "=" + (a->isSeparator() ? QString("-") : a->text());
        QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
      }
    }
    const QStringList harap = {
        "MuFile=&File", "  mnuLogin=Log In", "  mnuLogout=Log Out", "  Bts1=-", "  mnuKeluar=Keluar",
        "MuData=&Data", "  mnuPemasok=Data &Pemasok", "  mnuPelanggan=Data Pe&langgan", "  Bts2=-", "  mnuGrup=Data &Grup",
        "  mnuProduk=Data Pro&duk", "  mnuBarang=Data &Barang",
        "MuTransaksi=&Transaksi", "  mnuPembelian=&Pembelian Barang", "  mnuPenjualan=Penjualan &Retail",
        "  mnuRekening=&Rekening Transaksi", "  BtsTrans1=-", "  mnuRetur=R&etur / Void Penjualan",
        "  mnuTutupKasir=&Tutup Kasir", "  mnuBukaLaci=Buka &Laci",
        "MuLaporan=&Laporan", "  mnuLabaRugi=Laba / Rugi Per-Periode", "  BtsLap0=-",
        "  mnuKasMasukTanggal=Kas Masuk Per-Tanggal", "  mnuKasMasukPeriode=Kas Masuk Per-Periode", "  BtsLap=-",
        "  mnuKasKeluarTanggal=Kas Keluar Per-Tanggal", "  mnuKasKeluarPeriode=Kas Keluar Per-Periode",
        "  BtsLap1=-", "  mnuLapJualNota=Penjualan Per-Nota",
        "  mnuLapJualTanggal=Penjualan Per-Tanggal Transaksi", "  mnuLapJualPeriode=Penjualan Per Periode",
        "  mnuLapKasirHarian=Penjualan Per-Kasir Harian", "  mnuLapTutupKasir=Tutup Kasir Per-Periode",
        "  BtsLap2=-", "  mnuLapBeliNota=Pemebelian Per-Nota", "  mnuLapBeliPeriode=Pembelian Per-Periode",
        "  BtsLap3=-", "  MuLapMasterAction=Data &Master", "    mnuLapPemasok=Data &Pemasok",
        "    mnuLapGrup=Data &Grup", "    mnuLapProduk=Data Pro&duk", "    mnuLapBarang=Data &Barang",
        "    mnuLapBarangGrup=Barang Per G&rup",
        "MuSetting=&Setting", "  mnuPengguna=&Pengguna", "  BtsSet1=-", "  mnuBackup=&Backup Data Sekarang",
        "  mnuDaftarBackup=Daftar Backup / P&ulihkan", "  BtsSet2=-", "  mnuSetelanStruk=Printer &Struk"};
    QCOMPARE(pohon, harap);
    QVERIFY(!child<QToolBar>(u, "Toolbar1")->isEnabled());
    QVERIFY(u->findChild<QWidget*>("StatusBar1"));
  }

  // Every entry that names a window opens exactly that window; an entry whose
  // window this version lacks says so. A window added to the table of windows
  // is from then on demanded here.
  void everyMenuEntryOpensItsWindow() {
    // A row in every table, so that no window opens on an "empty" message.
    for (const char* sql :
         {"INSERT INTO Grup VALUES ('001','ALAT TULIS')", "INSERT INTO Produk VALUES ('001.001','001','PENA')",
          "INSERT INTO Barang VALUES ('001.001.001','001.001','Pena Biru','PCS',1000,1500,10)",
          "INSERT INTO Pelanggan VALUES ('PLG-0000001','Toko Maju','Jl. Pasar 1','0361-1')",
          "INSERT INTO Pemasok VALUES ('PMS-0000001','CV Sumber','Jl. Gudang 2','Denpasar','Bali','1','2','Wayan')",
          "INSERT INTO Penjualan VALUES ('JL-0000001','2024-03-05',1500,'','ADM')",
          "INSERT INTO Penjualan_Detail VALUES ('JL-0000001','001.001.001',1500,1,1500)",
          "INSERT INTO Pembelian VALUES ('BL-0000001','2024-03-04','PMS-0000001',1000,'ADM')",
          "INSERT INTO Pembelian_Detail VALUES ('BL-0000001','001.001.001',1000,1,1000)",
          "INSERT INTO Rekening VALUES ('RK-0000001','2024-03-05','D','Modal',50000)"})
      db->exec(sql);
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    int dibuka = 0;
    for (QAction* top : u->menuBar()->actions()) {
      for (QAction* a : entri(top->menu())) {
        const QString nama = a->objectName();
        const QString jendela = a->data().toString();
        if (a->menu()) continue;
        if (a->isSeparator() || nama == "mnuLogout" || nama == "mnuKeluar" || nama == "mnuBackup") {
          QVERIFY2(jendela.isEmpty(), qPrintable(nama));
          continue;
        }
        QVERIFY2(!jendela.isEmpty(), qPrintable(nama + " names no window"));
        a->setEnabled(true);  // "Log In" is off while someone is logged in
        ScriptedPrompter p;
        ModalScript script;
        QVERIFY2(ui::HasWindow(jendela), qPrintable(jendela + " is missing from the table of windows"));
        script.then([](QDialog* d) { d->done(QDialog::Rejected); });
        ++dibuka;
        a->trigger();
        QCOMPARE(script.shown, QStringList{jendela});
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join('\n')));
        VERIFY_PROMPTS(p);
      }
    }
    QVERIFY(dibuka >= 20);
  }

  void adminLogin() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    QVERIFY(u);
    QCOMPARE(keadaan(u), harapan(&Keadaan::admin));
    for (const char* n : SelaluAktif) QVERIFY2(aktif(u, n), n);
    QVERIFY(!child<QToolBar>(u, "Toolbar1")->isEnabled());
  }

  void cashierLogin() {
    masuk::Coba("KSR", "kasir1", "KASIR");
    FrmUtama* u = FrmUtama::Existing();
    QVERIFY(u);
    QCOMPARE(keadaan(u), harapan(&Keadaan::kasir));
    // Under Transaksi only the purchase is closed to a cashier.
    QVERIFY(aktif(u, "mnuPenjualan"));
    QVERIFY(aktif(u, "mnuRekening"));
    QVERIFY(!aktif(u, "mnuPembelian"));
    QCOMPARE(u->PanelText(1), QString("Sari Dewi"));
    QCOMPARE(u->PanelText(2), QString("[KASIR]"));
    QVERIFY(!child<QToolBar>(u, "Toolbar1")->isEnabled());
  }

  // The customer screen is master data: an ADMIN opens it from "Data", a
  // cashier cannot reach it.
  void customerEntry() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    QVERIFY(aktif(u, "MuData") && aktif(u, "mnuPelanggan"));
    {
      ScriptedPrompter p;
      p.expect("Tabel Pelanggan masih kosong!", ui::vbOK, "Perhatian", ui::vbInformation);
      ModalScript script;
      script.then([](QDialog* d) { d->reject(); });
      child<QAction>(u, "mnuPelanggan")->trigger();
      QCOMPARE(script.shown, QStringList{"frmPelanggan"});
      VERIFY_PROMPTS(p);
    }
    child<QAction>(u, "mnuLogout")->trigger();
    masuk::Coba("KSR", "kasir1", "KASIR");
    QCOMPARE(FrmUtama::Existing(), u);
    QVERIFY(!aktif(u, "MuData"));
    QVERIFY(child<QMenu>(u, "MuData")->actions().contains(child<QAction>(u, "mnuPelanggan")));
  }

  void logoutLeavesOnlyFile() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    const QString sebelum = keadaan(u);
    child<QAction>(u, "mnuLogout")->trigger();
    QCOMPARE(keadaan(u), harapan(&Keadaan::logout, sebelum));
    QVERIFY(aktif(u, "MuFile"));
    QVERIFY(aktif(u, "mnuLogin"));
    QVERIFY(aktif(u, "mnuKeluar"));
    QVERIFY(!aktif(u, "mnuLogout"));
    for (const char* m : {"MuData", "MuTransaksi", "MuLaporan", "MuSetting"}) QVERIFY2(!aktif(u, m), m);
    // The status bar and the logged-in user stay as they were.
    QCOMPARE(u->PanelText(1), QString("Budi Santoso"));
    QCOMPARE(u->PanelText(2), QString("[ADMIN]"));
    QCOMPARE(mdlUtama::UserAktif, QString("ADM"));
    QVERIFY(u->isVisible());
  }

  void adminThenLogoutThenCashierThroughLogIn() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    child<QAction>(u, "mnuLogout")->trigger();
    ModalScript script;
    script.then([](QDialog* d) {
      child<QLineEdit>(d, "txtUser")->setText("KSR");
      child<QLineEdit>(d, "txtPwd")->setText("kasir1");
      child<QComboBox>(d, "cmbLevel")->setEditText("KASIR");
      child<QPushButton>(d, "TbLogin")->click();  // closes the window itself
    });
    child<QAction>(u, "mnuLogin")->trigger();
    QCOMPARE(script.shown, QStringList{"frmLogin"});
    QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join('\n')));
    QCOMPARE(FrmUtama::Existing(), u);  // the same main window carries on
    QCOMPARE(keadaan(u), harapan(&Keadaan::kasir));
    for (const char* n : SelaluAktif) QVERIFY2(aktif(u, n), n);
    QCOMPARE(u->PanelText(1), QString("Sari Dewi"));
    QCOMPARE(u->PanelText(2), QString("[KASIR]"));
    QCOMPARE(mdlUtama::UserAktif, QString("KSR"));
  }

  void logInClosedWithTutupStaysLoggedOut() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    child<QAction>(u, "mnuLogout")->trigger();
    const QString sebelum = keadaan(u);
    ModalScript script;
    script.then([](QDialog* d) { child<QPushButton>(d, "TbTutup")->click(); });
    child<QAction>(u, "mnuLogin")->trigger();
    QCOMPARE(script.shown, QStringList{"frmLogin"});
    QVERIFY(u->isVisible());
    QCOMPARE(keadaan(u), sebelum);
  }

  void closingAsksFirst() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    const QString tanya = "YAKIN AKAN MENUTUP APLIKASI INI..?";
    EndCatcher end;
    {
      ScriptedPrompter p;
      p.expect(tanya, ui::vbNo, "Konfirmasi", ui::vbQuestion);
      p.expect(tanya, ui::vbNo, "Konfirmasi", ui::vbQuestion);
      child<QAction>(u, "mnuKeluar")->trigger();
      QVERIFY(u->isVisible());
      QVERIFY(!u->close());  // the close box
      QVERIFY(u->isVisible());
      VERIFY_PROMPTS(p);
      QCOMPARE(p.seen.at(0).buttons, int(ui::vbYesNo));
      QCOMPARE(end.count, 0);
    }
    {
      ScriptedPrompter p;
      p.expect(tanya, ui::vbYes, "Konfirmasi", ui::vbQuestion);
      child<QAction>(u, "mnuKeluar")->trigger();
      VERIFY_PROMPTS(p);
      QCOMPARE(end.count, 1);
    }
  }

  void closeBoxYesEnds() {
    masuk::Coba("KSR", "kasir1", "KASIR");
    EndCatcher end;
    ScriptedPrompter p;
    p.expect("YAKIN AKAN MENUTUP APLIKASI INI..?", ui::vbYes, "Konfirmasi", ui::vbQuestion);
    FrmUtama::Existing()->close();
    VERIFY_PROMPTS(p);
    QCOMPARE(end.count, 1);
  }

  void noRightClickMenuHidesTheToolbar() {
    masuk::Coba("ADM", "rahasia", "ADMIN");
    FrmUtama* u = FrmUtama::Existing();
    QVERIFY(QTest::qWaitForWindowExposed(u));
    for (QWidget* w : {static_cast<QWidget*>(u->menuBar()), static_cast<QWidget*>(child<QToolBar>(u, "Toolbar1"))}) {
      const QPoint p(w->width() - 10, w->height() / 2);
      QContextMenuEvent e(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
      QApplication::sendEvent(w, &e);
      QVERIFY2(!QApplication::activePopupWidget(), qPrintable(w->objectName()));
    }
    QVERIFY(child<QToolBar>(u, "Toolbar1")->isVisible());
  }

  void toolbarPositions() {
    FrmUtama* u = FrmUtama::Instance();
    ModalScript script;
    script.then([](QDialog* d) { d->reject(); });
    for (int i : {0, 4, 7, 9}) u->Toolbar1_ButtonClick(i);  // positions with no window
    QVERIFY(script.shown.isEmpty());
    u->Toolbar1_ButtonClick(8);
    QCOMPARE(script.shown, QStringList{"frmLogin"});
  }

  void tilesCoverTheAreaBelowTheToolbar() {
    const QList<QPoint> t = TitikUbin(100, 70, 10, 40, 30);
    const QList<QPoint> harap = {{0, 10}, {40, 10}, {80, 10}, {0, 40}, {40, 40}, {80, 40}};
    QCOMPARE(t, harap);
    QVERIFY(TitikUbin(100, 70, 80, 40, 30).isEmpty());  // toolbar taller than the window
    QVERIFY(TitikUbin(100, 70, 0, 0, 30).isEmpty());    // no picture: nothing, and no endless loop
  }

  void backgroundIsPaintedAsTiles() {
    FrmUtama* u = FrmUtama::Instance();
    u->resize(900, 760);
    u->show();
    QVERIFY(QTest::qWaitForWindowExposed(u));
    QWidget* latar = u->centralWidget();
    QVERIFY(latar);
    const QPixmap gambar = child<QLabel>(u, "Picture1")->pixmap();
    QVERIFY(!gambar.isNull());
    const int w = gambar.width(), h = gambar.height();
    QVERIFY(latar->width() > 2 * w && latar->height() > 2 * h);
    // The area right under the toolbar starts with the picture's corner, and
    // the next tile to the right and below repeat it.
    const QImage layar = latar->grab().toImage();
    const QImage asli = gambar.toImage();
    const int dpr = int(layar.devicePixelRatio());
    auto sama = [&](int x, int y, int px, int py) {
      const QColor a = layar.pixelColor(x * dpr, y * dpr), b = asli.pixelColor(px, py);
      return qAbs(a.red() - b.red()) < 8 && qAbs(a.green() - b.green()) < 8 && qAbs(a.blue() - b.blue()) < 8;
    };
    for (const QPoint& p : {QPoint(3, 5), QPoint(w / 2, h / 3), QPoint(w - 4, h - 6)}) {
      QVERIFY(sama(p.x(), p.y(), p.x(), p.y()));
      QVERIFY(sama(w + p.x(), p.y(), p.x(), p.y()));
      QVERIFY(sama(p.x(), h + p.y(), p.x(), p.y()));
    }
  }
};

REGISTER_TEST(UtamaTest);
#include "UtamaTest.moc"
