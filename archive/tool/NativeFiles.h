#pragma once
// The little of the file system and of text conversion that the archive-building tools need, for Linux
// (names in UTF-8) and Windows (names in the ANSI code page, 932 on a Japanese system): one implementation
// file per platform. Paths use '/' on both; Windows takes it too.

#include "ByteSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lzh {

struct FileInfo {
    bool isFolder = false;
    bool readOnly = false;
    uint64_t size = 0;
    int64_t unixTime = 0; // last written
};

// False when the path does not exist.
bool StatPath(const std::string& path, FileInfo& info);
// Names in the folder (without "." and ".."), sorted byte-wise; false when it cannot be read.
bool ListFolder(const std::string& path, std::vector<std::string>& names);
bool MakeFolder(const std::string& path);
// Moves a file or folder; an existing file of the target's name is replaced.
bool RenamePath(const std::string& from, const std::string& to);
// Removes a file, or a folder with everything in it; true when nothing is left.
bool RemoveTree(const std::string& path);
bool CopyFileBytes(const std::string& from, const std::string& to);
// The file through the platform's one file reader (io/); null when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

// A native name (UTF-8 on Linux, the ANSI code page on Windows) in CP932; false when a character has no
// CP932 form.
bool NativeToCp932(const std::string& native, std::string& cp932);
// UTF-8 in CP932 (no best-fit replacements); false when a character has no CP932 form.
bool Utf8ToCp932(std::string_view utf8, std::string& cp932);
// A UTF-8 name as the native one.
std::string Utf8ToNative(const std::string& utf8);
// A CP932 text for the terminal: UTF-8 on Linux, unchanged on Windows.
std::string Cp932ToNative(const std::string& cp932);

}
