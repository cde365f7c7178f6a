// Builds radical index files ("hzbs.dat") in memory for tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bytes.h"

namespace bushou::testing {

struct BSRadical {
  std::uint32_t code;
  std::int32_t firstItem;
  std::int32_t charCount;
  std::uint8_t strokes;
};

struct BSChar {
  std::uint32_t code;
  std::uint8_t extraStrokes;
};

// The file image: a 20-byte header, 13-byte radicals, the code index for
// firstCode..lastCode (all -1), 11-byte characters.
inline std::vector<std::uint8_t> BuildBSFile(const std::vector<BSRadical>& radicals,
                                             const std::vector<BSChar>& chars,
                                             std::int32_t firstCode = 0x4E00,
                                             std::int32_t lastCode = 0x4E00) {
  platform::ByteWriter w;
  w.I32LE(0)                                           // Reserved
      .I32LE(static_cast<std::int32_t>(chars.size()))     // ItemCount
      .I32LE(static_cast<std::int32_t>(radicals.size()))  // RadicalCount
      .I32LE(firstCode)                                   // FirstCode
      .I32LE(lastCode);                                   // LastCode
  for (const BSRadical& r : radicals) {
    w.U32LE(r.code).I32LE(r.firstItem).I32LE(r.charCount).U8(r.strokes);
  }
  for (std::int32_t c = firstCode; c <= lastCode; ++c) w.I32LE(-1);
  for (const BSChar& c : chars) {
    w.U32LE(c.code).U16LE(0).U8(c.extraStrokes).U32LE(0);  // carried fields zero
  }
  return w.Take();
}

}  // namespace bushou::testing
