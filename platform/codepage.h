// Conversion between UTF-16 and the Windows code pages the data files use
// (936, the simplified Chinese GBK code page, above all). Backed by iconv on Linux.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bushou::platform {

inline constexpr unsigned kCodePageGBK = 936;
inline constexpr unsigned kCodePageUtf8 = 65001;

// The system's ANSI code page. On Linux the tool behaves like a simplified
// Chinese Windows: 936.
unsigned AnsiCodePage();

// Bytes in `codePage` to UTF-16. A byte sequence the code page cannot decode
// becomes U+FFFD and decoding goes on after it.
std::u16string MultiByteToWide(unsigned codePage, std::span<const std::uint8_t> bytes);
std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes);

// UTF-16 to bytes in `codePage`. A character the code page lacks becomes the
// default character "?" (0x3F), as Windows does.
std::string WideToMultiByte(unsigned codePage, std::u16string_view text);

}  // namespace bushou::platform
