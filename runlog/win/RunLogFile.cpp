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

// A new log file that Notepad reads as UTF-8; invalid when it cannot be made.
CFileHandle CreateLog(const std::string& path, DWORD disposition)
{
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && !WriteAll(file.Get(), "\xEF\xBB\xBF", 3))
        file.Reset();
    return file;
}

// One line onto an open log; a log that fails once is closed and stays so.
void AppendTo(CFileHandle& file, bool& failed, const std::string& bytes)
{
    if (!failed && !WriteAll(file.Get(), bytes.data(), bytes.size())) {
        file.Reset();
        failed = true;
    }
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
    std::string bytes = FromWide(ToWide(line, 932), CP_UTF8) + "\r\n";
    if (!m_failed && (m_file || Create()))
        AppendTo(m_file, m_failed, bytes);
    if (m_copyPath.empty() || m_copyFailed)
        return;
    // Replaced, as a deployment script asking for the same file on every run expects.
    if (!m_copy && !(m_copy = CreateLog(m_copyPath, CREATE_ALWAYS))) {
        m_copyFailed = true;
        return;
    }
    AppendTo(m_copy, m_copyFailed, bytes);
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
        m_file = CreateLog(path, CREATE_NEW);
        if (m_file) {
            m_path = path;
            m_failed = false;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}
