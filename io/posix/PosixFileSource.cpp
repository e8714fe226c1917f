#include "PosixFileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PosixFileSource::~PosixFileSource()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool PosixFileSource::Open(const std::string& path)
{
    m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    struct stat st {};
    if (fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    m_size = static_cast<uint64_t>(st.st_size);
    return true;
}

size_t PosixFileSource::Read(uint8_t* buffer, size_t size)
{
    ssize_t n = read(m_fd, buffer, size);
    m_failed = m_failed || n < 0;
    return n > 0 ? static_cast<size_t>(n) : 0;
}

bool PosixFileSource::Seek(uint64_t offset)
{
    return offset <= m_size && lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}
