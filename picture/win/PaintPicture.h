#pragma once
// Paints a bitmap file, stretched over a rectangle of a device context. Nothing is cached: every call reads
// the file anew. Failures are silent (nothing painted).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// True when the file was read and the painting issued, false when the file cannot be read.
bool PaintPictureFile(HDC dc, const RECT& destination, const std::string& path, DWORD rasterOp);

// The logical palette for a block from ReadBitmapFile; the stock default palette when it has no colour table;
// null when the palette cannot be made.
HPALETTE CreateBitmapPalette(const std::vector<uint8_t>& block);
