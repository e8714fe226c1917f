#pragma once
#include <string>
#include <string_view>

// Drive and directory of the running executable, ending in a backslash, or only "X:" when it lies in a
// drive root. Every file of the medium is programDirectory followed directly by its name.
extern std::string programDirectory;

// The value of programDirectory for an executable at exePath.
std::string ProgramDirectoryFromPath(std::string_view exePath);
