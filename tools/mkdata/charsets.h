// Which code points a character set of glibc's iconv can encode: the data
// generators take the repertoires of GB2312 and code page 950 from there.
#pragma once

#include <iconv.h>

namespace bushou::mkdata {

class CharsetProbe {
 public:
  // charset is an iconv name ("GB2312", "CP950"); exits with a message when
  // iconv does not know it.
  explicit CharsetProbe(const char* charset);
  ~CharsetProbe();
  CharsetProbe(const CharsetProbe&) = delete;
  CharsetProbe& operator=(const CharsetProbe&) = delete;

  // Whether the character set has a character for code (no substitution).
  bool Encodes(char32_t code);

 private:
  iconv_t cd_;
};

}  // namespace bushou::mkdata
