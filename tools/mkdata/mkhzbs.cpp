// Writes the radical index "hzbs.dat" from Unihan (kRSUnicode, kTotalStrokes)
// and CJKRadicals.txt of Debian's unicode-data package.
//
// Radicals: the 214 Kangxi radicals, each followed by its simplified forms
// (radical numbers written R' in CJKRadicals.txt), shown as their CJK unified
// ideographs. A Kangxi radical's own stroke count comes from the ranges of the
// Kangxi dictionary; a simplified form's from its kTotalStrokes.
//
// Characters: every ideograph below U+30000, filed under the radical of each
// of its kRSUnicode values "R.S" (R' means R's simplified form) with S, the
// residual strokes, as ExtraStrokes (negative counts as 0); ordered within a
// radical by residual strokes, then code point.
//
// File layout (little-endian):
//   0   4      Reserved (0)
//   4   4      ItemCount I
//   8   4      RadicalCount R
//   12  4      FirstCode
//   16  4      LastCode
//   20  13*R   radicals: Code u32, FirstItem i32, CharCount i32, Strokes u8
//   ..  4*N    HzIndex, N = LastCode-FirstCode+1: index of the code point's first
//              character entry, or -1
//   ..  11*I   characters: Code u32, radical entry index u16, ExtraStrokes u8,
//              kTotalStrokes u32
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/bytes.h"
#include "tools/mkdata/unihan.h"

namespace bushou::mkdata {
namespace {

struct Radical {
  int number;       // Kangxi radical number 1..214
  bool simplified;  // an R' form
  char32_t code;    // its CJK unified ideograph
  int strokes;
};

struct Item {
  char32_t code;
  int residual;
  std::uint32_t totalStrokes;
};

// Stroke count of Kangxi radical n, by the dictionary's stroke sections.
int KangxiStrokes(int n) {
  static constexpr int kFirstOfSection[] = {1,   7,   30,  61,  95,  118, 147, 167, 176,
                                            187, 195, 201, 205, 209, 211, 212, 214};
  int strokes = 0;
  for (const int first : kFirstOfSection) {
    if (n >= first) ++strokes;
  }
  return strokes;
}

int ParseInt(std::string_view s) {
  int v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc()) Fail("not a number: " + std::string(s));
  return v;
}

std::vector<Radical> ReadRadicals(const std::string& path,
                                  const std::map<char32_t, std::string>& totalStrokes) {
  std::vector<Radical> radicals;
  ForEachLine(ReadTextFile(path), [&](std::string_view line) {
    if (line.empty() || line[0] == '#') return;
    // "90'; 2EA6; 4E2C"
    const std::size_t s1 = line.find(';');
    const std::size_t s2 = line.find(';', s1 + 1);
    if (s1 == std::string_view::npos || s2 == std::string_view::npos) return;
    std::string_view number = line.substr(0, s1);
    const bool simplified = !number.empty() && number.back() == '\'';
    if (simplified) number.remove_suffix(1);
    if (!number.empty() && number.back() == '\'') return;  // R'' forms are not listed
    const auto ideograph = SplitBlanks(line.substr(s2 + 1));
    if (ideograph.empty()) return;
    Radical r{ParseInt(number), simplified, ParseCodePoint(ideograph[0]), 0};
    if (r.number < 1 || r.number > 214 || r.code == 0xFFFFFFFF) Fail("bad radical line");
    if (simplified) {
      const auto it = totalStrokes.find(r.code);
      r.strokes = it == totalStrokes.end() ? 0 : ParseInt(SplitBlanks(it->second).at(0));
    } else {
      r.strokes = KangxiStrokes(r.number);
    }
    radicals.push_back(r);
  });
  // Radical-number order, each simplified form right after its radical.
  std::stable_sort(radicals.begin(), radicals.end(), [](const Radical& a, const Radical& b) {
    return a.number != b.number ? a.number < b.number : (!a.simplified && b.simplified);
  });
  return radicals;
}

}  // namespace
}  // namespace bushou::mkdata

