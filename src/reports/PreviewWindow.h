#pragma once
// The preview of a document: one page at a time, laid out and painted only
// when it is looked at, so a long report opens at once. Page turning (also
// PgUp/PgDn), zoom, printing, and saving as PDF or CSV. Escape closes it.
#include <QDialog>
#include <map>

#include "documents/Layout.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace reports {

class PreviewWindow : public QDialog {
  Q_OBJECT
 public:
  // The rows must outlive the window.
  PreviewWindow(const ReportDef& def, const Captions& captions, const Rows& rows, QWidget* parent = nullptr);

  int PageCount() const { return plan_.PageCount(); }
  int CurrentPage() const { return current_; }  // 0-based
  void SetPage(int page);
  // The page as the preview paints it.
  const Page& PageAt(int page);
  int PagesLaidOut() const { return laidOut_; }
  // Zoom relative to the paper's own size (1 = 100%).
  double Zoom() const { return zoom_; }
  // Paints the current page on a pixmap, as the screen shows it.
  QPixmap Render() const;

 public slots:
  void TbPertama_Click();
  void TbSebelum_Click();
  void TbBerikut_Click();
  void TbTerakhir_Click();
  void TbCetak_Click();
  void TbPdf_Click();
  void TbCsv_Click();
  void CmbZoom_Change();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool TurnPage(QKeyEvent* event);
  void Refit();
  QString FileName(const QString& suffix);

  const ReportDef& def_;
  const Captions captions_;
  const Rows& rows_;
  const Plan plan_;
  std::map<int, Page> pages_;
  int laidOut_ = 0;
  int current_ = 0;
  double zoom_ = 1.0;

  QWidget* view_;
  QScrollArea* scroll_;
  QSpinBox* TxtHalaman;
  QLabel* LblDari;
  QComboBox* CmbZoom;
  QToolButton *TbPertama, *TbSebelum, *TbBerikut, *TbTerakhir;
  QPushButton *TbCetak, *TbPdf, *TbCsv, *TbTutup;
};

}  // namespace reports
