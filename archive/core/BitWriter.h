#pragma once
// Writes bit fields MSB-first, as the lh4-lh7 methods read them, into a buffer that goes to a sink in whole
// chunks.

#include "ByteSink.h"

#include <cstdint>
#include <vector>

namespace lzh {

class BitWriter {
public:
    explicit BitWriter(ByteSink& out) : m_out(out) { m_buffer.reserve(kChunk + 8); }

    // The low `count` bits of value (count <= 32).
    void Put(int count, uint32_t value)
    {
        m_bits = m_bits << count | (value & ((uint64_t(1) << count) - 1));
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            m_buffer.push_back(static_cast<uint8_t>(m_bits >> m_count));
        }
        if (m_buffer.size() >= kChunk)
            Drain();
    }

    // Pads the last byte with zero bits and hands everything to the sink; false when the sink refused.
    bool Flush()
    {
        if (m_count > 0)
            Put(8 - m_count, 0);
        return Drain();
    }

    bool Failed() const { return m_failed; }

private:
    static constexpr size_t kChunk = 64 * 1024;

    bool Drain()
    {
        if (!m_failed && !m_buffer.empty() && !m_out.Write(m_buffer.data(), m_buffer.size()))
            m_failed = true;
        m_buffer.clear();
        return !m_failed;
    }

    ByteSink& m_out;
    std::vector<uint8_t> m_buffer;
    uint64_t m_bits = 0;
    int m_count = 0;
    bool m_failed = false;
};

}
