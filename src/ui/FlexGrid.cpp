#include "ui/FlexGrid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>

#include "ui/Input.h"

namespace ui {

// Row 0 of the grid is the header; model rows are grid rows 1..
class FlexGridModel : public QAbstractTableModel {
 public:
  explicit FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

  int rows = 2;  // grid rows, header included
  int cols = 2;
  int fixedCols = 0;
  std::vector<QString> cells;  // rows * cols
  std::vector<Qt::Alignment> align;  // per column; empty entries are left-aligned
  QFont headerFont;

  int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : rows - 1; }
  int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : cols; }

  QVariant data(const QModelIndex& i, int role) const override {
    if (!i.isValid()) return {};
    if (role == Qt::DisplayRole) return cells[size_t(i.row() + 1) * size_t(cols) + size_t(i.column())];
    if (role == Qt::BackgroundRole && i.column() < fixedCols) return QColor(224, 224, 224);
    if (role == Qt::TextAlignmentRole && size_t(i.column()) < align.size() && align[size_t(i.column())])
      return int(align[size_t(i.column())]);
    return {};
  }
  QVariant headerData(int s, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return s < cols ? cells[size_t(s)] : QString();
    if (role == Qt::FontRole) return headerFont;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& i) const override {
    return i.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  void resize(int r, int c) {
    r = qMax(r, 1);
    c = qMax(c, 1);
    if (r == rows && c == cols) return;
    // Rows added or taken at the end are told as such: the view then keeps
    // its current row and lays out only what changed (a reset would lay out
    // every row again, for each line a till adds).
    if (c == cols && rows > 1 && r > rows) {
      beginInsertRows(QModelIndex(), rows - 1, r - 2);
      cells.resize(size_t(r) * size_t(c));
      rows = r;
      endInsertRows();
      return;
    }
    if (c == cols && r > 1 && r < rows) {
      beginRemoveRows(QModelIndex(), r - 1, rows - 2);
      cells.resize(size_t(r) * size_t(c));
      rows = r;
      endRemoveRows();
      return;
    }
    beginResetModel();
    if (c == cols) {
      cells.resize(size_t(r) * size_t(c));
    } else {
      std::vector<QString> n(size_t(r) * size_t(c));
      for (int y = 0; y < qMin(r, rows); ++y)
        for (int x = 0; x < qMin(c, cols); ++x) n[size_t(y) * c + x] = std::move(cells[size_t(y) * cols + x]);
      cells.swap(n);
    }
    rows = r;
    cols = c;
    endResetModel();
  }
  void cellsChanged() {
    if (rows > 1) emit dataChanged(index(0, 0), index(rows - 2, cols - 1));
    emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
  }
};

QFont FlexGrid::GridFont() {
  static const QFont font = [] {
    // Arial's metrics (Liberation Sans) at 8 points, as the grids were drawn;
    // where those are missing, the size comes down until the code fits.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    const int ruang = TwipsToPixels(1100) - 8;  // the cell's margins and rule
    for (qreal pt = 8; pt >= 6; pt -= 0.5) {
      f.setPointSizeF(pt);
      if (QFontMetrics(f).horizontalAdvance(QStringLiteral("888.888.888")) <= ruang) break;
    }
    return f;
  }();
  return font;
}

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this)) {
  model_->cells.resize(size_t(model_->rows) * model_->cols);
  setFont(GridFont());
  model_->headerFont = GridFont();
  model_->headerFont.setBold(true);
  horizontalHeader()->setFont(model_->headerFont);
  // Tab leaves the grid; the arrows move between its rows.
  setTabKeyNavigation(false);
  setModel(model_);
  widths_.assign(size_t(model_->cols), 0);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setMinimumSectionSize(12);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setAlternatingRowColors(false);
  setStyleSheet(QStringLiteral("QTableView { gridline-color: #b0b0b0; }"
                               "QHeaderView::section { background: #e0e0e0; border: 1px solid #a0a0a0; padding: 2px; }"));
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
    if (i.isValid()) selectRow(i.row());
    emit DblClick();
  });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { emit RowColChange(); });
}

int FlexGrid::Rows() const { return model_->rows; }
void FlexGrid::SetRows(int rows) {
  const int keepRow = Row();
  model_->resize(rows, model_->cols);
  for (int c = 0; c < model_->cols; ++c)
    if (widths_[size_t(c)] > 0) setColumnWidth(c, TwipsToPixels(widths_[size_t(c)]));
  // Rows added below keep the current one by themselves; setting it again
  // lays the whole view out anew, which a till adding a line per scan feels.
  if (keepRow > 0 && keepRow < model_->rows && Row() != keepRow) SetRow(keepRow);
}
int FlexGrid::Cols() const { return model_->cols; }
void FlexGrid::SetCols(int cols) {
  model_->resize(model_->rows, cols);
  widths_.resize(size_t(model_->cols), 0);
  for (int c = 0; c < model_->cols; ++c)
    if (widths_[size_t(c)] > 0) setColumnWidth(c, TwipsToPixels(widths_[size_t(c)]));
}
void FlexGrid::Reserve(int rows) { model_->cells.reserve(size_t(rows) * size_t(model_->cols)); }

