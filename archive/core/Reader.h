#pragma once
// Byte sources the decoder core reads from. The core never opens files itself.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

class Reader {
public:
    virtual ~Reader() = default;
    // Reads up to size bytes; returns how many were read, 0 at the end or on a read error.
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
};

// A whole archive: readable from any offset.
class ArchiveSource : public Reader {
public:
    virtual uint64_t Size() const = 0;
    virtual bool Seek(uint64_t offset) = 0;
};

class MemorySource : public ArchiveSource {
public:
    MemorySource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override;

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

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
