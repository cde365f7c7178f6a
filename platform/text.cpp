#include "platform/text.h"

#include <cstdint>

namespace bushou::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  auto put = [&out](unsigned v) { out.push_back(static_cast<char>(static_cast<unsigned char>(v))); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length (at least 1) and
// the code point, or kReplacement for an ill-formed subpart.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& out) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t b0 = byte(i);
  if (b0 < 0x80) {
    out = b0;
    return 1;
  }
  std::size_t need;
  char32_t c;
  std::uint8_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
    c = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    c = b0 & 0x0Fu;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    c = b0 & 0x07u;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    out = kReplacement;
    return 1;
  }
  std::size_t k = 1;
  for (; k <= need; ++k) {
    if (i + k >= text.size()) break;
    const std::uint8_t b = byte(i + k);
    const std::uint8_t l = (k == 1) ? lo : 0x80, h = (k == 1) ? hi : 0xBF;
    if (b < l || b > h) break;
    c = (c << 6) | (b & 0x3Fu);
  }
  if (k <= need) {
    out = kReplacement;
    return k;
  }
  out = c;
  return need + 1;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c;
    i += DecodeUtf8(text, i, c);
    AppendUtf16(out, c);
  }
  return out;
}

std::u16string CodePointText(char32_t code) {
  std::u16string out;
  if (code <= 0x10FFFF) AppendUtf16(out, code);
  return out;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
  return text;
}

std::u16string UpperAscii(std::u16string text) {
  for (char16_t& c : text) c = UpperAscii(c);
  return text;
}

std::u16string Widen(std::string_view ascii) {
  std::u16string out;
  out.reserve(ascii.size());
  for (const char c : ascii) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t c;
    const std::size_t n = DecodeUtf8(text, i, c);
    // A decoded U+FFFD of length 3 is a real U+FFFD (EF BF BD), not an error.
    if (c == kReplacement && !(n == 3 && static_cast<std::uint8_t>(text[i]) == 0xEF)) return false;
    i += n;
  }
  return true;
}

}  // namespace bushou::platform
