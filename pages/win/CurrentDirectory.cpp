#include "CurrentDirectory.h"

#include "FileIo.h"

#include <direct.h>
#include <cstdlib>

int CRuntimeDirectory::CurrentDriveNumber()
{
    return _getdrive();
}

void CRuntimeDirectory::MakeDriveCurrent(int drive)
{
    _chdrive(drive);
}

bool CRuntimeDirectory::ChangeDirectory(const std::string& path)
{
    return _chdir(path.c_str()) == 0;
}

std::string CRuntimeDirectory::CurrentDirectory()
{
    // The runtime allocates a buffer of the length needed.
    char* directory = _getcwd(nullptr, 0);
    if (!directory)
        return {};
    std::string result(directory);
    std::free(directory);
    return result;
}

std::vector<std::string> FindSubfolders(const std::string& pattern)
{
    std::vector<std::string> names;
    ForEachFound(pattern, [&](const WIN32_FIND_DATAA& found) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            names.emplace_back(found.cFileName);
    });
    return names;
}
