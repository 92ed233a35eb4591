#include "core/FrmUtama.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

#include "core/mdlUtama.h"
#include "ui/Seams.h"

namespace {
QPointer<FrmUtama> instance;
}

// The background picture is built into this library, which registers its
// resources only when asked.
static void LoadPictureResource() { Q_INIT_RESOURCE(core); }

QList<QPoint> TitikUbin(int lebar, int tinggi, int top, int w, int h) {
  QList<QPoint> titik;
  if (w <= 0 || h <= 0) return titik;  // an empty picture would never advance
  for (int y = top; y < tinggi; y += h)
    for (int x = 0; x < lebar; x += w) titik.append(QPoint(x, y));
  return titik;
}

// The client area below the toolbar. It paints the picture of Picture1 as
// tiles, placed in the coordinates of the whole client area (menu bar
// excluded), so the first row sits right under the toolbar.
class Latar : public QWidget {
 public:
  explicit Latar(FrmUtama* utama) : QWidget(utama), utama_(utama) { setObjectName("Latar"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    const QPixmap gambar = utama_->Picture1->pixmap();
    if (gambar.isNull()) return;
    const int menu = utama_->menuBar()->isVisible() ? utama_->menuBar()->height() : 0;
    const int lebar = utama_->width();
    const int tinggi = utama_->height() - menu;
    const int top = utama_->Toolbar1->isVisible() ? utama_->Toolbar1->height() : 0;
    const QSize ukuran = utama_->Picture1->contentsRect().size();
    QPainter p(this);
    p.translate(-x(), -(y() - menu));
    for (const QPoint& t : TitikUbin(lebar, tinggi, top, ukuran.width(), ukuran.height()))
      p.drawPixmap(QRect(t, ukuran), gambar);
  }

 private:
  FrmUtama* utama_;
};

FrmUtama* FrmUtama::Instance() {
  if (!instance) instance = new FrmUtama;
  return instance;
}

FrmUtama* FrmUtama::Existing() { return instance; }

void FrmUtama::DestroyForTests() {
  delete instance.data();
  instance = nullptr;
}

FrmUtama::FrmUtama(QWidget* parent) : QMainWindow(parent) {
  setObjectName("FrmUtama");
  setWindowTitle("APLIKASI CV. MERAPU v 1.0");
  resize(900, 620);

  BuatMenu();

  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName("Toolbar1");
  Toolbar1->setMovable(false);
  Toolbar1->setFloatable(false);
  Toolbar1->setMinimumHeight(28);
  Toolbar1->setEnabled(false);
  addToolBar(Qt::TopToolBarArea, Toolbar1);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  Panel1 = new QLabel(StatusBar1);
  Panel1->setObjectName("StatusBar1Panel1");
  Panel1->setMinimumWidth(220);
  Panel2 = new QLabel(StatusBar1);
  Panel2->setObjectName("StatusBar1Panel2");
  Panel2->setMinimumWidth(120);
  for (QLabel* panel : {Panel1, Panel2}) {
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(4, 0, 4, 0);
  }
  StatusBar1->addWidget(Panel1);
  StatusBar1->addWidget(Panel2, 1);
  setStatusBar(StatusBar1);

  // The picture holder is never seen itself; the client area shows its
  // picture as tiles.
  Picture1 = new QLabel(this);
  Picture1->setObjectName("Picture1");
  LoadPictureResource();
  const QPixmap gambar(":/core/latar.jpg");
  Picture1->setPixmap(gambar);
  Picture1->setFixedSize(gambar.size());
  Picture1->hide();

  setCentralWidget(new Latar(this));
}

FrmUtama::~FrmUtama() = default;

QMenu* FrmUtama::Menu(const char* name, const QString& caption) {
  QMenu* m = menuBar()->addMenu(caption);
  m->setObjectName(name);
  m->menuAction()->setObjectName(QString::fromLatin1(name) + "Action");
  return m;
}

QAction* FrmUtama::Entry(QMenu* menu, const char* name, const QString& caption, const char* window) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (window) {
    // The entry names its window in the table of windows.
    a->setData(QString::fromLatin1(window));
    connect(a, &QAction::triggered, this, [this, a] { Open(a->data().toString()); });
  }
  return a;
}

QAction* FrmUtama::Separator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(name);
  return a;
}

