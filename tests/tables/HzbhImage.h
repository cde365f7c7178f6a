// Builds "hzbh.dat" images field by field for the stroke table's tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace bushou::testing {

struct HzbhImage {
  struct Entry {
    std::uint8_t marks = 0;
    std::uint32_t text = 0;  // file offset of the string, 0 for none
    std::uint32_t link = 0;  // file offset of another entry, 0 for none
  };

  std::uint32_t firstCode = 0x4E00;
  std::uint32_t lastCode = 0x4E03;
  std::vector<std::uint32_t> groups;  // file offsets
  std::vector<std::uint32_t> codes;   // file offsets for firstCode..lastCode
  std::vector<Entry> entries;
  std::string pool;                   // must hold one NUL per entry

  // Header overrides for malformed images.
  std::optional<std::uint32_t> itemCount;
  std::optional<std::uint32_t> groupCount;

  // 32 + 4G + 4N: the file offset of entry 0.
  std::uint32_t Base() const {
    return static_cast<std::uint32_t>(32 + 4 * groups.size() + 4 * (lastCode - firstCode + 1));
  }
  std::uint32_t EntryOffset(std::uint32_t index) const { return Base() + 16 * index; }
  // The file offset of the string pool.
  std::uint32_t PoolStart() const {
    return Base() + 16 * static_cast<std::uint32_t>(entries.size());
  }

  std::vector<std::uint8_t> Build() const {
    platform::ByteWriter w;
    w.U32LE(itemCount.value_or(static_cast<std::uint32_t>(entries.size())))  // ItemCount
        .U32LE(0x11111111)                                                    // carried
        .U32LE(firstCode)                                                     // FirstCode
        .U32LE(lastCode)                                                      // LastCode
        .U32LE(groupCount.value_or(static_cast<std::uint32_t>(groups.size())))  // GroupCount
        .Fill(12, 0x22);                                                      // carried
    for (const std::uint32_t g : groups) w.U32LE(g);  // group table
    // The code index: the given offsets, then 0 (no entry) for the rest of
    // firstCode..lastCode. A malformed range gets only the given offsets.
    const std::size_t codeCount = lastCode >= firstCode ? std::size_t{lastCode - firstCode} + 1 : 0;
    for (std::size_t c = 0; c < std::max(codeCount, codes.size()); ++c) {
      w.U32LE(c < codes.size() ? codes[c] : 0);
    }
    for (const Entry& e : entries) {
      w.Fill(6, 0x33)    // carried
          .U8(e.marks)   // Marks
          .U8(0x44)      // carried
          .U32LE(e.text) // Text
          .U32LE(e.link);  // Link
    }
    w.Raw(pool);
    return w.Take();
  }

  // Built and padded with non-NUL bytes (the pool's tail) to exactly size.
  std::vector<std::uint8_t> BuildPadded(std::size_t size) const {
    std::vector<std::uint8_t> bytes = Build();
    bytes.resize(size, 'x');
    return bytes;
  }
};

// Three entries (1, 2 and 3 strokes) for U+4E00, U+4E01 and U+4E03; two groups.
inline HzbhImage SmallHzbh() {
  HzbhImage img;
  img.groups.resize(2);  // sized first: the offsets below depend on the count
  img.pool = std::string("1\0" "2\0" "3\0", 6);
  img.entries.resize(3);
  img.groups = {img.EntryOffset(0), img.EntryOffset(1)};
  img.codes = {img.EntryOffset(0), img.EntryOffset(1), 0, img.EntryOffset(2)};
  for (std::uint32_t i = 0; i < 3; ++i) img.entries[i].text = img.PoolStart() + 2 * i;
  img.entries[0].marks = 0x02;
  img.entries[1].link = img.EntryOffset(2);
  return img;
}

}  // namespace bushou::testing
