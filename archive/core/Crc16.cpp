#include "Crc16.h"

#include <array>

namespace lzh {
namespace {

constexpr int kSlices = 16;
using CrcTables = std::array<std::array<uint16_t, 256>, kSlices>;

// Sixteen tables let the loop take sixteen bytes per step (slicing-by-16): only the first two lookups wait for
// the previous step, so the loads of a step overlap. The CRC runs over every output byte.
CrcTables MakeTables()
{
    CrcTables t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        t[0][i] = static_cast<uint16_t>(crc);
    }
    for (unsigned i = 0; i < 256; ++i)
        for (int k = 1; k < kSlices; ++k)
            t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
    return t;
}

const CrcTables kTables = MakeTables();

}

uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
    const auto& t = kTables;
    while (size >= kSlices) {
        unsigned a = (data[0] | (data[1] << 8)) ^ crc;
        unsigned head = t[15][a & 0xFF] ^ t[14][a >> 8];
        unsigned rest = t[13][data[2]] ^ t[12][data[3]] ^ t[11][data[4]] ^ t[10][data[5]] ^ t[9][data[6]] ^
                        t[8][data[7]] ^ t[7][data[8]] ^ t[6][data[9]] ^ t[5][data[10]] ^ t[4][data[11]] ^
                        t[3][data[12]] ^ t[2][data[13]] ^ t[1][data[14]] ^ t[0][data[15]];
        crc = static_cast<uint16_t>(head ^ rest);
        data += kSlices;
        size -= kSlices;
    }
    while (size-- > 0)
        crc = static_cast<uint16_t>((crc >> 8) ^ t[0][(crc ^ *data++) & 0xFF]);
    return crc;
}

}
