// Scrambler, checksum, date stamps, class bitmaps and the default enabled set.
#include <gtest/gtest.h>

#include <numeric>

#include "chardata/uClasses_CC.h"
#include "pinyin/uTableFile.h"

namespace bushou {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return bytes;
}

TEST(Scrambler, KnownBytes) {
  // 0x00 ^ 'Q' = 0x51, rotated right by 3 = 0x2A; 0x00 ^ 'a' = 0x61, rotated
  // right by 6 = 0x85; 0xFF ^ 'd' = 0x9B, rotated right by 1 = 0xCD.
  std::vector<std::uint8_t> bytes{0x00, 0x00, 0xFF};
  ScrambleBuffer(bytes);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x2A, 0x85, 0xCD}));
  UnscrambleBuffer(bytes);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x00, 0x00, 0xFF}));
}

TEST(Scrambler, RoundTripsInOneCall) {
  for (const std::size_t n : {0u, 1u, 6u, 7u, 41u, 42u, 43u, 1000u}) {
    const std::vector<std::uint8_t> original = Pattern(n);
    std::vector<std::uint8_t> bytes = original;
    ScrambleBuffer(bytes);
    if (n >= 42) {
      EXPECT_NE(bytes, original) << n;
    }
    UnscrambleBuffer(bytes);
    EXPECT_EQ(bytes, original) << n;
  }
}

TEST(Scrambler, SecondHalfAloneIsNotRestored) {
  const std::vector<std::uint8_t> original = Pattern(100);
  std::vector<std::uint8_t> bytes = original;
  ScrambleBuffer(bytes);
  UnscrambleBuffer(std::span(bytes).subspan(50));  // the walk restarts at key byte 0
  EXPECT_FALSE(std::equal(bytes.begin() + 50, bytes.end(), original.begin() + 50));
}

TEST(Checksum, KnownValues) {
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(TableChecksum(abc), 0x62C40126u);
  const std::uint8_t ff[] = {0xFF, 0xFF, 0xFF};
  EXPECT_EQ(TableChecksum(ff), 0x00FF02FDu);
  EXPECT_EQ(TableChecksum({}), 0u);
  // Large sums fold: 0x20000 bytes of 0xFF.
  const std::vector<std::uint8_t> big(0x20000, 0xFF);
  std::uint64_t a = 0x20000ull * 0xFF, b = 0x10000ull * 0xFFFF;
  while (a > 0xFFFF) a = (a & 0xFFFF) + (a >> 16);
  while (b > 0xFFFF) b = (b & 0xFFFF) + (b >> 16);
  EXPECT_EQ(TableChecksum(big), static_cast<std::uint32_t>((b << 16) + a));
}

TEST(DateStamp, StampsAndSplits) {
  EXPECT_EQ(DateStamp({2009, 10, 10}), 2009101006u);
  EXPECT_EQ(DateStamp({2024, 2, 29}), 2024022904u);  // a Thursday
  EXPECT_EQ(DateStamp({2000, 1, 2}), 2000010207u);   // a Sunday
  std::uint16_t y = 0, m = 0, d = 0, w = 0;
  SplitDateStamp(2009101006, y, m, d, w);
  EXPECT_EQ(y, 2009);
  EXPECT_EQ(m, 10);
  EXPECT_EQ(d, 10);
  EXPECT_EQ(w, 6);
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2009, 13, 1));
  EXPECT_FALSE(IsValidDate(2009, 4, 31));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
}

TEST(DateStamp, TodayOverride) {
  SetTodayOverride(TDate{2031, 7, 4});
  EXPECT_EQ(Today(), (TDate{2031, 7, 4}));
  SetTodayOverride(std::nullopt);
  EXPECT_GE(Today().Year, 2024);
}

TEST(ClassBits, LoadSetsBitsAndKeepsOthers) {
  ResetCharClasses();
  SetCharClass(ccEnabled, 0x100);
  const std::vector<std::uint8_t> bitmap{0x81, 0x00, 0x02};  // codes 0, 7, 17
  EXPECT_TRUE(LoadCharClassBits(ccEnabled, bitmap));
  for (const std::uint32_t c : {0u, 7u, 17u, 0x100u}) EXPECT_TRUE(HasCharClass(ccEnabled, c)) << c;
  for (const std::uint32_t c : {1u, 8u, 16u}) EXPECT_FALSE(HasCharClass(ccEnabled, c)) << c;
  EXPECT_TRUE(LoadCharClassBits(ccEnabled, {}));  // nothing to set
}

