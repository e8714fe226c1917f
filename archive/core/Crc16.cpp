#include "Crc16.h"

#include <array>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define LZH_CRC_CLMUL 1
#include <immintrin.h>
#endif

namespace lzh {
namespace {

constexpr int kSlices = 16;
using CrcTables = std::array<std::array<uint16_t, 256>, kSlices>;

// Sixteen tables let the loop take sixteen bytes per step (slicing-by-16): only the first two lookups wait for
// the previous step, so the loads of a step overlap.
CrcTables MakeTables()
{
    CrcTables t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        t[0][i] = static_cast<uint16_t>(crc);
    }
    for (unsigned i = 0; i < 256; ++i)
        for (int k = 1; k < kSlices; ++k)
            t[k][i] = static_cast<uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
    return t;
}

const CrcTables kTables = MakeTables();

uint16_t TableCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
    const auto& t = kTables;
    while (size >= kSlices) {
        unsigned a = (data[0] | (data[1] << 8)) ^ crc;
        unsigned head = t[15][a & 0xFF] ^ t[14][a >> 8];
        unsigned rest = t[13][data[2]] ^ t[12][data[3]] ^ t[11][data[4]] ^ t[10][data[5]] ^ t[9][data[6]] ^
                        t[8][data[7]] ^ t[7][data[8]] ^ t[6][data[9]] ^ t[5][data[10]] ^ t[4][data[11]] ^
                        t[3][data[12]] ^ t[2][data[13]] ^ t[1][data[14]] ^ t[0][data[15]];
        crc = static_cast<uint16_t>(head ^ rest);
        data += kSlices;
        size -= kSlices;
    }
    while (size-- > 0)
        crc = static_cast<uint16_t>((crc >> 8) ^ t[0][(crc ^ *data++) & 0xFF]);
    return crc;
}

#ifdef LZH_CRC_CLMUL

// Carry-less multiplication folds the data 64 bytes per step, several times faster than the tables; it is
// chosen at run time because old office PCs lack the instruction.
//
// A 16-byte block is a polynomial of degree < 128 whose coefficient of x^d sits at bit 127 - d (the CRC is
// reflected), and the CRC of a message depends only on its polynomial modulo P. Moving a block n bits
// further on multiplies it by x^n; each 64-bit half is multiplied by a 16-bit remainder instead, which gives
// an 80-bit product that fits the block again. In this bit order a product comes out one bit low, so each
// constant carries one power of x less.

// x^n mod P, with P = x^16 + x^15 + x^2 + 1 written 0x8005 (bit d = x^d).
uint32_t PowerMod(int n)
{
    uint32_t r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000)
            r ^= 0x18005;
    }
    return r;
}

// A remainder in the reflected order of a 64-bit half: x^d at bit 63 - d.
uint64_t Reflected(uint32_t remainder)
{
    uint64_t v = 0;
    for (int d = 0; d < 16; ++d)
        if (remainder & (1u << d))
            v |= uint64_t(1) << (63 - d);
    return v;
}

struct FoldConstants {
    // Low half (the earlier bytes, higher powers) and high half factors for moving a block `bytes` on.
    uint64_t low, high;
};

FoldConstants MakeFold(int bytes)
{
    return {Reflected(PowerMod(8 * bytes + 64 - 1)), Reflected(PowerMod(8 * bytes - 1))};
}

const FoldConstants kFold16 = MakeFold(16);
const FoldConstants kFold64 = MakeFold(64);

__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i block, __m128i constants)
{
    return _mm_xor_si128(_mm_clmulepi64_si128(block, constants, 0x00), _mm_clmulepi64_si128(block, constants, 0x11));
}

__attribute__((target("pclmul,sse2"))) inline __m128i Constants(const FoldConstants& f)
{
    return _mm_set_epi32(static_cast<int>(f.high >> 32), static_cast<int>(f.high), static_cast<int>(f.low >> 32),
                         static_cast<int>(f.low));
}

// Needs size >= 64. Four blocks fold in parallel so that the multiplications overlap, then fold into one.
__attribute__((target("pclmul,sse2"))) uint16_t ClmulCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
    const __m128i* p = reinterpret_cast<const __m128i*>(data);
    __m128i x0 = _mm_xor_si128(_mm_loadu_si128(p), _mm_cvtsi32_si128(crc));
    __m128i x1 = _mm_loadu_si128(p + 1);
    __m128i x2 = _mm_loadu_si128(p + 2);
    __m128i x3 = _mm_loadu_si128(p + 3);
    p += 4;
    size -= 64;
    __m128i k64 = Constants(kFold64);
    while (size >= 64) {
        x0 = _mm_xor_si128(Fold(x0, k64), _mm_loadu_si128(p));
        x1 = _mm_xor_si128(Fold(x1, k64), _mm_loadu_si128(p + 1));
        x2 = _mm_xor_si128(Fold(x2, k64), _mm_loadu_si128(p + 2));
        x3 = _mm_xor_si128(Fold(x3, k64), _mm_loadu_si128(p + 3));
        p += 4;
        size -= 64;
    }
    __m128i k16 = Constants(kFold16);
    __m128i x = _mm_xor_si128(Fold(x0, k16), x1);
    x = _mm_xor_si128(Fold(x, k16), x2);
    x = _mm_xor_si128(Fold(x, k16), x3);
    while (size >= 16) {
        x = _mm_xor_si128(Fold(x, k16), _mm_loadu_si128(p++));
        size -= 16;
    }
    alignas(16) uint8_t last[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(last), x);
    return TableCrc16(TableCrc16(0, last, 16), reinterpret_cast<const uint8_t*>(p), size);
}

// Static initialisers may run before the compiler's own CPU probe, so it is asked to probe first.
bool HasClmul()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

const bool kHasClmul = HasClmul();

#endif

}

uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size)
{
#ifdef LZH_CRC_CLMUL
    if (size >= 64 && kHasClmul)
        return ClmulCrc16(crc, data, size);
#endif
    return TableCrc16(crc, data, size);
}

}
