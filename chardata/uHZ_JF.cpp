#include "chardata/uHZ_JF.h"

#include <array>
#include <string_view>

#include "chardata/uCommonFuns.h"
#include "chardata/uHZ_JF_Lists.h"
#include "chardata/uTableFileRead.h"

namespace bushou {
namespace {

// Characters that serve as simplified forms and are traditional characters
// too, ascending; all in the BMP, so each UTF-16 unit is one code point.
constexpr std::u16string_view kDualText =
    u"万丑丫丰乃乾了于云仆价仿伙佑余佛佣侖俯借偷像克党冬准几凶出分划刮制剋千升卜占卷厂厘只台叶吁合"
    u"吊同后向呆周咸哄响噪回困夸奸姜它宕家尸局岳巨布希帘席干并幸广弦彩征御志念愈愿戒戚才扎托扣折抵"
    u"拈拐拓挨挽据捻摩斗於旋昆晒暗曲期札朱朴杆村杠杯松板栗梁梅欲沈沾注消涌淀淡游漓炮熏熔申症皇着硃"
    u"确祇私秋稗筑粘糊系累羡肖肮胡腊致舍芸苹范菇著蒙蔑蜡表谷象辟迭适郁酸采里銜雇霉面食麻";
static_assert(kDualText.size() == 179);

constexpr std::array<std::uint32_t, kDualText.size()> MakeDualList() {
  std::array<std::uint32_t, kDualText.size()> codes{};
  for (std::size_t i = 0; i < kDualText.size(); ++i) codes[i] = kDualText[i];
  return codes;
}
constexpr std::array<std::uint32_t, kDualText.size()> kDualList = MakeDualList();

}  // namespace

std::span<const std::uint32_t> DualList() { return kDualList; }

std::vector<TJFPair> ParseHZJFFile(platform::Bytes bytes) {
  std::vector<TJFPair> pairs(bytes.size() / TJFPair::kSize);
  const std::uint8_t* p = bytes.data();
  for (TJFPair& pair : pairs) {
    pair.Simplified = platform::LoadU32LE(p);
    pair.Traditional = platform::LoadU32LE(p + 4);
    p += TJFPair::kSize;
  }
  return pairs;
}

void ApplySimpTradPairs(std::span<const TJFPair> pairs, TRalationCC& relations) {
  for (const TJFPair& pair : pairs) {
    SetCharClass(ccSimplified, pair.Simplified);
    SetCharClass(ccTraditional, pair.Traditional);
    relations.AddRelation(rkSimplifiedToTraditional, pair.Simplified, pair.Traditional);
    relations.AddRelation(rkTraditionalToSimplified, pair.Traditional, pair.Simplified);
  }
}

void ApplyBuiltInLists() {
  for (const std::uint32_t c : SimplifiedList()) SetCharClass(ccSimplified, c);
  for (const std::uint32_t c : TraditionalList()) SetCharClass(ccTraditional, c);
  for (const std::uint32_t c : DualList()) {
    SetCharClass(ccSimplified, c);
    SetCharClass(ccTraditional, c);
  }
  for (const std::uint32_t c : TraditionalRepertoireList()) SetCharClass(ccTraditional, c);
  for (std::uint32_t c = 128; c < kCodePointLimit; ++c) {
    if (IsCJKChar(c) && !HasCharClass(ccSimplified, c) && !HasCharClass(ccTraditional, c)) {
      SetCharClass(ccOtherHan, c);
    }
  }
}

THZJF::THZJF(const std::u16string& fileName, bool scrambled) : TObject_CC(fileName, scrambled) {
  Load(fileName, scrambled);
}

bool THZJF::LoadFromFile(const std::u16string& fileName, bool scrambled) {
  if (!FileSizeInRange(fileName, kMinFileSize, kMaxFileSize)) return false;
  const std::vector<std::uint8_t> bytes = ReadTableFile(fileName, kMaxFileSize);
  ApplySimpTradPairs(ParseHZJFFile(bytes), GetRalationCC());
  FFileName = fileName;
  FScrambled = scrambled;
  ApplyBuiltInLists();
  return true;
}

bool THZJF::Load(const std::u16string& fileName, bool scrambled) {
  std::u16string name = fileName;
  ResolveLoadName(name, scrambled, DataFileName(kSimpTradFile));
  return LoadFromFile(name, scrambled);
}

std::int32_t THZJF::SaveToFile(const std::u16string&, bool) { return 0; }
bool THZJF::AddEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZJF::DeleteEntry(const void*, std::uint8_t*, const TConfirmEntry&) { return true; }
bool THZJF::FindEntry(const void*, std::uint8_t*) { return true; }

}  // namespace bushou
