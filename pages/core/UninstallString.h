#pragma once
// The installed application's folder, as its registered uninstall command names it after the " -f" option.

#include <optional>
#include <string>
#include <string_view>

// Rewrites value to the drive and directory of the path after the first " -f" (cut at the next " -");
// false, with value unchanged, when there is no " -f".
bool ExtractFolderFromUninstallString(std::string& value);

// The pre-fill text for the folder field: the extracted folder without its one trailing backslash, or nothing
// when the value names no folder.
std::optional<std::string> FolderFromUninstallString(std::string_view value);
