#pragma once
// Canonical Huffman codes as the lh4-lh7 methods send them: code lengths only, codes assigned in order of
// length, then symbol. Decoding looks up the next LookupBits bits; longer codes take a slower canonical walk.

#include "BitReader.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lzh {

// The lookup width is a constant so that the hot loops shift by immediates and keep the table at a fixed
// place in the decoder, with no pointer to reload after each output byte.
template <int LookupBits>
class HuffmanTable {
public:
    static constexpr int kMaxLength = 16;
    static constexpr int kInvalid = -1;

    struct Code {
        uint32_t value;
        uint16_t bits; // the code, read MSB-first
        uint8_t length;
    };

    // Builds from code lengths (0 = unused); false when the lengths over-subscribe the code space. Decoding
    // yields values[symbol] (below 2^26), or the symbol itself without values.
    bool Build(const uint16_t* lengths, int count, const uint32_t* values = nullptr);
    // Every code decodes to value without consuming bits (a block that uses one symbol only).
    void SetConstant(uint32_t value);

    // Needs at least kMaxLength bits in the cursor; returns kInvalid for a code that is not in the table.
    inline int Decode(BitCursor& in) const
    {
        uint32_t entry = m_lookup[in.bits >> (64 - LookupBits)];
        if (entry == kSlow) {
            entry = SlowEntry(static_cast<uint32_t>(in.bits >> (64 - kMaxLength)));
            if (entry == kSlow)
                return kInvalid;
        }
        in.Skip(entry & 31);
        return static_cast<int>(entry >> 5);
    }
    int Decode(BitReader& in) const { return Decode(in.Cursor()); }

    // Every code in canonical order, so that their bit patterns count up from 0 (shorter first); a constant
    // table has one code of length 0. For building wider lookups of several codes at once.
    const std::vector<Code>& Codes() const { return m_codes; }

private:
    // Entries are value << 5 | code length.
    static constexpr uint32_t kSlow = 0xFFFFFFFF;
    uint32_t SlowEntry(uint32_t bits) const;

    std::array<uint32_t, size_t(1) << LookupBits> m_lookup{};
    std::array<uint16_t, kMaxLength + 1> m_counts{};
    std::vector<uint32_t> m_sorted; // values by code order
    std::vector<Code> m_codes;
};

extern template class HuffmanTable<8>;

}
