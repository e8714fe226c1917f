#pragma once
// An archive file read through a POSIX file descriptor.

#include "Reader.h"

#include <string>

namespace lzh {

class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // False when the file cannot be opened (missing is told apart by errno == ENOENT).
    bool Open(const std::string& path);
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override;

private:
    int m_fd = -1;
    uint64_t m_size = 0;
};

}
