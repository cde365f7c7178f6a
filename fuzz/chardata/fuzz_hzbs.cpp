// The radical index parser over arbitrary bytes, then a walk over every
// radical's characters as the grids do it.
#include <cstddef>
#include <cstdint>

#include "chardata/uBSData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bushou::TBSFile file;
  bushou::ParseBSFile({data, size}, file);
  std::uint64_t sum = 0;
  for (std::size_t r = 0; r < file.Radicals.size(); ++r) {
    const bushou::TBSIndexItem radical = file.Radicals[r];
    const auto range = file.CharRange(radical);
    for (std::size_t i = range.first; i < range.last; ++i) sum += file.Items[i].ExtraStrokes;
  }
  for (std::size_t i = 0; i < file.HzIndex.size(); ++i) sum += static_cast<std::uint32_t>(file.HzIndex[i].Value);
  // libFuzzer reserves every result but 0; the sum only keeps the walk alive.
  volatile std::uint64_t sink = sum;
  (void)sink;
  return 0;
}
