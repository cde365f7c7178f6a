#include "chardata/uBSData.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/BSFileBuilder.h"
#include "tests/support/MessageLog.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::BSChar;
using testing::BSRadical;
using testing::BuildBSFile;
using testing::MessageLog;
using testing::TempDir;

constexpr char16_t kNotFound[] = u"未找到数据文件！";
constexpr char16_t kReadFailed[] = u"读取汉字偏旁部首数据失败！";

std::vector<std::uint8_t> SmallIndex() {
  return BuildBSFile({{0x4E00, 0, 2, 1}, {0x6C34, 2, 1, 4}},
                     {{0x4E01, 1}, {0x4E03, 1}, {0x6C38, 1}}, 0x4E01, 0x4E03);
}

TEST(ParseBSFile, ReadsHeaderRadicalsAndCharacters) {
  TBSFile file;
  ASSERT_EQ(ParseBSFile(SmallIndex(), file), TBSParseResult::Ok);
  EXPECT_EQ(file.RadicalCount, 2);
  EXPECT_EQ(file.ItemCount, 3);
  EXPECT_EQ(file.FirstCode, 0x4E01);
  EXPECT_EQ(file.LastCode, 0x4E03);
  ASSERT_EQ(file.Radicals.size(), 2u);
  EXPECT_EQ(file.Radicals[1].Code, 0x6C34u);
  EXPECT_EQ(file.Radicals[1].FirstItem, 2);
  EXPECT_EQ(file.Radicals[1].CharCount, 1);
  EXPECT_EQ(file.Radicals[1].Strokes, 4);
  ASSERT_EQ(file.HzIndex.size(), 3u);
  EXPECT_EQ(file.HzIndex[2].Value, -1);
  ASSERT_EQ(file.Items.size(), 3u);
  EXPECT_EQ(file.Items[2].Code, 0x6C38u);
  EXPECT_EQ(file.Items[2].ExtraStrokes, 1);
}

TEST(ParseBSFile, EntriesMissingFromAShortFileReadAsZero) {
  std::vector<std::uint8_t> bytes = SmallIndex();
  bytes.resize(bytes.size() - 11 - 5);  // the last character and part of the one before
  TBSFile file;
  ASSERT_EQ(ParseBSFile(bytes, file), TBSParseResult::Ok);
  ASSERT_EQ(file.Items.size(), 3u);
  EXPECT_EQ(file.Items[0].Code, 0x4E01u);
  EXPECT_EQ(file.Items[1].Code, 0x4E03u);
  EXPECT_EQ(file.Items[1].ExtraStrokes, 0);  // its byte was cut off
  EXPECT_EQ(file.Items[2].Code, 0u);
  EXPECT_EQ(file.Items[2].ExtraStrokes, 0);
}

TEST(ParseBSFile, EveryPrefixParsesWithoutReadingPastIt) {
  const std::vector<std::uint8_t> bytes = SmallIndex();
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    TBSFile file;
    const TBSParseResult r = ParseBSFile(std::span(bytes.data(), n), file);
    // Without the header's RadicalCount the count reads as zero: a read failure.
    if (n < 9) {
      EXPECT_EQ(r, TBSParseResult::BadCount) << n;
    }
    if (n >= 20) {
      ASSERT_EQ(r, TBSParseResult::Ok) << n;
      EXPECT_EQ(file.Items.size(), 3u);  // whatever is missing reads as zero
    }
  }
}