QString FlexGrid::TextMatrix(int row, int col) const {
  if (row < 0 || row >= model_->rows || col < 0 || col >= model_->cols) return QString();
  return model_->cells[size_t(row) * model_->cols + col];
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  if (row < 0 || row >= model_->rows || col < 0 || col >= model_->cols) return;
  model_->cells[size_t(row) * model_->cols + col] = text;
  if (row == 0) {
    emit model_->headerDataChanged(Qt::Horizontal, col, col);
  } else {
    // One repaint for a whole fill: the view reads the cells when it paints.
    if (!updatePending_) {
      updatePending_ = true;
      QMetaObject::invokeMethod(this, [this] {
        updatePending_ = false;
        viewport()->update();
      }, Qt::QueuedConnection);
    }
  }
}

void FlexGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col >= model_->cols) return;
  widths_[size_t(col)] = twips;
  setColumnWidth(col, TwipsToPixels(twips));
}
int FlexGrid::ColWidth(int col) const {
  if (col < 0 || col >= model_->cols) return 0;
  return widths_[size_t(col)] > 0 ? widths_[size_t(col)] : columnWidth(col) * 15;
}

void FlexGrid::SetColAlignment(int col, Qt::Alignment a) {
  if (col < 0 || col >= model_->cols) return;
  if (model_->align.size() < size_t(model_->cols)) model_->align.resize(size_t(model_->cols));
  model_->align[size_t(col)] = a | Qt::AlignVCenter;
  viewport()->update();
}
Qt::Alignment FlexGrid::ColAlignment(int col) const {
  if (col < 0 || size_t(col) >= model_->align.size() || !model_->align[size_t(col)])
    return Qt::AlignLeft | Qt::AlignVCenter;
  return model_->align[size_t(col)];
}

void FlexGrid::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    // The row under the cursor, as a double-click would take it.
    if (const QModelIndex i = currentIndex(); i.isValid()) selectRow(i.row());
    e->accept();
    emit DblClick();
    return;
  }
  QTableView::keyPressEvent(e);
}

void FlexGrid::focusInEvent(QFocusEvent* e) {
  QTableView::focusInEvent(e);
  // Reached by keyboard, the current row shows as chosen, so the person sees
  // which row Enter would take; the blank row of an empty grid stays plain.
  const QModelIndex i = currentIndex();
  if (!i.isValid() || selectionModel()->isRowSelected(i.row(), QModelIndex())) return;
  for (int c = 0; c < model_->cols; ++c)
    if (!TextMatrix(i.row() + 1, c).isEmpty()) {
      selectRow(i.row());
      return;
    }
}

void FlexGrid::SetRowHeightMin(int twips) {
  const int px = qMax(TwipsToPixels(twips), 12);
  verticalHeader()->setMinimumSectionSize(px);
  verticalHeader()->setDefaultSectionSize(px);
  horizontalHeader()->setMinimumHeight(px);
}

void FlexGrid::SetFixedCols(int n) {
  fixedCols_ = qBound(0, n, 1);
  model_->fixedCols = fixedCols_;
  viewport()->update();
}

int FlexGrid::Row() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.row() + 1 : 0;
}
void FlexGrid::SetRow(int row) {
  if (row < 1 || row >= model_->rows) return;
  const int col = qMax(0, currentIndex().column());
  setCurrentIndex(model_->index(row - 1, col));
}
int FlexGrid::Col() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.column() : 0;
}
void FlexGrid::SetCol(int col) {
  if (col < 0 || col >= model_->cols) return;
  const int row = qMax(0, currentIndex().row());
  if (model_->rows > 1) setCurrentIndex(model_->index(row, col));
}

void FlexGrid::Clear() {
  for (auto& s : model_->cells) s.clear();
  model_->cellsChanged();
}

void AturGrid(FlexGrid* grid, const QList<Kolom>& kolom) {
  grid->SetCols(int(kolom.size()));
  for (int c = 0; c < kolom.size(); ++c) {
    grid->SetTextMatrix(0, c, kolom[c].judul);
    grid->SetColWidth(c, kolom[c].lebar);
    grid->SetColAlignment(c, kolom[c].angka ? Qt::AlignRight : Qt::AlignLeft);
  }
}

}  // namespace ui
