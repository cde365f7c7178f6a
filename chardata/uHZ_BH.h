// The stroke table "hzbh.dat": 16-byte entries, a code-point index and a group
// index into them, and a pool of NUL-terminated strings the entries point to.
// Loading marks the code points whose entry carries mark bit 1 (ccStrokeMark).
//
// File layout, little-endian; G = GroupCount, N = LastCode - FirstCode + 1,
// I = ItemCount, Base = 32 + 4G + 4N (the offset of the first entry):
//   0        4    ItemCount
//   4        4    carried
//   8        4    FirstCode
//   12       4    LastCode
//   16       4    GroupCount
//   20       12   carried
//   32       4G   groups: file offset of the group's first entry, or 0
//   32+4G    4N   code index FirstCode..LastCode: offset of the entry, or 0
//   Base     16I  entries
//   Base+16I ...  string pool: exactly I NUL bytes
// An entry offset F stands for entry (F - Base) / 16 (truncating toward zero);
// a string offset S for pool offset S - Base - 16I.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chardata/uClasses_CC.h"
#include "chardata/uCommonFuns.h"
#include "platform/bytes.h"

namespace bushou {

// One entry; 16 packed bytes in the file. Text and Link hold file offsets
// there and are turned into a pool offset and an entry index on loading.
struct TItem_HZBH {
  static constexpr std::size_t kSize = 16;
  std::array<std::uint8_t, 6> Carried{};  // +0  carried, not interpreted
  std::uint8_t Marks = 0;                 // +6  bit 1 (value 2): ccStrokeMark
  std::uint8_t Carried7 = 0;              // +7  carried, not interpreted
  std::optional<std::uint32_t> Text;      // +8  offset of the string in the pool, or none
  std::int32_t Link = -1;                 // +12 index of another entry, or -1
};

inline constexpr std::uint8_t kStrokeMarkBit = 0x02;

// The contents of "hzbh.dat" with every offset fixed up.
struct THZBHFile {
  std::array<std::uint32_t, 8> Header{};  // the first 32 bytes as read
  std::uint32_t FirstCode = 0;
  std::uint32_t LastCode = 0;
  // Entry index at which each group starts, or -1; the last element is ItemCount.
  std::vector<std::int32_t> GroupIndex;
  // Entry index for each code point FirstCode..LastCode, or -1.
  std::vector<std::int32_t> CodeRange;
  std::vector<TItem_HZBH> Items;
  std::vector<std::uint8_t> StringPool;
};

enum class THZBHParseResult {
  Ok,
  Rejected,   // short header, tables past the end, or a wrong NUL count in the pool
  Malformed,  // header arithmetic overflows, LastCode below FirstCode or above
              // 0x2FFFF, or a code index beyond the entries: the loader raises
};

// Parses the bytes of "hzbh.dat" into file. Offsets that name no entry become
// -1 and string offsets outside the pool become no string, so nothing that
// reads the result can reach outside it. On a failure file is unspecified.
THZBHParseResult ParseHZBHFile(platform::Bytes bytes, THZBHFile& file);

// The string at a pool offset: up to its NUL, or to the end of the pool.
std::optional<std::string_view> PoolString(const std::vector<std::uint8_t>& pool,
                                           std::optional<std::uint32_t> offset);

// The stroke table. It holds a 768 KiB code index inside: create it on the heap.
class THZBH : public TObject_CC {
 public:
  using TArray_Item_HZBH = std::vector<TItem_HZBH>;

  static constexpr std::uint32_t kMinFileSize = 2097152;  // 2 MiB
  static constexpr std::uint32_t kMaxFileSize = 4194304;  // 4 MiB

  // Loads at once: Load(fileName, false); the result is not looked at.
  THZBH(const std::u16string& fileName, bool scrambled);

  // Reads a file of 2 to 4 MiB. False (and nothing changed) when the file is
  // missing, out of the size range or rejected; raises bushou::Error when it is
  // malformed or cannot be read.
  bool LoadFromFile(const std::u16string& fileName, bool scrambled) override;
  // Loads fileName, else the remembered file, else the default "hzbh.dat".
  bool Load(const std::u16string& fileName, bool scrambled) override;
  // Writes nothing; a non-empty name becomes the remembered one.
  std::int32_t SaveToFile(const std::u16string& fileName, bool scrambled) override;
  bool AddEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool DeleteEntry(const void* entry, std::uint8_t* status, const TConfirmEntry& confirm) override;
  bool FindEntry(const void* entry, std::uint8_t* status) override;

  const std::array<std::uint32_t, 8>& Header() const { return FHeader; }
  // Code points given ccStrokeMark by the last load.
  std::int32_t MarkedCount() const { return FMarkedCount; }
  // Entry index per code point 0..0x2FFFF, or -1.
  const std::array<std::int32_t, kCodePointLimit>& CodeIndex() const { return FCodeIndex; }
  const std::vector<std::int32_t>& GroupIndex() const { return FGroupIndex; }
  const TArray_Item_HZBH& Items() const { return FItems; }
  const std::vector<std::uint8_t>& StringPool() const { return FStringPool; }
  // The string of entry index, or none; index must be below Items().size().
  std::optional<std::string_view> ItemText(std::size_t index) const {
    return PoolString(FStringPool, FItems[index].Text);
  }

 private:
  std::array<std::uint32_t, 8> FHeader{};
  std::int32_t FMarkedCount = 0;
  std::array<std::int32_t, kCodePointLimit> FCodeIndex;
  std::vector<std::int32_t> FGroupIndex;
  TArray_Item_HZBH FItems;
  std::vector<std::uint8_t> FStringPool;
};

}  // namespace bushou