TEST(ParseBSFile, RefusesCountsThatAreNotPositiveOrAbsurd) {
  struct Case {
    const char* name;
    std::int32_t items, radicals, first, last;
    std::size_t radicalsSized, indexSized;  // arrays sized before the bad count
  };
  const Case cases[] = {
      {"no radicals", 1, 0, 0, 0, 0, 0},
      {"negative radicals", 1, -5, 0, 0, 0, 0},
      {"last below first", 1, 1, 10, 9, 1, 0},
      {"no characters", 0, 1, 0, 0, 1, 1},
      {"huge radical count", 1, 0x7FFFFFFF, 0, 0, 0, 0},
      {"huge code range", 1, 1, -0x7FFFFFFF - 1, 0x7FFFFFFF, 1, 0},
      {"just over the limit", 0x30001, 1, 0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    platform::ByteWriter w;
    w.I32LE(0).I32LE(c.items).I32LE(c.radicals).I32LE(c.first).I32LE(c.last);
    TBSFile file;
    EXPECT_EQ(ParseBSFile(w.bytes(), file), TBSParseResult::BadCount) << c.name;
    EXPECT_EQ(file.RadicalCount, c.radicals) << c.name;  // the header stays as read
    EXPECT_EQ(file.Radicals.size(), c.radicalsSized) << c.name;
    EXPECT_EQ(file.HzIndex.size(), c.indexSized) << c.name;
    EXPECT_TRUE(file.Items.empty()) << c.name;
  }
}

TEST(CharRange, StaysInsideItemsAtBothEnds) {
  TBSFile file;
  ASSERT_EQ(ParseBSFile(SmallIndex(), file), TBSParseResult::Ok);
  struct Case {
    std::int32_t first, count;
    std::size_t lo, hi;
  };
  const Case cases[] = {
      {0, 2, 0, 2},   {2, 1, 2, 3},  {1, 0, 1, 1},           {-2, 3, 0, 1},
      {-5, 2, 0, 0},  {2, 100, 2, 3}, {7, 2, 3, 3},          {0, -4, 0, 0},
      {0x7FFFFFFF, 0x7FFFFFFF, 3, 3}, {-0x7FFFFFFF - 1, 0x7FFFFFFF, 0, 0},
  };
  for (const Case& c : cases) {
    const auto range = file.CharRange({0x4E00, c.first, c.count, 1});
    EXPECT_EQ(range.first, c.lo) << c.first << "," << c.count;
    EXPECT_EQ(range.last, c.hi) << c.first << "," << c.count;
  }
}

TEST(TBSFile, CopiesShareTheArrays) {
  TBSFile file;
  ASSERT_EQ(ParseBSFile(SmallIndex(), file), TBSParseResult::Ok);
  const TBSFile copy = file;
  EXPECT_EQ(copy.Items.raw(), file.Items.raw());
  EXPECT_EQ(copy.RadicalCount, file.RadicalCount);
}

class RadicalIndexFile : public ::testing::Test {
 protected:
  void SetUp() override { FreeBSData(); }
  void TearDown() override { FreeBSData(); }
  TempDir dir;
  testing::ScopedDataRoots roots{dir.path().string()};
  MessageLog messages;
  static constexpr char kUserFile[] = "home/velmora6/zi/hzbs.dat";
  static constexpr char kCommonFile[] = "common/velmora6/zi/hzbs.dat";
};

TEST_F(RadicalIndexFile, PerUserRootWinsOverAllUsersRoot) {
  dir.Write(kCommonFile, BuildBSFile({{0x4E00, 0, 1, 1}}, {{0x4E01, 1}}));
  dir.Write(kUserFile, BuildBSFile({{0x6C34, 0, 1, 4}, {0x706B, 0, 1, 4}}, {{0x6C38, 1}}));
  const TBSData data(u"");
  EXPECT_EQ(data.Data().RadicalCount, 2);
  EXPECT_EQ(data.Path(), dir.u16(kUserFile));
  EXPECT_TRUE(messages.entries().empty());
}

TEST_F(RadicalIndexFile, AllUsersRootIsTheFallback) {
  dir.Write(kCommonFile, BuildBSFile({{0x4E00, 0, 1, 1}}, {{0x4E01, 1}}));
  const TBSData data(u"");
  EXPECT_EQ(data.Data().RadicalCount, 1);
  EXPECT_EQ(data.Path(), dir.u16(kCommonFile));
}

TEST_F(RadicalIndexFile, AnExistingExplicitNameIsUsedAsItIs) {
  dir.Write(kUserFile, BuildBSFile({{0x4E00, 0, 1, 1}}, {{0x4E01, 1}}));
  const std::u16string own = dir.Write("elsewhere/my.dat", BuildBSFile({{0x4E00, 0, 1, 1}, {0x4E28, 0, 0, 1}, {0x4E36, 0, 0, 1}}, {{0x4E01, 1}}));
  const TBSData data(own);
  EXPECT_EQ(data.Path(), own);
  EXPECT_EQ(data.Data().RadicalCount, 3);
}

TEST_F(RadicalIndexFile, AMissingExplicitNameFallsBackSilently) {
  dir.Write(kUserFile, BuildBSFile({{0x4E00, 0, 1, 1}}, {{0x4E01, 1}}));
  const TBSData data(dir.u16("no/such.dat"));
  EXPECT_EQ(data.Path(), dir.u16(kUserFile));
  EXPECT_TRUE(messages.entries().empty());
}

TEST_F(RadicalIndexFile, NoFileAnywhereSaysSoAndLeavesTheRecordEmpty) {
  dir.MakeDir("home/velmora6/zi/hzbs.dat");  // a folder of that name is no file
  const TBSData data(u"");
  ASSERT_EQ(messages.texts(), std::vector<std::u16string>{kNotFound});
  EXPECT_EQ(messages.entries()[0].caption, u"偏旁部首检字");
  EXPECT_EQ(data.Data().RadicalCount, 0);
  EXPECT_TRUE(data.Data().Radicals.empty());
}

TEST_F(RadicalIndexFile, ABadHeaderIsAReadFailure) {
  platform::ByteWriter header;
  header.I32LE(0).I32LE(5).I32LE(0).I32LE(0).I32LE(0);  // RadicalCount 0
  dir.Write(kUserFile, header.bytes());
  const TBSData data(u"");
  EXPECT_EQ(messages.texts(), std::vector<std::u16string>{kReadFailed});
  EXPECT_EQ(data.Data().ItemCount, 5);  // header as read
  EXPECT_TRUE(data.Data().Radicals.empty());
}

TEST_F(RadicalIndexFile, AnAbsurdHeaderAllocatesNothingHuge) {
  platform::ByteWriter header;
  header.I32LE(0).I32LE(0x7FFFFFFF).I32LE(0x7FFFFFFF).I32LE(0).I32LE(0x7FFFFFFE);
  dir.Write(kUserFile, header.bytes());
  const TBSData data(u"");
  EXPECT_EQ(messages.texts(), std::vector<std::u16string>{kReadFailed});
  EXPECT_TRUE(data.Data().Radicals.empty());
  EXPECT_TRUE(data.Data().Items.empty());
}

TEST_F(RadicalIndexFile, AShortFileLoadsWithoutAMessage) {
  std::vector<std::uint8_t> bytes = SmallIndex();
  bytes.resize(bytes.size() - 11);
  dir.Write(kUserFile, bytes);
  const TBSData data(u"");
  EXPECT_TRUE(messages.entries().empty());
  ASSERT_EQ(data.Data().Items.size(), 3u);
  EXPECT_EQ(data.Data().Items[2].Code, 0u);
}

TEST_F(RadicalIndexFile, GetBSDataLoadsOnceAndKeepsItsInstance) {
  dir.Write(kUserFile, SmallIndex());
  TBSData& first = GetBSData();
  std::filesystem::remove(dir.path() / kUserFile);
  TBSData& second = GetBSData();
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(second.Data().RadicalCount, 2);
  EXPECT_TRUE(messages.entries().empty());  // the file was not looked for again

  TBSFile copy;
  second.GetData(copy);
  EXPECT_EQ(copy.Items.raw(), second.Data().Items.raw());
}

}  // namespace
}  // namespace bushou