void FrmUtama::BuatMenu() {
  QMenu* file = Menu("MuFile", "&File");
  Entry(file, "mnuLogin", "Log In", "frmLogin");
  QAction* logout = Entry(file, "mnuLogout", "Log Out");
  connect(logout, &QAction::triggered, this, [this] { mnuLogout_Click(); });
  Separator(file, "Bts1");
  QAction* keluar = Entry(file, "mnuKeluar", "Keluar");
  connect(keluar, &QAction::triggered, this, [this] { close(); });

  QMenu* dataMenu = Menu("MuData", "&Data");
  Entry(dataMenu, "mnuPemasok", "Data &Pemasok", "frmPemasok");
  Entry(dataMenu, "mnuPelanggan", "Data Pe&langgan", "frmPelanggan");
  Separator(dataMenu, "Bts2");
  Entry(dataMenu, "mnuGrup", "Data &Grup", "frmGrup");
  Entry(dataMenu, "mnuProduk", "Data Pro&duk", "frmProduk");
  Entry(dataMenu, "mnuBarang", "Data &Barang", "frmBarang");

  QMenu* transaksi = Menu("MuTransaksi", "&Transaksi");
  Entry(transaksi, "mnuPembelian", "&Pembelian Barang", "frmPembelian");
  Entry(transaksi, "mnuPenjualan", "Penjualan &Retail", "frmPenjualan");
  Entry(transaksi, "mnuRekening", "&Rekening Transaksi", "frmTransaksi");
  Separator(transaksi, "BtsTrans1");
  Entry(transaksi, "mnuRetur", "R&etur / Void Penjualan", "frmRetur");
  Entry(transaksi, "mnuTutupKasir", "&Tutup Kasir", "frmTutupKasir");
  Entry(transaksi, "mnuBukaLaci", "Buka &Laci", "frmBukaLaci");

  QMenu* laporan = Menu("MuLaporan", "&Laporan");
  Entry(laporan, "mnuLabaRugi", "Laba / Rugi Per-Periode", "frmKasPeriode");
  Separator(laporan, "BtsLap0");
  Entry(laporan, "mnuKasMasukTanggal", "Kas Masuk Per-Tanggal", "frmKasMasukTanggal");
  Entry(laporan, "mnuKasMasukPeriode", "Kas Masuk Per-Periode", "frmKasMasukPeriode");
  Separator(laporan, "BtsLap");
  Entry(laporan, "mnuKasKeluarTanggal", "Kas Keluar Per-Tanggal", "frmKasKeluarTanggal");
  Entry(laporan, "mnuKasKeluarPeriode", "Kas Keluar Per-Periode", "frmKasKeluarPeriode");
  Separator(laporan, "BtsLap1");
  Entry(laporan, "mnuLapJualNota", "Penjualan Per-Nota", "frmLapJualNota");
  Entry(laporan, "mnuLapJualTanggal", "Penjualan Per-Tanggal Transaksi", "frmLapJualTanggal");
  Entry(laporan, "mnuLapJualPeriode", "Penjualan Per Periode", "frmLapJualPeriode");
  Entry(laporan, "mnuLapKasirHarian", "Penjualan Per-Kasir Harian", "frmLapKasirHarian");
  Entry(laporan, "mnuLapTutupKasir", "Tutup Kasir Per-Periode", "frmLapTutupKasir");
  Separator(laporan, "BtsLap2");
  Entry(laporan, "mnuLapBeliNota", "Pemebelian Per-Nota", "frmLapBeliNota");
  Entry(laporan, "mnuLapBeliPeriode", "Pembelian Per-Periode", "frmLapBeliPeriode");
  // The printed lists of the master data, for those who keep it.
  Separator(laporan, "BtsLap3");
  QMenu* master = laporan->addMenu("Data &Master");
  master->setObjectName("MuLapMaster");
  master->menuAction()->setObjectName("MuLapMasterAction");
  Entry(master, "mnuLapPemasok", "Data &Pemasok", "rptLapPemasok");
  Entry(master, "mnuLapGrup", "Data &Grup", "rptLapGrup");
  Entry(master, "mnuLapProduk", "Data Pro&duk", "rptLapProduk");
  Entry(master, "mnuLapBarang", "Data &Barang", "rptLapBarang");
  Entry(master, "mnuLapBarangGrup", "Barang Per G&rup", "frmLapBarangGrup");

  QMenu* setting = Menu("MuSetting", "&Setting");
  Entry(setting, "mnuPengguna", "&Pengguna", "frmPengguna");
  Separator(setting, "BtsSet1");
  QAction* backup = Entry(setting, "mnuBackup", "&Backup Data Sekarang");
  connect(backup, &QAction::triggered, this, [this] { mnuBackup_Click(); });
  Entry(setting, "mnuDaftarBackup", "Daftar Backup / P&ulihkan", "frmBackup");
  Separator(setting, "BtsSet2");
  Entry(setting, "mnuSetelanStruk", "Printer &Struk", "frmSetelanStruk");
}

