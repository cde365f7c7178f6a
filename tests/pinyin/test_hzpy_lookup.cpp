// Lookups of the pinyin table: readings, their text, syllables, words.
#include <gtest/gtest.h>

#include "pinyin/uHZ_PY.h"
#include "tests/pinyin/PinyinFileBuilder.h"

namespace bushou {
namespace {

using testing::MakeReading;
using testing::PinyinFileBuilder;

constexpr std::uint32_t kZhong = 0x4E2D;  // 中
constexpr std::uint32_t kFive = 0x5443;   // 呃 in all five tones, for the test
constexpr std::uint32_t kPlain = 0x5417;  // 吗 with an empty tone set
constexpr std::uint32_t kBad = 0x5463;    // a reading whose code does not decode
constexpr std::uint32_t kOff = 0x4E48;    // 么 with one removed reading

std::unique_ptr<THZPY> Table() {
  PinyinFileBuilder b;
  TPinyinReading bad = MakeReading(kBad, u"a", ToneBit(1));
  bad.Syllable = MakeSyllableCode(30, 1, ToneBit(1));  // initial 30 does not exist
  b.Add(MakeReading(kZhong, u"zhong", ToneBit(1) | ToneBit(4)))
      .Add(MakeReading(kZhong, u"chong", ToneBit(2)))
      .Add(MakeReading(kFive, u"e", kAllTones))
      .Add(MakeReading(kPlain, u"ma", 0))
      .Add(bad)
      .Add(MakeReading(kBad, u"e", ToneBit(4)))
      .Add(MakeReading(kOff, u"yao", ToneBit(1), 0, 0, 0))
      .Add(MakeReading(kOff, u"me", ToneBit(5)))
      .Add(MakeReading(0x2A6D6, u"a", ToneBit(3)))
      .FillTo(kMinFileReadings);
  // Syllables grouped by letter; lv carries its marked forms.
  b.Syllables({u"a", u"chong", u"e", u"lv", u"ma", u"me", u"yao", u"zhong", u"zhuang"});
  return testing::TableFromImage(b.Build());
}

TEST(PinyinLookup, GetPinyinText) {
  const auto table = Table();
  EXPECT_EQ(table->GetPinyinText(kZhong, u';'), u"zhong1;zhong4;chong2");
  EXPECT_EQ(table->GetPinyinText(kZhong, u','), u"zhong1,zhong4,chong2");
  EXPECT_EQ(table->GetPinyinText(kFive, u';'), u"e1;e2;e3;e4;e5");
  EXPECT_EQ(table->GetPinyinText(kPlain, u';'), u"ma");
  EXPECT_EQ(table->GetPinyinText(kBad, u';'), u"e4");           // the undecodable one gives nothing
  EXPECT_EQ(table->GetPinyinText(kOff, u';'), u"yao1;me5");     // removed readings are listed too
  EXPECT_EQ(table->GetPinyinText(0x4E00, u';'), u"");
  EXPECT_EQ(table->GetPinyinText(0x2A6D6, u';'), u"a3");
  EXPECT_EQ(table->GetPinyinText(0x30000, u';'), u"");
}

TEST(PinyinLookup, GetReadings) {
  const auto table = Table();
  std::vector<TPinyinReading> readings;
  EXPECT_EQ(table->GetReadings(kOff, readings, true), 2);
  EXPECT_EQ(readings[0].Syllable, MakeReading(kOff, u"yao", ToneBit(1)).Syllable);
  EXPECT_EQ(table->GetReadings(kOff, readings, false), 1);
  EXPECT_EQ(readings[0].Syllable, MakeReading(kOff, u"me", ToneBit(5)).Syllable);
  EXPECT_EQ(table->GetReadings(0x4E00, readings, true), 0);
  EXPECT_TRUE(readings.empty());
  EXPECT_EQ(table->GetReadings(0x30000, readings, true), 0);
}

TEST(PinyinLookup, IndexesFollowFileOrder) {
  const auto table = Table();
  const TCharReadings& zhong = table->CharReadings(kZhong);
  ASSERT_EQ(zhong.Count, 2);
  EXPECT_EQ(table->Entry(zhong.Slots[1]).Text, u"zhong");
  EXPECT_EQ(table->Entry(zhong.Slots[2]).Text, u"chong");
  EXPECT_EQ(table->Entry(table->CharReadings(kBad).Slots[1]).Text, u"");

  EXPECT_EQ(table->Letter(u'z').Count, 2);
  EXPECT_EQ(table->Letter(u'z').FirstIndex, 7);
  EXPECT_EQ(table->Letter(u'z').First, &table->Syllable(7));
  EXPECT_EQ(table->Letter(u'm').Count, 2);
  EXPECT_EQ(table->Letter(u'b').Count, 0);
  EXPECT_EQ(table->Letter(u'b').First, nullptr);
}

TEST(PinyinLookup, FindSyllable) {
  const auto table = Table();
  struct Case {
    std::u16string_view text;
    bool found;
    std::u16string_view plain;
    int tone;
    std::int32_t index;
  };
  const Case cases[] = {
      {u"zhu\u0101ng", true, u"zhuang", 1, 8},
      {u"zhuang", true, u"zhuang", 5, 8},
      {u"zh\u00F2ng", true, u"zhong", 4, 7},
      {u"l\u01DC", true, u"lv", 4, 3},       // lǜ
      {u"\u00E9", true, u"e", 2, 2},         // é: the first letter is stripped for the range
      {u"Zhuang", false, u"", 0, 0},
      {u"ing", false, u"", 0, 0},
      {u"\u00FC", false, u"", 0, 0},         // ü: no range for v
      {u"zhuan", false, u"", 0, 0},
      {u"", false, u"", 0, 0},
  };
  for (const Case& c : cases) {
    std::u16string plain = u"kept";
    int tone = 0;
    std::int32_t index = -1;
    EXPECT_EQ(table->FindSyllable(c.text, &plain, &tone, false, &index), c.found);
    if (!c.found) {
      EXPECT_EQ(plain, c.text);
      EXPECT_EQ(tone, 0);
      continue;
    }
    EXPECT_EQ(plain, c.plain);
    EXPECT_EQ(tone, c.tone);
    EXPECT_EQ(index, c.index);
  }
  std::u16string plain;
  EXPECT_TRUE(table->FindSyllable(u"zhu\u0101ng", &plain, nullptr, true));
  EXPECT_EQ(plain, u"zhuang1");
  EXPECT_TRUE(table->FindSyllable(u"ma", &plain, nullptr, true));
  EXPECT_EQ(plain, u"ma5");
}

TEST(PinyinLookup, AllHaveReadings) {
  const auto table = Table();
  EXPECT_TRUE(table->AllHaveReadings(u""));
  EXPECT_TRUE(table->AllHaveReadings(u"\u4E2D\u5417"));
  EXPECT_TRUE(table->AllHaveReadings(u"\U0002A6D6"));
  EXPECT_FALSE(table->AllHaveReadings(u"\u4E2D\u4E00"));
  EXPECT_FALSE(table->AllHaveReadings(u"\U00030000"));
}

TEST(PinyinLookup, ValidAndEnabledReadings) {
  struct Case {
    std::uint32_t code;
    bool valid;
  };
  for (const Case c : {Case{0x7F, false}, Case{0x80, true}, Case{0xD800, false}, Case{0xDFFF, false},
                       Case{0xE000, true}, Case{0x2FFFF, true}, Case{0x30000, false}}) {
    EXPECT_EQ(THZPY::IsValidReading(MakeReading(c.code, u"a", 1)), c.valid) << std::hex << c.code;
  }
  TPinyinReading bad = MakeReading(0x4E00, u"a", 1);
  bad.Syllable = MakeSyllableCode(1, 40, 1);
  EXPECT_FALSE(THZPY::IsValidReading(bad));
  EXPECT_TRUE(THZPY::IsReadingEnabled(MakeReading(0x4E00, u"a", 1)));
  EXPECT_FALSE(THZPY::IsReadingEnabled(MakeReading(0x4E00, u"a", 1, 0, 0, rfGroup)));
}

}  // namespace
}  // namespace bushou
