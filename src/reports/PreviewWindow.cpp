#include "reports/PreviewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/Csv.h"
#include "documents/Paint.h"
#include "ui/Seams.h"
#include "ui/Tombol.h"

namespace reports {

namespace {
constexpr int kEdge = 16;  // grey around the paper, in pixels
constexpr int kFitWidth = -1, kFitPage = -2;

// The paper on screen: paints the window's current page at its zoom.
class PageView : public QWidget {
 public:
  explicit PageView(PreviewWindow* w) : QWidget(w), w_(w) { setObjectName(QStringLiteral("Halaman")); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect paper = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    p.fillRect(paper.translated(3, 3), QColor(60, 60, 60));
    p.fillRect(paper, Qt::white);
    p.translate(paper.topLeft());
    ScaleToDots(p, *this, w_->Zoom());
    PaintPage(p, w_->PageAt(w_->CurrentPage()));
  }

 private:
  PreviewWindow* w_;
};

QToolButton* Panah(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setToolTip(tip);
  b->setAutoRaise(true);
  return b;
}
// The document's title and what it is about, as the name of a saved file:
// "Laporan Penjualan Per-Periode 01 Maret 2024 s.d. 31 Maret 2024".
QString ProposedName(const ReportDef& def, const Captions& captions) {
  QString name = def.title;
  for (const char* label : {"LblPeriode", "LblTgl2", "LblNota", "LblGrup"}) {
    const QString value = captions.value(QString::fromLatin1(label)).trimmed();
    if (value.isEmpty()) continue;
    name += QLatin1Char(' ') + QString(value).replace(QStringLiteral(" S/D "), QStringLiteral(" s.d. "));
    break;
  }
  return ui::NamaFile(name);
}

// A file the engine could not write, with the system's reason when it gave one.
void TellNotSaved(const QString& file, const QString& reason) {
  ui::MsgBox(reason.isEmpty() ? QStringLiteral("File tidak dapat ditulis: %1").arg(file)
                              : QStringLiteral("File tidak dapat ditulis: %1 (%2)").arg(file, reason),
             ui::vbOKOnly | ui::vbCritical, QStringLiteral("Gagal Menyimpan"));
}
}  // namespace

PreviewWindow::PreviewWindow(const ReportDef& def, const Captions& captions, const Rows& rows, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      def_(def),
      captions_(captions),
      rows_(rows),
      plan_(Paginate(def, rows.Count(), PageSetup::A4())) {
  setObjectName(def.name);
  setWindowTitle(def.windowTitle);

  auto* alat = new QWidget(this);
  alat->setObjectName(QStringLiteral("Alat"));
  TbPertama = Panah(alat, "TbPertama", QStyle::SP_MediaSkipBackward, QStringLiteral("Halaman pertama"));
  TbSebelum = Panah(alat, "TbSebelum", QStyle::SP_MediaSeekBackward, QStringLiteral("Halaman sebelumnya (PgUp)"));
  TbBerikut = Panah(alat, "TbBerikut", QStyle::SP_MediaSeekForward, QStringLiteral("Halaman berikutnya (PgDn)"));
  TbTerakhir = Panah(alat, "TbTerakhir", QStyle::SP_MediaSkipForward, QStringLiteral("Halaman terakhir"));
  TxtHalaman = new QSpinBox(alat);
  TxtHalaman->setObjectName(QStringLiteral("TxtHalaman"));
  TxtHalaman->setRange(1, PageCount());
  TxtHalaman->setButtonSymbols(QAbstractSpinBox::NoButtons);
  TxtHalaman->setAlignment(Qt::AlignRight);
  TxtHalaman->setMinimumWidth(fontMetrics().horizontalAdvance(QString::number(PageCount())) + 24);
  LblDari = new QLabel(QStringLiteral("dari %1").arg(PageCount()), alat);
  LblDari->setObjectName(QStringLiteral("LblDari"));
  CmbZoom = new QComboBox(alat);
  CmbZoom->setObjectName(QStringLiteral("CmbZoom"));
  CmbZoom->addItem(QStringLiteral("Satu Halaman"), kFitPage);
  CmbZoom->addItem(QStringLiteral("Lebar Halaman"), kFitWidth);
  for (int pct : {50, 75, 100, 125, 150, 200}) CmbZoom->addItem(QStringLiteral("%1%").arg(pct), pct);
  CmbZoom->setCurrentIndex(CmbZoom->findData(100));
  TbCetak = ui::Tombol(alat, "TbCetak", QStringLiteral("&Cetak..."));
  TbPdf = ui::Tombol(alat, "TbPdf", QStringLiteral("Simpan P&DF..."));
  TbCsv = ui::Tombol(alat, "TbCsv", QStringLiteral("Simpan C&SV..."));
  TbTutup = ui::Tombol(alat, "TbTutup", QStringLiteral("&Tutup"));

  auto* baris = new QHBoxLayout(alat);
  baris->setContentsMargins(6, 4, 6, 4);
  baris->addWidget(TbPertama);
  baris->addWidget(TbSebelum);
  baris->addWidget(new QLabel(QStringLiteral("Halaman"), alat));
  baris->addWidget(TxtHalaman);
  baris->addWidget(LblDari);
  baris->addWidget(TbBerikut);
  baris->addWidget(TbTerakhir);
  baris->addSpacing(24);
  baris->addWidget(new QLabel(QStringLiteral("Zoom"), alat));
  baris->addWidget(CmbZoom);
  baris->addStretch();
  baris->addWidget(TbCetak);
  baris->addWidget(TbPdf);
  baris->addWidget(TbCsv);
  baris->addSpacing(12);
  baris->addWidget(TbTutup);

  view_ = new PageView(this);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("Kertas"));
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setWidget(view_);
  scroll_->viewport()->installEventFilter(this);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  v->addWidget(alat);
  v->addWidget(scroll_, 1);

  connect(TbPertama, &QToolButton::clicked, this, &PreviewWindow::TbPertama_Click);
  connect(TbSebelum, &QToolButton::clicked, this, &PreviewWindow::TbSebelum_Click);
  connect(TbBerikut, &QToolButton::clicked, this, &PreviewWindow::TbBerikut_Click);
  connect(TbTerakhir, &QToolButton::clicked, this, &PreviewWindow::TbTerakhir_Click);
  connect(TxtHalaman, &QSpinBox::valueChanged, this, [this](int n) { SetPage(n - 1); });
  connect(CmbZoom, &QComboBox::currentIndexChanged, this, &PreviewWindow::CmbZoom_Change);
  connect(TbCetak, &QPushButton::clicked, this, &PreviewWindow::TbCetak_Click);
  connect(TbPdf, &QPushButton::clicked, this, &PreviewWindow::TbPdf_Click);
  connect(TbCsv, &QPushButton::clicked, this, &PreviewWindow::TbCsv_Click);
  connect(TbTutup, &QPushButton::clicked, this, &QDialog::accept);

  // Page keys turn pages wherever the focus is.
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

  // Maximised; the size also serves where no window manager maximises.
  if (QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  SetPage(0);
  Refit();
}

const Page& PreviewWindow::PageAt(int page) {
  auto it = pages_.find(page);
  if (it != pages_.end()) return it->second;
  ++laidOut_;
  // Keep a few pages around the one asked for; a long report is not held whole.
  while (pages_.size() >= 8) {
    auto far = pages_.begin();
    if (std::abs(pages_.rbegin()->first - page) > std::abs(far->first - page)) far = std::prev(pages_.end());
    pages_.erase(far);
  }
  return pages_.emplace(page, LayoutPage(plan_, def_, captions_, rows_, page)).first->second;
}

void PreviewWindow::SetPage(int page) {
  page = std::clamp(page, 0, PageCount() - 1);
  current_ = page;
  if (TxtHalaman->value() != page + 1) {
    const QSignalBlocker hold(TxtHalaman);
    TxtHalaman->setValue(page + 1);
  }
  TbPertama->setEnabled(page > 0);
  TbSebelum->setEnabled(page > 0);
  TbBerikut->setEnabled(page + 1 < PageCount());
  TbTerakhir->setEnabled(page + 1 < PageCount());
  scroll_->verticalScrollBar()->setValue(0);
  view_->update();
}

void PreviewWindow::TbPertama_Click() { SetPage(0); }
void PreviewWindow::TbSebelum_Click() { SetPage(current_ - 1); }
void PreviewWindow::TbBerikut_Click() { SetPage(current_ + 1); }
void PreviewWindow::TbTerakhir_Click() { SetPage(PageCount() - 1); }

void PreviewWindow::CmbZoom_Change() { Refit(); }

void PreviewWindow::Refit() {
  const int mode = CmbZoom->currentData().toInt();
  const QSizeF paper = plan_.page.paper;
  // Pixels of the paper at 100%.
  const double w100 = paper.width() * logicalDpiX() / kDotsPerInch;
  const double h100 = paper.height() * logicalDpiY() / kDotsPerInch;
  const QSize room = scroll_->viewport()->size() - QSize(2 * kEdge, 2 * kEdge);
  if (mode == kFitWidth) zoom_ = room.width() / w100;
  else if (mode == kFitPage) zoom_ = std::min(room.width() / w100, room.height() / h100);
  else zoom_ = mode / 100.0;
  zoom_ = std::max(zoom_, 0.1);
  view_->setFixedSize(int(w100 * zoom_) + 2 * kEdge, int(h100 * zoom_) + 2 * kEdge);
  view_->update();
}

QPixmap PreviewWindow::Render() const { return view_->grab(); }

bool PreviewWindow::TurnPage(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  switch (e->key()) {
    case Qt::Key_PageDown: TbBerikut_Click(); return true;
    case Qt::Key_PageUp: TbSebelum_Click(); return true;
    case Qt::Key_Home: if (ctrl) { TbPertama_Click(); return true; } return false;
    case Qt::Key_End: if (ctrl) { TbTerakhir_Click(); return true; } return false;
    default: return false;
  }
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && TurnPage(static_cast<QKeyEvent*>(event))) return true;
  if (watched == scroll_->viewport() && event->type() == QEvent::Resize) Refit();
  return QDialog::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (!TurnPage(event)) QDialog::keyPressEvent(event);
}

QString PreviewWindow::FileName(const QString& suffix) {
  const QString filter = suffix == QLatin1String("pdf") ? QStringLiteral("Dokumen PDF|*.pdf")
                                                        : QStringLiteral("Data CSV (spreadsheet)|*.csv");
  const QString title = suffix == QLatin1String("pdf") ? QStringLiteral("Simpan Laporan sebagai PDF")
                                                       : QStringLiteral("Simpan Data Laporan sebagai CSV");
  QString name = ui::GetSaveFileName(this, title, filter, ProposedName(def_, captions_) + QLatin1Char('.') + suffix);
  if (!name.isEmpty() && !name.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive)) name += QLatin1Char('.') + suffix;
  return name;
}

