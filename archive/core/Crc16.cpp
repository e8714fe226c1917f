#include "Crc16.h"

#include <array>

namespace lzh {
namespace {

using CrcTables = std::array<std::array<uint16_t, 256>, 8>;

// Eight tables let the loop take eight bytes per step (slicing-by-8); the CRC runs over every output byte.
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
        for (int k = 1; k < 8; ++k)
            t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
    return t;
}

const CrcTables kTables = MakeTables();

}

uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
    const auto& t = kTables;
    while (size >= 8) {
        unsigned a = (data[0] | (data[1] << 8)) ^ crc;
        crc = t[7][a & 0xFF] ^ t[6][a >> 8] ^ t[5][data[2]] ^ t[4][data[3]] ^ t[3][data[4]] ^ t[2][data[5]] ^
              t[1][data[6]] ^ t[0][data[7]];
        data += 8;
        size -= 8;
    }
    while (size-- > 0)
        crc = static_cast<uint16_t>((crc >> 8) ^ t[0][(crc ^ *data++) & 0xFF]);
    return crc;
}

}
