#include "fonts/uOpenTypeTables.h"

#include <algorithm>
#include <optional>

#include "platform/codepage.h"
#include "platform/text.h"

namespace bushou {
namespace {

using platform::Bytes;
using platform::Endian;

std::optional<std::uint16_t> U16(Bytes data, std::size_t offset) {
  return platform::ReadU16(data, offset, Endian::Big);
}
std::optional<std::uint32_t> U32(Bytes data, std::size_t offset) {
  return platform::ReadU32(data, offset, Endian::Big);
}

// --- 'name' ------------------------------------------------------------------

constexpr std::uint16_t kPlatformWindows = 3;
constexpr std::uint16_t kNameIdFullName = 4;
constexpr std::uint16_t kEncodingSymbol = 0;
constexpr std::uint16_t kEncodingUnicodeBmp = 1;
constexpr std::uint16_t kEncodingPrc = 3;
constexpr std::uint16_t kEncodingUcs4 = 10;

constexpr std::array<std::uint16_t, 3> kNameEncodings{kEncodingSymbol, kEncodingUnicodeBmp, kEncodingPrc};
// Chinese (Taiwan, PRC, Hong Kong, Singapore, Macao), English (US, UK),
// Japanese and Korean full names.
constexpr std::array<std::uint16_t, 9> kNameLanguages{0x0404, 0x0409, 0x0411, 0x0412, 0x0804,
                                                      0x0809, 0x0C04, 0x1004, 0x1404};
// Some symbol-encoded names start with this marker; they are not names.
constexpr std::array<std::uint8_t, 4> kSkippedNamePrefix{'H', 'a', 'n', 'D'};

// One name record; 12 bytes in the table.
struct NameRecord {
  static constexpr std::size_t kSize = 12;
  std::uint16_t platformID = 0;  // +0
  std::uint16_t encodingID = 0;  // +2
  std::uint16_t languageID = 0;  // +4
  std::uint16_t nameID = 0;      // +6
  std::uint16_t length = 0;      // +8  in bytes
  std::uint16_t offset = 0;      // +10 from the table's string storage
};

std::optional<NameRecord> ReadNameRecord(Bytes table, std::size_t at) {
  const auto bytes = platform::Slice(table, at, NameRecord::kSize);
  if (!bytes) return std::nullopt;
  const std::uint8_t* p = bytes->data();
  return NameRecord{platform::LoadU16BE(p),     platform::LoadU16BE(p + 2), platform::LoadU16BE(p + 4),
                    platform::LoadU16BE(p + 6), platform::LoadU16BE(p + 8), platform::LoadU16BE(p + 10)};
}

template <class Array>
bool Contains(const Array& values, std::uint16_t v) {
  return std::find(values.begin(), values.end(), v) != values.end();
}

std::uint16_t UnitAt(Bytes s, std::size_t i) { return platform::LoadU16BE(s.data() + 2 * i); }

// True when a zero unit comes before the last non-zero unit.
bool HasEmbeddedZero(Bytes s) {
  std::size_t units = s.size() / 2;
  while (units > 0 && UnitAt(s, units - 1) == 0) --units;  // trailing zeros do not count
  for (std::size_t i = 0; i < units; ++i) {
    if (UnitAt(s, i) == 0) return true;
  }
  return false;
}

std::u16string DecodeUtf16BE(Bytes s) {
  std::u16string text;
  text.reserve(s.size() / 2);
  for (std::size_t i = 0; i < s.size() / 2; ++i) text.push_back(static_cast<char16_t>(UnitAt(s, i)));
  return text;
}

// PRC names are GBK bytes, either stored as they are or one byte per 16-bit
// unit; more than half of the units holding a lead/trail byte value means the
// latter.
std::u16string DecodePrc(Bytes s) {
  const std::size_t units = s.size() / 2;
  std::size_t single = 0;
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint16_t u = UnitAt(s, i);
    if (u >= 0x81 && u <= 0xFE) ++single;
  }
  std::vector<std::uint8_t> bytes;
  if (2 * single < units) {
    bytes.assign(s.begin(), s.end());
  } else {
    for (std::size_t i = 0; i < units; ++i) {
      const std::uint16_t u = UnitAt(s, i);
      if (u != 0) bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    }
  }
  // The bytes are a C string in a 256-byte work area: the name ends at the
  // first zero byte and is at most 256 bytes long.
  const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  bytes.erase(zero, bytes.end());
  if (bytes.size() > kMaxPrcNameBytes) bytes.resize(kMaxPrcNameBytes);
  return platform::MultiByteToWide(platform::AnsiCodePage(), bytes);
}

// Trims characters at or below U+0020; nullopt for a blank name or one holding
// a character that cannot be part of a face name.
std::optional<std::u16string> ValidName(std::u16string_view raw) {
  const std::u16string_view name = platform::TrimBlanks(raw);
  if (name.empty() || name.find_first_of(u"*?\\") != std::u16string_view::npos) return std::nullopt;
  return std::u16string(name);
}

// --- 'cmap' ------------------------------------------------------------------

// False once the ranges are full: the rest of the table is ignored.
bool AddRange(TRanges_cmap& ranges, std::uint32_t a, std::uint32_t b) {
  if (ranges.size() >= kMaxCMapRanges) return false;
  ranges.push_back({std::min(a, b), std::max(a, b)});
  return true;
}

// Format 4: segCountX2 at +6, endCode[] at +14, reservedPad, startCode[].
// The subtable's own length field is not consulted: fonts with more than 64 KiB
// of format-4 data overflow it, so the table's end is the limit.
void ReadFormat4(Bytes table, std::size_t sub, TRanges_cmap& ranges) {
  const auto segCountX2 = U16(table, sub + 6);
  if (!segCountX2) return;
  const std::size_t segCount = *segCountX2 / 2;
  for (std::size_t s = 0; s < segCount; ++s) {
    const auto end = U16(table, sub + 14 + 2 * s);
    const auto start = U16(table, sub + 16 + *segCountX2 + 2 * s);
    if (!end || !start) break;  // the remaining segments lie outside the table too
    if (*start != 0xFFFF && !AddRange(ranges, *start, *end)) break;
  }
}

// Format 12: numGroups at +12, then groups of startCharCode, endCharCode,
// startGlyphID (32-bit each).
void ReadFormat12(Bytes table, std::size_t sub, TRanges_cmap& ranges) {
  const auto numGroups = U32(table, sub + 12);
  if (!numGroups) return;
  constexpr std::size_t kGroupSize = 12;
  const std::size_t first = sub + 16;
  const std::size_t fit = first <= table.size() ? (table.size() - first) / kGroupSize : 0;
  const std::size_t groups = std::min<std::size_t>(*numGroups, fit);
  for (std::size_t g = 0; g < groups; ++g) {
    const std::uint8_t* p = table.data() + first + g * kGroupSize;
    if (!AddRange(ranges, platform::LoadU32BE(p), platform::LoadU32BE(p + 4))) break;
  }
}

}  // namespace