void FrmUtama::Open(const QString& window) {
  if (ui::OpenModal(window, this)) return;
  // A window not in this version of the program: say so rather than do nothing.
  QString judul = window;
  for (QAction* a : findChildren<QAction*>())
    if (a->data().toString() == window) judul = a->text().remove(QLatin1Char('&')).toUpper();
  ui::MsgBox(QStringLiteral("\"%1\" BELUM TERSEDIA DI PROGRAM INI.").arg(judul), ui::vbOKOnly | ui::vbInformation,
             QStringLiteral("Informasi"));
}

void FrmUtama::SetOn(const char* name, bool on) {
  if (QMenu* m = findChild<QMenu*>(name)) {
    m->menuAction()->setEnabled(on);
    return;
  }
  if (QAction* a = findChild<QAction*>(name)) a->setEnabled(on);
}

void FrmUtama::MenuAdmin() {
  for (const char* n : {"MuFile", "mnuLogout", "mnuKeluar", "MuData", "MuTransaksi", "mnuPembelian",
                        "mnuPenjualan", "MuLaporan", "mnuLapJualNota", "mnuLapJualTanggal",
                        "mnuLapJualPeriode", "mnuLapBeliNota", "mnuLapBeliPeriode", "MuLapMaster",
                        "MuSetting", "mnuPengguna", "mnuLapTutupKasir", "mnuBukaLaci"})
    SetOn(n, true);
  SetOn("mnuLogin", false);
  Toolbar1->setEnabled(false);
}

void FrmUtama::MenuKasir() {
  for (const char* n : {"MuFile", "mnuLogout", "mnuKeluar", "MuTransaksi", "mnuPenjualan", "MuLaporan",
                        "mnuLapJualNota", "mnuLapJualTanggal", "mnuLapJualPeriode"})
    SetOn(n, true);
  for (const char* n : {"mnuLogin", "MuData", "mnuPembelian", "mnuLapBeliNota", "mnuLapBeliPeriode",
                        "MuLapMaster", "MuSetting", "mnuPengguna", "mnuLapTutupKasir", "mnuBukaLaci"})
    SetOn(n, false);
  Toolbar1->setEnabled(false);
}

void FrmUtama::mnuLogout_Click() {
  for (const char* n : {"MuLaporan", "MuData", "MuTransaksi", "MuSetting"}) SetOn(n, false);
  SetOn("mnuLogin", true);
  SetOn("mnuLogout", false);
  Toolbar1->setEnabled(false);
}

void FrmUtama::SetPanel(int panel, const QString& text) {
  (panel == 1 ? Panel1 : Panel2)->setText(text);
}

QString FrmUtama::PanelText(int panel) const { return (panel == 1 ? Panel1 : Panel2)->text(); }

void FrmUtama::Toolbar1_ButtonClick(int index) {
  static const char* const jendela[] = {nullptr,       "frmPemasok",   "frmGrup", "frmBarang", nullptr,
                                        "frmPembelian", "frmPenjualan", nullptr,   "frmLogin"};
  if (index < 1 || index > 8 || !jendela[index]) return;
  Open(QString::fromLatin1(jendela[index]));
}

void FrmUtama::TampilLapBarangGrup() { Open("frmLapBarangGrup"); }

void FrmUtama::closeEvent(QCloseEvent* e) {
  if (ui::MsgBox("YAKIN AKAN MENUTUP APLIKASI INI..?", ui::vbYesNo | ui::vbQuestion, "Konfirmasi") == ui::vbNo) {
    e->ignore();
    return;
  }
  e->accept();
  mdlUtama::BackupPenutup();
  ui::EndApplication();
}

void FrmUtama::mnuBackup_Click() { mdlUtama::BackupSekarang(); }
