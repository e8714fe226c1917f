#pragma once
// The Win32 file loops every component shares: writing a whole buffer and listing a folder.

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "Handles.h"

// Writes all of the bytes, in pieces a single call can take; false on any error.
inline bool WriteAll(HANDLE file, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD piece = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes, piece, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

enum class FindResult {
    Listed,   // every match was handed out (possibly none besides "." and "..")
    NotFound, // nothing matches, or the folder does not exist
    Failed    // access denied, drive not ready, a pattern too long for the ANSI calls...
};

// Hands each match of pattern to onFound (a const WIN32_FIND_DATAA&), in the system's order, never "."
// nor "..".
template <class OnFound>
FindResult ForEachFound(const std::string& pattern, OnFound&& onFound)
{
    if (pattern.size() >= MAX_PATH)
        return FindResult::Failed;
    WIN32_FIND_DATAA found{};
    CFindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        DWORD error = GetLastError();
        bool none = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
        return none ? FindResult::NotFound : FindResult::Failed;
    }
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            onFound(static_cast<const WIN32_FIND_DATAA&>(found));
    } while (FindNextFileA(search.Get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES ? FindResult::Listed : FindResult::Failed;
}
