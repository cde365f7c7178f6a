// The one checked reader every binary parser reads through, and the writer that
// builds file images (the data generator, the pinyin table's save side, tests).
//
// A ByteReader can never read past the end of its span: every read returns an
// optional, and a position never exceeds the size. Integers are assembled from
// bytes in a fixed order, never by copying bytes into a struct.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace bushou::platform {

using Bytes = std::span<const std::uint8_t>;

enum class Endian { Little, Big };

// Random-access reads; nullopt when [offset, offset + width) is not inside data.
std::optional<std::uint16_t> ReadU16(Bytes data, std::size_t offset, Endian endian);
std::optional<std::uint32_t> ReadU32(Bytes data, std::size_t offset, Endian endian);

// Unchecked forms for callers that have already checked the range.
inline std::uint16_t LoadU16LE(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadU32LE(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint16_t LoadU16BE(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t LoadU32BE(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

// Sub-span [offset, offset + length), or nullopt when it does not fit.
// Written so that no addition can overflow.
std::optional<Bytes> Slice(Bytes data, std::size_t offset, std::size_t length);

class ByteReader {
 public:
  explicit ByteReader(Bytes data, Endian endian = Endian::Little) : data_(data), endian_(endian) {}

  std::size_t size() const { return data_.size(); }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return data_.size() - pos_; }  // pos_ <= size() always holds
  Bytes data() const { return data_; }


  std::optional<Bytes> Take(std::size_t n);

  std::optional<std::uint8_t> U8();
  std::optional<std::uint16_t> U16();
  std::optional<std::uint32_t> U32();
  std::optional<std::int32_t> I32();

 private:
  Bytes data_;
  Endian endian_;
  std::size_t pos_ = 0;
};

// Appends fields in a fixed byte order; chains, so fixtures read field by field.
class ByteWriter {
 public:
  ByteWriter& U8(std::uint8_t v);
  ByteWriter& U16LE(std::uint16_t v);
  ByteWriter& U32LE(std::uint32_t v);
  ByteWriter& I32LE(std::int32_t v) { return U32LE(static_cast<std::uint32_t>(v)); }
  ByteWriter& U16BE(std::uint16_t v);
  ByteWriter& U32BE(std::uint32_t v);
  ByteWriter& Raw(Bytes bytes);
  ByteWriter& Raw(std::string_view bytes);
  ByteWriter& Fill(std::size_t count, std::uint8_t value = 0);
  // Overwrites 4 bytes at an offset already written (for sizes and checksums).
  ByteWriter& PatchU32LE(std::size_t offset, std::uint32_t v);
  ByteWriter& PatchU32BE(std::size_t offset, std::uint32_t v);
  ByteWriter& PatchU16BE(std::size_t offset, std::uint16_t v);

  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace bushou::platform
