#include "Win32EngineHost.h"

#include "FileIo.h"
#include "Handles.h"
#include "LzhLibrary.h"
#include "MediaPath.h"
#include "ResourceString.h"
#include "WorkFile.h"

#include <vector>

namespace {

// The archive library's output buffer, as large as its callers have always given it.
constexpr unsigned long kLibraryOutputBytes = 256;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

class CWinReader : public HostReader {
public:
    explicit CWinReader(HANDLE file) : m_file(file) {}
    bool Read(char* buffer, size_t size, size_t& got) override
    {
        DWORD part = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        DWORD read = 0;
        bool ok = ReadFile(m_file.Get(), buffer, part, &read, nullptr) != 0;
        got = read;
        return ok;
    }

private:
    CFileHandle m_file;
};

class CWinWriter : public HostWriter {
public:
    explicit CWinWriter(HANDLE file) : m_file(file) {}
    bool Write(std::string_view bytes) override { return WriteAll(m_file.Get(), bytes.data(), bytes.size()); }
    // On disk before the work file takes the master's name, so a power cut cannot leave it empty.
    bool Close() override
    {
        bool flushed = FlushFileBuffers(m_file.Get()) != 0;
        return m_file.Close() && flushed;
    }

private:
    CFileHandle m_file;
};

HANDLE OpenWithoutSharing(const std::string& path, DWORD disposition)
{
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

} // namespace

bool CWin32EngineHost::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CWin32EngineHost::CreateFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool CWin32EngineHost::ClearAttributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

LastWriteResult CWin32EngineHost::ReadLastWriteDate(const std::string& path, UtcDate& date)
{
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                 nullptr));
    if (!file)
        return LastWriteResult::CannotOpen;
    FILETIME lastWrite{};
    SYSTEMTIME fields{};
    if (!GetFileTime(file.Get(), nullptr, nullptr, &lastWrite) || !FileTimeToSystemTime(&lastWrite, &fields))
        return LastWriteResult::TimeUnreadable;
    date = UtcDate{fields.wYear, fields.wMonth, fields.wDay};
    return LastWriteResult::Read;
}

ListResult CWin32EngineHost::ListFolder(const std::string& pattern, std::vector<FoundFile>& names)
{
    names.clear();
    FindResult result = ForEachFound(pattern, [&](const WIN32_FIND_DATAA& found) {
        names.push_back(FoundFile{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    });
    switch (result) {
    case FindResult::Listed: return ListResult::Listed;
    case FindResult::NotFound: return ListResult::NotFound;
    case FindResult::Failed: break;
    }
    return ListResult::Failed;
}

std::unique_ptr<HostReader> CWin32EngineHost::OpenExclusive(const std::string& path)
{
    HANDLE file = OpenWithoutSharing(path, OPEN_EXISTING);
    return file == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<CWinReader>(file);
}

std::unique_ptr<HostWriter> CWin32EngineHost::CreateExclusive(const std::string& path)
{
    HANDLE file = OpenWithoutSharing(path, CREATE_ALWAYS);
    return file == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<CWinWriter>(file);
}

bool CWin32EngineHost::CopyFileTo(const std::string& source, const std::string& target)
{
    // A work file left read-only by an interrupted run must not block the copy.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

bool CWin32EngineHost::MoveOver(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CWin32EngineHost::RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != 0;
}

ProfileReadResult CWin32EngineHost::ReadProfile(const std::string& section, const std::string& key,
                                                const std::string& defaultValue, const std::string& path,
                                                std::string& value)
{
    value = defaultValue;
    // The profile calls answer the default for a file they cannot read: tell that from a missing file.
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return IsMissing(GetLastError()) ? ProfileReadResult::FileMissing : ProfileReadResult::Failed;
    file.Close();
    // A full buffer means the value may have been cut: read again with more room.
    for (DWORD size = 256;; size *= 2) {
        std::vector<char> buffer(size);
        DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                size, path.c_str());
        if (length < size - 1 || size >= (1u << 24)) {
            value.assign(buffer.data(), length);
            return ProfileReadResult::Read;
        }
    }
}

bool CWin32EngineHost::WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                                    const std::string& path)
{
    // The profile call rewrites the file in place; cut off in the middle it would leave it short.
    std::string work = path + kWorkFileSuffix;
    SetFileAttributesA(work.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(path.c_str(), work.c_str(), FALSE)) {
        if (!IsMissing(GetLastError()) || Exists(path))
            return false;
        DeleteFileA(work.c_str());
    }
    bool written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), work.c_str()) &&
                   MoveOver(work, path);
    if (!written)
        DeleteFileA(work.c_str());
    return written;
}

bool CWin32EngineHost::MediumIsRemovable(const std::string& programDirectory)
{
    return GetDriveTypeA(DriveTypeQueryPath(programDirectory).c_str()) == DRIVE_REMOVABLE;
}

void CWin32EngineHost::AnchorMedium(const std::string& programDirectory)
{
    AnchorMediaDrive(programDirectory);
}

std::string CWin32EngineHost::WindowsDirectory()
{
    UINT length = GetWindowsDirectoryA(nullptr, 0);
    std::vector<char> buffer(length + 1);
    length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

void CWin32EngineHost::ArchiveSetBackgroundMode(int background)
{
    LzhSetBackgroundMode(background);
}

void CWin32EngineHost::ArchiveSetCursorMode(int waitCursor)
{
    LzhSetCursorMode(waitCursor);
}

int CWin32EngineHost::ExtractArchive(const std::string& command, std::string& output)
{
    char text[kLibraryOutputBytes] = {};
    int result = LzhRunCommand(m_owner, command.c_str(), text, kLibraryOutputBytes);
    text[kLibraryOutputBytes - 1] = '\0';
    output = result == 0 ? std::string() : std::string(text);
    return result;
}

std::string CWin32EngineHost::LoadText(unsigned id)
{
    return LoadResourceString(id);
}

void CWin32EngineHost::Message(const std::string& text, const std::string& caption)
{
    MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OK);
}

DiskAnswer CWin32EngineHost::AskForDisk(const std::string& text, const std::string& caption)
{
    return MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK ? DiskAnswer::Ok
                                                                                   : DiskAnswer::Cancel;
}

RetryAnswer CWin32EngineHost::AskRetry(const std::string& text, const std::string& caption)
{
    return MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_RETRYCANCEL) == IDRETRY ? RetryAnswer::Retry
                                                                                         : RetryAnswer::Cancel;
}
