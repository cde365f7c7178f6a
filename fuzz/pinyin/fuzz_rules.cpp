// The rule text reader over arbitrary bytes (byte order marks, UTF-8, UTF-16,
// code page 936), then the rule index over a small table.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "pinyin/uHZ_PY.h"

namespace {

// 乐 le/yue, 行 xing/hang, 丁 ding/zheng, 万 wan/mo, 和 he/huo/hu and a few
// characters with one reading, plus one outside the basic plane.
bushou::THZPY& Table() {
  static const std::unique_ptr<bushou::THZPY> table = [] {
    using namespace bushou;
    auto t = std::make_unique<THZPY>();
    std::vector<TSyllableInfo> syllables;
    for (const char16_t* plain : {u"a", u"ding", u"fa", u"hang", u"he", u"hu", u"huo", u"le",
                                  u"mo", u"mu", u"qi", u"wan", u"xing", u"yue", u"zheng"}) {
      TSyllableInfo s;
      s.Plain = plain;
      for (int tone = 1; tone <= 4; ++tone) s.Toned[static_cast<std::size_t>(tone)] = MarkedSyllable(plain, tone);
      syllables.push_back(s);
    }
    t->SetSyllables(syllables);
    const struct {
      std::uint32_t code;
      const char16_t* plain;
    } readings[] = {{0x4E50, u"le"},   {0x4E50, u"yue"},  {0x884C, u"xing"}, {0x884C, u"hang"},
                    {0x4E01, u"ding"}, {0x4E01, u"zheng"}, {0x4E07, u"wan"}, {0x4E07, u"mo"},
                    {0x548C, u"he"},   {0x548C, u"huo"},  {0x548C, u"hu"},   {0x5668, u"qi"},
                    {0x6728, u"mu"},   {0x4F10, u"fa"},   {0x20000, u"a"},   {0x20000, u"he"}};
    for (const auto& r : readings) {
      std::uint32_t initial = 0, fin = 0;
      ParseSyllable(r.plain, &initial, &fin);
      TPinyinReading entry;
      entry.Code = r.code;
      entry.Syllable = MakeSyllableCode(initial, fin, ToneBit(2));
      t->AddEntry(&entry);
    }
    return t;
  }();
  return *table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bushou;
  const std::vector<std::u16string> lines = DecodeRuleText({data, size});
  THZPY& table = Table();
  table.BuildRules(lines.empty() ? std::vector<std::u16string>{u"#"} : lines);
  std::size_t words = 0;
  for (const TPolyphoneRule& rule : table.Rules()) {
    for (const auto& contexts : rule.Contexts) words += contexts ? contexts->size() : 0;
  }
  return words == 0xFFFFFFFF ? 1 : 0;
}
