#include "fonts/uByteEndian.h"

#include <algorithm>
#include <utility>

namespace bushou {

void SwapWords(std::size_t byteCount, std::span<std::uint8_t> buffer) {
  const std::size_t units = std::min(byteCount, buffer.size()) / 2;
  for (std::size_t i = 0; i < units; ++i) std::swap(buffer[2 * i], buffer[2 * i + 1]);
}

void SwapDWords(std::size_t byteCount, std::span<std::uint8_t> buffer) {
  const std::size_t units = std::min(byteCount, buffer.size()) / 4;
  for (std::size_t i = 0; i < units; ++i) {
    std::swap(buffer[4 * i], buffer[4 * i + 3]);
    std::swap(buffer[4 * i + 1], buffer[4 * i + 2]);
  }
}

}  // namespace bushou
