#pragma once
// An archive being written through the C library, for the tools that build archives on Linux and on Windows
// alike (lzhx a, parvel-pack).

#include "ArchiveWriter.h"

#include <cstdio>
#include <string>

namespace lzh {

class StdioOutput : public SeekableSink {
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
