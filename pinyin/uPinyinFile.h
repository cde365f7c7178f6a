// The pinyin table file "hzpy.dat": its records and the parser that turns the
// bytes of a file into a checked value.
//
// Current version (little-endian):
//   0         4     Magic 0x1A6C6556
//   4         4     Created: date stamp, on or after 2009-10-10
//   8         4     Saved: date stamp of the last save
//   12        4     Checksum: TableChecksum of every byte from offset 16 on
//   16        4     N, readings, 3,072..65,536
//   20        16N   readings (one scrambled block in a scrambled file)
//   20+16N    2     S, syllables, at most 512
//   22+16N    2     LastID (0 = not recorded)
//   24+16N    40S   syllable records (one scrambled block in a scrambled file)
//   24+16N+40S 4    L, bitmap bytes, at most 24,575
//   28+16N+40S L    the enabled character set, one bit per code point
// The old version (Created before 2009-10-10) has an 8-byte header (Magic,
// Created) and 18-byte reading records; the rest is the same. When fewer than
// 4 bytes follow the syllable records the bitmap is missing and every code
// point 0..0x2FFF7 counts as enabled. Bytes after the bitmap are ignored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pinyin/uSyllables.h"
#include "platform/bytes.h"

namespace bushou {

inline constexpr std::uint32_t kPinyinMagic = 0x1A6C6556;
// Files created before this day use the old layout.
inline constexpr std::uint32_t kCurrentFormatDate = 20091010;

inline constexpr std::int32_t kMinFileReadings = 3072;
inline constexpr std::int32_t kMaxFileReadings = 65536;
inline constexpr std::size_t kMaxSyllables = 512;
inline constexpr int kMaxCharReadings = 7;
inline constexpr std::uint32_t kMaxReadingCode = 0x2FFFF;
inline constexpr std::uint32_t kMaxBitmapLength = 0x5FFF;
// The whole file must lie in this window.
inline constexpr std::uint32_t kMinPinyinFileSize = 0x60000;
inline constexpr std::uint32_t kMaxPinyinFileSize = 0x100000;

enum TReadingFlag : std::uint32_t {
  rfSimplified = 1u << 0,
  rfTraditional = 1u << 1,
  rfOther = 1u << 2,
  rfEnabled = 1u << 3,  // the reading may be typed; a removed reading has it clear
  rfDifficult = 1u << 4,
  rfGroup = 1u << 31,
};

// One reading: a code point read with one syllable in a set of tones.
// Also the 16-byte record of the current file version.
struct TPinyinReading {
  static constexpr std::size_t kSize = 16;
  std::uint32_t Code = 0;       // +0  code point
  std::uint16_t ID = 0;         // +4  identifies code point and syllable
  TSyllableCode Syllable = 0;   // +6  initial, final and tone set
  std::uint32_t Frequency = 0;  // +8  frequency count
  std::uint32_t Flags = 0;      // +12 TReadingFlag bits
  static TPinyinReading Decode(const std::uint8_t* p);
  void Encode(platform::ByteWriter& out) const;
  friend bool operator==(const TPinyinReading&, const TPinyinReading&) = default;
};

// The 18-byte record of the old file version.
struct TOldPinyinReading {
  static constexpr std::size_t kSize = 18;
  TSyllableCode Syllable = 0;  // +0
                               // +2  not used
  std::uint32_t Code = 0;      // +4
  std::uint32_t Packed = 0;    // +8  bits 0-4 flags, 5-27 frequency, 28-31 flags
                               // +12 not used
  std::uint16_t ID = 0;        // +16
  static TOldPinyinReading Decode(const std::uint8_t* p);
};

// An old record in the current form: bit 0, 1, 2, 4 and 31 of the packed word
// become rfSimplified, rfTraditional, rfOther, rfEnabled and rfGroup; bits 3,
// 28, 29 and 30 are dropped.
TPinyinReading ConvertOldReading(const TOldPinyinReading& old);

// One syllable of the syllable table; a 40-byte record in the file.
struct TSyllableInfo {
  static constexpr std::size_t kSize = 40;
  std::uint32_t Tones = 0;             // union of the tones readings use it in
  std::u16string Plain;                // "zhuang"
  std::array<std::u16string, 5> Toned; // [1..4]: "zhuāng" ...; [0] unused
  friend bool operator==(const TSyllableInfo&, const TSyllableInfo&) = default;
};

struct TFileHeader {
  std::uint32_t Magic = 0;
  std::uint32_t Created = 0;
  std::uint32_t Saved = 0;
  std::uint32_t Checksum = 0;
};

// -1 wrong magic, -2 Created is no calendar date, -3 its weekday is wrong,
// 1 a valid date before 2009-10-10 (old version), 0 on or after it.
int CheckHeader(std::uint32_t magic, std::uint32_t created);

// The content of one file, checked against the table's data model.
struct TPinyinFile {
  bool OldFormat = false;
  TFileHeader Header;  // Saved and Checksum only in the current version
  std::vector<TPinyinReading> Readings;
  std::uint16_t LastID = 0;  // the file's LastID, or the largest ID when it is 0
  std::vector<TSyllableInfo> Syllables;
  std::vector<std::uint8_t> Bitmap;  // L bytes; 24,575 bytes of 0xFF when missing
};

enum class TPinyinParseResult {
  Ok,
  BadMagic,           // CheckHeader -1
  BadDate,            // CheckHeader -2
  BadWeekday,         // CheckHeader -3
  Truncated,          // a block the counts announce is not all there
  BadReadingCount,    // N outside 3,072..65,536
  TooManySyllables,   // S above 512
  BadSyllable,        // a string longer than its field, a Plain that is empty or
                      // not begun by a..z, or one letter's syllables apart
  BadBitmapLength,    // L above 24,575
  CodeOutOfRange,     // a reading of a code point above U+2FFFF
  TooManyReadings,    // more than 7 readings of one code point
  BadChecksum,
};

// Parses the bytes of a pinyin table file; scrambled files have their reading
// and syllable blocks unscrambled. Nothing outside `out` is touched; on any
// result but Ok, `out` holds no meaning.
TPinyinParseResult ParsePinyinFile(platform::Bytes image, bool scrambled, TPinyinFile& out);

// The 40-byte syllable record: tone set, Plain (length byte + 6 bytes) and the
// four marked forms (length byte + 7 bytes each), all in code page 936.
// Strings longer than their field are cut.
void EncodeSyllable(const TSyllableInfo& syllable, platform::ByteWriter& out);

// Every Plain begins with a letter a..z and the syllables of one letter stand
// together: the letter index and the syllable look-up rely on both.
bool SyllablesFitModel(const std::vector<TSyllableInfo>& syllables);

}  // namespace bushou
