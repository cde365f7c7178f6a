// Writes the pinyin table "hzpy.dat" from Unihan_Readings.txt of Debian's
// unicode-data package (Unicode, Inc.; Unicode License v3), through the
// table's own save side.
//
// Readings of a code point (U+3007 and the ideographs up to U+2FFFF): the
// syllables of kMandarin first, then kTGHZ2013, kXHC1983 and last
// kHanyuPinyin. The tones of one syllable are merged into one reading's tone
// set; syllables outside the initials x finals inventory (m, n, ng, hm, ê ...)
// are skipped; at most 7 readings are kept. Where kHanyuPinlu has the
// character, its syllables come first, most frequent first, and a reading's
// Frequency is the sum of its kHanyuPinlu counts; the others follow in the
// order above with Frequency 0.
//
// The syllable table holds every syllable used, in alphabetical order (so
// grouped by first letter), each with its four tone-marked forms.
//
// If the readings do not fit the file's size window, the kHanyuPinyin-only
// readings of the rarest characters (no kHanyuPinlu count, highest code point
// first) are dropped until they do; the generator reports how many.
//
// SOURCE_DATE_EPOCH, when set, fixes the date stamps for a reproducible file.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "chardata/uClasses_CC.h"
#include "pinyin/uHZ_PY.h"
#include "pinyin/uTableFile.h"
#include "platform/text.h"
#include "tools/mkdata/unihan.h"

namespace bushou::mkdata {
namespace {

enum Source { kMandarin, kTGHZ2013, kXHC1983, kHanyuPinyin, kSourceCount };
constexpr std::string_view kSourceFields[kSourceCount] = {"kMandarin", "kTGHZ2013", "kXHC1983",
                                                          "kHanyuPinyin"};

struct Reading {
  std::u16string plain;
  TToneSet tones = 0;
  Source firstSource = kHanyuPinyin;
  std::uint64_t frequency = 0;
  bool inPinlu = false;
};

struct Character {
  std::vector<Reading> readings;
  std::uint64_t pinluTotal = 0;
};

// The written syllables of one Unihan value: kMandarin lists them; the
// dictionary fields write "location[,location]:syllable[,syllable]" items.
std::vector<std::string_view> Syllables(Source source, std::string_view value) {
  std::vector<std::string_view> out;
  for (std::string_view item : SplitBlanks(value)) {
    if (source != kMandarin) {
      const std::size_t colon = item.find(':');
      if (colon == std::string_view::npos) continue;
      item.remove_prefix(colon + 1);
    }
    while (!item.empty()) {
      const std::size_t comma = item.find(',');
      out.push_back(item.substr(0, comma));
      item = comma == std::string_view::npos ? std::string_view() : item.substr(comma + 1);
    }
  }
  return out;
}

void AddReading(Character& ch, std::string_view written, Source source,
                std::map<std::string, int>& skipped) {
  std::u16string plain;
  int tone = 0;
  if (!ReadMarkedSyllable(platform::FromUtf8(written), &plain, &tone)) {
    ++skipped[std::string(written)];
    return;
  }
  for (Reading& r : ch.readings) {
    if (r.plain == plain) {
      r.tones = static_cast<TToneSet>(r.tones | ToneBit(tone));
      return;
    }
  }
  ch.readings.push_back({plain, ToneBit(tone), source, 0, false});
}

// "zhōng(4875) zhòng(66)": counts by plain syllable.
void ApplyPinlu(Character& ch, std::string_view value) {
  for (const std::string_view item : SplitBlanks(value)) {
    const std::size_t open = item.find('(');
    if (open == std::string_view::npos || item.back() != ')') continue;
    std::u16string plain;
    if (!ReadMarkedSyllable(platform::FromUtf8(item.substr(0, open)), &plain, nullptr)) continue;
    std::uint64_t count = 0;
    const std::string_view digits = item.substr(open + 1, item.size() - open - 2);
    if (std::from_chars(digits.data(), digits.data() + digits.size(), count).ec != std::errc()) {
      continue;
    }
    for (Reading& r : ch.readings) {
      if (r.plain != plain) continue;
      r.frequency += count;
      r.inPinlu = true;
      ch.pinluTotal += count;
    }
  }
  std::stable_sort(ch.readings.begin(), ch.readings.end(), [](const Reading& a, const Reading& b) {
    if (a.inPinlu != b.inPinlu) return a.inPinlu;
    return a.inPinlu && a.frequency > b.frequency;
  });
}

void FixDateFromEnvironment() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || !*epoch) return;
  const std::time_t t = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
  std::tm utc{};
  gmtime_r(&t, &utc);
  SetTodayOverride(TDate{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday});
}

std::size_t FileSize(std::size_t readings, std::size_t syllables, std::size_t bitmap) {
  // header, N, readings, S and LastID, syllables, L, bitmap
  return 16 + 4 + readings * TPinyinReading::kSize + 4 + syllables * TSyllableInfo::kSize + 4 +
         bitmap;
}

}  // namespace
}  // namespace bushou::mkdata

