#pragma once
// Reads a Windows bitmap file into one packed device-independent bitmap block:
//
//   [40-byte info header][3 colour masks, bit-field bitmaps only][n colour entries (B G R 0)][pixel bits]
//
// The block always carries a plain 40-byte header with biClrUsed = n and a biSizeImage that covers every row,
// so the painting never reads beyond it. Later header versions are cut to their first 40 bytes.

#include "ByteSource.h"

#include <cstdint>
#include <vector>

constexpr uint32_t kReadChunk = 32768;

// Reads count bytes in pieces of at most kReadChunk; count when all arrived, else 0.
uint32_t ReadFileInChunks(ByteSource& file, uint8_t* buffer, uint32_t count);

// Number of colour-table entries for a bit count and biClrUsed; -1 when biClrUsed exceeds what the depth allows.
int ColourCount(uint16_t bitCount, uint32_t clrUsed);

// Bytes of pixel bits of an uncompressed bitmap: rows padded to 32-bit words.
uint64_t ImageSize(int32_t width, int32_t height, uint16_t bitCount);

// Reads the file into block; bitsOffset becomes the offset of the pixel bits in it. 1 on success, 0 on failure.
int ReadBitmapFile(ByteSource& file, std::vector<uint8_t>& block, uint32_t& bitsOffset);

// Offset of the colour table in a block made by ReadBitmapFile.
uint32_t ColourTableOffset(const std::vector<uint8_t>& block);
