#pragma once
// The decoder core reads through io/ByteSource.h's one reader interface, shared with the bitmap reader and
// the media checker; it never opens files itself. Here: what the core adds to it.

#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

// Passes on at most limit bytes of another reader: one entry's compressed data.
class LimitedReader : public ByteReader {
public:
    LimitedReader(ByteReader& inner, uint64_t limit) : m_inner(inner), m_left(limit) {}
    size_t Read(uint8_t* buffer, size_t size) override;

private:
    ByteReader& m_inner;
    uint64_t m_left;
};

// Reads exactly size bytes; false when the source ends first.
bool ReadFully(ByteReader& reader, uint8_t* buffer, size_t size);

}
