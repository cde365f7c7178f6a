// Code points in UTF-16 text and the sorted string lists.
#include <gtest/gtest.h>

#include "pinyin/uCodePoints.h"

namespace bushou {
namespace {

TEST(CodePoints, GetCodePointAt) {
  const std::u16string ext = u"\U00020000";  // two units
  struct Case {
    std::u16string_view text;
    std::int32_t position;
    bool ok;
    std::uint32_t code;
  };
  const Case cases[] = {
      {ext, 1, true, 0x20000},
      {ext, 2, false, 0},               // a low surrogate starts nothing
      {u"ab", 0, false, 0},
      {u"ab", 3, false, 0},
      {u"ab", 2, true, u'b'},
      {u"a\xD800", 2, false, 0},        // a high surrogate at the end
      {u"\xD800" u"b", 1, false, 0},    // followed by no low surrogate
      {u"\xD83D\xDE00", 1, true, 0x1F600},
      {u"", 1, false, 0},
  };
  for (const Case& c : cases) {
    std::uint32_t code = 0xDEAD;
    EXPECT_EQ(GetCodePointAt(c.text, c.position, code), c.ok) << c.position;
    EXPECT_EQ(code, c.ok ? c.code : 0xDEAD) << c.position;
  }
}

TEST(CodePoints, StringToCodePoints) {
  EXPECT_EQ(StringToCodePoints(u"a\U00010000b"), (TCodePointArray{0x61, 0x10000, 0x62}));
  // Cut off just before an unpaired surrogate.
  EXPECT_EQ(StringToCodePoints(u"ab\xDC00" u"cd"), (TCodePointArray{0x61, 0x62}));
  EXPECT_TRUE(StringToCodePoints(u"").empty());
}

TEST(CodePoints, CodePointsToString) {
  const TCodePointArray codes{0x61, 0x20000, 0x62, 0x110000, 0x63};
  EXPECT_EQ(CodePointsToString(codes, 0, 0), u"a\U00020000bc");  // above U+10FFFF skipped
  EXPECT_EQ(CodePointsToString(codes, 1, 2), u"\U00020000b");
  EXPECT_EQ(CodePointsToString(codes, 5, 1), u"");   // start equal to the length
  EXPECT_EQ(CodePointsToString(codes, 3, 99), u"c");  // count beyond the end
  EXPECT_EQ(CodePointsToString(codes, -1, 1), u"");
  EXPECT_EQ(CodePointsToString({}, 0, 0), u"");
}

TEST(CodePoints, SortUnique) {
  std::vector<std::u16string> list{u"b", u"a", u"b", u"B"};
  SortUnique(list, true);
  EXPECT_EQ(list, (std::vector<std::u16string>{u"B", u"a", u"b"}));
  list = {u"b", u"a", u"b", u"B"};
  SortUnique(list, false);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], u"a");
  EXPECT_EQ(list[1], u"b");  // the earliest of the equals
}

}  // namespace
}  // namespace bushou
