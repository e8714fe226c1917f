#pragma once
// A bitmap file opened for reading, as the reader's byte source.

#include "ByteSource.h"
#include "Handles.h"

#include <string>

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    bool IsOpen() const { return static_cast<bool>(m_file); }

    uint32_t Read(void* buffer, uint32_t count) override;
    bool Seek(uint64_t offset) override;
    uint64_t Size() const override { return m_size; }

private:
    CFileHandle m_file;
    uint64_t m_size = 0;
};
