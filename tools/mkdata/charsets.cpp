#include "tools/mkdata/charsets.h"

#include <string>

#include "tools/mkdata/unihan.h"

namespace bushou::mkdata {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // iconv_open's failure value

}  // namespace

CharsetProbe::CharsetProbe(const char* charset) : cd_(iconv_open(charset, "UTF-32LE")) {
  if (cd_ == kNoConverter) Fail(std::string("iconv has no converter for ") + charset);
}

CharsetProbe::~CharsetProbe() { iconv_close(cd_); }

bool CharsetProbe::Encodes(char32_t code) {
  char in[4] = {static_cast<char>(code & 0xFF), static_cast<char>((code >> 8) & 0xFF),
                static_cast<char>((code >> 16) & 0xFF), static_cast<char>((code >> 24) & 0xFF)};
  char out[16];
  char* src = in;
  char* dst = out;
  std::size_t srcLeft = sizeof in, dstLeft = sizeof out;
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state per probe
  return iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && srcLeft == 0;
}

}  // namespace bushou::mkdata
