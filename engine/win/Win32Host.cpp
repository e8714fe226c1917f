#include "Win32Host.h"

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
void CopySecurity(const std::string& target, const std::string& file)
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

// The file takes the target's name in one rename: at every moment the target is the old file or the new
// one. (ReplaceFile is not one step: cut off, or failing with ERROR_UNABLE_TO_MOVE_REPLACEMENT, it leaves
// the target missing.) Returns the error, or ERROR_SUCCESS.
DWORD ReplaceDurably(const std::string& source, const std::string& target, DWORD flags)
{
    DWORD old = GetFileAttributesA(target.c_str());
    bool readOnly = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY) && !(old & FILE_ATTRIBUTE_DIRECTORY);
    // A read-only target must lose that attribute to be replaced.
    if (readOnly)
        SetFileAttributesA(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | flags))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    if (readOnly)
        SetFileAttributesA(target.c_str(), old);
    return error;
}

// Runs body on a file made writable for the while: a read-only file refuses to be opened for writing.
template <class Body> bool Writable(const std::string& path, Body body)
{
    DWORD old = GetFileAttributesA(path.c_str());
    bool readOnly = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesA(path.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    bool done = body();
    if (readOnly)
        SetFileAttributesA(path.c_str(), old);
    return done;
}

// Read as a stream: its size is not needed.
std::unique_ptr<ByteReader> StreamOf(HANDLE file)
{
    auto reader = std::make_unique<CWinFileSource>();
    reader->Adopt(file);
    return reader;
}

class CWinWriter : public HostWriter {
public:
    explicit CWinWriter(HANDLE file) : m_file(file) {}
    bool Write(const uint8_t* data, size_t size) override { return WriteAll(m_file.Get(), data, size); }
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

bool CWin32Files::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Existence CWin32Files::Probe(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Existence::Present;
    DWORD error = GetLastError();
    return IsMissing(error) || error == ERROR_INVALID_NAME ? Existence::Missing : Existence::Unknown;
}

bool CWin32Files::FileSize(const std::string& path, uint64_t& bytes)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    bytes = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool CWin32Files::Attributes(const std::string& path, uint32_t& attributes)
{
    DWORD found = GetFileAttributesA(path.c_str());
    if (found == INVALID_FILE_ATTRIBUTES)
        return false;
    // Only what a file carries to its replacement; FILE_ATTRIBUTE_NORMAL stands alone.
    attributes = found & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    return true;
}

bool CWin32Files::CreateFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool CWin32Files::ClearAttributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

LastWriteResult CWin32Files::ReadLastWriteDate(const std::string& path, UtcDate& date)
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

ListResult CWin32Files::ListFolder(const std::string& pattern, std::vector<FoundFile>& names)
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

std::unique_ptr<ByteReader> CWin32Files::OpenExclusive(const std::string& path)
{
    HANDLE file = OpenWithoutSharing(path, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    auto reader = std::make_unique<CWinFileSource>();
    reader->Adopt(file); // read as a stream: its size is not needed
    return reader;
}

std::unique_ptr<ByteReader> CWin32Files::OpenRead(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : StreamOf(file);
}

std::unique_ptr<HostWriter> CWin32Files::CreateExclusive(const std::string& path)
{
    HANDLE file = OpenWithoutSharing(path, CREATE_ALWAYS);
    return file == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<CWinWriter>(file);
}

bool CWin32Files::CopyFileTo(const std::string& source, const std::string& target)
{
    // A work file left read-only by an interrupted run must not block the copy.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

MoveResult CWin32Files::MoveOver(const std::string& source, const std::string& target, NameChange change)
{
    DWORD error = ReplaceDurably(source, target, change == NameChange::WrittenThrough ? MOVEFILE_WRITE_THROUGH : 0);
    switch (error) {
    case ERROR_SUCCESS: return MoveResult::Moved;
    // A rename onto a file another program has open is refused as a sharing or an access violation; the checks
    // before the commit have already told a lack of rights apart.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED: return MoveResult::Held;
    default: return MoveResult::Failed;
    }
}

// A second name costs nothing and keeps the original as it is; a volume without them (FAT) gets a copy.
bool CWin32Files::KeepOriginal(const std::string& target, const std::string& aside)
{
    if (GetFileAttributesA(aside.c_str()) != INVALID_FILE_ATTRIBUTES && !RemoveFile(aside))
        return false;
    if (CreateHardLinkA(aside.c_str(), target.c_str(), nullptr))
        return FlushFolder(FolderOf(aside));
    return CopyFileA(target.c_str(), aside.c_str(), FALSE) && FlushFile(aside);
}

bool CWin32Files::OverwriteInPlace(const std::string& source, const std::string& target)
{
    std::unique_ptr<ByteReader> reader = OpenRead(source);
    CFileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!reader || !file)
        return false;
    std::string chunk(1 << 16, '\0');
    for (;;) {
        size_t got = reader->Read(reinterpret_cast<uint8_t*>(chunk.data()), chunk.size());
        if (got == 0 && reader->Failed())
            return false;
        if (got == 0)
            break;
        if (!WriteAll(file.Get(), chunk.data(), got))
            return false;
    }
    return SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()) && file.Close();
}

bool CWin32Files::RemoveFile(const std::string& path)
{
    // A copy of a read-only file is read-only too, and DeleteFile refuses it.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool CWin32Files::RemoveFolder(const std::string& path)
{
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool CWin32Files::FlushFile(const std::string& path)
{
    return Writable(path, [&] {
        CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file && FlushFileBuffers(file.Get()) && file.Close();
    });
}

// A file system that cannot flush a folder's entries by themselves (FlushFileBuffers on a folder is refused)
// keeps them with the renames written through, which is all there is to ask of it.
bool CWin32Files::FlushFolder(const std::string& folder)
{
    CFileHandle handle(CreateFileA(WithTrailingSeparator(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle)
        return !IsMissing(GetLastError());
    FlushFileBuffers(handle.Get());
    return true;
}

void CWin32Files::TakeSecurityOf(const std::string& target, const std::string& work)
{
    if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        CopySecurity(target, work);
}

bool CWin32Files::SetAttributes(const std::string& path, uint32_t attributes)
{
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

// Opens the file as its replacement will need it: a rename onto it needs delete access, with other programs'
// sharing allowed; a write in place needs write access. A read-only file can be replaced by a rename.
OpenCheck CWin32Files::CheckOpen(const std::string& path, Access access)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CheckOf(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return OpenCheck::Failed;
    DWORD rights = access == Access::Replace ? GENERIC_READ | DELETE : GENERIC_READ | GENERIC_WRITE;
    CFileHandle file(CreateFileA(path.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? OpenCheck::Free : CheckOf(GetLastError());
}

std::vector<std::string> CWin32Files::HoldingPrograms(const std::vector<std::string>& paths)
{
    return ProgramsHoldingFiles(paths);
}

bool CWin32Files::FreeBytes(const std::string& folder, uint64_t& bytes)
{
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(WithTrailingSeparator(folder).c_str(), &available, nullptr, nullptr))
        return false;
    bytes = available.QuadPart;
    return true;
}

std::string CWin32Files::VolumeOf(const std::string& path)
{
    char volume[MAX_PATH + 1] = {};
    return GetVolumePathNameA(path.c_str(), volume, sizeof volume) ? UpperAscii(volume) : std::string();
}

OpenCheck CWin32Files::ProbeWrite(const std::string& folder)
{
    std::string probe = WithTrailingSeparator(folder) + "parvel-write-check" + kWorkFileSuffix;
    CFileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file ? OpenCheck::Free : CheckOf(GetLastError());
}

bool CWin32Archive::MeasureArchive(const std::string& archive, uint64_t& bytes)
{
    CWinFileSource source;
    std::vector<lzh::ScannedEntry> entries;
    if (!source.Open(archive) || lzh::ScanArchive(source, lzh::Layout::Flat, entries).failed())
        return false;
    bytes = lzh::TotalSize(entries);
    return true;
}

ProfileReadResult CWin32Settings::ReadProfile(const std::string& section, const std::string& key,
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

bool CWin32Settings::WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                                  const std::string& path)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

bool CWin32Medium::MediumIsRemovable(const std::string& programDirectory)
{
    return GetDriveTypeA(DriveTypeQueryPath(programDirectory).c_str()) == DRIVE_REMOVABLE;
}

void CWin32Medium::AnchorMedium(const std::string& programDirectory)
{
    AnchorMediaDrive(programDirectory);
}

std::string CWin32Medium::ListedName(const std::string& name) { return FromWide(ToWide(name, 932), CP_UTF8); }

ExtractResult CWin32Archive::ExtractArchive(const ExtractRequest& request)
{
    LzhResult extracted = LzhExtract(m_owner, {request.archive, request.destination, false, {m_progressWindow, true}});
    ExtractResult result;
    result.failure = static_cast<lzh::FailureKind>(extracted.failure);
    // The message as the run's callers have always received it, cut to the library's 256-byte buffer.
    result.message = std::string(CutOnCharBoundary(extracted.message, kLibraryOutputBytes - 1));
    for (CStagedMember& member : extracted.staged)
        result.staged.push_back({std::move(member.work), std::move(member.target), member.attributes});
    return result;
}

std::string CWin32Prompts::LoadText(unsigned id)
{
    return LoadResourceString(id);
}

void CWin32Prompts::Message(const std::string& text, const std::string& caption)
{
    MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OK);
}

DiskAnswer CWin32Prompts::AskForDisk(const std::string& text, const std::string& caption)
{
    return MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK ? DiskAnswer::Ok
                                                                                   : DiskAnswer::Cancel;
}

RetryAnswer CWin32Prompts::AskRetry(const std::string& text, const std::string& caption)
{
    return MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_RETRYCANCEL) == IDRETRY ? RetryAnswer::Retry
                                                                                         : RetryAnswer::Cancel;
}
