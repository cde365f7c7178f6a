// Byte-order conversion in place, for buffers of 16-bit or 32-bit units read
// from big-endian files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace bushou {

// Reverses the bytes of each whole 16-bit unit in the first byteCount bytes of
// buffer (byteCount div 2 units; never beyond the buffer). A count smaller than
// one unit converts nothing.
void SwapWords(std::size_t byteCount, std::span<std::uint8_t> buffer);
// The same for whole 32-bit units (byteCount div 4 units).
void SwapDWords(std::size_t byteCount, std::span<std::uint8_t> buffer);

}  // namespace bushou
