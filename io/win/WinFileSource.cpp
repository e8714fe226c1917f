#include "WinFileSource.h"

#include <algorithm>

bool CWinFileSource::Open(const std::string& path)
{
    // Others may hold the file open, even for writing; we only read it.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    return Adopt(h);
}

bool CWinFileSource::Adopt(HANDLE file)
{
    m_file.Reset(file);
    m_failed = false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return false;
    m_size = static_cast<uint64_t>(size.QuadPart);
    return true;
}

size_t CWinFileSource::Read(uint8_t* buffer, size_t size)
{
    DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(m_file.Get(), buffer, want, &got, nullptr)) {
        m_failed = true;
        return 0;
    }
    return got;
}

bool CWinFileSource::Seek(uint64_t offset)
{
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return offset <= m_size && SetFilePointerEx(m_file.Get(), to, nullptr, FILE_BEGIN);
}
