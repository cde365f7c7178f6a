// The simplified/traditional records over arbitrary bytes, applied to the
// classes and to a relation table as a load does. Afterwards every applied
// pair must be found both ways while the relation table has room.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "chardata/uCommonFuns.h"
#include "chardata/uHZ_JF.h"

namespace {

bool HasTarget(const bushou::TRalationCC& r, std::uint32_t from, std::uint8_t kind, std::uint32_t to) {
  const auto* item = r.FindRelation(from, kind);
  return item && bushou::IndexOfCode(item->Targets, to, 0) >= 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One table for many inputs, as relations pile up over loads; a new one now
  // and then keeps each input's work small.
  static std::unique_ptr<bushou::TRalationCC> relations;
  static int uses = 0;
  if (!relations || ++uses % 256 == 0) relations = std::make_unique<bushou::TRalationCC>();

  const std::vector<bushou::TJFPair> pairs = bushou::ParseHZJFFile({data, size});
  if (pairs.size() != size / bushou::TJFPair::kSize) std::abort();
  std::size_t applied = pairs.size();
  try {
    bushou::ApplySimpTradPairs(pairs, *relations);
  } catch (const std::out_of_range&) {
    // A code point beyond the tables: the pairs before it stay applied.
    applied = 0;
    while (pairs[applied].Simplified < bushou::kCodePointLimit &&
           pairs[applied].Traditional < bushou::kCodePointLimit) {
      ++applied;
    }
  }
  if (relations->ItemCount() >= bushou::TRalationCC::kMaxItems) return 0;
  for (std::size_t i = 0; i < applied; ++i) {
    const bushou::TJFPair& p = pairs[i];
    if (!HasTarget(*relations, p.Simplified, bushou::rkSimplifiedToTraditional, p.Traditional) ||
        !HasTarget(*relations, p.Traditional, bushou::rkTraditionalToSimplified, p.Simplified)) {
      std::abort();
    }
  }
  return 0;
}
