// The simplified/traditional table: records, the size window, the classes and
// relations a load leaves, the built-in lists and the generated hzjf.dat.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "chardata/uClasses_CC.h"
#include "chardata/uCommonFuns.h"
#include "chardata/uHZ_JF.h"
#include "chardata/uHZ_JF_Lists.h"
#include "platform/bytes.h"
#include "platform/text.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using Targets = std::vector<std::uint32_t>;

// Records (simplified u32 LE, traditional u32 LE), padded with whole filler
// records to at least 16 KiB.
std::vector<std::uint8_t> JfFile(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs,
                                 std::size_t minSize = THZJF::kMinFileSize) {
  platform::ByteWriter w;
  for (const auto& [s, t] : pairs) w.U32LE(s).U32LE(t);
  // Filler pairs of Latin letters: no list names them, no Han class is touched.
  while (w.size() < minSize) w.U32LE(0x61).U32LE(0x62);
  return w.Take();
}

bool InList(std::span<const std::uint32_t> list, std::uint32_t code) {
  return std::binary_search(list.begin(), list.end(), code);
}

bool InAnyList(std::uint32_t code) {
  return InList(SimplifiedList(), code) || InList(TraditionalList(), code) ||
         InList(DualList(), code) || InList(TraditionalRepertoireList(), code);
}

std::unique_ptr<THZJF> Load(const std::u16string& path) {
  return std::make_unique<THZJF>(path, false);
}

TEST(HzjfParse, WholeRecordsOnly) {
  platform::ByteWriter w;
  w.U32LE(0x4E07).U32LE(0x842C);  // 万 -> 萬
  w.U32LE(0x53F0).U32LE(0x81FA);  // 台 -> 臺
  w.U32LE(0x8FD9).U8(0x19).U8(0x90).U8(0);  // 7 bytes: no record
  const std::vector<TJFPair> pairs = ParseHZJFFile(w.bytes());
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].Simplified, 0x53F0u);
  EXPECT_EQ(pairs[1].Traditional, 0x81FAu);
  for (std::size_t n = 0; n <= w.size(); ++n) {
    EXPECT_EQ(ParseHZJFFile(platform::Bytes(w.bytes()).first(n)).size(), n / 8) << n;
  }
}

TEST(HzjfLoad, TrailingBytesAreIgnored) {
  testing::TempDir dir;
  std::vector<std::uint8_t> bytes = JfFile({{0x4E07, 0x842C}});
  ASSERT_EQ(bytes.size(), 16384u);
  // Seven more bytes: the start of a record for U+00C0 that is never whole.
  for (const int b : {0xC0, 0, 0, 0, 0xC1, 0, 0}) bytes.push_back(static_cast<std::uint8_t>(b));
  auto table = Load(dir.Write("hzjf.dat", bytes));
  EXPECT_EQ(table->FileName(), dir.u16("hzjf.dat"));
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x61));
  EXPECT_FALSE(HasCharClass(ccSimplified, 0xC0));
  EXPECT_EQ(GetRalationCC().ItemCount(), 4);  // 万, 萬, a, b
}

TEST(HzjfLoad, FileSizeWindow) {
  testing::TempDir dir;
  struct Case {
    std::size_t size;
    bool loads;
  };
  const Case cases[] = {
      {THZJF::kMinFileSize - 1, false},
      {THZJF::kMinFileSize, true},
      {THZJF::kMaxFileSize, true},
      {THZJF::kMaxFileSize + 1, false},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = JfFile({}, c.size);
    bytes.resize(c.size);
    const std::u16string path = dir.Write("hzjf.dat", bytes);
    auto table = std::make_unique<THZJF>(dir.u16("missing.dat"), false);
    EXPECT_EQ(table->LoadFromFile(path, true), c.loads) << c.size;
    EXPECT_EQ(table->FileName(), c.loads ? path : dir.u16("missing.dat")) << c.size;
  }
}

