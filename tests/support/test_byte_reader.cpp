#include "support/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vt {
namespace {

TEST(ByteReader, ReadsLittleEndianAndStopsAtTheEnd) {
  const std::string data("\x01\x02\x03\x04\x05\x06", 6);
  TByteReader r(data);
  EXPECT_EQ(r.U8(), 0x01);
  EXPECT_EQ(r.U16(), 0x0302);
  EXPECT_EQ(r.U32(), std::nullopt); // four wanted, three left: nothing consumed
  EXPECT_EQ(r.Pos(), 3u);
  EXPECT_EQ(r.PeekU8(), 0x04);
  EXPECT_EQ(r.Chars(2), "\x04\x05");
  EXPECT_EQ(r.U16(), std::nullopt);
  EXPECT_EQ(r.U8(), 0x06);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.U8(), std::nullopt);
  EXPECT_EQ(r.PeekU8(), std::nullopt);
}

TEST(ByteReader, OffsetsAndSizesNeverWrap) {
  const std::string data(16, 'x');
  TByteReader r(data);
  EXPECT_FALSE(r.Seek(17));
  EXPECT_TRUE(r.Seek(16));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_TRUE(r.Seek(10));
  EXPECT_FALSE(r.Skip(UINT64_MAX)); // would wrap around in 64 bits
  EXPECT_EQ(r.Pos(), 10u);
  EXPECT_FALSE(r.Bytes(UINT64_MAX));
  EXPECT_FALSE(r.Range(8, UINT64_MAX - 4));
  EXPECT_FALSE(r.Range(UINT64_MAX, 1));
  EXPECT_FALSE(r.Range(17, 0));
  ASSERT_TRUE(r.Range(16, 0));
  EXPECT_EQ(r.Range(16, 0)->size(), 0u);
  ASSERT_TRUE(r.Range(4, 12));
  EXPECT_EQ(AsChars(*r.Range(4, 12)), std::string(12, 'x'));
  EXPECT_EQ(r.Remaining(), 6u);
}

} // namespace
} // namespace vt
