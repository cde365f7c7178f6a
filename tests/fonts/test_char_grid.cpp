// The character grid of the main window, filled headless from a radical index
// built in code and a coverage reader over a record built in code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/mainform.h"
#include "fonts/uFontUtils.h"
#include "platform/bytes.h"
#include "platform/text.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/CoverageRecord.h"

namespace bushou {
namespace {

struct Radical {
  char32_t code;
  std::int32_t firstItem;
  std::int32_t charCount;
};
struct Item {
  std::uint32_t code;
  std::uint8_t extraStrokes;
};

// A radical index whose radicals all have one stroke.
TBSFile MakeIndex(const std::vector<Radical>& radicals, const std::vector<Item>& items) {
  std::vector<testing::BSRadical> r;
  for (const Radical& x : radicals) r.push_back({static_cast<std::uint32_t>(x.code), x.firstItem, x.charCount, 1});
  std::vector<testing::BSChar> c;
  for (const Item& x : items) c.push_back({x.code, x.extraStrokes});
  TBSFile file;
  EXPECT_EQ(ParseBSFile(testing::BuildBSFile(r, c), file), TBSParseResult::Ok);
  return file;
}

std::unique_ptr<TCMapDataDecoder> Coverage(const std::vector<std::uint32_t>& covered) {
  return TCMapDataDecoder::FromFileBytes(testing::BuildCoverageRecord(covered));
}

std::u16string Text(std::uint32_t code) { return platform::CodePointText(code); }

// The grid's rows as text: cells from column 0 joined by "|", trailing empty cells dropped.
std::vector<std::u16string> Rows(const ui::TStringGrid& grid) {
  std::vector<std::u16string> rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    int last = grid.ColCount() - 1;
    while (last >= 0 && grid.Cell(last, r).empty()) --last;
    std::u16string line;
    for (int c = 0; c <= last; ++c) line += (c ? u"|" : u"") + grid.Cell(c, r);
    rows.push_back(line);
  }
  return rows;
}

std::u16string Row(std::u16string label, std::uint32_t first, int count) {
  for (int i = 0; i < count; ++i) label += u"|" + Text(first + static_cast<std::uint32_t>(i));
  return label;
}

TEST(CharGrid, ThirtyCharactersOfOneGroupWrapAfterThirteen) {
  TfMain form;
  std::vector<Item> items;
  for (std::uint32_t i = 0; i < 30; ++i) items.push_back({0x4E00 + i, 2});
  form.FBSFile = MakeIndex({{U'一', 0, 30}}, items);
  form.FillCharGrid(u"一");
  EXPECT_THAT(Rows(form.sgHanzi),
              ::testing::ElementsAre(Row(u"2", 0x4E00, 13), Row(u" ", 0x4E0D, 13), Row(u" ", 0x4E1A, 4)));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【一】汉字30个，系统字体支持30个");
}

TEST(CharGrid, GroupsWithoutCharactersTakeNoRow) {
  TfMain form;
  form.FBSFile = MakeIndex({{U'水', 0, 3}}, {{0x6C34, 0}, {0x6C5F, 3}, {0x7065, 40}});
  form.FillCharGrid(u"水");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"0|水", u"3|江", u"35+|灥"));
}

TEST(CharGrid, UndrawableCharactersAreCountedAndListedOnlyOnRequest) {
  TfMain form;
  form.FBSFile = MakeIndex({{U'人', 0, 4}}, {{0x4EBA, 0}, {0x4EBF, 1}, {0x20001, 1}, {0x4EC0, 2}});
  form.FCMapDecoder = Coverage({0x4EBA, 0x4EC0});
  form.FillCharGrid(u"人");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"0|人", u"2|什"));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字4个，系统字体支持2个");
  form.chkListAll.SetChecked(true);
  form.FillCharGrid(u"人");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"0|人", u"1|亿|" + Text(0x20001), u"2|什"));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字4个，系统字体支持2个");
}

TEST(CharGrid, NoCoverageReaderCountsEveryCharacterDrawable) {
  TfMain form;
  form.FBSFile = MakeIndex({{U'人', 0, 2}}, {{0x4EBA, 0}, {0x20001, 1}});
  ASSERT_EQ(form.FCMapDecoder, nullptr);
  form.FillCharGrid(u"人");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"0|人", u"1|" + Text(0x20001)));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字2个，系统字体支持2个");
}

TEST(CharGrid, CodePointsWithoutTextAreNeverListed) {
  TfMain form;
  // A surrogate and a value beyond Unicode: undrawable even without a reader;
  // a scalar value beyond the coverage bitmap is listed only on request.
  form.FBSFile = MakeIndex({{U'人', 0, 4}}, {{0x4EBA, 0}, {0xD800, 0}, {0x110000, 0}, {0x30001, 0}});
  form.chkListAll.SetChecked(true);
  form.FillCharGrid(u"人");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"0|人|" + Text(0x30001)));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字4个，系统字体支持2个");
  form.FCMapDecoder = Coverage({0x4EBA});
  form.FillCharGrid(u"人");
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字4个，系统字体支持1个");
}

TEST(CharGrid, NothingListedLeavesOneBlankRow) {
  TfMain form;
  form.FBSFile = MakeIndex({{U'人', 0, 2}}, {{0x4EBA, 0}, {0x4EBF, 36}});
  form.FCMapDecoder = Coverage({});
  form.FillCharGrid(u"人");
  EXPECT_EQ(form.sgHanzi.RowCount(), 1);
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u""));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字2个，系统字体支持0个");
}

TEST(CharGrid, UnknownRadicalEmptiesTheGridAndKeepsTheCaption) {
  TfMain form;
  form.FBSFile = MakeIndex({{U'人', 0, 1}}, {{0x4EBA, 0}});
  form.FillCharGrid(u"人");
  const std::u16string caption = form.lblRight.Caption();
  form.FillCharGrid(u"");  // an empty cell of the radical grid
  EXPECT_EQ(form.sgHanzi.RowCount(), 2);
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"", u""));
  EXPECT_EQ(form.lblRight.Caption(), caption);
  EXPECT_EQ(form.FindRadicalEntry(u"人"), 0);
  EXPECT_EQ(form.FindRadicalEntry(u"水"), -1);
}

TEST(CharGrid, NoRadicalsKeepsTheInitialCaption) {
  TfMain form;
  form.FillCharGrid(u"人");
  EXPECT_EQ(form.lblRight.Caption(), u"汉字(按笔划排序)：");
}

TEST(CharGrid, OnlyTheFirstMatchingRadicalAndOnlyItsOwnEntries) {
  TfMain form;
  // Two entries with the same text; the first one's range reaches past Items.
  form.FBSFile = MakeIndex({{U'人', 1, 5}, {U'人', 0, 1}}, {{0x4EBA, 0}, {0x4EBF, 1}, {0x4EC0, 1}});
  form.FillCharGrid(u"人");
  EXPECT_THAT(Rows(form.sgHanzi), ::testing::ElementsAre(u"1|亿|什"));
  EXPECT_EQ(form.lblRight.Caption(), u"部首【人】汉字5个，系统字体支持5个");
}

}  // namespace
}  // namespace bushou
