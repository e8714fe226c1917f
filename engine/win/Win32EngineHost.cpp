#include "Win32EngineHost.h"

#include "ArchiveScan.h"
#include "CodePage.h"
#include "Cp932.h"
#include "FileIo.h"
#include "Handles.h"
#include "LzhLibrary.h"
#include "MediaPath.h"
#include "RestartManager.h"
#include "ResourceString.h"
#include "WinFileSource.h"
#include "WorkFile.h"

#include <aclapi.h>

#include <algorithm>
#include <vector>

namespace {

// The archive library's output buffer, as large as its callers have always given it.
constexpr unsigned long kLibraryOutputBytes = 256;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

OpenCheck CheckOf(DWORD error)
{
    if (IsMissing(error))
        return OpenCheck::Missing;
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return OpenCheck::Held;
    case ERROR_ACCESS_DENIED: return OpenCheck::Denied;
    default: return OpenCheck::Failed;
    }
}

// The target's own permissions go onto the file that takes its name: a move keeps the moved file's
// security, which a work file took from the folder. Nothing stops the update where they cannot be read.
void TakeSecurityOf(const std::string& target, const std::string& file)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED)
                                                                 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                 : UNPROTECTED_DACL_SECURITY_INFORMATION);
    SetNamedSecurityInfoA(const_cast<char*>(file.c_str()), SE_FILE_OBJECT, what, nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
}

// The work file takes the target's name in one rename, written through to the disk: at every moment the
// target is the old file or the new one. (ReplaceFile keeps the target's security too, but it is not one
// step: cut off, or failing with ERROR_UNABLE_TO_MOVE_REPLACEMENT, it leaves the target missing.) Returns
// the error, or ERROR_SUCCESS.
DWORD ReplaceDurably(const std::string& source, const std::string& target)
{
    DWORD old = GetFileAttributesA(target.c_str());
    bool exists = old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY);
    if (exists) {
        TakeSecurityOf(target, source);
        // A read-only target must lose that attribute to be replaced.
        if (old & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    }
    if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    if (exists && (old & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), old);
    return error;
}

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

Existence CWin32EngineHost::Probe(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Existence::Present;
    DWORD error = GetLastError();
    return IsMissing(error) || error == ERROR_INVALID_NAME ? Existence::Missing : Existence::Unknown;
}

bool CWin32EngineHost::FileSize(const std::string& path, uint64_t& bytes)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    bytes = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
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
        names.push_back(FoundFile{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                  (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    });
    switch (result) {
    case FindResult::Listed: return ListResult::Listed;
    case FindResult::NotFound: return ListResult::NotFound;
    case FindResult::Failed: break;
    }
    return ListResult::Failed;
}

std::unique_ptr<ByteReader> CWin32EngineHost::OpenExclusive(const std::string& path)
{
    HANDLE file = OpenWithoutSharing(path, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    auto reader = std::make_unique<CWinFileSource>();
    reader->Adopt(file); // read as a stream: its size is not needed
    return reader;
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
    DWORD error = ReplaceDurably(source, target);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

bool CWin32EngineHost::RemoveFile(const std::string& path)
{
    // A copy of a read-only file is read-only too, and DeleteFile refuses it.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool CWin32EngineHost::RemoveFolder(const std::string& path)
{
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool CWin32EngineHost::FlushFile(const std::string& path)
{
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.Get()) && file.Close();
}

bool CWin32EngineHost::SetAttributes(const std::string& path, uint32_t attributes)
{
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

// Opens the file as its replacement will need it. A read-only file is opened for reading: the update clears
// that attribute itself, and only another program's hold or the user's rights can stop it.
OpenCheck CWin32EngineHost::CheckOpen(const std::string& path, Access access)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CheckOf(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return OpenCheck::Failed;
    bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    DWORD rights = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (access) {
    case Access::Replace: rights |= DELETE; break;
    case Access::WriteInPlace: break;
    case Access::Exclusive:
        rights |= DELETE;
        sharing = 0;
        break;
    }
    CFileHandle file(CreateFileA(path.c_str(), rights, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? OpenCheck::Free : CheckOf(GetLastError());
}

std::vector<std::string> CWin32EngineHost::HoldingPrograms(const std::vector<std::string>& paths)
{
    return ProgramsHoldingFiles(paths);
}

bool CWin32EngineHost::FreeBytes(const std::string& folder, uint64_t& bytes)
{
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(WithTrailingSeparator(folder).c_str(), &available, nullptr, nullptr))
        return false;
    bytes = available.QuadPart;
    return true;
}

OpenCheck CWin32EngineHost::ProbeWrite(const std::string& folder)
{
    std::string probe = WithTrailingSeparator(folder) + "parvel-write-check" + kWorkFileSuffix;
    CFileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file ? OpenCheck::Free : CheckOf(GetLastError());
}

bool CWin32EngineHost::MeasureArchive(const std::string& archive, uint64_t& bytes)
{
    CWinFileSource source;
    std::vector<lzh::ScannedEntry> entries;
    if (!source.Open(archive) || lzh::ScanArchive(source, lzh::Layout::Flat, entries).failed())
        return false;
    bytes = lzh::TotalSize(entries);
    return true;
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

ProfileWriteResult CWin32EngineHost::WriteProfile(const std::string& section, const std::string& key,
                                                  const std::string& value, const std::string& path)
{
    auto inPlace = [&] {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())
                   ? ProfileWriteResult::InPlace
                   : ProfileWriteResult::Failed;
    };
    // The profile call rewrites the file in place; cut off in the middle it would leave it short. A copy
    // takes the key and then replaces the file, unless the work name would not fit the path.
    std::string work = path + kWorkFileSuffix;
    if (work.size() >= MAX_PATH)
        return inPlace();
    if (!CopyFileTo(path, work)) {
        if (!IsMissing(GetLastError()) || Exists(path))
            return ProfileWriteResult::Failed;
        DeleteFileA(work.c_str());
    }
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), work.c_str()) || !FlushFile(work)) {
        RemoveFile(work);
        return ProfileWriteResult::Failed;
    }
    DWORD error = ReplaceDurably(work, path);
    if (error == ERROR_SUCCESS)
        return ProfileWriteResult::Written;
    RemoveFile(work);
    // Another program has the file open and will not let it be replaced (a rename over an open file is
    // refused as a sharing or access violation): write where it is, as the profile call always did. A file
    // the user may not write fails there too.
    bool open = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
    return open ? inPlace() : ProfileWriteResult::Failed;
}

bool CWin32EngineHost::MediumIsRemovable(const std::string& programDirectory)
{
    return GetDriveTypeA(DriveTypeQueryPath(programDirectory).c_str()) == DRIVE_REMOVABLE;
}

void CWin32EngineHost::AnchorMedium(const std::string& programDirectory)
{
    AnchorMediaDrive(programDirectory);
}

ExtractResult CWin32EngineHost::ExtractArchive(const ExtractRequest& request)
{
    LzhResult extracted = LzhExtract(m_owner, {request.archive, request.destination, false, {m_archiveProgress, true}});
    ExtractResult result;
    result.failure = extracted.failure;
    // The message as the run's callers have always received it, cut to the library's 256-byte buffer.
    result.message = std::string(CutOnCharBoundary(extracted.message, kLibraryOutputBytes - 1));
    for (CStagedMember& member : extracted.staged)
        result.staged.push_back({std::move(member.work), std::move(member.target), member.attributes});
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
