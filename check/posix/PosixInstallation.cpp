#include "PosixInstallation.h"

#include "Cp932.h"
#include "IniReader.h"
#include "PosixFileSource.h"
#include "PosixMedia.h"
#include "Utf8.h"
#include "WindowsPath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <utility>

namespace {

std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = FindSeparator(path, start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

bool PosixInstallation::Map(const std::string& path, std::string& posixPath, bool toRead)
{
    std::vector<std::string> root = Components(m_windowsFolder), parts = Components(path);
    bool inside = parts.size() >= root.size();
    for (size_t i = 0; inside && i < root.size(); ++i)
        inside = PathKey(parts[i]) == PathKey(root[i]);
    // A colon past the drive names nothing on Windows either: the run's probe of "folder:\" finds nothing.
    if (!inside && toRead && FindChar(path, ':', 2) == std::string::npos) {
        bool noted = false;
        for (const std::string& unseen : m_unseen)
            noted = noted || PathKey(unseen) == PathKey(path);
        if (!noted)
            m_unseen.push_back(path);
    }
    if (!inside)
        return false;
    std::string rest;
    for (size_t i = root.size(); i < parts.size(); ++i)
        rest += (rest.empty() ? "" : "\\") + parts[i];
    return ResolveWindowsName(m_folder, rest, posixPath);
}

std::vector<std::string> PosixInstallation::TakeUnseen() { return std::exchange(m_unseen, {}); }

bool PosixInstallation::Exists(const std::string& path)
{
    std::string mapped;
    return Map(path, mapped, false);
}

LastWriteResult PosixInstallation::ReadLastWriteDate(const std::string& path, UtcDate& date)
{
    std::string mapped;
    struct stat st {};
    if (!Map(path, mapped) || stat(mapped.c_str(), &st) != 0)
        return LastWriteResult::CannotOpen;
    std::tm fields{};
    if (!gmtime_r(&st.st_mtime, &fields))
        return LastWriteResult::TimeUnreadable;
    date = {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday};
    return LastWriteResult::Read;
}

ListResult PosixInstallation::ListFolder(const std::string& pattern, std::vector<FoundFile>& names)
{
    names.clear();
    PathParts parts = SplitPath(pattern);
    std::string folder;
    if (!Map(parts.drive + parts.dir, folder))
        return ListResult::NotFound;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return ListResult::Failed;
    while (dirent* entry = readdir(dir)) {
        std::string name = Utf8ToCp932(entry->d_name);
        if (name == "." || name == ".." || !MatchesWildcard(name, parts.name + parts.ext))
            continue;
        struct stat st {};
        bool directory = stat((folder + "/" + entry->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        names.push_back({name, directory});
    }
    closedir(dir);
    return names.empty() ? ListResult::NotFound : ListResult::Listed;
}

std::unique_ptr<ByteReader> PosixInstallation::OpenForReading(const std::string& path)
{
    std::string mapped;
    auto file = std::make_unique<PosixFileSource>();
    if (!Map(path, mapped) || !file->Open(mapped))
        return nullptr;
    return file;
}

ProfileReadResult PosixInstallation::ReadProfile(const std::string& section, const std::string& key,
                                                 const std::string& defaultValue, const std::string& path,
                                                 std::string& value)
{
    value = defaultValue;
    std::unique_ptr<ByteReader> file = OpenForReading(path);
    if (!file)
        return Exists(path) ? ProfileReadResult::Failed : ProfileReadResult::FileMissing;
    std::string bytes = ReadRest(*file);
    if (file->Failed())
        return ProfileReadResult::Failed;
    FindProfileValue(bytes, section, key, value);
    return ProfileReadResult::Read;
}
