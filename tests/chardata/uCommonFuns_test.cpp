#include "chardata/uCommonFuns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/text.h"
#include "platform/version.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::ScopedDataRoots;
using testing::TempDir;

std::u16string U(const std::string& s) { return platform::FromUtf8(s); }

class DataLocation : public ::testing::Test {
 protected:
  void TearDown() override { platform::OverrideWindowsMajorVersion(std::nullopt); }
  TempDir dir;
  ScopedDataRoots roots{dir.path().string()};
};

TEST_F(DataLocation, PerUserPathPrefersAnExistingLocalLowFolder) {
  const std::u16string rel = DataFileName(kPinyinFile);
  // Without a LocalLow folder: the local folder for tables, the roaming one for the radical index
  // (on Linux both are $XDG_DATA_HOME).
  EXPECT_EQ(GetDataFilePath(rel, false), U(roots.user) + u"/velmora6/zi/hzpy.dat");
  EXPECT_EQ(GetUserDataRoot(), U(roots.user) + u"/");

  dir.MakeDir("homeLow");
  EXPECT_EQ(GetDataFilePath(rel, false), U(roots.user) + u"Low/velmora6/zi/hzpy.dat");
  EXPECT_EQ(GetUserDataRoot(), U(roots.user) + u"Low/");
  EXPECT_EQ(GetDataFilePath(rel, true), U(roots.common) + u"/velmora6/zi/hzpy.dat");
  EXPECT_EQ(GetDataFilePath(u"", true), U(roots.common) + u"/");
  EXPECT_EQ(GetCommonDataRoot(), U(roots.common) + u"/");
}

TEST_F(DataLocation, BeforeVistaBothPerUserAnswersUseTheRoamingFolder) {
  dir.MakeDir("homeLow");
  platform::OverrideWindowsMajorVersion(5);
  EXPECT_FALSE(IsVistaOrLater());
  EXPECT_EQ(ChooseByOSVersion(u"微软雅黑", u"宋体"), u"宋体");
  EXPECT_EQ(GetDataFilePath(u"x", false), U(roots.user) + u"/x");
  EXPECT_EQ(GetUserDataRoot(), U(roots.user) + u"/");
  platform::OverrideWindowsMajorVersion(6);
  EXPECT_EQ(ChooseByOSVersion(u"微软雅黑", u"宋体"), u"微软雅黑");
}

TEST(FontsFolder, UpperCasesOnlyAsciiLetters) {
  testing::ScopedEnv env;
  env.Set("XDG_DATA_HOME", "/home/Zhāng/share");
  EXPECT_EQ(GetFontsFolder(false), u"/home/Zhāng/share/fonts");
  EXPECT_EQ(GetFontsFolder(true), u"/HOME/ZHāNG/SHARE/FONTS");
}

TEST(FileSize, BoundsAreInclusiveAndWildcardsMatch) {
  TempDir dir;
  const std::u16string file = dir.Write("t.dat", std::string(100, 'x'));
  std::uint32_t low = 7, high = 7;
  EXPECT_TRUE(FindFileSize(dir.u16("*.dat"), &low, &high));
  EXPECT_EQ(low, 100u);
  EXPECT_EQ(high, 0u);
  EXPECT_TRUE(FindFileSize(dir.u16()));  // a folder counts as found
  low = 7;
  EXPECT_FALSE(FindFileSize(dir.u16("missing"), &low, nullptr));
  EXPECT_EQ(low, 7u);  // untouched

  EXPECT_TRUE(FileSizeInRange(file, 100, 200));
  EXPECT_TRUE(FileSizeInRange(file, 0, 100));
  EXPECT_FALSE(FileSizeInRange(file, 101, 200));
  EXPECT_FALSE(FileSizeInRange(file, 0, 99));
  EXPECT_FALSE(FileSizeInRange(dir.u16("missing"), 0, 0xFFFFFFFF));
}

TEST(SplitString, RunsOfDelimitersSeparateOnce) {
  struct Case {
    std::u16string text, delimiters;
    std::vector<std::u16string> tokens;
  };
  const Case cases[] = {
      {u",,a,,bc,", u",", {u"a", u"bc"}},
      {u"abc", u";,", {u"abc"}},
      {u"a;b c", u"; ", {u"a", u"b", u"c"}},
      {u" ; ", u"; ", {}},
  };
  for (const Case& c : cases) {
    TDynamicStringArray tokens;
    EXPECT_EQ(SplitString(c.text, tokens, c.delimiters), static_cast<std::int32_t>(c.tokens.size()));
    EXPECT_EQ(tokens, c.tokens);
  }
}

