// A small writer of TrueType/OpenType files for tests, fuzz seeds and
// benchmarks: the table directory, 'name' and 'cmap' tables, single fonts and
// collections. Every field is written big-endian, one call per field.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bushou::testing {

using ByteVector = std::vector<std::uint8_t>;

// One record of a 'name' table; the string is stored as given.
struct NameRecord {
  std::uint16_t platformID = 3;
  std::uint16_t encodingID = 1;
  std::uint16_t languageID = 0x0409;
  std::uint16_t nameID = 4;
  ByteVector text;
};

// A Windows full name (nameID 4) in UTF-16BE.
NameRecord FullName(std::u16string_view name, std::uint16_t languageID = 0x0409, std::uint16_t encodingID = 1);
// Text as UTF-16BE bytes.
ByteVector Utf16BE(std::u16string_view text);

// 'name' table: format 0, count, stringOffset = 6 + 12 * count, records, strings.
ByteVector NameTable(const std::vector<NameRecord>& records);

// 'cmap' subtables, format 4 (segments start..end; the final 0xFFFF segment is
// not added for you) and format 12 (groups).
ByteVector CMapFormat4(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& segments);
ByteVector CMapFormat12(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& groups);

struct CMapSubtable {
  std::uint16_t platformID = 3;
  std::uint16_t encodingID = 1;
  ByteVector bytes;
};
// 'cmap' table: version 0, numTables, encoding records, then the subtables.
ByteVector CMapTable(const std::vector<CMapSubtable>& subtables);

struct Table {
  std::array<std::uint8_t, 4> tag;
  ByteVector bytes;
};
using Face = std::vector<Table>;

inline constexpr std::array<std::uint8_t, 4> kName{'n', 'a', 'm', 'e'};
inline constexpr std::array<std::uint8_t, 4> kCMap{'c', 'm', 'a', 'p'};

// A face with these full names (English, language 0x0409) and a 'cmap' with a
// format-4 subtable of bmp (plus the closing 0xFFFF segment) and, when given,
// a format-12 subtable of groups.
Face SimpleFace(const std::vector<std::u16string>& names,
                const std::vector<std::pair<std::uint16_t, std::uint16_t>>& bmp,
                const std::vector<std::pair<std::uint32_t, std::uint32_t>>& groups = {});

// A single font file: offset table, table records, tables (4-byte aligned).
ByteVector FontFile(const Face& face);
// A collection: "ttcf", version 1.0, numFonts, offsets, then each face's
// directory and tables.
ByteVector Collection(const std::vector<Face>& faces);

}  // namespace bushou::testing
