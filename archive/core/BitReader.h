#pragma once
// MSB-first bit stream over a Reader, as all LHA methods store their codes.
//
// Past the end of the input the stream yields zero bits; Overrun() tells when more bits were consumed than the
// input held, so that every decoder stops in bounded time on a truncated stream.

#include "Reader.h"

#include <cstdint>
#include <vector>

namespace lzh {

class BitReader {
public:
    explicit BitReader(Reader& in) : m_in(in), m_buffer(1 << 16) {}

    // At least 56 bits are available after Refill (and never 64, which the word-wise path cannot take).
    inline void Refill()
    {
        if (m_end - m_next >= 8) {
            uint64_t word = 0;
            for (int i = 0; i < 8; ++i)
                word = (word << 8) | m_next[i];
            m_bits |= word >> m_count;
            m_next += (63 - m_count) >> 3;
            m_count |= 56;
            return;
        }
        RefillSlow();
    }

    // n <= 32 and n <= the bits available.
    uint32_t Peek(int n) const { return n == 0 ? 0 : static_cast<uint32_t>(m_bits >> (64 - n)); }
    void Skip(int n)
    {
        m_bits = n == 64 ? 0 : m_bits << n;
        m_count -= n;
    }
    uint32_t Take(int n)
    {
        uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // Refills as needed; n <= 32.
    uint32_t Bits(int n)
    {
        if (m_count < n)
            Refill();
        return Take(n);
    }
    int Available() const { return m_count; }
    // True once bits beyond the end of the input have been consumed.
    bool Overrun() const { return m_padBytes * 8 > static_cast<uint64_t>(m_count); }

private:
    void RefillSlow()
    {
        while (m_count < 56) {
            if (m_next == m_end && !Fill()) {
                ++m_padBytes;
                m_count += 8;
                continue;
            }
            m_bits |= static_cast<uint64_t>(*m_next++) << (56 - m_count);
            m_count += 8;
        }
    }
    bool Fill()
    {
        if (m_padBytes > 0)
            return false;
        size_t n = m_in.Read(m_buffer.data(), m_buffer.size());
        m_next = m_buffer.data();
        m_end = m_next + n;
        return n > 0;
    }

    Reader& m_in;
    std::vector<uint8_t> m_buffer;
    const uint8_t* m_next = nullptr;
    const uint8_t* m_end = nullptr;
    uint64_t m_bits = 0;
    int m_count = 0;
    uint64_t m_padBytes = 0;
};

}
