#pragma once
// The adaptive Huffman tree of -lh1- (LZHUF): symbol frequencies grow as symbols are decoded, and the tree is
// kept ordered by swapping nodes; at a root frequency of 0x8000 all counts are halved and the tree rebuilt.

#include "BitReader.h"

#include <array>
#include <cstdint>

namespace lzh {

class AdaptiveHuffman {
public:
    static constexpr int kSymbols = 314; // 256 literals + match lengths 3..60

    AdaptiveHuffman();
    // Needs as many bits available as the tree is deep (refills itself).
    int Decode(BitReader& in);

private:
    static constexpr int kNodes = kSymbols * 2 - 1;
    static constexpr int kRoot = kNodes - 1;
    static constexpr uint16_t kMaxFrequency = 0x8000;

    void Update(int symbol);
    void Rebuild();

    std::array<uint16_t, kNodes + 1> m_freq{};
    std::array<int16_t, kNodes + kSymbols> m_parent{};
    std::array<int16_t, kNodes> m_child{};
};

}
