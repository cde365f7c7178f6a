// The relation table: a process-wide index from a code point to the code
// points it relates to under a relation kind (simplified form to traditional
// forms and back), filled by the simplified/traditional table.
#pragma once

#include <cstdint>
#include <vector>

#include "chardata/uCommonFuns.h"

namespace bushou {

enum TRelationKind : std::uint8_t {
  rkSimplifiedToTraditional = 1,  // source a simplified form, targets its traditional forms
  rkTraditionalToSimplified = 2,  // source a traditional form, targets its simplified forms
};

class TRalationCC {
 public:
  // At most 32,767 items are ever used; slot kMaxItems stays empty.
  static constexpr std::int32_t kCapacity = 32768;
  static constexpr std::int32_t kMaxItems = kCapacity - 1;

  struct TRalationItem {
    std::uint8_t Kind = 0;                // never 0 once in use
    std::vector<std::uint32_t> Targets;   // no duplicates, in the order added
  };
  struct TIndexItem_Ralation {
    std::int32_t RefCount = 0;
    std::vector<std::int32_t> Refs;       // indices into Items, in creation order
  };

  TRalationCC();
  TRalationCC(const TRalationCC&) = delete;
  TRalationCC& operator=(const TRalationCC&) = delete;

  // Records that fromCode relates to toCode under kind; true when something
  // was added. False for kind 0, a code above 0x2FFFF, a target already
  // recorded, or a new source/kind when kMaxItems items are in use.
  bool AddRelation(std::uint8_t kind, std::uint32_t fromCode, std::uint32_t toCode);
  // The item of that source and kind, or nullptr.
  const TRalationItem* FindRelation(std::uint32_t fromCode, std::uint8_t kind) const;

  std::int32_t ItemCount() const { return FItemCount; }
  const TRalationItem& Item(std::int32_t index) const {
    return FItems[static_cast<std::size_t>(index)];
  }
  // The items whose source is code; code must be below 0x30000.
  const TIndexItem_Ralation& CodeRefs(std::uint32_t code) const { return FCodeRefs[code]; }

 private:
  // Index into FItems of the item of that source and kind, or -1.
  std::int32_t FindIndex(std::uint32_t fromCode, std::uint8_t kind) const;

  std::int32_t FItemCount = 0;
  std::vector<TRalationItem> FItems;            // kCapacity slots, allocated once
  std::vector<TIndexItem_Ralation> FCodeRefs;   // one per code point 0..0x2FFFF
};

// The process-wide relation table, created empty on the first call.
TRalationCC& GetRalationCC();
// Frees the process-wide table (process end; tests and fuzzing start over).
void FreeRalationCC();

}  // namespace bushou
