// A string grid's state in plain C++: cells, row and column counts, the fixed
// header column, column widths and the current cell. The window's Qt view draws
// this state and forwards input; the command line and tests drive it directly.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bushou::ui {

class TStringGrid {
 public:
  TStringGrid(int colCount, int rowCount, int fixedCols = 1);

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  int FixedCols() const { return fixedCols_; }
  // Growing adds empty rows; shrinking drops the cells of the removed rows.
  // The current row is pulled back inside the grid.
  void SetRowCount(int rows);

  // An empty text outside the grid.
  const std::u16string& Cell(int col, int row) const;
  // Ignored outside the grid.
  void SetCell(int col, int row, std::u16string text);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return 20; }
  int DefaultRowHeight() const { return 20; }

  // The current cell. It starts at (FixedCols, 0).
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Moves the current cell, asking OnSelectCell first; a move to the cell that
  // is already current, or into the fixed column or outside the grid, does
  // nothing. True when the current cell is (col, row) afterwards.
  bool SetCol(int col) { return MoveTo(col, row_); }
  bool SetRow(int row) { return MoveTo(col_, row); }
  bool MoveTo(int col, int row);

  // Asked before a cell becomes current; may refuse by clearing canSelect.
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  // Told after cells, counts or the current cell changed (views repaint).
  std::function<void()> OnChanged;

 private:
  void Changed() const {
    if (OnChanged) OnChanged();
  }

  int colCount_;
  int rowCount_;
  int fixedCols_;
  int col_;
  int row_ = 0;
  std::vector<std::vector<std::u16string>> rows_;  // rows_[row][col]
  std::vector<int> colWidths_;
};

}  // namespace bushou::ui
