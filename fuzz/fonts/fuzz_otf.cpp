// The font file reader over arbitrary bytes as a whole file: the collection
// header, every face's directory and names, every face's character map, and
// the chain's range marking over what it returns.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fonts/uFontUtils.h"
#include "fonts/uOpenTypeFont.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bushou::TOpenTypeFontFile reader(std::vector<std::uint8_t>(data, data + size), u"fuzz.ttf");
  static std::vector<std::uint8_t> map(bushou::kCoverageLimit);
  for (const bushou::TItem_FontName& face : reader.Faces()) {
    // Accepted names are trimmed, never blank, and hold none of "*?\".
    for (const std::u16string& name : face.Names) {
      if (name.empty() || name.front() <= u' ' || name.back() <= u' ' ||
          name.find_first_of(u"*?\\") != std::u16string::npos) {
        __builtin_trap();
      }
    }
    bushou::TCMap_SingleOTF info;
    const std::int32_t n = reader.GetFaceCMap(face.Names.front(), info);
    if (n < 0 || static_cast<std::size_t>(n) != info.Ranges.size()) __builtin_trap();
    for (const bushou::TRange_cmap& r : info.Ranges) {
      if (r.First > r.Last) __builtin_trap();
    }
    bushou::MarkRanges(info.Ranges, 0, 0x2FFFF, map);
  }
  return 0;
}
