#pragma once
// Where the platform-free readers (the archive core, the bitmap reader, the engine) take their bytes from: a file
// through the platform's one file reader (win/, posix/), or memory. None of them opens a file itself.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

// A stream of bytes.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Reads up to size bytes; returns how many were read, 0 at the end or on a read error.
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
    // Whether a read failed: tells the end of the bytes from an error, for readers that must know.
    virtual bool Failed() const { return false; }
};

// A whole file: readable from any offset.
class ByteSource : public ByteReader {
public:
    virtual uint64_t Size() const = 0;
    // Moves to offset from the start; false beyond the end.
    virtual bool Seek(uint64_t offset) = 0;
};

// Every byte from the reader's position to its end into bytes; false on a read error, or before the piece that
// would take bytes past limit. bytes keeps what was read either way.
inline bool ReadRestUpTo(ByteReader& reader, size_t limit, std::string& bytes)
{
    bytes.clear();
    uint8_t buffer[16384];
    size_t n;
    while ((n = reader.Read(buffer, sizeof buffer)) > 0) {
        if (n > limit - bytes.size())
            return false;
        bytes.append(reinterpret_cast<const char*>(buffer), n);
    }
    return !reader.Failed();
}

// Every byte from the reader's position to its end (or to a read error).
inline std::string ReadRest(ByteReader& reader)
{
    std::string bytes;
    ReadRestUpTo(reader, SIZE_MAX, bytes);
    return bytes;
}

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    // Keeps the bytes itself.
    explicit MemorySource(std::string bytes)
        : m_owned(std::move(bytes)), m_data(reinterpret_cast<const uint8_t*>(m_owned.data())), m_size(m_owned.size())
    {
    }
    MemorySource(const MemorySource&) = delete;
    MemorySource& operator=(const MemorySource&) = delete;

    size_t Read(uint8_t* buffer, size_t size) override
    {
        size_t n = size < m_size - m_position ? size : m_size - m_position;
        if (n > 0)
            std::memcpy(buffer, m_data + m_position, n);
        m_position += n;
        return n;
    }
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override
    {
        if (offset > m_size)
            return false;
        m_position = static_cast<size_t>(offset);
        return true;
    }

private:
    std::string m_owned;
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