TEST(SplitString, EmptyInputLeavesTheTokensAlone) {
  TDynamicStringArray tokens = {u"kept"};
  EXPECT_EQ(SplitString(u"", tokens, u","), 0);
  EXPECT_EQ(SplitString(u"a", tokens, u""), 0);
  EXPECT_EQ(tokens, TDynamicStringArray{u"kept"});
  // A found token resizes the array to the count; it is not cleared first.
  tokens = {u"x", u"y", u"z"};
  EXPECT_EQ(SplitString(u"a", tokens, u","), 1);
  EXPECT_EQ(tokens, TDynamicStringArray{u"a"});
}

TEST(CharSetTable, HoldsExactlyTheHanRanges) {
  for (const std::uint32_t c : {0x3007u, 0x4E00u, 0x9FCBu, 0x2A700u, 0xE815u, 0xFA2Du, 0x2FA1Du}) {
    EXPECT_TRUE(IsCJKChar(c)) << std::hex << c;
  }
  for (const std::uint32_t c : {0x9FCCu, 0xFA2Eu, 0xFA6Fu, 0x3006u, 0x30000u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(IsCJKChar(c)) << std::hex << c;
  }
  std::uint32_t count = 0;
  for (std::uint32_t c = 0; c < kCodePointLimit; ++c) count += IsCJKChar(c) ? 1u : 0u;
  EXPECT_EQ(count, 75697u);
}

TEST(IndexOfCode, ScansFromStart) {
  const std::vector<std::uint32_t> codes = {5, 7, 5, 9};
  EXPECT_EQ(IndexOfCode(codes, 5, 0), 0);
  EXPECT_EQ(IndexOfCode(codes, 5, 1), 2);
  EXPECT_EQ(IndexOfCode(codes, 9, 3), 3);  // Start at the last index finds only the last element
  EXPECT_EQ(IndexOfCode(codes, 5, 3), -1);
  EXPECT_EQ(IndexOfCode(codes, 5, -1), -1);
  EXPECT_EQ(IndexOfCode(codes, 5, 4), -1);
  EXPECT_EQ(IndexOfCode({}, 5, 0), -1);
}

TEST(CompareCaseless, FoldsOnlyAsciiLetters) {
  struct Case {
    std::u16string a, b;
    int sign;
  };
  const Case cases[] = {
      {u"Arial", u"ARIAL", 0},   {u"abc", u"abd", -1}, {u"ab", u"abc", -1},
      {u"b", u"A", 1},           {u"_", u"a", 1},      {u"é", u"É", 1},  // not ASCII: by value
      {u"SimSun", u"宋体", -1},  {u"", u"", 0},
  };
  for (const Case& c : cases) {
    const int r = CompareCaseless(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << platform::ToUtf8(c.a) << " vs " << platform::ToUtf8(c.b);
    EXPECT_EQ(SameCaseless(c.a, c.b), c.sign == 0);
  }
}

TEST(SortUniqueStrings, KeepsOneOfEachRunInSortedOrder) {
  TDynamicStringArray one = {u"only"};
  EXPECT_EQ(SortUniqueStrings(one, 1, CompareCaseless), 1);

  TDynamicStringArray items = {u"b", u"A", u"a", u"tail"};
  EXPECT_EQ(SortUniqueStrings(items, 3, CompareCaseless), 2);
  EXPECT_TRUE(SameCaseless(items[0], u"a"));
  EXPECT_EQ(items[1], u"b");
  EXPECT_EQ(items.size(), 4u);  // the length stays
  EXPECT_EQ(items[3], u"tail");
}

TEST(SortStrings, SortsLikeTheStandardLibrary) {
  std::mt19937 rng(1234);
  TDynamicStringArray items;
  for (int i = 0; i < 2000; ++i) items.push_back(platform::Widen(std::to_string(rng() % 500)));
  TDynamicStringArray expected = items;
  std::sort(expected.begin(), expected.end());
  SortStrings(items, 0, static_cast<std::int32_t>(items.size()) - 1,
              [](std::u16string_view a, std::u16string_view b) { return a.compare(b); });
  EXPECT_EQ(items, expected);

  TDynamicStringArray untouched = {u"b", u"a"};
  SortStrings(untouched, 1, 0, CompareCaseless);
  SortStrings(untouched, -1, 1, CompareCaseless);
  EXPECT_EQ(untouched, (TDynamicStringArray{u"b", u"a"}));
}

TEST(JoinStrings, JoinsTheFirstItems) {
  const TDynamicStringArray items = {u"a", u"b", u"c"};
  EXPECT_EQ(JoinStrings(items, 0, u'|'), u"");
  EXPECT_EQ(JoinStrings(items, 1, u'|'), u"a");
  EXPECT_EQ(JoinStrings(items, 3, u'|'), u"a|b|c");
  EXPECT_EQ(JoinStrings(items, 9, u'|'), u"a|b|c");
}

}  // namespace
}  // namespace bushou
