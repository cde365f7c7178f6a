// Builds coverage records (the cache file's layout) in memory for tests: the
// 0x6000-byte bitmap, then the chain description in UTF-16LE and a zero unit.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace bushou::testing {

inline std::vector<std::uint8_t> BuildCoverageRecord(const std::vector<std::uint32_t>& covered,
                                                     std::u16string_view description = u"(A;B){本身}") {
  std::vector<std::uint8_t> bytes(0x6000, 0);
  for (const std::uint32_t c : covered) bytes[c / 8] = static_cast<std::uint8_t>(bytes[c / 8] | (1u << (c % 8)));
  for (const char16_t u : description) {
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

}  // namespace bushou::testing
