#pragma once
// The small ring dictionaries of the old methods (-lh1-, -lzs-, -lz5-), whose matches name an absolute ring
// position or an offset modulo the ring size. Decoded bytes collect in a staging buffer for the sink.

#include "Sink.h"

#include <cstdint>
#include <vector>

namespace lzh {

class RingWindow {
public:
    RingWindow(Sink& sink, size_t size, uint8_t initial) : m_sink(sink), m_ring(size, initial), m_mask(size - 1)
    {
        m_staging.reserve(kStaging);
    }

    uint8_t& At(size_t index) { return m_ring[index & m_mask]; }
    size_t Position() const { return m_pos; }
    void SetPosition(size_t pos) { m_pos = pos & m_mask; }

    void Put(uint8_t byte)
    {
        m_ring[m_pos] = byte;
        m_pos = (m_pos + 1) & m_mask;
        m_staging.push_back(byte);
    }
    bool NeedsFlush() const { return m_staging.size() >= kStaging; }
    bool Flush()
    {
        bool ok = m_staging.empty() || m_sink.Write(m_staging.data(), m_staging.size());
        m_staging.clear();
        return ok;
    }

private:
    static constexpr size_t kStaging = 1 << 16;
    Sink& m_sink;
    std::vector<uint8_t> m_ring;
    size_t m_mask;
    size_t m_pos = 0;
    std::vector<uint8_t> m_staging;
};

}
