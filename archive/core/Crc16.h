#pragma once
// CRC-16 of LHA archives: polynomial 0x8005, reflected (0xA001), initial value 0.

#include <cstddef>
#include <cstdint>

namespace lzh {

uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size);

}
