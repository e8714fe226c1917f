#pragma once
// The sliding dictionary shared by the LZ decoders: a linear buffer that holds the dictionary followed by the
// bytes decoded since the last flush. Matches never wrap, so they copy with plain loops; when the buffer
// fills, its new part goes to the sink and the last dictionary-size bytes move to the front.

#include "ByteSink.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace lzh {

class OutputWindow {
public:
    // history: the farthest a match may reach back; initial: the byte the history starts filled with.
    OutputWindow(ByteSink& sink, size_t history, uint8_t initial)
        : m_sink(sink), m_history(history), m_chunk(history * 4 > (1u << 18) ? history * 4 : (1u << 18)),
          m_buffer(history + m_chunk + kSlack, initial)
    {
        m_pos = m_flushed = m_buffer.data() + history;
        m_limit = m_buffer.data() + history + m_chunk;
    }

    uint8_t* Position() { return m_pos; }
    uint8_t* Limit() { return m_limit; }
    uint8_t* Start() { return m_buffer.data(); }
    void SetPosition(uint8_t* pos) { m_pos = pos; }

    // Once the buffer is full, writes exactly one chunk and slides the dictionary (and any bytes a match wrote
    // past the limit) down. Equal, aligned writes let the file system cache the file in large pages; writing
    // after every block instead cost more than the CRC.
    bool FlushIfFull()
    {
        if (m_pos < m_limit)
            return true;
        if (!m_sink.Write(m_flushed, static_cast<size_t>(m_limit - m_flushed)))
            return false;
        size_t over = static_cast<size_t>(m_pos - m_limit);
        std::memmove(m_buffer.data(), m_limit - m_history, m_history + over);
        m_flushed = m_buffer.data() + m_history;
        m_pos = m_flushed + over;
        return true;
    }

    // Writes whatever is pending: at the entry's end.
    bool FlushAll()
    {
        if (m_pos > m_flushed && !m_sink.Write(m_flushed, static_cast<size_t>(m_pos - m_flushed)))
            return false;
        m_flushed = m_pos;
        return true;
    }

    // Room kept behind the limit so that one whole match (at most 256 bytes) and word-sized copies fit.
    static constexpr size_t kSlack = 512;

private:
    ByteSink& m_sink;
    size_t m_history;
    size_t m_chunk;
    std::vector<uint8_t> m_buffer;
    uint8_t* m_pos;
    uint8_t* m_flushed;
    uint8_t* m_limit;
};

}
