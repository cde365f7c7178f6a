#include "pinyin/uCodePoints.h"

#include <algorithm>

#include "chardata/uCommonFuns.h"

namespace bushou {
namespace {

bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

bool GetCodePointAt(std::u16string_view text, std::int32_t position, std::uint32_t& code) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) return false;
  const std::size_t i = static_cast<std::size_t>(position) - 1;
  const std::uint32_t u = text[i];
  if (!IsHighSurrogate(u) && !IsLowSurrogate(u)) {
    code = u;
    return true;
  }
  if (IsLowSurrogate(u) || i + 1 >= text.size()) return false;
  const std::uint32_t w = text[i + 1];
  if (!IsLowSurrogate(w)) return false;
  code = ((u & 0x3FF) << 10) + (w & 0x3FF) + 0x10000;
  return true;
}

void StringToCodePoints(std::u16string_view text, TCodePointArray& codes) {
  codes.clear();
  codes.reserve(text.size());
  std::size_t p = 1;
  while (p <= text.size()) {
    std::uint32_t code = 0;
    if (!GetCodePointAt(text, static_cast<std::int32_t>(p), code)) break;
    codes.push_back(code);
    p += code > 0xFFFF ? 2 : 1;
  }
}

TCodePointArray StringToCodePoints(std::u16string_view text) {
  TCodePointArray codes;
  StringToCodePoints(text, codes);
  return codes;
}

void CodePointsToString(const TCodePointArray& codes, std::int32_t start, std::int32_t count,
                        std::u16string& text) {
  text.clear();
  if (codes.empty() || start < 0 || static_cast<std::size_t>(start) >= codes.size()) return;
  const std::size_t first = static_cast<std::size_t>(start);
  const std::size_t left = codes.size() - first;
  const std::size_t n =
      (count <= 0 || static_cast<std::size_t>(count) > left) ? left : static_cast<std::size_t>(count);
  for (std::size_t i = first; i < first + n; ++i) {
    const std::uint32_t c = codes[i];
    if (c > 0x10FFFF) continue;
    if (c > 0xFFFF) {
      text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(c));
    }
  }
}

std::u16string CodePointsToString(const TCodePointArray& codes, std::int32_t start,
                                  std::int32_t count) {
  std::u16string text;
  CodePointsToString(codes, start, count, text);
  return text;
}

int CompareStrings(std::u16string_view a, std::u16string_view b, bool caseSensitive) {
  if (!caseSensitive) return CompareCaseless(a, b);
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void SortUnique(std::vector<std::u16string>& list, bool caseSensitive) {
  std::stable_sort(list.begin(), list.end(), [caseSensitive](const auto& a, const auto& b) {
    return CompareStrings(a, b, caseSensitive) < 0;
  });
  const auto last = std::unique(list.begin(), list.end(), [caseSensitive](const auto& a, const auto& b) {
    return CompareStrings(a, b, caseSensitive) == 0;
  });
  list.erase(last, list.end());
}

}  // namespace bushou
