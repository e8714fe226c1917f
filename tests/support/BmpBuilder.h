#pragma once
// Builds bitmap files in memory for the tests, with every header field under the test's control.

#include <cstdint>
#include <string>
#include <vector>

struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t offBits = 0;              // written as given; 0 means "bits follow the table"
    uint32_t tableEntries = 0;         // colour entries actually written
    std::vector<uint8_t> extraHeader;  // bytes after the first 40 of a longer header
    std::vector<uint8_t> masks;        // written after the header (bit-field bitmaps with a 40-byte header)
    uint32_t gap = 0;                  // bytes between table and bits
    std::vector<uint8_t> bits;
};

inline void Append16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Append32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Colour entry i is (blue i, green 2i, red 3i).
inline std::vector<uint8_t> BuildBmp(const BmpSpec& s)
{
    std::vector<uint8_t> out{'B', 'M'};
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, s.offBits);
    Append32(out, s.headerSize);
    Append32(out, static_cast<uint32_t>(s.width));
    Append32(out, static_cast<uint32_t>(s.height));
    Append16(out, 1);
    Append16(out, s.bitCount);
    Append32(out, s.compression);
    Append32(out, s.sizeImage);
    Append32(out, 2835);
    Append32(out, 2835);
    Append32(out, s.clrUsed);
    Append32(out, 0);
    out.insert(out.end(), s.extraHeader.begin(), s.extraHeader.end());
    out.insert(out.end(), s.masks.begin(), s.masks.end());
    for (uint32_t i = 0; i < s.tableEntries; ++i) {
        out.push_back(static_cast<uint8_t>(i));
        out.push_back(static_cast<uint8_t>(2 * i));
        out.push_back(static_cast<uint8_t>(3 * i));
        out.push_back(0);
    }
    out.insert(out.end(), s.gap, 0xEE);
    out.insert(out.end(), s.bits.begin(), s.bits.end());
    return out;
}

// A plain picture of side x side pixels, 24 bits each, as the bytes of a file: a medium's picture.
inline std::string PlainBmpFile(uint32_t side = 2)
{
    BmpSpec s;
    s.width = s.height = static_cast<int32_t>(side);
    uint32_t row = (3 * side + 3) & ~3u;
    s.sizeImage = row * side;
    s.offBits = 54;
    s.bits.assign(s.sizeImage, 0);
    std::vector<uint8_t> bytes = BuildBmp(s);
    return std::string(bytes.begin(), bytes.end());
}

// Counting bytes 0, 1, 2, ... as pixel data.
inline std::vector<uint8_t> Ramp(size_t n)
{
    std::vector<uint8_t> bits(n);
    for (size_t i = 0; i < n; ++i)
        bits[i] = static_cast<uint8_t>(i * 7 + 1);
    return bits;
}
