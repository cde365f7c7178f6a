// Parsers of the parts of a TrueType/OpenType file the font reader needs: the
// collection header, a face's table directory, the 'name' table's full names
// and the 'cmap' table's code-point ranges. Each takes bytes and reads them
// through the checked big-endian reader; whatever an offset or length puts
// outside the bytes yields nothing for that item.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "chardata/uCommonFuns.h"
#include "platform/bytes.h"

namespace bushou {

using TTableTag = std::array<std::uint8_t, 4>;
inline constexpr TTableTag kTagName{'n', 'a', 'm', 'e'};
inline constexpr TTableTag kTagCMap{'c', 'm', 'a', 'p'};
inline constexpr TTableTag kTagCollection{'t', 't', 'c', 'f'};

// A face's table directory is read as one block of this size: the 12-byte
// offset-table header and at most 63 table records.
inline constexpr std::size_t kDirectoryBlockSize = 1024;
inline constexpr std::size_t kMaxTables = (kDirectoryBlockSize - 12) / 16;  // 63
// A collection's face offsets are taken from the first block: at most 253.
inline constexpr std::size_t kMaxCollectionFaces = (kDirectoryBlockSize - 12) / 4;  // 253
// At most this many accepted full names per face are collected.
inline constexpr std::size_t kMaxFaceNames = 128;
// A name in the PRC encoding is decoded from at most this many bytes.
inline constexpr std::size_t kMaxPrcNameBytes = 256;

// The most ranges one character map gives. Records may share and overlap
// subtables, so a crafted table of a few hundred kilobytes could otherwise
// describe billions of ranges; no real font comes near this.
inline constexpr std::size_t kMaxCMapRanges = 0x200000;

// One table record of a directory; 16 bytes in the file.
struct TTableRecord {
  static constexpr std::size_t kSize = 16;
  TTableTag Tag{};              // +0  four raw bytes
  std::uint32_t CheckSum = 0;   // +4  not verified
  std::uint32_t Offset = 0;     // +8  from the start of the file
  std::uint32_t Length = 0;     // +12 in bytes
};

// A code-point range of a character map, First <= Last.
struct TRange_cmap {
  std::uint32_t First = 0;
  std::uint32_t Last = 0;
  bool operator==(const TRange_cmap&) const = default;
};
// Neither sorted nor merged; ranges may overlap.
using TRanges_cmap = std::vector<TRange_cmap>;

// The first block of a file: whether it is a collection ("ttcf") and, if so,
// the offsets of its faces (the collection's count, cut to the offsets the
// block holds and to 253).
struct TCollectionHeader {
  bool IsCollection = false;
  std::vector<std::uint32_t> FaceOffsets;
};
TCollectionHeader ParseCollectionHeader(platform::Bytes firstBlock);

// The table records of a directory block: numTables of them, cut to 63 and to
// the records the block holds.
std::vector<TTableRecord> ParseTableDirectory(platform::Bytes block);

// The accepted full names of a 'name' table, in record order, at most 128,
// neither sorted nor de-duplicated: Windows-platform full-name records
// (nameID 4) in the symbol, Unicode BMP or PRC encoding, in one of the
// accepted languages, without an embedded zero unit, that are not blank after
// trimming and hold none of "*", "?", "\".
TDynamicStringArray ParseNameTable(platform::Bytes table);

// Appends the ranges of a 'cmap' table's Windows subtables: format 4 under
// encodings 0 and 1 (segments whose start is not 0xFFFF), format 12 under
// encoding 10 (every group), until ranges holds kMaxCMapRanges. The glyph
// mapping is not consulted.
void ParseCMapTable(platform::Bytes table, TRanges_cmap& ranges);

}  // namespace bushou
