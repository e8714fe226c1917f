#include "MediaPath.h"

#include <windows.h>

namespace {

char UpperDriveLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool IsDriveOnly(const std::string& programDirectory)
{
    return programDirectory.size() == 2 && programDirectory[1] == ':';
}

std::string DriveTypeQueryPath(const std::string& programDirectory)
{
    return IsDriveOnly(programDirectory) ? programDirectory + "\\" : programDirectory;
}

void AnchorMediaDrive(const std::string& programDirectory)
{
    if (!IsDriveOnly(programDirectory))
        return;
    std::string root = programDirectory + "\\";
    char current[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    bool onMediaDrive = length >= 2 && length < sizeof current && current[1] == ':' &&
                        UpperDriveLetter(current[0]) == UpperDriveLetter(programDirectory[0]);
    if (onMediaDrive) {
        SetCurrentDirectoryA(root.c_str());
        return;
    }
    // The platform keeps the current directory of every other drive in the variable "=X:".
    std::string variable = "=" + programDirectory;
    SetEnvironmentVariableA(variable.c_str(), root.c_str());
}
