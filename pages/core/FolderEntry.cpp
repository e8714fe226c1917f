#include "FolderEntry.h"

char DriveLetterOfEntry(std::string_view entry)
{
    return entry.size() >= 3 ? entry[2] : 0;
}

std::string FolderNameOfEntry(std::string_view entry)
{
    if (entry.size() < 2)
        return {};
    return std::string(entry.substr(1, entry.size() - 2));
}

std::string FolderEntryOf(std::string_view name)
{
    std::string entry(1, '[');
    entry.append(name);
    entry.push_back(']');
    return entry;
}
