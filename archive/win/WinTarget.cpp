#include "WinTarget.h"

#include "Cp932.h"
#include "FileIo.h"
#include "Handles.h"
#include "WorkFile.h"

#include <windows.h>

namespace {

// The stored time as a FILETIME (UTC); false when the header has none. DOS times are local times.
bool FileTimeOf(const lzh::EntryHeader& h, FILETIME& out)
{
    ULARGE_INTEGER v{};
    switch (h.timeKind) {
    case lzh::TimeKind::FileTime:
        v.QuadPart = h.time;
        break;
    case lzh::TimeKind::Unix:
        v.QuadPart = (h.time + 11644473600ULL) * 10000000ULL;
        break;
    case lzh::TimeKind::Dos: {
        FILETIME local{};
        return DosDateTimeToFileTime(static_cast<WORD>(h.time >> 16), static_cast<WORD>(h.time), &local) &&
               LocalFileTimeToFileTime(&local, &out);
    }
    case lzh::TimeKind::None:
        return false;
    }
    out.dwLowDateTime = v.LowPart;
    out.dwHighDateTime = v.HighPart;
    return true;
}

DWORD AttributesOf(const lzh::EntryHeader& h)
{
    DWORD kept = h.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

class CWinOutputFile : public lzh::OutputFile {
public:
    CWinOutputFile(HANDLE file, std::string tempPath, std::string finalPath, const lzh::EntryHeader& header,
                   std::vector<CStagedMember>* staged)
        : m_file(file), m_tempPath(std::move(tempPath)), m_finalPath(std::move(finalPath)), m_header(header),
          m_staged(staged)
    {
    }
    ~CWinOutputFile() override
    {
        m_file.Close();
        if (!m_committed)
            DeleteFileA(m_tempPath.c_str());
    }

    bool Write(const uint8_t* data, size_t size) override { return WriteAll(m_file.Get(), data, size); }

    // The time goes on through the open handle; a read-only target must lose that attribute to be replaced.
    bool Commit() override
    {
        FILETIME time{};
        if (FileTimeOf(m_header, time) && !SetFileTime(m_file.Get(), nullptr, nullptr, &time))
            return false;
        if (!m_file.Close())
            return false;
        if (m_staged) {
            m_staged->push_back({m_tempPath, m_finalPath, AttributesOf(m_header)});
            m_committed = true;
            return true;
        }
        DWORD old = GetFileAttributesA(m_finalPath.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(m_finalPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!MoveFileExA(m_tempPath.c_str(), m_finalPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            if (old != INVALID_FILE_ATTRIBUTES)
                SetFileAttributesA(m_finalPath.c_str(), old);
            return false;
        }
        m_committed = true;
        return SetFileAttributesA(m_finalPath.c_str(), AttributesOf(m_header));
    }

private:
    CFileHandle m_file;
    std::string m_tempPath, m_finalPath;
    lzh::EntryHeader m_header;
    std::vector<CStagedMember>* m_staged;
    bool m_committed = false;
};

}

CWinTarget::CWinTarget(const std::string& destination, std::vector<CStagedMember>* staged)
    : m_destination(WithTrailingSeparator(destination)), m_staged(staged)
{
}

bool CWinTarget::MakeFolder(const std::vector<std::string>& parts)
{
    std::string path = m_destination;
    for (const std::string& part : parts) {
        path += part;
        if (!CreateDirectoryA(path.c_str(), nullptr)) {
            DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return false;
        }
        path += "\\";
    }
    return true;
}

std::unique_ptr<lzh::OutputFile> CWinTarget::CreateOutput(const std::vector<std::string>& parts,
                                                        const lzh::EntryHeader& header)
{
    std::string folder = m_destination;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        folder += parts[i] + "\\";
    std::string finalPath = folder + parts.back();
    // A fixed name beside the target: a run cut off before the move leaves this file, and the next run
    // extracting the same member writes over it instead of leaving one more stray file behind.
    std::string temp = finalPath + kWorkFileSuffix;
    if (temp.size() >= MAX_PATH) {
        char unique[MAX_PATH + 16] = {};
        if (folder.size() >= MAX_PATH - 14 || !GetTempFileNameA(folder.c_str(), "lzh", 0, unique))
            return nullptr;
        temp = unique;
    }
    HANDLE file =
        CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp.c_str());
        return nullptr;
    }
    return std::make_unique<CWinOutputFile>(file, temp, finalPath, header, m_staged);
}
