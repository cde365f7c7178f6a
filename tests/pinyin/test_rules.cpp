// Polyphone rules: the line splitter, the rule text and its sources, and the
// rule index BuildRules makes.
#include <gtest/gtest.h>

#include "pinyin/uHZ_PY.h"
#include "platform/codepage.h"
#include "platform/text.h"
#include "tests/pinyin/PinyinFileBuilder.h"
#include "tests/support/TempDir.h"

namespace bushou {
namespace {

using testing::MakeReading;
using Lines = std::vector<std::u16string>;

constexpr std::uint32_t kDing = 0x4E01;  // 丁 ding, zheng
constexpr std::uint32_t kWan = 0x4E07;   // 万 wan, mo
constexpr std::uint32_t kLe = 0x4E50;    // 乐 le, yue
constexpr std::uint32_t kZha = 0x54A4;   // 咤 zha, cha
constexpr std::uint32_t kMe = 0x4E48;    // 么 me only
constexpr std::uint32_t kHe = 0x548C;    // 和 he, huo
constexpr std::uint32_t kExt = 0x2B740;  // an Extension D ideograph: a, e

std::unique_ptr<THZPY> Table() {
  testing::PinyinFileBuilder b;
  b.Add(MakeReading(kDing, u"ding", ToneBit(1)))
      .Add(MakeReading(kDing, u"zheng", ToneBit(1)))
      .Add(MakeReading(0x4F10, u"fa", ToneBit(2)))   // 伐
      .Add(MakeReading(0x6728, u"mu", ToneBit(4)))   // 木
      .Add(MakeReading(kWan, u"wan", ToneBit(4)))
      .Add(MakeReading(kWan, u"mo", ToneBit(4)))
      .Add(MakeReading(0x4FDF, u"si", ToneBit(4)))   // 俟
      .Add(MakeReading(0x4FDF, u"qi", ToneBit(2)))
      .Add(MakeReading(kLe, u"le", ToneBit(4)))
      .Add(MakeReading(kLe, u"yue", ToneBit(4)))
      .Add(MakeReading(kHe, u"he", ToneBit(2)))
      .Add(MakeReading(kHe, u"huo", ToneBit(2)))
      .Add(MakeReading(0x5668, u"qi", ToneBit(4)))   // 器
      .Add(MakeReading(kZha, u"zha", ToneBit(4)))
      .Add(MakeReading(kZha, u"cha", ToneBit(4)))
      .Add(MakeReading(0x54EA, u"na", ToneBit(3)))   // 哪
      .Add(MakeReading(0x5412, u"zha", ToneBit(1)))  // 吒
      .Add(MakeReading(kMe, u"me", ToneBit(5)))
      .FillTo(kMinFileReadings);
  b.Syllables({u"a", u"cha", u"ding", u"e", u"fa", u"he", u"huo", u"le", u"me", u"mo", u"mu",
               u"na", u"qi", u"si", u"wan", u"yue", u"zha", u"zheng"});
  auto table = testing::TableFromImage(b.Build());
  // kExt, two UTF-16 units, with two readings: added through the edit side.
  for (const char16_t* plain : {u"a", u"e"}) {
    const TPinyinReading r = MakeReading(kExt, plain, ToneBit(1));
    EXPECT_TRUE(table->AddEntry(&r));
  }
  return table;
}

const TPolyphoneRule& RuleOf(const THZPY& table, std::uint32_t code) {
  static const TPolyphoneRule none;
  const std::uint16_t index = table.CharReadings(code).RuleIndex;
  return index == 0 ? none : table.Rules()[index];
}

std::vector<TContextWord> Words(const THZPY& table, std::uint32_t code, int slot) {
  const auto& contexts = RuleOf(table, code).Contexts[static_cast<std::size_t>(slot)];
  return contexts ? *contexts : std::vector<TContextWord>{};
}

TEST(SplitFields, Fields) {
  struct Case {
    std::u16string_view line;
    std::int32_t count;
    std::u16string_view f1, f2, f3;
  };
  const Case cases[] = {
      {u"", 0, u"", u"", u""},
      {u"\u4E50\tyue\t\u4E50\u5668", 3, u"\u4E50", u"yue", u"\u4E50\u5668"},
      {u"\u4E50\tyue", 3, u"\u4E50", u"yue", u""},  // two fields still give 3
      {u"\u4E50 \t yue  A  more", 3, u"\u4E50", u"yue", u"A"},
      {u"\u4E50", 2, u"\u4E50", u"", u""},
      {u"  \t ", 1, u"", u"", u""},
      {u"  x y", 3, u"x", u"y", u""},
      {u"\U00020000\ta", 3, u"\U00020000", u"a", u""},
  };
  for (const Case& c : cases) {
    std::u16string f1 = u"?", f2 = u"?", f3 = u"?";
    EXPECT_EQ(SplitFields(StringToCodePoints(c.line), f1, f2, &f3), c.count) << platform::ToUtf8(c.line);
    EXPECT_EQ(f1, c.f1) << platform::ToUtf8(c.line);
    EXPECT_EQ(f2, c.f2) << platform::ToUtf8(c.line);
    EXPECT_EQ(f3, c.f3) << platform::ToUtf8(c.line);
  }
  std::u16string f1, f2;
  EXPECT_EQ(SplitFields(StringToCodePoints(u"\u4E50\tyue\tA"), f1, f2, nullptr), 2);
}

TEST(PolyphoneRules, SampleLines) {
  auto table = Table();
  table->BuildRules(Lines{
      u"丁\tzheng\tX", u"丁\tzheng\t伐木丁丁", u"万\tmo\tA", u"万\tmo\t^万俟", u"万\tmo\t万俟$",
      u"么\tme\t什么", u"乐\tyue\tA", u"乐\tyue\t^乐和$", u"乐\tyue\t乐器", u"咤\tzha",
      u"咤\tzha\t哪吒"});
  ASSERT_EQ(table->Rules().size(), 5u);  // record 0 and four characters
  EXPECT_EQ(table->CharReadings(kDing).RuleIndex, 1);  // records follow the sorted characters
  EXPECT_EQ(table->CharReadings(kWan).RuleIndex, 2);
  EXPECT_EQ(table->CharReadings(kLe).RuleIndex, 3);
  EXPECT_EQ(table->CharReadings(kZha).RuleIndex, 4);
  EXPECT_EQ(table->CharReadings(kMe).RuleIndex, 0);  // one reading only

  const TPolyphoneRule& ding = RuleOf(*table, kDing);
  EXPECT_EQ(ding.Count, 2);
  EXPECT_EQ(ding.HasGroup, 1 << 2);
  EXPECT_EQ(ding.MarkedA, 1 << 2);  // X implies A
  EXPECT_EQ(ding.MarkedX, 1 << 2);
  EXPECT_FALSE(ding.Contexts[1].has_value());
  EXPECT_EQ(Words(*table, kDing, 2), (std::vector<TContextWord>{{u"伐木丁丁", 0}}));

  const TPolyphoneRule& wan = RuleOf(*table, kWan);
  EXPECT_EQ(wan.MarkedA, 1 << 2);
  EXPECT_EQ(wan.MarkedX, 0);
  EXPECT_EQ(Words(*table, kWan, 2),
            (std::vector<TContextWord>{{u"万俟", cfStartMark}, {u"万俟", cfEndMark}}));

  EXPECT_EQ(Words(*table, kLe, 2), (std::vector<TContextWord>{
                                       {u"乐和", cfStartMark | cfEndMark}, {u"乐器", 0}}));

  // 哪吒 does not hold 咤: the group stays empty, the reading is still marked.
  const TPolyphoneRule& zha = RuleOf(*table, kZha);
  EXPECT_EQ(zha.HasGroup, 1 << 1);
  EXPECT_FALSE(zha.Contexts[1].has_value());
}

TEST(PolyphoneRules, LinesThatAddNothing) {
  auto table = Table();
  table->BuildRules(Lines{
      u"#乐\tyue", u"#乐\tyue\t乐器", u";乐\tyue\t乐器",  // comments
      u" 乐\tyue\t乐器",                                  // a blank first
      u"乐器\tyue",                                       // no blank after the character
      u"么\tme",                                          // one reading
      u"乐\tbogus", u"乐\tYue", u"乐", u"乐\t", u"乐\t\t"});  // no known syllable
  EXPECT_EQ(table->Rules().size(), 1u);
  for (const std::uint32_t code : {kDing, kWan, kLe, kZha, kMe}) {
    EXPECT_EQ(table->CharReadings(code).RuleIndex, 0) << std::hex << code;
  }
}

TEST(PolyphoneRules, MarksSyllablesAndDuplicates) {
  auto table = Table();
  table->BuildRules(Lines{
      u"丁\tzhèng\tAbc",            // a mark of several letters; a marked syllable
      u"丁\tzheng\t伐木丁丁", u"丁\tzheng\t伐木丁丁",  // counted once
      u"丁\tzheng\t丁丁有",         // 有 has no reading
      u"乐\tyue", u"乐\tyue\tX",     // both unmarked and marked: the mark holds
      u"和\thuo", u"和\thuo\tA", u"和\thuo\tX",
      u"万\tzha",                    // a syllable the character is not read with
      u"万\tzha\t万俟"});
  const TPolyphoneRule& ding = RuleOf(*table, kDing);
  EXPECT_EQ(ding.MarkedA, 1 << 2);
  EXPECT_EQ(ding.MarkedX, 0);
  EXPECT_EQ(Words(*table, kDing, 2),
            (std::vector<TContextWord>{{u"丁丁有", cfNoReading}, {u"伐木丁丁", 0}}));
  EXPECT_EQ(RuleOf(*table, kLe).MarkedX, 1 << 2);
  EXPECT_EQ(RuleOf(*table, kHe).MarkedX, 1 << 2);

  const TCharReadings& wan = table->CharReadings(kWan);
  ASSERT_NE(wan.RuleIndex, 0);  // a record, but no reading marked
  EXPECT_EQ(RuleOf(*table, kWan).HasGroup, 0);
  EXPECT_EQ(RuleOf(*table, kWan).Count, 2);
}

TEST(PolyphoneRules, ContextWithoutHeadIsDropped) {
  auto table = Table();
  // 乐 le has no head line: its word must not join the group before it (丁).
  table->BuildRules(Lines{u"丁\tzheng", u"乐\tle\t丁乐"});
  EXPECT_EQ(RuleOf(*table, kDing).HasGroup, 1 << 2);
  EXPECT_FALSE(RuleOf(*table, kDing).Contexts[2].has_value());
  EXPECT_EQ(table->CharReadings(kLe).RuleIndex, 0);
}

TEST(PolyphoneRules, CharacterOutsideTheBasicPlane) {
  auto table = Table();
  table->BuildRules(Lines{u"\U0002B740\te", u"\U0002B740\te\t\U0002B740\u4E2D"});
  ASSERT_NE(table->CharReadings(kExt).RuleIndex, 0);
  EXPECT_EQ(Words(*table, kExt, 2),
            (std::vector<TContextWord>{{u"\U0002B740\u4E2D", cfNoReading}}));
}

TEST(PolyphoneRules, SourcesAndRebuilds) {
  auto table = Table();
  table->BuildRules(Lines{u"乐\tyue", u"乐\tyue\t乐器"});
  EXPECT_EQ(table->RuleLines().size(), 2u);
  table->BuildRules(Lines{});  // an empty source rebuilds from the same text
  EXPECT_EQ(table->RuleLines().size(), 2u);
  EXPECT_EQ(Words(*table, kLe, 2), (std::vector<TContextWord>{{u"乐器", 0}}));
  table->ClearRules();
  EXPECT_TRUE(table->Rules().empty());
  EXPECT_EQ(table->CharReadings(kLe).RuleIndex, 0);
  table->BuildRules();  // no SyExEx.txt beside the test program: the built-in text
  EXPECT_EQ(table->RuleLines(), BuiltInRules());
  EXPECT_GT(BuiltInRules().size(), 1000u);
}

TEST(RuleText, Encodings) {
  const auto bytes = [](std::string_view s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
  };
  const Lines expected{u"乐\tyue", u"乐\tyue\t乐器"};
  EXPECT_EQ(DecodeRuleText(bytes("\xEF\xBB\xBF乐\tyue\r\n乐\tyue\t乐器")), expected);
  EXPECT_EQ(DecodeRuleText(bytes("乐\tyue\n乐\tyue\t乐器\n")), expected);  // UTF-8 without a mark
  // UTF-16 in both byte orders: 乐 is U+4E50.
  std::vector<std::uint8_t> le{0xFF, 0xFE}, be{0xFE, 0xFF};
  for (const char16_t u : std::u16string(u"乐\tyue\r乐\tyue\t乐器\r\n")) {
    le.insert(le.end(), {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)});
    be.insert(be.end(), {static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u & 0xFF)});
  }
  EXPECT_EQ(DecodeRuleText(le), expected);
  EXPECT_EQ(DecodeRuleText(be), expected);
  // Not UTF-8: the ANSI code page, 936 (乐 is C0 D6, 器 is C6 F7).
  EXPECT_EQ(DecodeRuleText(bytes("\xC0\xD6\tyue\r\n\xC0\xD6\tyue\t\xC0\xD6\xC6\xF7")), expected);
  EXPECT_EQ(DecodeRuleText({}), Lines{});
  EXPECT_EQ(SplitLines(u"a\r\n\r\nb\n\rc\r"), (Lines{u"a", u"", u"b", u"", u"c"}));
}

