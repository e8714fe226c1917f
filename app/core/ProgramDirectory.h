#pragma once
#include <string>
#include <string_view>

// The drive and directory of an executable at exePath, ending in a backslash, or only "X:" when it lies in a
// drive root. Every file of the medium is this folder followed directly by its name.
std::string ProgramDirectoryFromPath(std::string_view exePath);
