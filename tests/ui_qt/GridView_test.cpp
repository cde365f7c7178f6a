// The grid view follows its grid, and the grid decides which moves happen.
#include "ui/qt/GridView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QItemSelectionModel>

namespace bushou::ui {
namespace {

class GridViewTest : public ::testing::Test {
 protected:
  int argc = 1;
  char name[8] = "test";
  char* argv[1] = {name};
  QApplication app{argc, argv};
};

TEST_F(GridViewTest, ShowsCellsAndFollowsRefills) {
  TStringGrid grid(3, 2);
  grid.SetCell(1, 0, u"一");
  GridView view(grid, Qt::white);
  EXPECT_EQ(view.model()->index(0, 1).data().toString(), QString::fromUtf8("一"));
  grid.SetRowCount(4);
  grid.SetCell(2, 3, u"丁");
  QCoreApplication::processEvents();  // the view redraws once after a fill
  EXPECT_EQ(view.model()->rowCount(), 4);
  EXPECT_EQ(view.model()->index(3, 2).data().toString(), QString::fromUtf8("丁"));
  // The header column cannot be selected.
  EXPECT_FALSE(view.model()->flags(view.model()->index(0, 0)) & Qt::ItemIsSelectable);
}

TEST_F(GridViewTest, AMoveTheGridRefusesIsUndoneInTheView) {
  TStringGrid grid(3, 2);
  grid.SetCell(1, 0, u"一");
  grid.OnSelectCell = [&grid](int col, int row, bool& canSelect) { canSelect = !grid.Cell(col, row).empty(); };
  GridView view(grid, Qt::white);
  grid.SetCell(2, 1, u"二");
  QCoreApplication::processEvents();

  view.selectionModel()->setCurrentIndex(view.model()->index(1, 2), QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.Row(), 1);

  view.selectionModel()->setCurrentIndex(view.model()->index(1, 1), QItemSelectionModel::ClearAndSelect);
  QCoreApplication::processEvents();
  EXPECT_EQ(grid.Col(), 2);  // the empty cell was refused
  EXPECT_EQ(view.currentIndex(), view.model()->index(1, 2));
}

}  // namespace
}  // namespace bushou::ui
