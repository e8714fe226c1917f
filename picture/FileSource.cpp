#include "FileSource.h"

FileSource::FileSource(const std::string& path)
    // Others may hold the picture open, even for writing; we only read it.
    : m_file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr))
{
    LARGE_INTEGER size{};
    if (m_file && GetFileSizeEx(m_file.Get(), &size) && size.QuadPart >= 0)
        m_size = static_cast<uint64_t>(size.QuadPart);
}

uint32_t FileSource::Read(void* buffer, uint32_t count)
{
    DWORD read = 0;
    if (!ReadFile(m_file.Get(), buffer, count, &read, nullptr))
        return 0;
    return read;
}

bool FileSource::Seek(uint64_t offset)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(m_file.Get(), position, nullptr, FILE_BEGIN) != 0;
}
