#include "WinMedia.h"

#include "CodePage.h"
#include "Cp932.h"
#include "WinFileSource.h"

#include <windows.h>

std::string CWinMedia::PathOf(size_t disk, const std::string& name) const
{
    std::string root = disk < m_roots.size() ? m_roots[disk] : std::string();
    // A root given as "A:" or "D:\media\" already ends as programDirectory would.
    bool ends = root.empty() || EndsWithSeparator(root) || (root.size() == 2 && root[1] == ':');
    return root + (ends ? "" : "\\") + name;
}

bool CWinMedia::Exists(size_t disk, const std::string& name)
{
    return disk < m_roots.size() && GetFileAttributesA(PathOf(disk, name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<ByteSource> CWinMedia::Open(size_t disk, const std::string& name)
{
    if (disk >= m_roots.size())
        return nullptr;
    auto source = std::make_unique<CWinFileSource>();
    if (!source->Open(PathOf(disk, name)))
        return nullptr;
    return source;
}

std::string CWinMedia::ListedName(const std::string& name) const { return FromWide(ToWide(name, 932), CP_UTF8); }
