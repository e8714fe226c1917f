#include "BitmapReader.h"

#include "DibHeader.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// Larger pictures are refused before anything is allocated; a media picture is a few hundred kilobytes.
constexpr uint64_t kMaxBlockSize = 256ull << 20;
// The painting passes width and height as 16-bit source sizes.
constexpr int64_t kMaxSide = 0xFFFF;

bool IsKnownHeaderSize(uint32_t size)
{
    // BITMAPINFOHEADER, its V2 and V3 extensions (bit masks inside), BITMAPV4HEADER, BITMAPV5HEADER.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsPaintableLayout(const dib::InfoHeader& h)
{
    int64_t height = h.height;
    if (h.width <= 0 || h.width > kMaxSide || height == 0 || std::llabs(height) > kMaxSide)
        return false;
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        break;
    default:
        return false;
    }
    switch (h.compression) {
    case dib::kRgb:
        return true;
    case dib::kRle8:
        return h.bitCount == 8 && h.height > 0; // run-length bitmaps are always bottom-up
    case dib::kRle4:
        return h.bitCount == 4 && h.height > 0;
    case dib::kBitFields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;
    }
}

// Reads the info header and whatever a later header version adds to it.
bool ReadInfoHeader(ByteSource& file, uint8_t (&header)[dib::kInfoHeaderSize], std::vector<uint8_t>& extension)
{
    if (file.Read(header, dib::kInfoHeaderSize) != dib::kInfoHeaderSize)
        return false;
    uint32_t size = dib::Get32(header);
    if (!IsKnownHeaderSize(size))
        return false;
    extension.resize(size - dib::kInfoHeaderSize);
    uint32_t rest = static_cast<uint32_t>(extension.size());
    return file.Read(extension.data(), rest) == rest;
}

// The three colour masks of a bit-field bitmap: inside a longer header, else right after the 40 bytes.
bool ReadMasks(ByteSource& file, const std::vector<uint8_t>& extension, uint8_t (&masks)[dib::kMaskBytes])
{
    if (extension.size() >= dib::kMaskBytes) {
        std::copy_n(extension.begin(), dib::kMaskBytes, masks);
        return true;
    }
    return file.Read(masks, dib::kMaskBytes) == dib::kMaskBytes;
}

// Bytes of pixel bits to read: the header's biSizeImage, but never fewer than the rows an uncompressed
// bitmap needs, so that the painting stays inside the block.
uint64_t BitsToRead(const dib::InfoHeader& h)
{
    uint64_t rows = ImageSize(h.width, h.height, h.bitCount);
    bool compressed = h.compression == dib::kRle8 || h.compression == dib::kRle4;
    if (h.sizeImage == 0 || (!compressed && h.sizeImage < rows))
        return rows;
    return h.sizeImage;
}

// What the headers say about the block, before it is allocated.
struct Layout {
    uint8_t header[dib::kInfoHeaderSize];
    uint8_t masks[dib::kMaskBytes] = {};
    bool hasMasks = false;
    uint32_t offBits = 0;
    uint32_t tableOffset = 0;
    uint32_t tableBytes = 0;
    uint64_t bits = 0;
    uint64_t position = 0; // file position after the headers and masks
};

