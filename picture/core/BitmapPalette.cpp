#include "BitmapPalette.h"

#include "BitmapReader.h"
#include "DibHeader.h"

std::vector<PaletteEntry> BitmapPaletteEntries(const std::vector<uint8_t>& block)
{
    std::vector<PaletteEntry> entries;
    if (block.size() < dib::kInfoHeaderSize)
        return entries;
    uint32_t count = dib::Get32(block.data() + dib::kClrUsedOffset) & 0xFFFF;
    uint32_t table = ColourTableOffset(block);
    if (table + 4ull * count > block.size())
        return entries;
    entries.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* quad = block.data() + table + 4 * i;
        entries.push_back(PaletteEntry{quad[2], quad[1], quad[0], 0});
    }
    return entries;
}
