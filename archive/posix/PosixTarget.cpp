#include "PosixTarget.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lzh {
namespace {

// Seconds since 1970 for the stored time; DOS times count as local time.
time_t UnixTimeOf(const EntryHeader& h)
{
    switch (h.timeKind) {
    case TimeKind::Unix:
        return static_cast<time_t>(h.time);
    case TimeKind::FileTime:
        return static_cast<time_t>(h.time / 10000000 - 11644473600ULL);
    case TimeKind::Dos: {
        struct tm t {};
        t.tm_year = static_cast<int>((h.time >> 25) & 0x7F) + 80;
        t.tm_mon = static_cast<int>((h.time >> 21) & 0x0F) - 1;
        t.tm_mday = static_cast<int>((h.time >> 16) & 0x1F);
        t.tm_hour = static_cast<int>((h.time >> 11) & 0x1F);
        t.tm_min = static_cast<int>((h.time >> 5) & 0x3F);
        t.tm_sec = static_cast<int>((h.time & 0x1F) * 2);
        t.tm_isdst = -1;
        return mktime(&t);
    }
    case TimeKind::None:
        break;
    }
    return 0;
}

class PosixFile : public OutputFile {
public:
    PosixFile(int fd, std::string tempPath, std::string finalPath, const EntryHeader& header)
        : m_fd(fd), m_tempPath(std::move(tempPath)), m_finalPath(std::move(finalPath)), m_header(header)
    {
    }
    ~PosixFile() override
    {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_committed)
            unlink(m_tempPath.c_str());
    }

    bool Write(const uint8_t* data, size_t size) override
    {
        while (size > 0) {
            ssize_t n = write(m_fd, data, size);
            if (n <= 0)
                return false;
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    }

    bool Commit() override
    {
        int fd = m_fd;
        m_fd = -1;
        if (close(fd) != 0)
            return false;
        if (m_header.timeKind != TimeKind::None) {
            struct timespec times[2] = {{UnixTimeOf(m_header), 0}, {UnixTimeOf(m_header), 0}};
            utimensat(AT_FDCWD, m_tempPath.c_str(), times, 0);
        }
        if (rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0)
            return false;
        m_committed = true;
        return true;
    }

private:
    int m_fd;
    std::string m_tempPath, m_finalPath;
    EntryHeader m_header;
    bool m_committed = false;
};

}

PosixTarget::PosixTarget(std::string destination) : m_destination(std::move(destination))
{
    if (!m_destination.empty() && m_destination.back() != '/')
        m_destination.push_back('/');
}

bool PosixTarget::MakeFolder(const std::vector<std::string>& parts)
{
    std::string path = m_destination;
    for (const std::string& part : parts) {
        path += part;
        if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
        path.push_back('/');
    }
    return true;
}

std::unique_ptr<OutputFile> PosixTarget::CreateOutput(const std::vector<std::string>& parts, const EntryHeader& header)
{
    std::string finalPath = m_destination;
    for (size_t i = 0; i < parts.size(); ++i)
        finalPath += parts[i] + (i + 1 < parts.size() ? "/" : "");
    std::string temp = finalPath.substr(0, finalPath.size() - parts.back().size()) + ".lzhx-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return nullptr;
    fchmod(fd, 0644);
    return std::make_unique<PosixFile>(fd, temp, finalPath, header);
}

}
