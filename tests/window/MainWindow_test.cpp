// The window over the headless form: a click in a grid view reaches the
// form's handler, and the labels' views show what the handler set.
#include "app/window/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>

#include "chardata/uChineseFuns.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeBSData();
    FreeChineseChars();
    dir.Write("home/velmora6/zi/hzbs.dat",
              testing::BuildBSFile({{0x4E00, 0, 2, 1}, {0x4E28, 2, 1, 1}},
                                   {{0x4E01, 1}, {0x4E03, 1}, {0x4E2A, 2}}));
  }
  void TearDown() override {
    FreeBSData();
    FreeChineseChars();
  }
  // The views in the order the window creates them.
  QTableView* Grid(int n) const { return window.findChildren<QTableView*>().at(n); }
  bool ShowsText(const char* utf8) const {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
      if (label->text() == QString::fromUtf8(utf8)) return true;
    }
    return false;
  }

  testing::TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
  int argc = 1;
  char name[8] = "test";
  char* argv[1] = {name};
  QApplication app{argc, argv};
  TfMain form;
  MainWindow window{form};
};

TEST_F(WindowTest, SelectingARadicalInTheViewListsItAndShowsItsFirstCharacter) {
  window.ShowAndFill();
  QCoreApplication::processEvents();
  EXPECT_TRUE(ShowsText("偏旁部首：共2个"));
  EXPECT_EQ(Grid(1)->model()->index(0, 1).data().toString(), QString::fromUtf8("丁"));

  QTableView* radicals = Grid(0);
  radicals->selectionModel()->setCurrentIndex(radicals->model()->index(0, 2), QItemSelectionModel::ClearAndSelect);
  QCoreApplication::processEvents();
  EXPECT_EQ(form.lblRight.Caption(), u"部首【丨】汉字1个，系统字体支持1个");
  EXPECT_EQ(Grid(1)->model()->index(0, 0).data().toString(), QString::fromUtf8("2"));
  EXPECT_EQ(Grid(1)->model()->index(0, 1).data().toString(), QString::fromUtf8("个"));
  EXPECT_TRUE(ShowsText("个"));              // the large glyph
  EXPECT_TRUE(ShowsText("4E2A(Unicode)"));  // its code
}

}  // namespace
}  // namespace bushou
