#include "UninstallString.h"

#include "Cp932.h"

bool ExtractFolderFromUninstallString(std::string& value)
{
    size_t marker = value.find(" -f");
    if (marker == std::string::npos)
        return false;
    std::string_view path = std::string_view(value).substr(marker + 3);
    // Quotes are not special: a quoted path keeps its opening quote.
    size_t nextOption = path.find(" -");
    if (nextOption != std::string_view::npos)
        path = path.substr(0, nextOption);
    PathParts parts = SplitPath(path);
    value = parts.drive + parts.dir;
    return true;
}

std::optional<std::string> FolderFromUninstallString(std::string_view value)
{
    std::string folder(value);
    if (!ExtractFolderFromUninstallString(folder))
        return std::nullopt;
    // The directory ends at a real separator, never at the trail byte of a double-byte character.
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}
