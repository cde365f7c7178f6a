// The simplified/traditional table "hzjf.dat": a list of 8-byte records, each
// joining a simplified character (code point, u32 LE) to a traditional one
// (u32 LE); bytes after the last whole record are ignored; 16 to 64 KiB.
//
// Loading classifies code points in CharClasses as simplified, traditional,
// both or, for the other Han characters, neither (ccOtherHan), helped by the
// built-in lists of uHZ_JF_Lists.h, and records every pair both ways in the
// relation table. The table itself keeps no data but its file name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "chardata/uClasses_CC.h"
#include "chardata/uRalation_CC.h"
#include "platform/bytes.h"

namespace bushou {

struct TJFPair {
  static constexpr std::size_t kSize = 8;
  std::uint32_t Simplified = 0;   // +0 the simplified form
  std::uint32_t Traditional = 0;  // +4 the traditional form
};

// The whole records of "hzjf.dat", in file order.
std::vector<TJFPair> ParseHZJFFile(platform::Bytes bytes);

// Gives each pair's members ccSimplified and ccTraditional and records the pair
// in relations both ways, in order. A code point above 0x2FFFF throws
// std::out_of_range; the pairs before it stay applied.
void ApplySimpTradPairs(std::span<const TJFPair> pairs, TRalationCC& relations);

// Applies the four built-in lists, then gives ccOtherHan to every Han code
// point from 128 up that has neither ccSimplified nor ccTraditional.
void ApplyBuiltInLists();

class THZJF : public TObject_CC {
 public:
  static constexpr std::uint32_t kMinFileSize = 16384;
  static constexpr std::uint32_t kMaxFileSize = 65536;

  // Loads at once: Load(fileName, scrambled); the result is not looked at.
  THZJF(const std::u16string& fileName, bool scrambled);

  // False, touching nothing, for a missing file or one outside 16 to 64 KiB.
  // Otherwise applies the pairs (to the process-wide relation table) and the
  // built-in lists and answers true. A pair with a code point above 0x2FFFF
  // throws, as does a file that cannot be read.
  bool LoadFromFile(const std::u16string& fileName, bool scrambled) override;
  // Loads fileName, else the remembered file, else the default "hzjf.dat".
  bool Load(const std::u16string& fileName, bool scrambled) override;
  std::int32_t SaveToFile(const std::u16string& fileName, bool scrambled) override;
  bool AddEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool DeleteEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool FindEntry(const void* entry, std::uint8_t* status) override;
};

}  // namespace bushou
