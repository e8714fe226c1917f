// Any bytes as a bitmap file: the reader must refuse or hand out a block the painting can use whole.

#include "BitmapPalette.h"
#include "BitmapReader.h"
#include "DibHeader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemorySource source(data, size);
    std::vector<uint8_t> block;
    uint32_t bitsOffset = 0;
    if (!ReadBitmapFile(source, block, bitsOffset))
        return 0;
    dib::InfoHeader h = dib::ParseInfoHeader(block.data());
    // What the painting reads: header, masks and colour table before the bits, then biSizeImage bytes of bits,
    // and for uncompressed pictures every row.
    bool uncompressed = h.compression == dib::kRgb || h.compression == dib::kBitFields;
    if (h.size != dib::kInfoHeaderSize || ColourTableOffset(block) + 4ull * h.clrUsed != bitsOffset ||
        uint64_t{bitsOffset} + h.sizeImage != block.size() ||
        (uncompressed && ImageSize(h.width, h.height, h.bitCount) > h.sizeImage))
        std::abort();
    if (BitmapPaletteEntries(block).size() != h.clrUsed)
        std::abort();
    return 0;
}
