#pragma once
// Where the platform-free writers (the archive decoder and encoder, the master conversion) put their bytes: a
// file in the program and the tools, memory in the tests and the fuzzers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // All of the bytes, or false.
    virtual bool Write(const uint8_t* data, size_t size) = 0;
    bool Write(std::string_view bytes) { return Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }
};

// A sink that can go back over what it wrote: an archive's member header is written again once its sizes and
// CRC are known.
class SeekableSink : public ByteSink {
public:
    using ByteSink::Write;
    virtual uint64_t Position() const = 0;
    virtual bool Seek(uint64_t offset) = 0;
    // Ends the output at the current position.
    virtual bool Truncate() = 0;
};

// Bytes kept in memory, for the tests and the fuzzers.
class MemorySink : public SeekableSink {
public:
    using ByteSink::Write;
    bool Write(const uint8_t* data, size_t size) override
    {
        if (m_position + size > m_bytes.size())
            m_bytes.resize(m_position + size);
        std::copy(data, data + size, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position));
        m_position += size;
        return true;
    }
    uint64_t Position() const override { return m_position; }
    bool Seek(uint64_t offset) override
    {
        if (offset > m_bytes.size())
            return false;
        m_position = static_cast<size_t>(offset);
        return true;
    }
    bool Truncate() override
    {
        m_bytes.resize(m_position);
        return true;
    }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
};
