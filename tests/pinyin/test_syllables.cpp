// Syllable tables, syllable codes and their text forms.
#include <gtest/gtest.h>

#include "pinyin/uSyllables.h"
#include "platform/text.h"

namespace bushou {
namespace {

TEST(Syllables, TablesHoldTheInventory) {
  EXPECT_EQ(Initials[0], u"");
  EXPECT_EQ(Initials[3], u"ch");
  EXPECT_EQ(Initials[23], u"zh");
  EXPECT_EQ(Finals[0], u"");
  EXPECT_EQ(Finals[10], u"er");
  EXPECT_EQ(Finals[29], u"ue");
  EXPECT_EQ(Finals[33], u"v");
  EXPECT_EQ(ToneMarks[20].Marked, u'\u00FC');  // the bare u-umlaut heads its group
  EXPECT_EQ(ToneMarks[24].Marked, u'\u01DC');
}

TEST(Syllables, NamesAndIndexes) {
  std::u16string text = u"untouched";
  EXPECT_TRUE(InitialName(23, &text));
  EXPECT_EQ(text, u"zh");
  EXPECT_TRUE(InitialName(0, nullptr));
  text = u"untouched";
  EXPECT_FALSE(InitialName(24, &text));
  EXPECT_FALSE(FinalName(34, &text));
  EXPECT_EQ(text, u"untouched");
  EXPECT_TRUE(FinalName(33, &text));
  EXPECT_EQ(text, u"v");

  std::uint32_t index = 99;
  EXPECT_TRUE(InitialIndex(u"", &index));
  EXPECT_EQ(index, 0u);
  EXPECT_TRUE(FinalIndex(u"", &index));
  EXPECT_EQ(index, 0u);
  EXPECT_FALSE(InitialIndex(u"Zh", &index));  // case-sensitive
  EXPECT_TRUE(FinalIndex(u"iong", &index));
  EXPECT_EQ(index, 19u);
}

TEST(Syllables, ParseSyllable) {
  struct Case {
    std::u16string_view text;
    bool ok;
    std::uint32_t initial, fin;
  };
  const Case cases[] = {
      {u"zhuang", true, 23, 28}, {u"er", true, 0, 10},  {u"lue", true, 10, 29},
      {u"o", true, 0, 21},       {u"shi", true, 17, 11}, {u"si", true, 16, 11},
      {u"chi", true, 3, 11},     {u"yi", true, 21, 11},  {u"lv", true, 10, 33},
      {u"a", true, 0, 1},        {u"ng", false, 0, 0},   {u"b", false, 0, 0},
      {u"", false, 0, 0},        {u"m", false, 0, 0},    {u"hm", false, 0, 0},
      {u"Zhong", false, 0, 0},   {u"ab", false, 0, 0},   {u"zhongg", false, 0, 0},
  };
  for (const Case& c : cases) {
    std::uint32_t initial = 77, fin = 77;
    EXPECT_EQ(ParseSyllable(c.text, &initial, &fin), c.ok) << platform::ToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(initial, c.initial) << platform::ToUtf8(c.text);
      EXPECT_EQ(fin, c.fin) << platform::ToUtf8(c.text);
    }
  }
}

TEST(Syllables, DecodeSyllable) {
  std::uint32_t initial = 9, fin = 9;
  TToneSet tones = 9;
  EXPECT_TRUE(DecodeSyllable(0, &initial, &fin, &tones));
  EXPECT_EQ(initial, 0u);
  EXPECT_EQ(fin, 0u);
  EXPECT_EQ(tones, 0);
  std::u16string text = u"x";
  EXPECT_TRUE(SyllableText(0, &text, nullptr));
  EXPECT_EQ(text, u"");

  // zhong in tones 1 and 4: bits 11 and 14.
  const TSyllableCode zhong = static_cast<TSyllableCode>(23 | (22 << 5) | (1 << 11) | (1 << 14));
  EXPECT_EQ(zhong, MakeSyllableCode(23, 22, ToneBit(1) | ToneBit(4)));
  EXPECT_TRUE(SyllableText(zhong, &text, &tones));
  EXPECT_EQ(text, u"zhong");
  EXPECT_EQ(tones, 0b01001);

  // Initial 24..31 or final 34..63 does not decode, and nothing is written.
  for (const TSyllableCode bad : {MakeSyllableCode(24, 1, 1), MakeSyllableCode(31, 1, 1),
                                  MakeSyllableCode(1, 34, 1), MakeSyllableCode(1, 63, 1)}) {
    initial = fin = 9;
    tones = 9;
    text = u"kept";
    EXPECT_FALSE(DecodeSyllable(bad, &initial, &fin, &tones));
    EXPECT_FALSE(SyllableText(bad, &text, &tones));
    EXPECT_EQ(initial, 9u);
    EXPECT_EQ(fin, 9u);
    EXPECT_EQ(tones, 9);
    EXPECT_EQ(text, u"kept");
  }
}

TEST(Syllables, StripToneMark) {
  EXPECT_EQ(StripToneMark(u'\u01DA'), u'v');  // ǚ
  EXPECT_EQ(StripToneMark(u'\u00FC'), u'v');  // ü
  EXPECT_EQ(StripToneMark(u'\u0101'), u'a');  // ā
  EXPECT_EQ(StripToneMark(u'\u00F2'), u'o');  // ò
  EXPECT_EQ(StripToneMark(u'm'), u'm');
  EXPECT_EQ(StripToneMark(u'\u4E2D'), u'\u4E2D');
}

TEST(Syllables, MarkedSyllable) {
  struct Case {
    std::u16string_view plain;
    int tone;
    std::u16string_view marked;
  };
  const Case cases[] = {
      {u"zhong", 1, u"zh\u014Dng"}, {u"zhuang", 1, u"zhu\u0101ng"}, {u"lv", 4, u"l\u01DC"},
      {u"lue", 4, u"l\u00FC\u00E8"}, {u"jue", 2, u"ju\u00E9"},      {u"gui", 4, u"gu\u00EC"},
      {u"liu", 2, u"li\u00FA"},      {u"lou", 3, u"l\u01D2u"},      {u"er", 2, u"\u00E9r"},
      {u"nv", 5, u"n\u00FC"},        {u"zhong", 5, u"zhong"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkedSyllable(c.plain, c.tone), c.marked) << platform::ToUtf8(c.plain) << c.tone;
  }
}

TEST(Syllables, ReadMarkedSyllable) {
  struct Case {
    std::u16string_view written;
    bool ok;
    std::u16string_view plain;
    int tone;
  };
  const Case cases[] = {
      {u"zh\u014Dng", true, u"zhong", 1}, {u"l\u00FC\u00E8", true, u"lue", 4},
      {u"n\u01DA", true, u"nv", 3},       {u"me", true, u"me", 5},
      {u"l\u00FC", true, u"lv", 5},       {u"\u1E3F", false, u"", 0},   // ḿ
      {u"\u00EA", false, u"", 0},         {u"hm", false, u"", 0},
      {u"ng", false, u"", 0},             {u"m\u0300", false, u"", 0},  // m + combining grave
      {u"Zh\u014Dng", false, u"", 0},
  };
  for (const Case& c : cases) {
    std::u16string plain;
    int tone = 0;
    EXPECT_EQ(ReadMarkedSyllable(c.written, &plain, &tone), c.ok) << platform::ToUtf8(c.written);
    if (c.ok) {
      EXPECT_EQ(plain, c.plain) << platform::ToUtf8(c.written);
      EXPECT_EQ(tone, c.tone) << platform::ToUtf8(c.written);
    }
  }
}

}  // namespace
}  // namespace bushou