void PreviewWindow::TbPdf_Click() {
  const QString name = FileName(QStringLiteral("pdf"));
  if (!name.isEmpty() && !WritePdf(name, def_, captions_, rows_)) TellNotSaved(name, QString());
}

void PreviewWindow::TbCsv_Click() {
  const QString name = FileName(QStringLiteral("csv"));
  QString reason;
  if (!name.isEmpty() && !WriteCsv(name, def_, captions_, rows_, &reason)) TellNotSaved(name, reason);
}

void PreviewWindow::TbCetak_Click() {
  std::unique_ptr<QPrinter> printer = ui::DefaultPrinter();
  if (!printer || !printer->isValid()) {
    ui::MsgBox(QStringLiteral("Belum ada printer terinstall di komputer Anda.\n"
                              "Silahkan install printer terlebih dulu, atau simpan laporan sebagai PDF."),
               ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Printer Belum Diinstall"));
    return;
  }
  printer->setDocName(def_.title);
  QPrintDialog dialog(printer.get(), this);
  dialog.setObjectName(QStringLiteral("DlgCetak"));
  dialog.setWindowTitle(QStringLiteral("Cetak ") + def_.title);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange);
  dialog.setMinMax(1, PageCount());
  if (ui::ShowModal(&dialog) != QDialog::Accepted) return;
  int first = 0, last = -1;
  if (printer->printRange() == QPrinter::PageRange) {
    first = printer->fromPage() - 1;
    last = printer->toPage() - 1;
  } else if (printer->printRange() == QPrinter::CurrentPage) {
    first = last = current_;
  }
  printer->setFullPage(true);  // from the paper's edge: the margins are the layout's
  const bool painted = PaintDocument(printer.get(), def_, captions_, rows_, first, last);
  if (!painted || printer->printerState() == QPrinter::Error)
    ui::MsgBox(QStringLiteral("Laporan gagal dicetak.\n"
                              "Periksa apakah printer sudah menyala dan kertas sudah terpasang, lalu cetak kembali."),
               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Printer Error"));
}

}  // namespace reports
