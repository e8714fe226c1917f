#pragma once
// Fields of the bitmap info header (BITMAPINFOHEADER, little-endian) that the reader and painter use.
//
//   0 biSize  4 biWidth  8 biHeight  12 biPlanes  14 biBitCount  16 biCompression  20 biSizeImage
//   24 biXPelsPerMeter  28 biYPelsPerMeter  32 biClrUsed  36 biClrImportant   (40 bytes)

#include <cstdint>

namespace dib {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kMaskBytes = 12;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

constexpr uint32_t kSizeOffset = 0;
constexpr uint32_t kWidthOffset = 4;
constexpr uint32_t kHeightOffset = 8;
constexpr uint32_t kBitCountOffset = 14;
constexpr uint32_t kCompressionOffset = 16;
constexpr uint32_t kSizeImageOffset = 20;
constexpr uint32_t kClrUsedOffset = 32;

inline uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t Get32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
inline void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

struct InfoHeader {
    uint32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
};

inline InfoHeader ParseInfoHeader(const uint8_t* p)
{
    InfoHeader h;
    h.size = Get32(p + kSizeOffset);
    h.width = static_cast<int32_t>(Get32(p + kWidthOffset));
    h.height = static_cast<int32_t>(Get32(p + kHeightOffset));
    h.bitCount = Get16(p + kBitCountOffset);
    h.compression = Get32(p + kCompressionOffset);
    h.sizeImage = Get32(p + kSizeImageOffset);
    h.clrUsed = Get32(p + kClrUsedOffset);
    return h;
}

} // namespace dib
