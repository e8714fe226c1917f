#pragma once
// A file read through a POSIX file descriptor, as a byte source: the Linux tools' one file reader.

#include "ByteSource.h"

#include <string>

class PosixFileSource : public ByteSource {
public:
    PosixFileSource() = default;
    ~PosixFileSource() override;
    PosixFileSource(const PosixFileSource&) = delete;
    PosixFileSource& operator=(const PosixFileSource&) = delete;

    // False when the path names no regular file that can be opened (missing is told apart by errno == ENOENT).
    bool Open(const std::string& path);
    size_t Read(uint8_t* buffer, size_t size) override;
    bool Failed() const override { return m_failed; }
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override;

private:
    int m_fd = -1;
    uint64_t m_size = 0;
    bool m_failed = false;
};