TEST(HzjfLoad, RejectedFileTouchesNothing) {
  testing::TempDir dir;
  std::vector<std::uint8_t> bytes = JfFile({{0x4E07, 0x842C}});
  bytes.pop_back();  // 16,383 bytes
  auto table = Load(dir.Write("hzjf.dat", bytes));
  EXPECT_EQ(table->FileName(), dir.u16("hzjf.dat"));  // as created, not loaded
  for (const std::uint32_t c : {0x4E07u, 0x842Cu, 0x4E00u, 0x3400u}) {
    for (const std::uint8_t flag : {ccSimplified, ccTraditional, ccOtherHan}) {
      EXPECT_FALSE(HasCharClass(flag, c)) << std::hex << c << " flag " << int{flag};
    }
  }
  EXPECT_EQ(GetRalationCC().ItemCount(), 0);
}

TEST(HzjfLoad, SamePairTwiceIsRecordedOnce) {
  testing::TempDir dir;
  Load(dir.Write("hzjf.dat", JfFile({{0x53F0, 0x81FA}, {0x53F0, 0x81FA}})));
  const TRalationCC& r = GetRalationCC();
  EXPECT_EQ(r.FindRelation(0x53F0, rkSimplifiedToTraditional)->Targets, Targets{0x81FA});
  EXPECT_EQ(r.FindRelation(0x81FA, rkTraditionalToSimplified)->Targets, Targets{0x53F0});
}

TEST(HzjfLoad, OneSimplifiedFormOfTwoTraditional) {
  testing::TempDir dir;
  // 发 -> 發, 发 -> 髮
  Load(dir.Write("hzjf.dat", JfFile({{0x53D1, 0x767C}, {0x53D1, 0x9AEE}})));
  const TRalationCC& r = GetRalationCC();
  EXPECT_EQ(r.FindRelation(0x53D1, rkSimplifiedToTraditional)->Targets, (Targets{0x767C, 0x9AEE}));
  EXPECT_EQ(r.FindRelation(0x767C, rkTraditionalToSimplified)->Targets, Targets{0x53D1});
  EXPECT_EQ(r.FindRelation(0x9AEE, rkTraditionalToSimplified)->Targets, Targets{0x53D1});
  EXPECT_EQ(r.FindRelation(0x53D1, rkTraditionalToSimplified), nullptr);
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x53D1));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x9AEE));
}

TEST(HzjfLoad, BuiltInListsAndOtherHan) {
  testing::TempDir dir;
  // A Han character in no list and no pair.
  std::uint32_t other = 0x3400;
  while (!IsCJKChar(other) || InAnyList(other)) ++other;
  // A Han character in no list, given only as the simplified side of a pair.
  std::uint32_t paired = other + 1;
  while (!IsCJKChar(paired) || InAnyList(paired)) ++paired;

  Load(dir.Write("hzjf.dat", JfFile({{paired, 0x842C}})));
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x4E07));  // 万, from the lists alone
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x4E07));
  EXPECT_FALSE(HasCharClass(ccOtherHan, 0x4E07));
  EXPECT_TRUE(HasCharClass(ccOtherHan, other)) << std::hex << other;
  EXPECT_FALSE(HasCharClass(ccSimplified, other));
  EXPECT_FALSE(HasCharClass(ccOtherHan, paired));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x4E00));  // 一: code page 950 only
  EXPECT_FALSE(HasCharClass(ccSimplified, 0x4E00));
  for (std::uint32_t c = 0; c < 128; ++c) EXPECT_FALSE(HasCharClass(ccOtherHan, c)) << c;
  EXPECT_FALSE(HasCharClass(ccOtherHan, 0x3006));  // not Han
}

TEST(HzjfLoad, CodeBeyondTheTableRaisesAfterEarlierPairs) {
  testing::TempDir dir;
  const std::u16string path = dir.Write("hzjf.dat", JfFile({{0x53F0, 0x81FA}, {0x30000, 0x4E07}}));
  auto table = std::make_unique<THZJF>(dir.u16("missing.dat"), false);
  EXPECT_THROW(table->LoadFromFile(path, false), std::out_of_range);
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x53F0));
  EXPECT_NE(GetRalationCC().FindRelation(0x53F0, rkSimplifiedToTraditional), nullptr);
  EXPECT_EQ(table->FileName(), dir.u16("missing.dat"));
}