int main(int argc, char** argv) {
  using namespace bushou;
  using namespace bushou::mkdata;
  const std::string unicode = UnicodeDir(argc, argv);
  const std::string outPath = RequiredOption(argc, argv, "--out", "mkhzpy [--unicode DIR] --out FILE");
  FixDateFromEnvironment();

  std::map<char32_t, Character> chars;
  std::map<char32_t, std::string> pinlu;
  std::map<std::string, int> skipped;
  std::array<std::map<char32_t, std::string>, kSourceCount> values;
  ForEachUnihanValue(unicode + "/Unihan_Readings.txt.bz2",
                     {"kMandarin", "kTGHZ2013", "kXHC1983", "kHanyuPinyin", "kHanyuPinlu"},
                     [&](char32_t code, std::string_view field, std::string_view value) {
                       if (code > kMaxReadingCode) return;
                       if (field == "kHanyuPinlu") {
                         pinlu[code] = std::string(value);
                         return;
                       }
                       for (int s = 0; s < kSourceCount; ++s) {
                         if (field == kSourceFields[s]) values[static_cast<std::size_t>(s)][code] = value;
                       }
                     });
  for (int s = 0; s < kSourceCount; ++s) {
    for (const auto& [code, value] : values[static_cast<std::size_t>(s)]) {
      for (const std::string_view written : Syllables(static_cast<Source>(s), value)) {
        AddReading(chars[code], written, static_cast<Source>(s), skipped);
      }
    }
  }
  // Unihan no longer lists U+3007, the ideographic zero; it is read líng.
  if (chars.find(0x3007) == chars.end()) AddReading(chars[0x3007], "líng", kMandarin, skipped);
  std::size_t overSeven = 0;
  for (auto& [code, ch] : chars) {
    if (const auto it = pinlu.find(code); it != pinlu.end()) ApplyPinlu(ch, it->second);
    if (ch.readings.size() > kMaxCharReadings) {
      ++overSeven;
      ch.readings.resize(kMaxCharReadings);
    }
  }

  // The syllable table: every syllable used, alphabetically.
  std::set<std::u16string> plains;
  for (const auto& [code, ch] : chars) {
    for (const Reading& r : ch.readings) plains.insert(r.plain);
  }
  std::vector<TSyllableInfo> syllables;
  for (const std::u16string& plain : plains) {
    TSyllableInfo s;
    s.Plain = plain;
    for (int t = 1; t <= 4; ++t) s.Toned[static_cast<std::size_t>(t)] = MarkedSyllable(plain, t);
    syllables.push_back(std::move(s));
  }
  if (syllables.size() > kMaxSyllables) Fail("more than 512 syllables");

  // Fit the size window: drop kHanyuPinyin-only readings of the rarest
  // characters first.
  BuildDefaultEnabledSet();
  const std::size_t bitmapBytes = StoreCharClassBits(ccEnabled).size();
  std::size_t total = 0;
  for (const auto& [code, ch] : chars) total += ch.readings.size();
  std::size_t limit = 0;
  while (FileSize(limit + 1, syllables.size(), bitmapBytes) <= kMaxPinyinFileSize) ++limit;
  limit = std::min<std::size_t>(limit, kMaxFileReadings - 1);
  std::size_t dropped = 0;
  if (total > limit) {
    std::vector<char32_t> order;
    for (const auto& [code, ch] : chars) order.push_back(code);
    std::stable_sort(order.begin(), order.end(), [&](char32_t a, char32_t b) {
      if (chars[a].pinluTotal != chars[b].pinluTotal) return chars[a].pinluTotal < chars[b].pinluTotal;
      return a > b;
    });
    for (const char32_t code : order) {
      auto& readings = chars[code].readings;
      while (total > limit && readings.size() > 1) {
        const auto it = std::find_if(readings.rbegin(), readings.rend(), [](const Reading& r) {
          return r.firstSource == kHanyuPinyin;
        });
        if (it == readings.rend()) break;
        readings.erase(std::next(it).base());
        --total;
        ++dropped;
      }
      if (total <= limit) break;
    }
    if (total > limit) Fail("the readings do not fit the file");
  }

  auto table = std::make_unique<THZPY>();
  if (!table->SetSyllables(syllables)) Fail("the syllable table does not fit the model");
  std::size_t added = 0;
  for (const auto& [code, ch] : chars) {
    for (const Reading& r : ch.readings) {
      std::uint32_t initial = 0, fin = 0;
      ParseSyllable(r.plain, &initial, &fin);
      TPinyinReading entry;
      entry.Code = code;
      entry.Syllable = MakeSyllableCode(initial, fin, r.tones);
      entry.Frequency = static_cast<std::uint32_t>(std::min<std::uint64_t>(r.frequency, 0xFFFFFFFFu));
      std::uint8_t status = 0;
      if (!table->AddEntry(&entry, &status) || status != esDone) {
        Fail("reading refused for U+" + std::to_string(static_cast<unsigned>(code)));
      }
      ++added;
    }
  }

  std::error_code ec;
  const std::filesystem::path out(outPath);
  if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
  const std::u16string outName = platform::FromUtf8(outPath);
  if (table->SaveToFile(outName, false) <= 0) Fail("cannot write " + outPath);

  // The file must load with the table's own loader.
  auto check = std::make_unique<THZPY>();
  if (!check->LoadFromFile(outName, false) || check->ReadingCount() != table->ReadingCount()) {
    Fail(outPath + " does not load back");
  }
  const auto size = std::filesystem::file_size(out, ec);
  std::printf("mkhzpy: %zu characters, %zu readings, %zu syllables, %zu dropped, %zu with more "
              "than 7, %zu unusable syllables skipped, %llu bytes\n",
              chars.size(), added, syllables.size(), dropped, overSeven, skipped.size(),
              static_cast<unsigned long long>(size));
  return 0;
}