int main(int argc, char** argv) {
  using namespace bushou::mkdata;
  const std::string unicode = UnicodeDir(argc, argv);
  const std::string outPath = RequiredOption(argc, argv, "--out", "mkhzbs [--unicode DIR] --out FILE");

  const std::string irg = unicode + "/Unihan_IRGSources.txt.bz2";
  const auto totalStrokes = ReadUnihanField(irg, "kTotalStrokes");
  const auto rsUnicode = ReadUnihanField(irg, "kRSUnicode");
  const std::vector<Radical> radicals = ReadRadicals(unicode + "/CJKRadicals.txt", totalStrokes);
  if (radicals.size() < 214) Fail("CJKRadicals.txt lists fewer than 214 radicals");

  std::map<std::pair<int, bool>, std::size_t> radicalIndex;
  for (std::size_t i = 0; i < radicals.size(); ++i) {
    radicalIndex[{radicals[i].number, radicals[i].simplified}] = i;
  }

  std::vector<std::vector<Item>> byRadical(radicals.size());
  for (const auto& [code, value] : rsUnicode) {
    if (code >= 0x30000) continue;
    std::uint32_t total = 0;
    if (const auto t = totalStrokes.find(code); t != totalStrokes.end()) {
      total = static_cast<std::uint32_t>(ParseInt(SplitBlanks(t->second).at(0)));
    }
    std::set<std::size_t> filed;  // a character stands once under each radical
    for (std::string_view rs : SplitBlanks(value)) {
      const std::size_t dot = rs.find('.');
      if (dot == std::string_view::npos) Fail("bad kRSUnicode value");
      std::string_view number = rs.substr(0, dot);
      int primes = 0;
      while (!number.empty() && number.back() == '\'') {
        number.remove_suffix(1);
        ++primes;
      }
      auto it = radicalIndex.find({ParseInt(number), primes > 0});
      if (it == radicalIndex.end()) it = radicalIndex.find({ParseInt(number), false});
      if (it == radicalIndex.end()) Fail("unknown radical in kRSUnicode value");
      if (!filed.insert(it->second).second) continue;
      const int residual = std::max(ParseInt(rs.substr(dot + 1)), 0);
      byRadical[it->second].push_back({code, residual, total});
    }
  }

  std::vector<Item> items;
  std::vector<std::uint16_t> itemRadical;
  bushou::platform::ByteWriter radicalBytes;
  for (std::size_t r = 0; r < radicals.size(); ++r) {
    auto& list = byRadical[r];
    std::sort(list.begin(), list.end(), [](const Item& a, const Item& b) {
      return a.residual != b.residual ? a.residual < b.residual : a.code < b.code;
    });
    radicalBytes.U32LE(radicals[r].code)
        .I32LE(static_cast<std::int32_t>(items.size()))
        .I32LE(static_cast<std::int32_t>(list.size()))
        .U8(static_cast<std::uint8_t>(radicals[r].strokes));
    for (const Item& item : list) {
      items.push_back(item);
      itemRadical.push_back(static_cast<std::uint16_t>(r));
    }
  }
  if (items.empty()) Fail("no characters found");

  char32_t firstCode = items[0].code, lastCode = items[0].code;
  for (const Item& item : items) {
    firstCode = std::min(firstCode, item.code);
    lastCode = std::max(lastCode, item.code);
  }
  std::vector<std::int32_t> hzIndex(lastCode - firstCode + 1, -1);
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::int32_t& slot = hzIndex[items[i].code - firstCode];
    if (slot < 0) slot = static_cast<std::int32_t>(i);
  }

  bushou::platform::ByteWriter file;
  file.U32LE(0)
      .I32LE(static_cast<std::int32_t>(items.size()))
      .I32LE(static_cast<std::int32_t>(radicals.size()))
      .U32LE(firstCode)
      .U32LE(lastCode)
      .Raw(radicalBytes.bytes());
  for (const std::int32_t v : hzIndex) file.I32LE(v);
  for (std::size_t i = 0; i < items.size(); ++i) {
    file.U32LE(items[i].code)
        .U16LE(itemRadical[i])
        .U8(static_cast<std::uint8_t>(std::min(items[i].residual, 255)))
        .U32LE(items[i].totalStrokes);
  }
  WriteOutputFile(outPath, file.bytes());
  std::printf("mkhzbs: %zu radicals, %zu character entries, %zu bytes\n", radicals.size(),
              items.size(), file.size());
  return 0;
}
