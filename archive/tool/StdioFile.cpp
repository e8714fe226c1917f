#include "StdioFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lzh {
namespace {

bool SeekTo(std::FILE* file, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}

StdioOutput::~StdioOutput()
{
    if (m_file)
        std::fclose(m_file);
}

bool StdioOutput::Create(const std::string& path)
{
    m_file = std::fopen(path.c_str(), "w+b");
    m_position = 0;
    m_failed = false;
    return m_file != nullptr;
}

bool StdioOutput::Write(const uint8_t* data, size_t size)
{
    if (m_failed || std::fwrite(data, 1, size, m_file) != size)
        return !(m_failed = true);
    m_position += size;
    return true;
}

bool StdioOutput::Seek(uint64_t offset)
{
    if (m_failed || std::fflush(m_file) != 0 || !SeekTo(m_file, offset))
        return !(m_failed = true);
    m_position = offset;
    return true;
}

bool StdioOutput::Truncate()
{
    if (m_failed || std::fflush(m_file) != 0)
        return !(m_failed = true);
#ifdef _WIN32
    bool ok = _chsize_s(_fileno(m_file), static_cast<long long>(m_position)) == 0;
#else
    bool ok = ftruncate(fileno(m_file), static_cast<off_t>(m_position)) == 0;
#endif
    return ok || !(m_failed = true);
}

bool StdioOutput::Close()
{
    if (!m_file)
        return !m_failed;
    bool ok = std::fclose(m_file) == 0 && !m_failed;
    m_file = nullptr;
    return ok;
}

}
