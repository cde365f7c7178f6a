#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/codepage.h"
#include "platform/text.h"

namespace bushou::platform {
namespace {

std::string IconvName(unsigned codePage) {
  if (codePage == kCodePageUtf8) return "UTF-8";
  char name[16];
  std::snprintf(name, sizeof name, "CP%u", codePage);
  return name;
}

// One converter per call: conversions are rare (names, syllables, queries),
// so the simplicity is worth more than caching descriptors.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT: iconv's error value
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

void AppendUnit(std::u16string& out, const char* p) {
  out.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                      (static_cast<unsigned char>(p[1]) << 8)));
}

}  // namespace

unsigned AnsiCodePage() { return kCodePageGBK; }

std::u16string MultiByteToWide(unsigned codePage, std::span<const std::uint8_t> bytes) {
  if (codePage == kCodePageUtf8) {
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  std::u16string out;
  Iconv cv("UTF-16LE", IconvName(codePage));
  if (!cv.ok()) return out;
  std::vector<char> in(bytes.begin(), bytes.end());
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char buf[256];
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    const std::size_t r = iconv(cv.get(), &src, &srcLeft, &dst, &dstLeft);
    for (const char* p = buf; p + 1 < dst; p += 2) AppendUnit(out, p);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence): replace one byte and go on.
      out.push_back(u'\uFFFD');
      ++src;
      --srcLeft;
      iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes) {
  return MultiByteToWide(
      codePage, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              bytes.size()));
}

std::string WideToMultiByte(unsigned codePage, std::u16string_view text) {
  if (codePage == kCodePageUtf8) return ToUtf8(text);
  std::string out;
  Iconv cv(IconvName(codePage), "UTF-16LE");
  if (!cv.ok()) return out;
  // Convert one character (one unit or one surrogate pair) at a time so that a
  // character the code page lacks can be replaced by "?" on its own.
  for (std::size_t i = 0; i < text.size();) {
    std::size_t units = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      units = 2;
    }
    char in[4];
    for (std::size_t k = 0; k < units; ++k) {
      in[2 * k] = static_cast<char>(text[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(text[i + k] >> 8);
    }
    char* src = in;
    std::size_t srcLeft = 2 * units;
    char buf[16];
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    if (iconv(cv.get(), &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
      out.push_back('?');
      iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(buf, dst);
    }
    i += units;
  }
  return out;
}

}  // namespace bushou::platform
