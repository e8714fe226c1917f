#pragma once
// Where the bitmap reader takes its bytes from: an open file on Windows, memory in tests and the fuzzer.

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to count bytes at the current position; returns how many arrived.
    virtual uint32_t Read(void* buffer, uint32_t count) = 0;
    // Moves the position to offset from the start; false when that is impossible.
    virtual bool Seek(uint64_t offset) = 0;
    virtual uint64_t Size() const = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint32_t Read(void* buffer, uint32_t count) override
    {
        size_t left = m_position < m_size ? m_size - m_position : 0;
        uint32_t n = count < left ? count : static_cast<uint32_t>(left);
        if (n > 0)
            std::memcpy(buffer, m_data + m_position, n);
        m_position += n;
        return n;
    }
    bool Seek(uint64_t offset) override
    {
        m_position = static_cast<size_t>(offset < m_size ? offset : m_size);
        return true;
    }
    uint64_t Size() const override { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