TEST(RuleText, FileSizeLimit) {
  testing::TempDir dir;
  EXPECT_FALSE(ReadRuleFile(dir.u16("SyExEx.txt")).has_value());
  std::string text = "乐\tyue\n";
  text.resize(kMaxRuleFileSize, '#');
  const auto atLimit = ReadRuleFile(dir.Write("limit.txt", text));
  ASSERT_TRUE(atLimit.has_value());
  EXPECT_EQ(atLimit->front(), u"乐\tyue");
  text.push_back('#');
  EXPECT_FALSE(ReadRuleFile(dir.Write("over.txt", text)).has_value());
  const auto empty = ReadRuleFile(dir.Write("empty.txt", ""));
  ASSERT_TRUE(empty.has_value());  // accepted, and yields no rules
  EXPECT_TRUE(empty->empty());
  EXPECT_EQ(RuleFilePath().substr(RuleFilePath().size() - 11), u"/SyExEx.txt");
}

// Every prefix of rule files in each encoding decodes and builds without a fault.
TEST(RuleText, TruncationSweep) {
  auto table = Table();
  const std::string utf8 = "\xEF\xBB\xBF乐\tyuè\tA\r\n乐\tyue\t^乐和$\n#x\n丁\tzheng\n丁\tzheng\t伐木丁丁";
  std::vector<std::uint8_t> utf16{0xFF, 0xFE};
  for (const char16_t u : platform::FromUtf8(utf8.substr(3))) {
    utf16.insert(utf16.end(), {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)});
  }
  const std::string gbk = platform::WideToMultiByte(936, platform::FromUtf8(utf8.substr(3)));
  for (const std::vector<std::uint8_t>& file :
       {std::vector<std::uint8_t>(utf8.begin(), utf8.end()), utf16,
        std::vector<std::uint8_t>(gbk.begin(), gbk.end())}) {
    for (std::size_t n = 0; n <= file.size(); ++n) {
      const Lines lines = DecodeRuleText(std::span(file).first(n));
      table->BuildRules(lines.empty() ? Lines{u"#"} : lines);
      EXPECT_LE(table->Rules().size(), 3u);
    }
    EXPECT_EQ(table->Rules().size(), 3u);  // the whole text: 丁 and 乐
  }
}

}  // namespace
}  // namespace bushou
