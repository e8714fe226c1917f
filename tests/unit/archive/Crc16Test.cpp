// The CRC takes a carry-less multiply path for long runs where the CPU has one and tables elsewhere; both must
// agree with the bit-by-bit definition at every length, alignment, starting value and split.

#include "Crc16.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint16_t BitwiseCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
    while (size-- > 0) {
        crc ^= *data++;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

TEST(Crc16Test, MatchesTheBitwiseDefinition)
{
    std::vector<uint8_t> data(1200);
    uint32_t seed = 12345;
    for (uint8_t& b : data) {
        seed = seed * 1103515245 + 12345;
        b = static_cast<uint8_t>(seed >> 16);
    }
    for (size_t offset = 0; offset < 4; ++offset) {
        for (size_t size = 0; size + offset <= data.size(); size += size < 300 ? 1 : 37) {
            for (uint16_t start : {0x0000, 0xFFFF, 0x1D0F}) {
                SCOPED_TRACE(testing::Message() << "offset " << offset << " size " << size << " start " << start);
                const uint8_t* p = data.data() + offset;
                uint16_t expected = BitwiseCrc16(start, p, size);
                ASSERT_EQ(lzh::UpdateCrc16(start, p, size), expected);
                size_t half = size / 2 + offset;
                ASSERT_EQ(lzh::UpdateCrc16(lzh::UpdateCrc16(start, p, half > size ? size : half),
                                           p + (half > size ? size : half), size - (half > size ? size : half)),
                          expected);
            }
        }
    }
}

}