TEST(ClassBits, LengthLimit) {
  ResetCharClasses();
  std::vector<std::uint8_t> bitmap(kFullBitmapBytes, 0);
  bitmap.back() = 0x80;
  EXPECT_TRUE(LoadCharClassBits(ccEnabled, bitmap));
  EXPECT_TRUE(HasCharClass(ccEnabled, 0x2FFFF));
  bitmap.push_back(0xFF);
  ResetCharClasses();
  EXPECT_FALSE(LoadCharClassBits(ccEnabled, bitmap));
  EXPECT_FALSE(HasCharClass(ccEnabled, 0x2FFFF));
}

TEST(ClassBits, Store) {
  ResetCharClasses();
  EXPECT_EQ(StoreCharClassBits(ccEnabled), (std::vector<std::uint8_t>{0}));
  SetCharClass(ccEnabled, 0x2FFFF);
  const std::vector<std::uint8_t> bitmap = StoreCharClassBits(ccEnabled);
  ASSERT_EQ(bitmap.size(), kFullBitmapBytes);
  EXPECT_EQ(bitmap.back(), 0x80);
  ResetCharClasses();
  SetCharClass(ccStrokeMark, 9);  // other flags do not count
  SetCharClass(ccEnabled, 3);
  EXPECT_EQ(StoreCharClassBits(ccEnabled), (std::vector<std::uint8_t>{0x08}));
}

TEST(DefaultEnabledSet, ExactSet) {
  ResetCharClasses();
  SetCharClass(ccEnabled, 0x20000);  // cleared first
  BuildDefaultEnabledSet();
  std::size_t count = 0;
  for (std::uint32_t c = 0; c < 0x30000; ++c) count += HasCharClass(ccEnabled, c) ? 1u : 0u;
  EXPECT_EQ(count, 43135u);
  for (const std::uint32_t c : {0x4E00u, 0xAC00u, 0xD7A3u, 0xE815u, 0xE864u, 0xFFEEu, 0x80u}) {
    EXPECT_TRUE(HasCharClass(ccEnabled, c)) << std::hex << c;
  }
  for (const std::uint32_t c : {0x7Fu, 0xAC01u, 0xE000u, 0xE865u, 0xFDD0u, 0xFEF5u, 0xFFEFu,
                                0x9FCCu, 0x20000u, 0xD800u}) {
    EXPECT_FALSE(HasCharClass(ccEnabled, c)) << std::hex << c;
  }
}

TEST(DefaultEnabledSet, ExclusionLists) {
  const TDefaultExclusions& ex = DefaultExclusions();
  EXPECT_EQ(ex.Singles.size(), 142u);
  EXPECT_EQ(ex.Ranges.size(), 237u);
  EXPECT_EQ(ex.Singles.front(), 0x038Bu);
  EXPECT_EQ(ex.Singles[1], 0x038Du);
  EXPECT_EQ(ex.Singles.back(), 0xFFE7u);
  const auto hasRange = [&ex](std::uint32_t first, std::uint32_t last) {
    return std::any_of(ex.Ranges.begin(), ex.Ranges.end(),
                       [&](const TCodeRange& r) { return r.First == first && r.Last == last; });
  };
  for (const auto& [first, last] :
       std::initializer_list<std::pair<std::uint32_t, std::uint32_t>>{
           {0x0378, 0x0379}, {0x037F, 0x0383}, {0x0526, 0x0530}, {0x083F, 0x08FF},
           {0x4DB6, 0x4DBF}, {0x9FCC, 0x9FFF}, {0xAC01, 0xD7A2}, {0xD7FC, 0xE814},
           {0xE816, 0xF8FF}, {0xFDC8, 0xFDEF}, {0xFEF5, 0xFEFA}, {0xFFDD, 0xFFDF}}) {
    EXPECT_TRUE(hasRange(first, last)) << std::hex << first;
  }
  EXPECT_EQ(ex.AddBack.First, 0xE815u);
  EXPECT_EQ(ex.AddBack.Last, 0xE864u);
}

}  // namespace
}  // namespace bushou
