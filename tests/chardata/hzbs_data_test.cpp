// The generated radical index (tools/mkdata/mkhzbs) read back with the loader.
#include <gtest/gtest.h>

#include <string>

#include "chardata/uBSData.h"
#include "platform/text.h"
#include "tests/support/MessageLog.h"

namespace bushou {
namespace {

class GeneratedRadicalIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::u16string path = platform::FromUtf8(std::string(BUSHOU_DATA_ROOT) + "/velmora6/zi/hzbs.dat");
    data_ = std::make_unique<TBSData>(path);
    ASSERT_TRUE(messages_.entries().empty());
  }
  const TBSFile& file() const { return data_->Data(); }
  std::optional<TBSIndexItem> Radical(char32_t code) const {
    for (std::size_t i = 0; i < file().Radicals.size(); ++i) {
      if (file().Radicals[i].Code == code) return file().Radicals[i];
    }
    return std::nullopt;
  }

  testing::MessageLog messages_;
  std::unique_ptr<TBSData> data_;
};

TEST_F(GeneratedRadicalIndex, ListsTheKangxiRadicalsAndTheirSimplifiedForms) {
  EXPECT_EQ(file().RadicalCount, 240);
  EXPECT_EQ(file().Radicals[0].Code, U'一');
  EXPECT_EQ(file().Radicals[0].Strokes, 1);
  // 言 (149, 7 strokes) is followed by its simplified form 讠 (2 strokes).
  for (std::size_t i = 0; i + 1 < file().Radicals.size(); ++i) {
    if (file().Radicals[i].Code == U'言') {
      EXPECT_EQ(file().Radicals[i].Strokes, 7);
      EXPECT_EQ(file().Radicals[i + 1].Code, U'讠');
      EXPECT_EQ(file().Radicals[i + 1].Strokes, 2);
    }
  }
  ASSERT_TRUE(Radical(U'龠'));
  EXPECT_EQ(Radical(U'龠')->Strokes, 17);
}

TEST_F(GeneratedRadicalIndex, RangesTileItemsInStrokeThenCodeOrder) {
  std::size_t next = 0;
  for (std::size_t r = 0; r < file().Radicals.size(); ++r) {
    const TBSIndexItem radical = file().Radicals[r];
    ASSERT_EQ(static_cast<std::size_t>(radical.FirstItem), next) << r;
    const auto range = file().CharRange(radical);
    ASSERT_EQ(range.last - range.first, static_cast<std::size_t>(radical.CharCount));
    for (std::size_t i = range.first; i + 1 < range.last; ++i) {
      const TBSDataItem a = file().Items[i], b = file().Items[i + 1];
      ASSERT_TRUE(a.ExtraStrokes < b.ExtraStrokes || (a.ExtraStrokes == b.ExtraStrokes && a.Code < b.Code))
          << std::hex << a.Code << " " << b.Code;
    }
    next = range.last;
  }
  EXPECT_EQ(next, file().Items.size());
}

TEST_F(GeneratedRadicalIndex, FilesCharactersUnderTheirRadicals) {
  const auto water = Radical(U'水');
  ASSERT_TRUE(water);
  bool found = false;
  const auto range = file().CharRange(*water);
  for (std::size_t i = range.first; i < range.last; ++i) {
    const TBSDataItem item = file().Items[i];
    EXPECT_LT(item.Code, 0x30000u);
    if (item.Code == U'江') {
      found = true;
      EXPECT_EQ(item.ExtraStrokes, 3);
    }
  }
  EXPECT_TRUE(found);
  // The code index points at the first entry of a code point.
  const std::int32_t k = file().HzIndex[U'江' - static_cast<std::uint32_t>(file().FirstCode)].Value;
  ASSERT_GE(k, 0);
  EXPECT_EQ(file().Items[static_cast<std::size_t>(k)].Code, U'江');
}

}  // namespace
}  // namespace bushou
