#pragma once
// A file read through the Win32 file API (CP932 path), as a byte source: the program's one file reader.

#include "ByteSource.h"
#include "Handles.h"

#include <string>

class CWinFileSource : public ByteSource {
public:
    // False when the file cannot be opened; GetLastError tells why.
    bool Open(const std::string& path);
    // Takes over a handle opened for reading elsewhere (with a sharing of its own); false when its size cannot
    // be read, though it still reads as a stream.
    bool Adopt(HANDLE file);
    size_t Read(uint8_t* buffer, size_t size) override;
    bool Failed() const override { return m_failed; }
    uint64_t Size() const override { return m_size; }
    bool Seek(uint64_t offset) override;

private:
    CFileHandle m_file;
    uint64_t m_size = 0;
    bool m_failed = false;
};
