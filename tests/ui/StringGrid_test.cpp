#include "ui/StringGrid.h"

#include <gtest/gtest.h>

namespace bushou::ui {
namespace {

TEST(StringGrid, CellsOutsideTheGridAreEmptyAndIgnored) {
  TStringGrid grid(3, 2);
  grid.SetCell(2, 1, u"x");
  grid.SetCell(3, 0, u"ignored");
  grid.SetCell(0, -1, u"ignored");
  EXPECT_EQ(grid.Cell(2, 1), u"x");
  EXPECT_EQ(grid.Cell(3, 0), u"");
  EXPECT_EQ(grid.Cell(0, 2), u"");
}

TEST(StringGrid, ShrinkingDropsRowsAndGrowingAddsEmptyOnes) {
  TStringGrid grid(2, 3);
  grid.SetCell(1, 2, u"gone");
  grid.SetCell(1, 0, u"kept");
  ASSERT_TRUE(grid.MoveTo(1, 2));
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Row(), 1);  // the current row is pulled back inside
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Cell(1, 2), u"");
  EXPECT_EQ(grid.Cell(1, 0), u"kept");
}

TEST(StringGrid, MovesAskFirstAndNeverEnterTheFixedColumn) {
  TStringGrid grid(4, 3);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 0);
  std::vector<std::pair<int, int>> asked;
  grid.OnSelectCell = [&](int col, int row, bool& canSelect) {
    asked.emplace_back(col, row);
    canSelect = row != 2;
  };
  EXPECT_TRUE(grid.SetCol(1));  // already current: not asked
  EXPECT_TRUE(grid.SetCol(3));
  EXPECT_FALSE(grid.SetRow(2));  // refused
  EXPECT_EQ(grid.Row(), 0);
  EXPECT_FALSE(grid.SetCol(0));  // fixed column
  EXPECT_FALSE(grid.MoveTo(1, 3));  // outside
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 0}, {3, 2}}));
}

}  // namespace
}  // namespace bushou::ui
