#pragma once
// Bounds-checked little-endian reads from a header held in memory.

#include <cstddef>
#include <cstdint>
#include <string>

namespace lzh {

class ByteCursor {
public:
    ByteCursor(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Has(size_t offset, size_t count) const { return offset <= m_size && count <= m_size - offset; }
    uint8_t U8(size_t offset) const { return Has(offset, 1) ? m_data[offset] : 0; }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(U8(offset) | (U8(offset + 1) << 8)); }
    uint32_t U32(size_t offset) const { return U16(offset) | (uint32_t(U16(offset + 2)) << 16); }
    uint64_t U64(size_t offset) const { return U32(offset) | (uint64_t(U32(offset + 4)) << 32); }
    std::string Text(size_t offset, size_t count) const
    {
        if (!Has(offset, count))
            return {};
        return std::string(reinterpret_cast<const char*>(m_data + offset), count);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

}
