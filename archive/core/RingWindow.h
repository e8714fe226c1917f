#pragma once
// The small ring dictionaries of the old methods (-lh1-, -lzs-, -lz5-), whose matches name an absolute ring
// position or an offset modulo the ring size. Decoded bytes collect in a staging buffer for the sink.

#include "BitReader.h"
#include "Decoder.h"
#include "ByteSink.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lzh {

class RingWindow {
public:
    RingWindow(ByteSink& sink, size_t size, uint8_t initial) : m_sink(sink), m_ring(size, initial), m_mask(size - 1)
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
    // Copies a match from ring position from on, byte by byte: it may overlap the bytes it writes. Stops after
    // limit bytes (the entry's end); returns how many it copied.
    uint64_t CopyMatch(size_t from, uint32_t count, uint64_t limit)
    {
        uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(count, limit));
        for (uint32_t k = 0; k < n; ++k)
            Put(At(from + k));
        return n;
    }
    bool FlushIfFull() { return m_staging.size() < kStaging || Flush(); }
    bool Flush()
    {
        bool ok = m_staging.empty() || m_sink.Write(m_staging.data(), m_staging.size());
        m_staging.clear();
        return ok;
    }

private:
    static constexpr size_t kStaging = 1 << 16;
    ByteSink& m_sink;
    std::vector<uint8_t> m_ring;
    size_t m_mask;
    size_t m_pos = 0;
    std::vector<uint8_t> m_staging;
};

// The loop of every ring decoder: step decodes one literal or match into the ring, given the bytes still due,
// and returns how many it added. Reading past the input means a truncated stream.
template <typename Step>
DecodeStatus DecodeIntoRing(BitReader& in, RingWindow& ring, uint64_t length, Step step)
{
    while (length > 0) {
        if (in.Overrun())
            return DecodeStatus::Truncated;
        length -= step(length);
        if (!ring.FlushIfFull())
            return DecodeStatus::WriteFailed;
    }
    if (in.Overrun())
        return DecodeStatus::Truncated;
    return ring.Flush() ? DecodeStatus::Ok : DecodeStatus::WriteFailed;
}

}
