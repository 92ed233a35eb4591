#pragma once
// A grid of text cells addressed by row and column. Row 0 is the header row
// (bold, centred); rows 1.. hold the data. Column widths and the minimum row
// height are given in twips. Holds plain strings in one flat array, so grids
// of tens of thousands of rows fill and scroll quickly.
// By keyboard: Tab and Shift+Tab leave the grid, the arrows move between rows,
// Enter on a row does what a double-click does.
#include <QFont>
#include <QList>
#include <QString>
#include <QTableView>
#include <vector>

namespace ui {

class FlexGridModel;

class FlexGrid : public QTableView {
  Q_OBJECT
 public:
  explicit FlexGrid(QWidget* parent = nullptr);

  int Rows() const;
  void SetRows(int rows);  // keeps the texts of the rows that remain
  int Cols() const;
  void SetCols(int cols);
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  void SetColWidth(int col, int twips);
  int ColWidth(int col) const;  // twips
  void SetRowHeightMin(int twips);
  // Amount and quantity columns stand right-aligned; the others left.
  void SetColAlignment(int col, Qt::Alignment a);
  Qt::Alignment ColAlignment(int col) const;
  // The font of every grid: small enough that an item code of 11 characters
  // fits the 1100 twips its columns are given.
  static QFont GridFont();
  // 0 or 1: a fixed first column, shown grey like the header.
  void SetFixedCols(int n);
  int FixedCols() const { return fixedCols_; }

  // Current row (1.. for data rows, 0 when there is none) and column.
  int Row() const;
  void SetRow(int row);
  int Col() const;
  void SetCol(int col);

  // Empties every cell's text, header included; rows and columns stay.
  void Clear();

  // Fast fill: reserves rows up front (use before filling many rows).
  void Reserve(int rows);

 signals:
  void DblClick();
  void RowColChange();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;

 private:
  FlexGridModel* model_;
  int fixedCols_ = 0;
  bool updatePending_ = false;
  std::vector<int> widths_;
};

// One column of a grid: its header text, its width in twips and whether it
// holds numbers.
struct Kolom {
  QString judul;
  int lebar;
  bool angka = false;  // an amount or a quantity: right-aligned
};
// Gives a grid exactly these columns, each with its header, width and
// alignment.
void AturGrid(FlexGrid* grid, const QList<Kolom>& kolom);

}  // namespace ui
