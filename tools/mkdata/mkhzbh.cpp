// Writes the stroke table "hzbh.dat" from Unihan's kTotalStrokes (Debian's
// unicode-data package; Unicode, Inc.; Unicode License v3) and glibc's GB2312
// converter.
//
// Entries: one per ideograph below U+30000 that has kTotalStrokes (the first
// value, the count preferred for simplified Chinese), ordered by stroke count,
// then code point. Each entry, 16 bytes:
//   +0  u32  the code point           (carried, not read by the table)
//   +4  u16  the stroke count         (carried, not read by the table)
//   +6  u8   Marks: bit 1 (value 2) on the 6,763 characters of GB2312
//   +7  u8   0
//   +8  u32  file offset of the entry's string: its stroke count in decimal
//   +12 u32  Link: 0
// Groups: group g (from 0) starts at the first entry of g + 1 strokes (its
// file offset, 0 when no character has that count); GroupCount is the largest
// stroke count. The code index spans the lowest to the highest code point.
// Layout as read by chardata/uHZ_BH.h; the file must come to 2 to 4 MiB.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/bytes.h"
#include "tools/mkdata/charsets.h"
#include "tools/mkdata/unihan.h"

namespace bushou::mkdata {
namespace {

constexpr char32_t kCodeLimit = 0x30000;
constexpr std::size_t kMinFileSize = 2097152;
constexpr std::size_t kMaxFileSize = 4194304;
constexpr std::uint8_t kGB2312Mark = 0x02;

struct Entry {
  char32_t code;
  std::uint32_t strokes;
  bool gb2312;
};

std::uint32_t ParseStrokes(std::string_view value) {
  const auto parts = SplitBlanks(value);
  std::uint32_t n = 0;
  if (parts.empty() ||
      std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), n).ec != std::errc() ||
      n == 0 || n > 0xFFFF) {
    Fail("bad kTotalStrokes value: " + std::string(value));
  }
  return n;
}

}  // namespace
}  // namespace bushou::mkdata

int main(int argc, char** argv) {
  using namespace bushou::mkdata;
  const std::string unicode = UnicodeDir(argc, argv);
  const std::string outPath = RequiredOption(argc, argv, "--out", "mkhzbh [--unicode DIR] --out FILE");

  CharsetProbe gb2312("GB2312");
  std::vector<Entry> entries;
  for (const auto& [code, value] :
       ReadUnihanField(unicode + "/Unihan_IRGSources.txt.bz2", "kTotalStrokes")) {
    if (code >= kCodeLimit) break;  // the map is ordered
    entries.push_back({code, ParseStrokes(value), gb2312.Encodes(code)});
  }
  if (entries.empty()) Fail("no kTotalStrokes values found");
  const char32_t firstCode = entries.front().code, lastCode = entries.back().code;
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.strokes < b.strokes; });

  const std::uint32_t groupCount = entries.back().strokes;
  const std::size_t codeCount = lastCode - firstCode + 1;
  const std::size_t base = 32 + 4 * std::size_t{groupCount} + 4 * codeCount;
  const std::size_t poolStart = base + 16 * entries.size();

  std::vector<std::uint32_t> groups(groupCount, 0), codeIndex(codeCount, 0);
  std::string pool;
  std::vector<std::uint32_t> textOffsets;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto offset = static_cast<std::uint32_t>(base + 16 * i);
    std::uint32_t& group = groups[entries[i].strokes - 1];
    if (group == 0) group = offset;
    codeIndex[entries[i].code - firstCode] = offset;
    textOffsets.push_back(static_cast<std::uint32_t>(poolStart + pool.size()));
    pool += std::to_string(entries[i].strokes);
    pool.push_back('\0');
  }

  bushou::platform::ByteWriter file;
  file.U32LE(static_cast<std::uint32_t>(entries.size()))  // ItemCount
      .U32LE(0)                                            // carried
      .U32LE(firstCode)                                    // FirstCode
      .U32LE(lastCode)                                     // LastCode
      .U32LE(groupCount)                                   // GroupCount
      .Fill(12);                                           // carried
  for (const std::uint32_t g : groups) file.U32LE(g);
  for (const std::uint32_t c : codeIndex) file.U32LE(c);
  std::size_t marked = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    file.U32LE(entries[i].code)
        .U16LE(static_cast<std::uint16_t>(entries[i].strokes))
        .U8(entries[i].gb2312 ? kGB2312Mark : 0)
        .U8(0)
        .U32LE(textOffsets[i])
        .U32LE(0);  // Link
    if (entries[i].gb2312) ++marked;
  }
  file.Raw(pool);
  if (file.size() < kMinFileSize || file.size() > kMaxFileSize) {
    Fail("hzbh.dat would be " + std::to_string(file.size()) + " bytes, outside 2 to 4 MiB");
  }
  WriteOutputFile(outPath, file.bytes());
  std::printf("mkhzbh: %zu entries, %zu marked, %u groups, %zu bytes\n", entries.size(), marked,
              groupCount, file.size());
  return 0;
}
