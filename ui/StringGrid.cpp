#include "ui/StringGrid.h"

#include <algorithm>

namespace bushou::ui {
namespace {
const std::u16string kEmpty;
}

TStringGrid::TStringGrid(int colCount, int rowCount, int fixedCols)
    : colCount_(std::max(colCount, 1)),
      rowCount_(std::max(rowCount, 0)),
      fixedCols_(std::clamp(fixedCols, 0, colCount_ - 1)),
      col_(fixedCols_),
      rows_(static_cast<std::size_t>(rowCount_),
            std::vector<std::u16string>(static_cast<std::size_t>(colCount_))),
      colWidths_(static_cast<std::size_t>(colCount_), DefaultColWidth()) {}

void TStringGrid::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  if (rows == rowCount_) return;
  rows_.resize(static_cast<std::size_t>(rows), std::vector<std::u16string>(static_cast<std::size_t>(colCount_)));
  rowCount_ = rows;
  if (row_ >= rowCount_) row_ = std::max(rowCount_ - 1, 0);
  Changed();
}

const std::u16string& TStringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, std::u16string text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
  Changed();
}

int TStringGrid::ColWidth(int col) const {
  if (col < 0 || col >= colCount_) return 0;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[static_cast<std::size_t>(col)] = width;
  Changed();
}

bool TStringGrid::MoveTo(int col, int row) {
  if (col == col_ && row == row_) return true;
  if (col < fixedCols_ || col >= colCount_ || row < 0 || row >= rowCount_) return false;
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(col, row, canSelect);
  if (!canSelect) return false;
  col_ = col;
  row_ = row;
  Changed();
  return true;
}

}  // namespace bushou::ui
