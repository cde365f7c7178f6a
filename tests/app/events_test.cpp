// The window's life and event handlers, driven headless: selecting radicals
// and characters, the check box, and the create and show steps.
#include <gtest/gtest.h>

#include "app/mainform.h"
#include "chardata/uChineseFuns.h"
#include "fonts/uCMapDecoder.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/CoverageRecord.h"
#include "tests/support/MessageLog.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::BuildBSFile;

class WindowEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeBSData();
    FreeChineseChars();
    // 一 with 丁 (1 stroke) and 七 (1), 水 with 永 (1) and 江 (3); no other data files.
    dir.Write("home/velmora6/zi/hzbs.dat",
              BuildBSFile({{0x4E00, 0, 2, 1}, {0x6C34, 2, 2, 4}},
                          {{0x4E01, 1}, {0x4E03, 1}, {0x6C38, 1}, {0x6C5F, 3}}));
  }
  void TearDown() override {
    FreeBSData();
    FreeChineseChars();
  }
  void Show() {
    form.FCMapDecoder = TCMapDataDecoder::FromFileBytes(testing::BuildCoverageRecord({0x4E01, 0x4E03, 0x6C38}));
    form.FormShow();
  }

  testing::TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
  testing::MessageLog messages;
  TfMain form;
};

TEST_F(WindowEvents, ShowingListsTheFirstRadicalAndLeavesTheDetailsAlone) {
  Show();
  EXPECT_EQ(form.lblRight.Caption(), u"部首【一】汉字2个，系统字体支持2个");
  EXPECT_EQ(form.sgHanzi.Cell(0, 0), u"1");
  EXPECT_EQ(form.sgHanzi.Cell(1, 0), u"丁");
  EXPECT_EQ(form.sgHanzi.Cell(2, 0), u"七");
  EXPECT_EQ(form.lblHZ.Caption(), u"一");
  EXPECT_EQ(form.lblPY.Caption(), u"yi");
}

TEST_F(WindowEvents, SelectingARadicalListsItAndShowsItsFirstCharacter) {
  Show();
  ASSERT_TRUE(form.sgRadical.MoveTo(1, 3));  // 水, in the 4-stroke row
  EXPECT_EQ(form.lblRight.Caption(), u"部首【水】汉字2个，系统字体支持1个");
  EXPECT_EQ(form.sgHanzi.Cell(1, 0), u"永");
  EXPECT_EQ(form.sgHanzi.Cell(1, 1), u"");  // 江 cannot be drawn
  EXPECT_EQ(form.sgHanzi.Col(), 1);
  EXPECT_EQ(form.sgHanzi.Row(), 0);
  EXPECT_EQ(form.lblHZ.Caption(), u"永");
  EXPECT_EQ(form.lblPY.Caption(), u"");  // no pinyin table here
  EXPECT_EQ(form.lblCode.Caption(), u"6C38(Unicode)");
  EXPECT_TRUE(messages.entries().empty());
}

TEST_F(WindowEvents, TheCheckBoxListsTheCurrentRadicalAgain) {
  Show();
  ASSERT_TRUE(form.sgRadical.MoveTo(1, 3));
  form.chkListAll.SetChecked(true);
  EXPECT_EQ(form.sgHanzi.Cell(0, 1), u"3");
  EXPECT_EQ(form.sgHanzi.Cell(1, 1), u"江");
  EXPECT_EQ(form.lblRight.Caption(), u"部首【水】汉字2个，系统字体支持1个");
}

TEST_F(WindowEvents, AnEmptyRadicalCellEmptiesTheGridAndKeepsTheRest) {
  Show();
  ASSERT_TRUE(form.sgRadical.MoveTo(1, 3));
  ASSERT_TRUE(form.sgRadical.MoveTo(5, 0));  // past the last radical of the row
  EXPECT_EQ(form.sgHanzi.Cell(1, 0), u"");
  EXPECT_EQ(form.sgHanzi.RowCount(), 2);
  EXPECT_EQ(form.lblRight.Caption(), u"部首【水】汉字2个，系统字体支持1个");
  EXPECT_EQ(form.lblHZ.Caption(), u"永");
}

TEST_F(WindowEvents, EmptyCharacterCellsCannotBecomeCurrent) {
  Show();
  ASSERT_TRUE(form.sgHanzi.MoveTo(2, 0));
  EXPECT_EQ(form.lblHZ.Caption(), u"七");
  EXPECT_FALSE(form.sgHanzi.MoveTo(5, 0));
  EXPECT_EQ(form.sgHanzi.Col(), 2);
  EXPECT_EQ(form.lblHZ.Caption(), u"七");
}

TEST_F(WindowEvents, WithoutACoverageReaderEveryCharacterIsListed) {
  form.FormShow();  // FormCreate was never run, or failed
  ASSERT_TRUE(form.sgRadical.MoveTo(1, 3));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【水】汉字2个，系统字体支持2个");
  EXPECT_EQ(form.sgHanzi.Cell(1, 1), u"江");
}

}  // namespace
}  // namespace bushou
