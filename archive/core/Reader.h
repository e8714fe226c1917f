#pragma once
// Byte sources the decoder core reads from (io/ByteSource.h, shared with the bitmap reader), under the core's
// own names. The core never opens files itself.

#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

using Reader = ::ByteReader;
// A whole archive: readable from any offset.
using ArchiveSource = ::ByteSource;
using MemorySource = ::MemorySource;

// Passes on at most limit bytes of another reader: one entry's compressed data.
class LimitedReader : public Reader {
public:
    LimitedReader(Reader& inner, uint64_t limit) : m_inner(inner), m_left(limit) {}
    size_t Read(uint8_t* buffer, size_t size) override;

private:
    Reader& m_inner;
    uint64_t m_left;
};

// Reads exactly size bytes; false when the source ends first.
bool ReadFully(Reader& reader, uint8_t* buffer, size_t size);

}
