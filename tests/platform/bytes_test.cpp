#include "platform/bytes.h"

#include <gtest/gtest.h>

#include <limits>

namespace bushou::platform {
namespace {

TEST(ByteReader, ReadsBothByteOrdersAndStopsAtTheEnd) {
  const std::uint8_t data[] = {0x01, 0x02, 0x03, 0x04, 0x05};
  ByteReader le(data);
  EXPECT_EQ(le.U16(), 0x0201);
  EXPECT_EQ(le.U16(), 0x0403);
  EXPECT_EQ(le.U16(), std::nullopt);  // one byte left
  EXPECT_EQ(le.position(), 4u);       // a failed read does not move
  EXPECT_EQ(le.U8(), 0x05);
  EXPECT_EQ(le.U8(), std::nullopt);

  ByteReader be(data, Endian::Big);
  EXPECT_EQ(be.U32(), 0x01020304u);
  EXPECT_EQ(be.remaining(), 1u);
  EXPECT_EQ(be.U16(), std::nullopt);
}

TEST(ByteReader, TakeGivesAllOrNothing) {
  const std::uint8_t data[] = {1, 2, 3};
  ByteReader r(data);
  EXPECT_EQ(r.Take(4), std::nullopt);
  EXPECT_EQ(r.position(), 0u);
  EXPECT_EQ(r.Take(3)->size(), 3u);
  EXPECT_EQ(r.Take(1), std::nullopt);
}

TEST(Slice, RejectsRangesThatWouldOverflow) {
  const std::uint8_t data[8] = {};
  const std::size_t huge = std::numeric_limits<std::size_t>::max();
  EXPECT_FALSE(Slice(data, huge, 2));
  EXPECT_FALSE(Slice(data, 2, huge));
  EXPECT_FALSE(Slice(data, 9, 0));
  EXPECT_TRUE(Slice(data, 8, 0));
  EXPECT_EQ(ReadU32(data, 5, Endian::Little), std::nullopt);
  EXPECT_EQ(ReadU32(data, 4, Endian::Little), 0u);
}

TEST(ByteWriter, WritesFieldsInTheirByteOrder) {
  ByteWriter w;
  w.U16LE(0x0102).U16BE(0x0102).U32LE(0x01020304).U32BE(0x01020304).PatchU32LE(0, 0xAABBCCDD);
  const std::vector<std::uint8_t> expected = {0xDD, 0xCC, 0xBB, 0xAA, 0x04, 0x03,
                                              0x02, 0x01, 0x01, 0x02, 0x03, 0x04};
  EXPECT_EQ(w.bytes(), expected);
}

}  // namespace
}  // namespace bushou::platform
