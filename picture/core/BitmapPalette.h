#pragma once
// The entries of the logical palette for a bitmap block made by ReadBitmapFile.

#include <cstdint>
#include <vector>

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

// One entry per colour-table entry of the block; empty when the block has no colour table.
std::vector<PaletteEntry> BitmapPaletteEntries(const std::vector<uint8_t>& block);
