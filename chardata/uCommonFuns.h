// Data location and the small helpers several subsystems share: the Windows
// version test, file-size probes, the string splitter, the per-code-point
// character-set table with its Han test, a code-point search, the caseless
// comparison of font names and paths, and the string-array helpers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace bushou {

using TDynamicStringArray = std::vector<std::u16string>;

// The folder of the suite's data files below a data root, and its files.
#ifdef _WIN32
inline constexpr std::u16string_view kDataFolder = u"velmora6\\zi\\";
#else
inline constexpr std::u16string_view kDataFolder = u"velmora6/zi/";
#endif
std::u16string DataFileName(std::u16string_view file);  // kDataFolder + file
inline constexpr std::u16string_view kPinyinFile = u"hzpy.dat";
inline constexpr std::u16string_view kStrokeFile = u"hzbh.dat";
inline constexpr std::u16string_view kRadicalFile = u"hzbs.dat";
inline constexpr std::u16string_view kSimpTradFile = u"hzjf.dat";
inline constexpr std::u16string_view kCMapFile = u"cmap.dat";

// --- Windows version -------------------------------------------------------

bool IsVistaOrLater();
std::u16string ChooseByOSVersion(std::u16string_view vistaValue, std::u16string_view olderValue);

// --- Data location ---------------------------------------------------------

// A data root with trailing separator, followed by relName. The per-user root
// is the LocalLow sibling of the local application-data folder when that
// exists, else the local (Vista and later) or roaming (before) folder.
std::u16string GetDataFilePath(std::u16string_view relName, bool common);
// The per-user root of the radical index, with trailing separator.
std::u16string GetUserDataRoot();
// The all-users root, with trailing separator.
std::u16string GetCommonDataRoot();
// The fonts folder without trailing separator; ASCII a-z upper-cased on request.
std::u16string GetFontsFolder(bool upperCase);

// --- Files -----------------------------------------------------------------

// Whether a file or directory matching path (wildcards allowed) exists; the
// first match's size halves are stored where given.
bool FindFileSize(std::u16string_view path, std::uint32_t* sizeLow = nullptr,
                  std::uint32_t* sizeHigh = nullptr);
// True when the file exists, is below 4 GiB and minSize <= size <= maxSize.
bool FileSizeInRange(std::u16string_view path, std::uint32_t minSize, std::uint32_t maxSize);

// --- Strings ---------------------------------------------------------------

// Splits text at runs of any of delimiters' characters; never yields an empty
// token. tokens is resized to the count whenever a token is found and is left
// alone when none is. Returns the number of tokens.
std::int32_t SplitString(std::u16string_view text, TDynamicStringArray& tokens,
                         std::u16string_view delimiters);

// The comparison of every font name and path match: ASCII a-z equal A-Z, other
// UTF-16 units by value, the shorter of two equal prefixes first.
int CompareCaseless(std::u16string_view a, std::u16string_view b);
bool SameCaseless(std::u16string_view a, std::u16string_view b);

using TStringCompare = int (*)(std::u16string_view, std::u16string_view);

// Quicksort of items[low..high] (middle pivot, Hoare partitioning); nothing
// happens when low < 0, high < 0 or high < low. Not stable.
void SortStrings(TDynamicStringArray& items, std::int32_t low, std::int32_t high,
                 TStringCompare compare);
// Sorts the first count items and keeps, of each run of equal strings, the last
// one; the survivors move to the front. Returns their number; the array's
// length is unchanged.
std::int32_t SortUniqueStrings(TDynamicStringArray& items, std::int32_t count,
                               TStringCompare compare);
// The first count items joined with the separator.
std::u16string JoinStrings(const TDynamicStringArray& items, std::int32_t count, char16_t separator);

// --- Code points -----------------------------------------------------------

// The character-set memberships; only spCJK is computed.
enum TSetProperty_UC : std::uint8_t { spCJK, spGB2312, spGBK, spCP936, spBIG5 };
inline constexpr std::uint32_t kCodePointLimit = 0x30000;  // every per-code-point table

// Builds the per-code-point table (75,697 Han code points get spCJK). Runs once
// at start; IsCJKChar builds it on first use if start-up did not.
void BuildCharSetTable();
bool IsCJKChar(std::uint32_t code);

// Index of the first element equal to value at or after start, or -1.
std::int32_t IndexOfCode(std::span<const std::uint32_t> codes, std::uint32_t value,
                         std::int32_t start);

}  // namespace bushou
