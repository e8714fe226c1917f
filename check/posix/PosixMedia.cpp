#include "PosixMedia.h"

#include "Cp932.h"
#include "PosixFileSource.h"
#include "Utf8.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool PathPresent(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals part without regard to ASCII letter case, as Windows matches.
bool FindInFolder(const std::string& folder, const std::string& part, std::string& found)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, part.c_str()) == 0) {
            found = entry->d_name;
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

} // namespace

bool ResolveWindowsName(const std::string& folder, const std::string& name, std::string& path)
{
    path = folder.empty() ? "." : folder;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = FindSeparator(name, start);
        if (end == std::string::npos)
            end = name.size();
        std::string part = Cp932ToUtf8(name.substr(start, end - start));
        start = end + 1;
        if (part.empty())
            continue;
        std::string joint = path.back() == '/' ? "" : "/";
        std::string found;
        if (PathPresent(path + joint + part))
            path += joint + part;
        else if (FindInFolder(path, part, found))
            path += joint + found;
        else
            return false;
    }
    return true;
}

bool PosixMedia::Exists(size_t disk, const std::string& name)
{
    std::string path;
    return disk < m_roots.size() && ResolveWindowsName(m_roots[disk], name, path);
}

std::unique_ptr<ByteSource> PosixMedia::Open(size_t disk, const std::string& name)
{
    std::string path;
    if (disk >= m_roots.size() || !ResolveWindowsName(m_roots[disk], name, path))
        return nullptr;
    auto source = std::make_unique<PosixFileSource>();
    return source->Open(path) ? std::move(source) : nullptr;
}

std::string PosixMedia::DisplayPath(size_t disk, const std::string& name) const
{
    std::string root = disk < m_roots.size() ? m_roots[disk] : ".";
    std::string path;
    if (ResolveWindowsName(root, name, path))
        return path;
    std::string shown = Cp932ToUtf8(name);
    for (char& c : shown)
        c = c == '\\' ? '/' : c;
    return root + (root.empty() || root.back() == '/' ? "" : "/") + shown;
}

std::string PosixMedia::ListedName(const std::string& name) const { return Cp932ToUtf8(name); }
