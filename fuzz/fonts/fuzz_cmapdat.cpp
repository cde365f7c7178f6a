// The coverage cache file "cmap.dat" over arbitrary bytes: the size window,
// the name list of its description, and queries of its bitmap.
#include <cstddef>
#include <cstdint>

#include "fonts/uCMapDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoder = bushou::TCMapDataDecoder::FromFileBytes({data, size});
  if (!decoder) return 0;
  // Accepted: a name list was found and the file is inside the size window.
  if (size < bushou::kCMapFileMinSize || size > bushou::kCMapFileMaxSize || decoder->NamesText().empty()) {
    __builtin_trap();
  }
  std::uint32_t yes = 0;
  for (std::uint32_t c = 0; c < 0x30010; c += 97) yes += decoder->IsSupported(c) ? 1u : 0u;
  if (decoder->IsSupported(0x30000) || yes > decoder->CoveredCount()) __builtin_trap();
  if (decoder->Description().size() >= 0x800) __builtin_trap();  // the description fits the window
  return 0;
}
