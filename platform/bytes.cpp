#include "platform/bytes.h"

namespace bushou::platform {

std::optional<Bytes> Slice(Bytes data, std::size_t offset, std::size_t length) {
  if (offset > data.size() || length > data.size() - offset) return std::nullopt;
  return data.subspan(offset, length);
}

std::optional<std::uint16_t> ReadU16(Bytes data, std::size_t offset, Endian endian) {
  const auto s = Slice(data, offset, 2);
  if (!s) return std::nullopt;
  return endian == Endian::Little ? LoadU16LE(s->data()) : LoadU16BE(s->data());
}

std::optional<std::uint32_t> ReadU32(Bytes data, std::size_t offset, Endian endian) {
  const auto s = Slice(data, offset, 4);
  if (!s) return std::nullopt;
  return endian == Endian::Little ? LoadU32LE(s->data()) : LoadU32BE(s->data());
}

std::optional<Bytes> ByteReader::Take(std::size_t n) {
  if (n > remaining()) return std::nullopt;
  const Bytes out = data_.subspan(pos_, n);
  pos_ += n;
  return out;
}

std::optional<std::uint8_t> ByteReader::U8() {
  const auto b = Take(1);
  if (!b) return std::nullopt;
  return (*b)[0];
}

std::optional<std::uint16_t> ByteReader::U16() {
  const auto b = Take(2);
  if (!b) return std::nullopt;
  return endian_ == Endian::Little ? LoadU16LE(b->data()) : LoadU16BE(b->data());
}

std::optional<std::uint32_t> ByteReader::U32() {
  const auto b = Take(4);
  if (!b) return std::nullopt;
  return endian_ == Endian::Little ? LoadU32LE(b->data()) : LoadU32BE(b->data());
}

std::optional<std::int32_t> ByteReader::I32() {
  const auto v = U32();
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

ByteWriter& ByteWriter::U8(std::uint8_t v) {
  bytes_.push_back(v);
  return *this;
}

ByteWriter& ByteWriter::U16LE(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  return *this;
}

ByteWriter& ByteWriter::U32LE(std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(v >> shift));
  return *this;
}

ByteWriter& ByteWriter::U16BE(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  bytes_.push_back(static_cast<std::uint8_t>(v));
  return *this;
}

ByteWriter& ByteWriter::U32BE(std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(v >> shift));
  return *this;
}

ByteWriter& ByteWriter::Raw(Bytes bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteWriter& ByteWriter::Raw(std::string_view bytes) {
  for (const char c : bytes) bytes_.push_back(static_cast<std::uint8_t>(c));
  return *this;
}

ByteWriter& ByteWriter::Fill(std::size_t count, std::uint8_t value) {
  bytes_.insert(bytes_.end(), count, value);
  return *this;
}

ByteWriter& ByteWriter::PatchU32LE(std::size_t offset, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) bytes_.at(offset + static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(v >> (8 * k));
  return *this;
}

ByteWriter& ByteWriter::PatchU32BE(std::size_t offset, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) bytes_.at(offset + static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(v >> (24 - 8 * k));
  return *this;
}

ByteWriter& ByteWriter::PatchU16BE(std::size_t offset, std::uint16_t v) {
  bytes_.at(offset) = static_cast<std::uint8_t>(v >> 8);
  bytes_.at(offset + 1) = static_cast<std::uint8_t>(v);
  return *this;
}

}  // namespace bushou::platform