bool ReadLayout(ByteSource& file, Layout& layout)
{
    uint8_t fileHeader[dib::kFileHeaderSize];
    if (file.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return false;
    layout.offBits = dib::Get32(fileHeader + 10);
    std::vector<uint8_t> extension;
    if (!ReadInfoHeader(file, layout.header, extension))
        return false;
    dib::InfoHeader h = dib::ParseInfoHeader(layout.header);
    int colours = ColourCount(h.bitCount, h.clrUsed);
    if (!IsPaintableLayout(h) || colours < 0)
        return false;
    layout.position = dib::kFileHeaderSize + h.size;
    layout.hasMasks = h.compression == dib::kBitFields;
    if (layout.hasMasks) {
        if (!ReadMasks(file, extension, layout.masks))
            return false;
        if (extension.empty())
            layout.position += dib::kMaskBytes;
    }
    layout.tableOffset = dib::kInfoHeaderSize + (layout.hasMasks ? dib::kMaskBytes : 0);
    layout.tableBytes = 4 * static_cast<uint32_t>(colours);
    layout.bits = BitsToRead(h);
    return true;
}

// Refuses sizes that overflow the cap, and bits the file cannot hold, before the block is grown for them.
bool FitsFile(const Layout& layout, uint64_t fileSize)
{
    uint64_t total = layout.tableOffset + uint64_t{layout.tableBytes} + layout.bits;
    uint64_t bitsStart = layout.offBits != 0 ? layout.offBits : layout.position + layout.tableBytes;
    return total <= kMaxBlockSize && bitsStart + layout.bits <= fileSize;
}

// False when the block cannot be allocated: within the cap a picture can still be more than a 32-bit process
// has room for, and it is then a picture not painted, never the end of the program.
bool StartBlock(const Layout& layout, std::vector<uint8_t>& block)
{
    try {
        block.assign(static_cast<size_t>(layout.tableOffset + layout.tableBytes + layout.bits), 0);
    } catch (const std::bad_alloc&) {
        std::vector<uint8_t>().swap(block);
        return false;
    }
    std::copy_n(layout.header, dib::kInfoHeaderSize, block.begin());
    if (layout.hasMasks)
        std::copy_n(layout.masks, dib::kMaskBytes, block.begin() + dib::kInfoHeaderSize);
    dib::Put32(block.data() + dib::kSizeOffset, dib::kInfoHeaderSize);
    dib::Put32(block.data() + dib::kClrUsedOffset, layout.tableBytes / 4);
    dib::Put32(block.data() + dib::kSizeImageOffset, static_cast<uint32_t>(layout.bits));
    return true;
}

} // namespace

uint32_t ReadFileInChunks(ByteSource& file, uint8_t* buffer, uint32_t count)
{
    uint32_t remaining = count;
    uint8_t* position = buffer;
    while (remaining > kReadChunk) {
        if (file.Read(position, kReadChunk) != kReadChunk)
            return 0;
        position += kReadChunk;
        remaining -= kReadChunk;
    }
    return file.Read(position, remaining) == remaining ? count : 0;
}

int ColourCount(uint16_t bitCount, uint32_t clrUsed)
{
    // Deeper bitmaps need no table; one given there only helps palette devices.
    uint32_t limit = bitCount <= 8 ? 1u << bitCount : 256u;
    if (clrUsed > limit)
        return -1;
    if (clrUsed == 0)
        return bitCount <= 8 ? static_cast<int>(limit) : 0;
    return static_cast<int>(clrUsed);
}

uint64_t ImageSize(int32_t width, int32_t height, uint16_t bitCount)
{
    uint64_t rowBits = static_cast<uint64_t>(std::llabs(static_cast<int64_t>(width))) * bitCount;
    uint64_t rowBytes = ((rowBits + 31) & ~uint64_t{31}) / 8;
    return rowBytes * static_cast<uint64_t>(std::llabs(static_cast<int64_t>(height)));
}

uint32_t ColourTableOffset(const std::vector<uint8_t>& block)
{
    bool masks = block.size() >= dib::kInfoHeaderSize &&
                 dib::Get32(block.data() + dib::kCompressionOffset) == dib::kBitFields;
    return dib::kInfoHeaderSize + (masks ? dib::kMaskBytes : 0);
}

int ReadBitmapFile(ByteSource& file, std::vector<uint8_t>& block, uint32_t& bitsOffset)
{
    Layout layout;
    if (!ReadLayout(file, layout) || !FitsFile(layout, file.Size()) || !StartBlock(layout, block))
        return 0;
    if (file.Read(block.data() + layout.tableOffset, layout.tableBytes) != layout.tableBytes)
        return 0;
    bitsOffset = layout.tableOffset + layout.tableBytes;
    if (layout.offBits != 0 && !file.Seek(layout.offBits))
        return 0;
    uint32_t count = static_cast<uint32_t>(layout.bits);
    return ReadFileInChunks(file, block.data() + bitsOffset, count) == count ? 1 : 0;
}
