// Code points in UTF-16 text (positions 1-based), and the sorted, duplicate-free
// string lists the polyphone rules work with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bushou {

using TCodePointArray = std::vector<std::uint32_t>;

// The code point that starts at the 1-based position: false before the
// start, past the end, on a low surrogate, or on a high surrogate that is not
// followed by a low one.
bool GetCodePointAt(std::u16string_view text, std::int32_t position, std::uint32_t& code);

// Every code point of text; text holding an unpaired surrogate is cut off just
// before it.
void StringToCodePoints(std::u16string_view text, TCodePointArray& codes);
TCodePointArray StringToCodePoints(std::u16string_view text);

// The text of codes[start .. start + count - 1]; count 0, or a count past the
// end, means up to the end. Empty when start is negative or not below the
// length. Codes above U+10FFFF are skipped.
void CodePointsToString(const TCodePointArray& codes, std::int32_t start, std::int32_t count,
                        std::u16string& text);
std::u16string CodePointsToString(const TCodePointArray& codes, std::int32_t start = 0,
                                  std::int32_t count = 0);

// Ordinal UTF-16 comparison, or with ASCII letters folded when not case
// sensitive (the caseless comparison used throughout the system).
int CompareStrings(std::u16string_view a, std::u16string_view b, bool caseSensitive);

// Sorts ascending and keeps one entry of each run of equal strings (the first
// after a stable sort, so the earliest of equals in the input).
void SortUnique(std::vector<std::u16string>& list, bool caseSensitive);

}  // namespace bushou