TEST(HzjfLoad, DefaultFilePrefersTheUserRoot) {
  testing::TempDir dir;
  testing::ScopedDataRoots roots(dir.path().string());
  dir.Write("common/velmora6/zi/hzjf.dat", JfFile({{0x53D1, 0x767C}}));
  const std::u16string user = dir.Write("home/velmora6/zi/hzjf.dat", JfFile({{0x53F0, 0x81FA}}));
  auto table = std::make_unique<THZJF>(u"", false);
  EXPECT_EQ(table->FileName(), user);
  EXPECT_NE(GetRalationCC().FindRelation(0x53F0, rkSimplifiedToTraditional), nullptr);
  EXPECT_EQ(GetRalationCC().FindRelation(0x53D1, rkSimplifiedToTraditional), nullptr);
}

TEST(HzjfLoad, GeneratedFile) {
  const std::u16string path = platform::FromUtf8(BUSHOU_DATA_ROOT "/velmora6/zi/hzjf.dat");
  auto table = Load(path);
  ASSERT_EQ(table->FileName(), path);
  const TRalationCC& r = GetRalationCC();
  EXPECT_EQ(r.FindRelation(0x4E07, rkSimplifiedToTraditional)->Targets, Targets{0x842C});  // 万 萬
  EXPECT_EQ(r.FindRelation(0x5011, rkTraditionalToSimplified)->Targets, Targets{0x4EEC});  // 們 们
  EXPECT_EQ(r.FindRelation(0x4E07, rkTraditionalToSimplified), nullptr);  // no pair with itself
  EXPECT_TRUE(HasCharClass(ccSimplified, 0x4EEC));
  EXPECT_FALSE(HasCharClass(ccTraditional, 0x4EEC));
  EXPECT_TRUE(HasCharClass(ccTraditional, 0x5011));
  EXPECT_FALSE(HasCharClass(ccSimplified, 0x5011));
}

// The generated lists are what the table's loop and binary searches assume.
TEST(HzjfLists, AscendingAndInsideTheTable) {
  const std::pair<const char*, std::span<const std::uint32_t>> lists[] = {
      {"simplified", SimplifiedList()},
      {"traditional", TraditionalList()},
      {"dual", DualList()},
      {"traditional repertoire", TraditionalRepertoireList()},
  };
  for (const auto& [name, list] : lists) {
    ASSERT_FALSE(list.empty()) << name;
    EXPECT_TRUE(std::adjacent_find(list.begin(), list.end(), std::greater_equal<>()) == list.end())
        << name;
    EXPECT_LT(list.back(), kCodePointLimit) << name;
  }
}

TEST(HzjfLists, Contents) {
  const auto dual = DualList();
  EXPECT_EQ(dual.size(), 179u);
  EXPECT_EQ(dual.front(), 0x4E07u);
  EXPECT_EQ(dual.back(), 0x9EBBu);

  const auto cp950 = TraditionalRepertoireList();
  EXPECT_EQ(cp950.size(), 13063u);  // glibc's 13,070 less seven
  EXPECT_EQ(cp950.front(), 0x4E00u);
  EXPECT_EQ(cp950.back(), 0xFA0Du);
  for (const std::uint32_t c : {0x6FCFu, 0x729Eu, 0x766Au, 0x7C80u, 0x7C81u, 0x7C8Cu, 0xFA0Cu}) {
    EXPECT_FALSE(InList(cp950, c)) << std::hex << c;
  }
  EXPECT_TRUE(InList(cp950, 0x842C));   // 萬
  EXPECT_FALSE(InList(cp950, 0x4EEC));  // 们

  EXPECT_TRUE(InList(SimplifiedList(), 0x4EEC));   // 们: has a traditional form
  EXPECT_TRUE(InList(SimplifiedList(), 0x4E07));   // 万
  EXPECT_FALSE(InList(SimplifiedList(), 0x5011));  // 們
  EXPECT_TRUE(InList(TraditionalList(), 0x5011));  // 們: has a simplified form
  EXPECT_TRUE(InList(TraditionalList(), 0x4E07));  // 万 is its own traditional form too
  EXPECT_FALSE(InList(TraditionalList(), 0x4EEC));
}

}  // namespace
}  // namespace bushou