TCollectionHeader ParseCollectionHeader(Bytes firstBlock) {
  TCollectionHeader header;
  const auto tag = platform::Slice(firstBlock, 0, 4);
  header.IsCollection = tag && std::equal(tag->begin(), tag->end(), kTagCollection.begin());
  if (!header.IsCollection) return header;
  const auto count = U32(firstBlock, 8);
  if (!count) return header;
  const std::size_t faces = std::min<std::size_t>(*count, kMaxCollectionFaces);
  for (std::size_t i = 0; i < faces; ++i) {
    const auto offset = U32(firstBlock, 12 + 4 * i);
    if (!offset) break;  // a file shorter than its offset list
    header.FaceOffsets.push_back(*offset);
  }
  return header;
}

std::vector<TTableRecord> ParseTableDirectory(Bytes block) {
  std::vector<TTableRecord> records;
  const auto numTables = U16(block, 4);
  if (!numTables) return records;
  const std::size_t count = std::min<std::size_t>(*numTables, kMaxTables);
  for (std::size_t j = 0; j < count; ++j) {
    const auto bytes = platform::Slice(block, 12 + TTableRecord::kSize * j, TTableRecord::kSize);
    if (!bytes) break;
    const std::uint8_t* p = bytes->data();
    TTableRecord r;
    std::copy(p, p + 4, r.Tag.begin());
    r.CheckSum = platform::LoadU32BE(p + 4);
    r.Offset = platform::LoadU32BE(p + 8);
    r.Length = platform::LoadU32BE(p + 12);
    records.push_back(r);
  }
  return records;
}

TDynamicStringArray ParseNameTable(Bytes table) {
  TDynamicStringArray names;
  const auto count = U16(table, 2);
  const auto stringOffset = U16(table, 4);
  if (!count || !stringOffset || *stringOffset < 6) return names;
  // Only the records that fit before the string storage are names.
  const std::size_t records = std::min<std::size_t>(*count, (*stringOffset - 6u) / NameRecord::kSize);
  for (std::size_t r = 0; r < records && names.size() < kMaxFaceNames; ++r) {
    const auto rec = ReadNameRecord(table, 6 + NameRecord::kSize * r);
    if (!rec) break;
    if (rec->platformID != kPlatformWindows) continue;
    if (rec->nameID != kNameIdFullName) continue;
    if (!Contains(kNameEncodings, rec->encodingID)) continue;
    if (!Contains(kNameLanguages, rec->languageID)) continue;
    const auto text = platform::Slice(table, std::size_t{*stringOffset} + rec->offset, rec->length);
    if (!text || HasEmbeddedZero(*text)) continue;

    std::u16string name;
    if (rec->encodingID == kEncodingPrc) {
      name = DecodePrc(*text);
    } else {
      if (text->size() >= 4 && std::equal(kSkippedNamePrefix.begin(), kSkippedNamePrefix.end(), text->begin())) {
        continue;
      }
      name = DecodeUtf16BE(*text);
    }
    if (auto valid = ValidName(name)) names.push_back(std::move(*valid));
  }
  return names;
}

void ParseCMapTable(Bytes table, TRanges_cmap& ranges) {
  const auto numTables = U16(table, 2);
  if (!numTables) return;
  for (std::size_t k = 0; k < *numTables && ranges.size() < kMaxCMapRanges; ++k) {
    const std::size_t at = 4 + 8 * k;
    const auto platformID = U16(table, at);
    const auto encodingID = U16(table, at + 2);
    const auto offset = U32(table, at + 4);
    if (!platformID || !encodingID || !offset) break;
    if (*platformID != kPlatformWindows) continue;
    const std::size_t sub = *offset;
    const auto format = U16(table, sub);
    if (!format) continue;
    if ((*encodingID == kEncodingSymbol || *encodingID == kEncodingUnicodeBmp) && *format == 4) {
      ReadFormat4(table, sub, ranges);
    } else if (*encodingID == kEncodingUcs4 && *format == 12) {
      ReadFormat12(table, sub, ranges);
    }
  }
}

}  // namespace bushou
