// The stroke table parser over arbitrary bytes, then a walk over every index
// and string it produced: every index must name an entry and every string
// must lie inside the pool, or the target aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "chardata/uHZ_BH.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool NamesEntry(std::int32_t index, std::size_t count) {
  return index == -1 || (index >= 0 && static_cast<std::size_t>(index) < count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bushou::THZBHFile file;
  if (bushou::ParseHZBHFile({data, size}, file) != bushou::THZBHParseResult::Ok) return 0;
  const std::size_t count = file.Items.size();
  Check(file.LastCode < bushou::kCodePointLimit);
  Check(file.CodeRange.size() == std::size_t{file.LastCode - file.FirstCode} + 1);
  Check(!file.GroupIndex.empty() && static_cast<std::size_t>(file.GroupIndex.back()) == count);
  for (std::size_t g = 0; g + 1 < file.GroupIndex.size(); ++g) Check(NamesEntry(file.GroupIndex[g], count));
  for (const std::int32_t k : file.CodeRange) Check(NamesEntry(k, count));
  std::size_t text = 0;
  for (const bushou::TItem_HZBH& item : file.Items) {
    Check(NamesEntry(item.Link, count));
    Check(!item.Text || *item.Text < file.StringPool.size());
    if (const auto s = bushou::PoolString(file.StringPool, item.Text)) text += s->size();
  }
  return text == 0xFFFFFFFFFFFFFFFFull ? 1 : 0;
}
