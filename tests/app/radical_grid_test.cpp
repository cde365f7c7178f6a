#include <gtest/gtest.h>

#include "app/mainform.h"
#include "platform/text.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/MessageLog.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::BSRadical;
using testing::BuildBSFile;

class RadicalGrid : public ::testing::Test {
 protected:
  void SetUp() override { FreeBSData(); }
  void TearDown() override { FreeBSData(); }
  // Installs an index with the given radicals (no characters needed for this grid).
  void Install(const std::vector<BSRadical>& radicals) {
    dir.Write("home/velmora6/zi/hzbs.dat", BuildBSFile(radicals, {{0x4E01, 1}}));
  }
  // The radicals of one stroke count, codes counting up from base.
  static std::vector<BSRadical> Group(std::uint8_t strokes, int count, std::uint32_t base) {
    std::vector<BSRadical> out;
    for (int i = 0; i < count; ++i) out.push_back({base + static_cast<std::uint32_t>(i), 0, 0, strokes});
    return out;
  }
  std::vector<std::u16string> Row(int row) const {
    std::vector<std::u16string> cells;
    for (int c = 0; c < form.sgRadical.ColCount(); ++c) cells.push_back(form.sgRadical.Cell(c, row));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
  }

  testing::TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
  testing::MessageLog messages;
  TfMain form;
};

TEST_F(RadicalGrid, GroupsContinueOnUnlabelledRowsOfNine) {
  auto radicals = Group(2, 20, 0x4E00);  // 20 radicals of 2 strokes
  radicals.push_back({0x5200, 0, 0, 0});   // 0 strokes: never shown
  radicals.push_back({0x9F8D, 0, 0, 16});  // 16 strokes: in 14+
  radicals.push_back({0x9F9C, 0, 0, 14});
  Install(radicals);
  form.FillRadicalGrid();

  EXPECT_EQ(form.lblLeft.Caption(), u"偏旁部首：共23个");
  EXPECT_EQ(Row(0), std::vector<std::u16string>{u"1"});
  EXPECT_EQ(Row(1), (std::vector<std::u16string>{u"2", u"一", u"丁", u"丂", u"七", u"丄", u"丅", u"丆", u"万", u"丈"}));
  EXPECT_EQ(Row(2), (std::vector<std::u16string>{u"", u"三", u"上", u"下", u"丌", u"不", u"与", u"丏", u"丐", u"丑"}));
  EXPECT_EQ(Row(3), (std::vector<std::u16string>{u"", u"丒", u"专"}));
  EXPECT_EQ(Row(4), std::vector<std::u16string>{u"3"});
  EXPECT_EQ(Row(15), (std::vector<std::u16string>{u"14+", u"龍", u"龜"}));
  EXPECT_EQ(form.sgRadical.RowCount(), 17);
  EXPECT_TRUE(Row(16).empty());
  for (int r = 0; r < form.sgRadical.RowCount(); ++r) {
    for (int c = 1; c < 10; ++c) EXPECT_NE(form.sgRadical.Cell(c, r), u"刀");  // the 0-stroke radical
  }
}

TEST_F(RadicalGrid, ManyRadicalsGrowTheGridPastSeventeenRows) {
  std::vector<BSRadical> radicals;
  for (std::uint8_t s = 1; s <= 14; ++s) {
    const auto group = Group(s, s <= 6 ? 40 : 10, 0x4E00 + 100u * s);
    radicals.insert(radicals.end(), group.begin(), group.end());
  }
  Install(radicals);
  form.FillRadicalGrid();
  // Groups 1-6 take 5 rows each (9+9+9+9+4), groups 7-14 two rows each.
  EXPECT_EQ(form.sgRadical.RowCount(), 6 * 5 + 8 * 2);
  EXPECT_EQ(Row(5)[0], u"2");
  EXPECT_EQ(Row(44)[0], u"14+");
  EXPECT_EQ(Row(45).size(), 2u);
}

TEST_F(RadicalGrid, WithoutAnIndexOnlyTheLabelsAreShown) {
  form.FillRadicalGrid();
  EXPECT_EQ(messages.texts(), std::vector<std::u16string>{u"未找到数据文件！"});
  EXPECT_EQ(form.lblLeft.Caption(), u"偏旁部首：共0个");
  EXPECT_EQ(form.sgRadical.RowCount(), 17);
  for (int r = 0; r < 13; ++r) EXPECT_EQ(Row(r), std::vector<std::u16string>{platform::Widen(std::to_string(r + 1))});
  EXPECT_EQ(Row(13), std::vector<std::u16string>{u"14+"});
  EXPECT_TRUE(Row(14).empty());
}

}  // namespace
}  // namespace bushou
