#include "RunLogFile.h"

#include "CodePage.h"
#include "FileIo.h"

#include <windows.h>

#include <vector>

namespace {

std::string TempFolder()
{
    DWORD length = GetTempPathA(0, nullptr);
    if (length == 0)
        return {};
    std::vector<char> buffer(length + 1);
    length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    return length > 0 && length < buffer.size() ? std::string(buffer.data(), length) : std::string();
}

} // namespace

LogTime LocalLogTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LogTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void CRunLogFile::Append(const std::string& line)
{
    if (m_failed || (!m_file && !Create()))
        return;
    std::string bytes = FromWide(ToWide(line, 932), CP_UTF8) + "\r\n";
    if (!WriteAll(m_file.Get(), bytes.data(), bytes.size())) {
        m_file.Reset();
        m_failed = true;
    }
}

bool CRunLogFile::Create()
{
    m_failed = true;
    std::string folder = TempFolder();
    if (folder.empty())
        return false;
    // Two runs started within one second keep their own logs.
    std::string name = RunLogFileName(m_clock());
    std::string stem = name.substr(0, name.size() - 4);
    for (int attempt = 1; attempt <= 9; ++attempt) {
        std::string path = folder + (attempt == 1 ? name : stem + "-" + std::to_string(attempt) + ".log");
        m_file.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file) {
            if (!WriteAll(m_file.Get(), "\xEF\xBB\xBF", 3)) {
                m_file.Reset();
                return false;
            }
            m_path = path;
            m_failed = false;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}
