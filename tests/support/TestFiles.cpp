#include "TestFiles.h"

#include "Handles.h"
#include "CodePage.h"

#include <windows.h>

#include <vector>

std::string Cp932(const char* utf8)
{
    return FromWide(ToWide(utf8, CP_UTF8), 932);
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A link to a folder goes, never what it points at.
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (!DeleteFileA(path.c_str()))
            RemoveDirectoryA(path.c_str());
        return;
    }
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    if (CFindHandle search{FindFirstFileA((path + "\\*").c_str(), &found)}) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search.Get(), &found));
    }
    for (const std::string& name : names)
        RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}
