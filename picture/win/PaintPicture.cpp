#include "PaintPicture.h"

#include "BitmapPalette.h"
#include "BitmapReader.h"
#include "DibHeader.h"
#include "Handles.h"
#include "WinFileSource.h"

#include <cstddef>
#include <cstdlib>

HPALETTE CreateBitmapPalette(const std::vector<uint8_t>& block)
{
    std::vector<PaletteEntry> entries = BitmapPaletteEntries(block);
    if (entries.empty())
        return static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    std::vector<uint8_t> buffer(offsetof(LOGPALETTE, palPalEntry) + entries.size() * sizeof(PALETTEENTRY));
    auto* description = reinterpret_cast<LOGPALETTE*>(buffer.data());
    description->palVersion = 0x300;
    description->palNumEntries = static_cast<WORD>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        PALETTEENTRY& entry = description->palPalEntry[i];
        entry.peRed = entries[i].red;
        entry.peGreen = entries[i].green;
        entry.peBlue = entries[i].blue;
        entry.peFlags = entries[i].flags;
    }
    return CreatePalette(description);
}

bool PaintPictureFile(HDC dc, const RECT& destination, const std::string& path, DWORD rasterOp)
{
    CWinFileSource file;
    std::vector<uint8_t> block;
    uint32_t bitsOffset = 0;
    if (!file.Open(path) || !ReadBitmapFile(file, block, bitsOffset))
        return false;

    dib::InfoHeader header = dib::ParseInfoHeader(block.data());
    CPaletteHandle palette(CreateBitmapPalette(block));
    {
        // Without a palette the device context's current one paints the picture.
        CSelectPalette select(dc, palette.Get(), FALSE);
        if (palette)
            RealizePalette(dc);
        StretchDIBits(dc, destination.left, destination.top, destination.right - destination.left,
                      destination.bottom - destination.top, 0, 0, header.width, std::abs(header.height),
                      block.data() + bitsOffset, reinterpret_cast<const BITMAPINFO*>(block.data()), DIB_RGB_COLORS,
                      rasterOp);
    }
    return true;
}
