#include "FileSystem.h"

#include <windows.h>

#include <vector>

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadProfileText(const char* section, const char* key, const char* defaultValue,
                            const std::string& iniPath)
{
    // A full buffer means the value may have been cut: read again with more room.
    for (DWORD size = 256;; size *= 2) {
        std::vector<char> buffer(size);
        DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, iniPath.c_str());
        if (length < size - 1 || size >= (1u << 24))
            return std::string(buffer.data(), length);
    }
}
