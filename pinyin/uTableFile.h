// Byte-level helpers of the character table files: the keyed scrambler, the
// 32-bit checksum, the date stamp, and the conversion between one class flag
// of CharClasses and a code-point bitmap; plus the default enabled set.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bushou {

// --- Scrambler -------------------------------------------------------------------

inline constexpr std::array<std::uint8_t, 7> ScrambleKey{'Q', 'a', 'd', 'R', 'o', 't', 'y'};
// Rotation counts, used modulo 8.
inline constexpr std::array<std::uint8_t, 6> RotationTable{3, 6, 1, 5, 2, 7};

// Transform the bytes in place. Each call starts at the first key byte and the
// first rotation count, so a block is unscrambled in one call from its start.
void ScrambleBuffer(std::span<std::uint8_t> buffer);
void UnscrambleBuffer(std::span<std::uint8_t> buffer);

// --- Checksum ---------------------------------------------------------------------

// High half: the folded sum of the little-endian 16-bit words (an odd last
// byte on its own); low half: the folded sum of the bytes.
std::uint32_t TableChecksum(std::span<const std::uint8_t> buffer);

// --- Date stamp -------------------------------------------------------------------

struct TDate {
  int Year = 0, Month = 0, Day = 0;
  friend bool operator==(const TDate&, const TDate&) = default;
};

bool IsValidDate(int year, int month, int day);
// ISO day of the week of a valid date: Monday = 1 ... Sunday = 7.
int IsoWeekday(const TDate& date);

// year * 1,000,000 + month * 10,000 + day * 100 + ISO weekday.
std::uint32_t DateStamp(const TDate& date);
void SplitDateStamp(std::uint32_t stamp, std::uint16_t& year, std::uint16_t& month,
                    std::uint16_t& day, std::uint16_t& weekday);

// Today's local date, or the date set with SetTodayOverride.
TDate Today();
// Fixes the date Today() answers (tests, reproducible data builds); nullopt
// returns to the clock.
void SetTodayOverride(std::optional<TDate> date);

// --- Code-point bitmaps ------------------------------------------------------------

// Bytes of a bitmap covering every code point 0..0x2FFFF.
inline constexpr std::size_t kFullBitmapBytes = 0x30000 / 8;

// Adds flag to every code point whose bit is set (byte i, bit j = code 8i + j);
// nothing is cleared. False when the bitmap is longer than kFullBitmapBytes.
bool LoadCharClassBits(std::uint8_t flag, std::span<const std::uint8_t> bitmap);
// The bitmap of flag up to its last set byte (a single zero byte when no code
// point has it).
std::vector<std::uint8_t> StoreCharClassBits(std::uint8_t flag);

// --- The default enabled set --------------------------------------------------------

struct TCodeRange {
  std::uint32_t First, Last;  // inclusive
};

// The code points of U+0080..U+FFEE that the default set leaves out, and the
// range it adds back afterwards. Generated at build time from DerivedAge.txt.
struct TDefaultExclusions {
  std::span<const std::uint32_t> Singles;
  std::span<const TCodeRange> Ranges;
  TCodeRange AddBack;
};
const TDefaultExclusions& DefaultExclusions();

// Makes ccEnabled hold exactly the default set: the code points Unicode 5.2
// assigns in U+0080..U+FFEE, less noncharacters, surrogates, private use other
// than U+E815..U+E864, the Hangul syllables U+AC01..U+D7A2 and the Arabic
// ligatures U+FEF5..U+FEFA (43,135 code points).
void BuildDefaultEnabledSet();

}  // namespace bushou
