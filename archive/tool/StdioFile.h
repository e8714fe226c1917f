#pragma once
// Files through the C library, for the tools that build archives on Linux and on Windows alike (lzhx a,
// parvel-pack): a file read as an archive member and an archive being written.

#include "ArchiveWriter.h"
#include "Reader.h"

#include <cstdio>
#include <string>

namespace lzh {

class StdioSource : public ByteSource {
public:
    StdioSource() = default;
    ~StdioSource() override;
    StdioSource(const StdioSource&) = delete;
    StdioSource& operator=(const StdioSource&) = delete;

    bool Open(const std::string& path);
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override;

private:
    std::FILE* m_file = nullptr;
    uint64_t m_size = 0;
};

class StdioOutput : public ArchiveOutput {
public:
    StdioOutput() = default;
    ~StdioOutput() override;
    StdioOutput(const StdioOutput&) = delete;
    StdioOutput& operator=(const StdioOutput&) = delete;

    // Creates or empties the file.
    bool Create(const std::string& path);
    bool Write(const uint8_t* data, size_t size) override;
    uint64_t Position() const override { return m_position; }
    bool Seek(uint64_t offset) override;
    bool Truncate() override;
    // Flushes and closes; false when a write failed.
    bool Close();

private:
    std::FILE* m_file = nullptr;
    uint64_t m_position = 0;
    bool m_failed = false;
};

}
