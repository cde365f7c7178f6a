#include "chardata/uRalation_CC.h"

#include <memory>

namespace bushou {
namespace {

std::unique_ptr<TRalationCC>& Instance() {
  static std::unique_ptr<TRalationCC> instance;
  return instance;
}

}  // namespace

TRalationCC::TRalationCC() : FItems(kCapacity), FCodeRefs(kCodePointLimit) {}

std::int32_t TRalationCC::FindIndex(std::uint32_t fromCode, std::uint8_t kind) const {
  if (fromCode >= kCodePointLimit) return -1;
  const TIndexItem_Ralation& refs = FCodeRefs[fromCode];
  for (std::int32_t i = 0; i < refs.RefCount; ++i) {
    const std::int32_t index = refs.Refs[static_cast<std::size_t>(i)];
    if (FItems[static_cast<std::size_t>(index)].Kind == kind) return index;
  }
  return -1;
}

const TRalationCC::TRalationItem* TRalationCC::FindRelation(std::uint32_t fromCode,
                                                            std::uint8_t kind) const {
  const std::int32_t index = FindIndex(fromCode, kind);
  return index < 0 ? nullptr : &FItems[static_cast<std::size_t>(index)];
}

bool TRalationCC::AddRelation(std::uint8_t kind, std::uint32_t fromCode, std::uint32_t toCode) {
  if (kind == 0 || fromCode >= kCodePointLimit || toCode >= kCodePointLimit) return false;
  if (const std::int32_t index = FindIndex(fromCode, kind); index >= 0) {
    std::vector<std::uint32_t>& targets = FItems[static_cast<std::size_t>(index)].Targets;
    if (IndexOfCode(targets, toCode, 0) >= 0) return false;
    targets.push_back(toCode);
    return true;
  }
  if (FItemCount >= kMaxItems) return false;
  TRalationItem& slot = FItems[static_cast<std::size_t>(FItemCount)];
  slot.Kind = kind;
  slot.Targets.assign(1, toCode);
  TIndexItem_Ralation& refs = FCodeRefs[fromCode];
  refs.Refs.push_back(FItemCount);
  ++refs.RefCount;
  ++FItemCount;
  return true;
}

TRalationCC& GetRalationCC() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TRalationCC>();
  return *instance;
}

void FreeRalationCC() { Instance().reset(); }

}  // namespace bushou
