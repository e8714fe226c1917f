#include "Reader.h"

#include <algorithm>

namespace lzh {

size_t LimitedReader::Read(uint8_t* buffer, size_t size)
{
    size_t want = static_cast<size_t>(std::min<uint64_t>(size, m_left));
    if (want == 0)
        return 0;
    size_t n = m_inner.Read(buffer, want);
    m_left -= n;
    return n;
}

bool ReadFully(ByteReader& reader, uint8_t* buffer, size_t size)
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
