#include "Reader.h"

#include <algorithm>
#include <cstring>

namespace lzh {

size_t MemorySource::Read(uint8_t* buffer, size_t size)
{
    size_t n = std::min(size, m_size - m_pos);
    if (n > 0)
        std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

bool MemorySource::Seek(uint64_t offset)
{
    if (offset > m_size)
        return false;
    m_pos = static_cast<size_t>(offset);
    return true;
}

size_t LimitedReader::Read(uint8_t* buffer, size_t size)
{
    size_t want = static_cast<size_t>(std::min<uint64_t>(size, m_left));
    if (want == 0)
        return 0;
    size_t n = m_inner.Read(buffer, want);
    m_left -= n;
    return n;
}

bool ReadFully(Reader& reader, uint8_t* buffer, size_t size)
{
    while (size > 0) {
        size_t n = reader.Read(buffer, size);
        if (n == 0)
            return false;
        buffer += n;
        size -= n;
    }
    return true;
}

}
