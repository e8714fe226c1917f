#include "WorkbookTemplate.h"

#include "FileSystem.h"
#include "Handles.h"

#include <windows.h>

namespace {

// "\形式\横A-A4g.xlsm" in code page 932.
constexpr char kTemplateTail[] = "\\\x8C\x60\x8E\xAE\\\x89\xA1" "A-A4g.xlsm";

// Templates written on or before these fields, each compared by itself, are the old ones.
constexpr WORD kLastOldYear = 2022;
constexpr WORD kLastOldMonth = 2;
constexpr WORD kLastOldDay = 5;

} // namespace

std::string WorkbookTemplatePath(const std::string& installFolder)
{
    return installFolder + kTemplateTail;
}

int CheckWorkbookTemplate(const std::string& workingFolder)
{
    if (!PathExists(workingFolder))
        return 0;
    std::string path = WorkbookTemplatePath(workingFolder);
    if (!PathExists(path))
        return 1;
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsValid())
        return 1;
    FILETIME lastWrite{};
    SYSTEMTIME fields{};
    // A template whose date cannot be read may be a customer's own: keep it.
    if (!GetFileTime(file.Get(), nullptr, nullptr, &lastWrite) || !FileTimeToSystemTime(&lastWrite, &fields))
        return 0;
    bool old = fields.wYear <= kLastOldYear && fields.wMonth <= kLastOldMonth && fields.wDay <= kLastOldDay;
    return old ? 1 : 0;
}
