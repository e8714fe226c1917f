#include "HuffmanTable.h"

#include <algorithm>

namespace lzh {

template <int LookupBits>
bool HuffmanTable<LookupBits>::Build(const uint16_t* lengths, int count, const uint32_t* values)
{
    m_counts.fill(0);
    for (int i = 0; i < count; ++i) {
        if (lengths[i] > kMaxLength)
            return false;
        ++m_counts[lengths[i]];
    }
    m_counts[0] = 0;
    // Over-subscribed lengths would give two symbols one code; unused space (incomplete codes) only fails
    // when a code actually lands in it.
    uint32_t space = 1u << kMaxLength;
    for (int len = 1; len <= kMaxLength; ++len) {
        uint32_t used = uint32_t(m_counts[len]) << (kMaxLength - len);
        if (used > space)
            return false;
        space -= used;
    }
    // Symbols sorted by length, then value: a counting sort from each length's first slot.
    std::array<uint16_t, kMaxLength + 1> slot{};
    for (int len = 2; len <= kMaxLength; ++len)
        slot[len] = static_cast<uint16_t>(slot[len - 1] + m_counts[len - 1]);
    m_sorted.resize(slot[kMaxLength] + m_counts[kMaxLength]);
    for (int sym = 0; sym < count; ++sym)
        if (lengths[sym] != 0)
            m_sorted[slot[lengths[sym]]++] = values ? values[sym] : static_cast<uint32_t>(sym);

    m_codes.clear();
    uint32_t code = 0;
    size_t index = 0;
    for (int len = 1; len <= kMaxLength; ++len) {
        for (int k = 0; k < m_counts[len]; ++k, ++code, ++index)
            m_codes.push_back({m_sorted[index], static_cast<uint16_t>(code), static_cast<uint8_t>(len)});
        code <<= 1;
    }
    // Short codes fill the lookup from its start; the rest begins a longer code or none.
    uint32_t last = 0;
    for (const Code& c : m_codes) {
        if (c.length > LookupBits)
            break;
        uint32_t first = uint32_t(c.bits) << (LookupBits - c.length);
        last = first + (1u << (LookupBits - c.length));
        std::fill(m_lookup.begin() + first, m_lookup.begin() + last, c.value << 5 | c.length);
    }
    std::fill(m_lookup.begin() + last, m_lookup.end(), kSlow);
    return true;
}

template <int LookupBits>
void HuffmanTable<LookupBits>::SetConstant(uint32_t value)
{
    std::fill(m_lookup.begin(), m_lookup.end(), value << 5);
    m_counts.fill(0);
    m_sorted.clear();
    m_codes.assign(1, {value, 0, 0});
}

// The canonical walk for codes longer than the lookup: bits holds the next kMaxLength bits.
template <int LookupBits>
uint32_t HuffmanTable<LookupBits>::SlowEntry(uint32_t bits) const
{
    uint32_t first = 0;
    size_t index = 0;
    for (int len = 1; len <= kMaxLength; ++len) {
        uint32_t code = bits >> (kMaxLength - len);
        uint32_t count = m_counts[len];
        if (code - first < count)
            return m_sorted[index + (code - first)] << 5 | len;
        index += count;
        first = (first + count) << 1;
    }
    return kSlow;
}

template class HuffmanTable<8>;

}
