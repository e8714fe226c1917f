#include "ProgramDirectory.h"

#include "Cp932.h"

std::string ProgramDirectoryFromPath(std::string_view exePath)
{
    PathParts parts = SplitPath(exePath);
    std::string directory = parts.drive + parts.dir;
    // A drive root such as A:\ keeps only its drive: media files are then named A:INFO.TXT and so on.
    if (directory.size() == 3)
        directory.resize(2);
    return directory;
}
