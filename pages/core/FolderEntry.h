#pragma once
// The texts of the drive and folder list entries: drives read [-c-], folders [name].

#include <string>
#include <string_view>

// The drive letter of a drive-list entry (its third character), or 0 when the entry is too short.
char DriveLetterOfEntry(std::string_view entry);

// The folder name inside a folder-list entry: everything between its first and its last character.
std::string FolderNameOfEntry(std::string_view entry);

// The folder-list entry of a folder name.
std::string FolderEntryOf(std::string_view name);
