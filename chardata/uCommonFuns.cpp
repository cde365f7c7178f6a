#include "chardata/uCommonFuns.h"

#include <array>
#include <mutex>

#include "platform/folders.h"
#include "platform/text.h"
#include "platform/version.h"

namespace bushou {
namespace {

using platform::kPathSeparator;
using platform::KnownFolder;

std::u16string WithTrailingSeparator(std::u16string path) {
  if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
  return path;
}

std::u16string WithoutTrailingSeparator(std::u16string path) {
  if (!path.empty() && path.back() == kPathSeparator) path.pop_back();
  return path;
}

// The Han ideographs the system recognises, inclusive ranges.
constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 11> kCJKRanges{{
    {0x3007, 0x3007},
    {0x3400, 0x4DB5},
    {0x4E00, 0x9FCB},
    {0xE815, 0xE864},  // private-use stretch of the GB 18030 ideographs
    {0xF900, 0xFA2D},
    {0xFA30, 0xFA6D},
    {0xFA70, 0xFAD9},
    {0x20000, 0x2A6D6},
    {0x2A700, 0x2B734},
    {0x2B740, 0x2B81D},
    {0x2F800, 0x2FA1D},
}};

std::vector<std::uint8_t>& CharSetTable() {
  static std::vector<std::uint8_t> table;
  return table;
}

std::once_flag gCharSetOnce;

void BuildCharSetTableOnce() {
  auto& table = CharSetTable();
  table.assign(kCodePointLimit, 0);
  for (const auto& [first, last] : kCJKRanges) {
    for (std::uint32_t c = first; c <= last; ++c) table[c] |= 1u << spCJK;
  }
}

}  // namespace

std::u16string DataFileName(std::u16string_view file) {
  std::u16string name(kDataFolder);
  name += file;
  return name;
}

bool IsVistaOrLater() { return platform::WindowsMajorVersion() > 5; }

std::u16string ChooseByOSVersion(std::u16string_view vistaValue, std::u16string_view olderValue) {
  return std::u16string(IsVistaOrLater() ? vistaValue : olderValue);
}

std::u16string GetDataFilePath(std::u16string_view relName, bool common) {
  const bool vista = IsVistaOrLater();
  const KnownFolder folder = common ? KnownFolder::CommonAppData
                                    : (vista ? KnownFolder::LocalAppData : KnownFolder::AppData);
  std::u16string path = WithTrailingSeparator(platform::GetKnownFolder(folder));
  if (vista && !common) {
    // The LocalLow sibling, where a low-integrity process may write.
    std::u16string candidate = WithoutTrailingSeparator(path) + u"Low";
    if (platform::DirectoryExists(candidate)) path = candidate + kPathSeparator;
  }
  path += relName;
  return path;
}

std::u16string GetUserDataRoot() {
  if (IsVistaOrLater()) {
    std::u16string candidate =
        WithoutTrailingSeparator(platform::GetKnownFolder(KnownFolder::LocalAppData)) + u"Low";
    if (platform::DirectoryExists(candidate)) return candidate + kPathSeparator;
  }
  return WithTrailingSeparator(platform::GetKnownFolder(KnownFolder::AppData));
}

std::u16string GetCommonDataRoot() {
  return WithTrailingSeparator(platform::GetKnownFolder(KnownFolder::CommonAppData));
}

std::u16string GetFontsFolder(bool upperCase) {
  std::u16string folder = platform::GetKnownFolder(KnownFolder::Fonts);
  return upperCase ? platform::UpperAscii(std::move(folder)) : folder;
}

bool FindFileSize(std::u16string_view path, std::uint32_t* sizeLow, std::uint32_t* sizeHigh) {
  const auto found = platform::FindFirstFile(path);
  if (!found) return false;
  if (sizeLow) *sizeLow = static_cast<std::uint32_t>(found->size & 0xFFFFFFFFu);
  if (sizeHigh) *sizeHigh = static_cast<std::uint32_t>(found->size >> 32);
  return true;
}

bool FileSizeInRange(std::u16string_view path, std::uint32_t minSize, std::uint32_t maxSize) {
  std::uint32_t low = 0, high = 0;
  if (!FindFileSize(path, &low, &high)) return false;
  return high == 0 && minSize <= low && low <= maxSize;
}

std::int32_t SplitString(std::u16string_view text, TDynamicStringArray& tokens,
                         std::u16string_view delimiters) {
  if (text.empty() || delimiters.empty()) return 0;
  std::u16string extended(text);
  extended.push_back(delimiters.front());  // closes the last token
  const auto isDelimiter = [&](char16_t c) { return delimiters.find(c) != std::u16string_view::npos; };
  bool inToken = true;
  std::size_t start = 0;
  std::int32_t n = 0;
  for (std::size_t p = 0; p < extended.size(); ++p) {
    if (inToken) {
      if (isDelimiter(extended[p])) {
        if (start < p) {
          tokens.resize(static_cast<std::size_t>(n) + 1);
          tokens[static_cast<std::size_t>(n)] = extended.substr(start, p - start);
          ++n;
        }
        inToken = false;
      }
    } else if (!isDelimiter(extended[p])) {
      start = p;
      inToken = true;
    }
  }
  return n;
}

int CompareCaseless(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = platform::UpperAscii(a[i]), y = platform::UpperAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameCaseless(std::u16string_view a, std::u16string_view b) { return CompareCaseless(a, b) == 0; }

void SortStrings(TDynamicStringArray& items, std::int32_t low, std::int32_t high,
                 TStringCompare compare) {
  if (low < 0 || high < 0 || high < low) return;
  if (static_cast<std::size_t>(high) >= items.size()) return;
  while (low < high) {
    const std::u16string pivot = items[static_cast<std::size_t>(low + (high - low) / 2)];
    std::int32_t i = low, j = high;
    while (i <= j) {
      while (compare(items[static_cast<std::size_t>(i)], pivot) < 0) ++i;
      while (compare(items[static_cast<std::size_t>(j)], pivot) > 0) --j;
      if (i <= j) {
        std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    }
    // Recurse into the smaller side and loop on the larger: depth stays logarithmic.
    if (j - low < high - i) {
      SortStrings(items, low, j, compare);
      low = i;
    } else {
      SortStrings(items, i, high, compare);
      high = j;
    }
  }
}

std::int32_t SortUniqueStrings(TDynamicStringArray& items, std::int32_t count,
                               TStringCompare compare) {
  if (count <= 1) return count;
  if (static_cast<std::size_t>(count) > items.size()) count = static_cast<std::int32_t>(items.size());
  SortStrings(items, 0, count - 1, compare);
  std::size_t out = 0;
  const auto n = static_cast<std::size_t>(count);
  for (std::size_t i = 0; i < n; ++i) {
    if (i + 1 < n && compare(items[i], items[i + 1]) == 0) continue;  // the last of a run stays
    if (out != i) items[out] = std::move(items[i]);
    ++out;
  }
  return static_cast<std::int32_t>(out);
}

std::u16string JoinStrings(const TDynamicStringArray& items, std::int32_t count, char16_t separator) {
  std::u16string out;
  const std::size_t n = count < 0 ? 0 : std::min(static_cast<std::size_t>(count), items.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) out.push_back(separator);
    out += items[i];
  }
  return out;
}

void BuildCharSetTable() { std::call_once(gCharSetOnce, BuildCharSetTableOnce); }

bool IsCJKChar(std::uint32_t code) {
  if (code >= kCodePointLimit) return false;
  BuildCharSetTable();
  return (CharSetTable()[code] & (1u << spCJK)) != 0;
}

std::int32_t IndexOfCode(std::span<const std::uint32_t> codes, std::uint32_t value,
                         std::int32_t start) {
  if (start < 0 || static_cast<std::size_t>(start) >= codes.size()) return -1;
  for (std::size_t i = static_cast<std::size_t>(start); i < codes.size(); ++i) {
    if (codes[i] == value) return static_cast<std::int32_t>(i);
  }
  return -1;
}

}  // namespace bushou
