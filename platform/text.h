// UTF-8 <-> UTF-16 conversion. The core keeps text as UTF-16; the command line,
// file paths and UTF-8 files meet it here.
#pragma once

#include <string>
#include <string_view>

namespace bushou::platform {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Ill-formed sequences become U+FFFD, one per maximal bad subpart.
std::u16string FromUtf8(std::string_view text);

// True when every byte sequence is well-formed UTF-8 (no surrogates, no overlongs).
bool IsValidUtf8(std::string_view text);

// The UTF-16 text of one code point: one unit, or a surrogate pair above
// U+FFFF. Code points above U+10FFFF give the empty text.
std::u16string CodePointText(char32_t code);

// The text without leading and trailing spaces and control characters (code
// units at or below U+0020), as names, cells and captions are trimmed.
std::u16string_view TrimBlanks(std::u16string_view text);

// ASCII a-z as A-Z; every other unit unchanged (registry names, font names and
// paths compare this way).
inline char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c; }
std::u16string UpperAscii(std::u16string text);

// ASCII text (numbers, formats) widened unit by unit.
std::u16string Widen(std::string_view ascii);

}  // namespace bushou::platform
