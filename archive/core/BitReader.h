#pragma once
// MSB-first bit stream over a ByteReader, as all LHA methods store their codes.
//
// Past the end of the input the stream yields zero bits; Overrun() tells when more bits were consumed than the
// input held, so that every decoder stops in bounded time on a truncated stream.

#include "Reader.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace lzh {

// The bit buffer (up to 64 bits, next bit at the top) and the unread input behind it. Hot loops copy it into a
// local so that it stays in registers while they store output bytes, which could otherwise alias it.
struct BitCursor {
    uint64_t bits = 0;
    int count = 0;
    const uint8_t* next = nullptr;
    const uint8_t* end = nullptr;

    bool HasWord() const { return end - next >= 8; }
    // How many RefillWord calls in a row have their word: each takes at most 7 bytes.
    size_t WordsLeft() const { return end - next >= 8 ? static_cast<size_t>(end - next - 8) / 7 + 1 : 0; }
    // Tops up to at least 56 bits with one word load; needs HasWord().
    void RefillWord()
    {
        uint64_t word;
        std::memcpy(&word, next, 8);
        bits |= __builtin_bswap64(word) >> count;
        next += (63 - count) >> 3;
        count |= 56;
    }
    // n <= 32 and n <= count. The split shift lets n be 0 without a branch.
    uint32_t Peek(int n) const { return static_cast<uint32_t>((bits >> 1) >> (63 - n)); }
    void Skip(int n)
    {
        bits <<= n;
        count -= n;
    }
    uint32_t Take(int n)
    {
        uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
};

class BitReader {
public:
    static constexpr size_t kBufferSize = size_t(1) << 16;

    explicit BitReader(ByteReader& in) : m_in(in), m_buffer(kBufferSize) {}

    // At least 56 bits are available after Refill (and never 64, which the word-wise path cannot take).
    inline void Refill()
    {
        if (m_c.HasWord())
            m_c.RefillWord();
        else
            RefillSlow();
    }

    uint32_t Peek(int n) const { return m_c.Peek(n); }
    void Skip(int n) { m_c.Skip(n); }
    uint32_t Take(int n) { return m_c.Take(n); }
    // Refills as needed; n <= 32.
    uint32_t Bits(int n)
    {
        if (m_c.count < n)
            Refill();
        return Take(n);
    }
    int Available() const { return m_c.count; }
    // Moves the unread bytes to the front and reads behind them once fewer than `bytes` are buffered, so that
    // word-wise refills go on across buffer ends. bytes <= kBufferSize / 2.
    void Reserve(size_t bytes)
    {
        if (static_cast<size_t>(m_c.end - m_c.next) < bytes && !m_ended)
            TopUp(bytes);
    }
    // True once bits beyond the end of the input have been consumed.
    bool Overrun() const { return m_padBytes * 8 > static_cast<uint64_t>(m_c.count); }

    BitCursor& Cursor() { return m_c; }

private:
    void RefillSlow()
    {
        Reserve(8);
        if (m_c.HasWord()) {
            m_c.RefillWord();
            return;
        }
        while (m_c.count < 56) {
            if (m_c.next == m_c.end) {
                ++m_padBytes;
                m_c.count += 8;
                continue;
            }
            m_c.bits |= static_cast<uint64_t>(*m_c.next++) << (56 - m_c.count);
            m_c.count += 8;
        }
    }
    void TopUp(size_t bytes)
    {
        size_t kept = static_cast<size_t>(m_c.end - m_c.next);
        if (kept > 0)
            std::memmove(m_buffer.data(), m_c.next, kept);
        m_c.next = m_buffer.data();
        m_c.end = m_c.next + kept;
        while (kept < bytes) {
            size_t n = m_in.Read(m_buffer.data() + kept, m_buffer.size() - kept);
            if (n == 0) {
                m_ended = true;
                break;
            }
            kept += n;
            m_c.end = m_c.next + kept;
        }
    }

    ByteReader& m_in;
    std::vector<uint8_t> m_buffer;
    BitCursor m_c;
    uint64_t m_padBytes = 0;
    bool m_ended = false;
};

}
