#include "NativeFiles.h"

#include "WinFileSource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace lzh {
namespace {

int64_t UnixTimeOf(const FILETIME& ft)
{
    uint64_t t = uint64_t(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
    return static_cast<int64_t>(t / 10000000) - 11644473600LL;
}

}

bool StatPath(const std::string& path, FileInfo& info)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    info.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    info.size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    info.unixTime = UnixTimeOf(data.ftLastWriteTime);
    return true;
}

bool ListFolder(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return true;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RenamePath(const std::string& from, const std::string& to) { return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0; }

bool RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path.c_str()) != 0;
    }
    std::vector<std::string> names;
    ListFolder(path, names);
    for (const std::string& name : names)
        RemoveTree(path + "\\" + name);
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool CopyFileBytes(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool NativeToCp932(const std::string& native, std::string& cp932)
{
    cp932 = native;
    return GetACP() == 932 || std::all_of(native.begin(), native.end(), [](char c) { return (c & 0x80) == 0; });
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932)
{
    cp932.clear();
    if (utf8.empty())
        return true;
    int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wide <= 0)
        return false;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), wide);
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), wide, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    cp932.resize(static_cast<size_t>(n));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), wide, cp932.data(), n, nullptr, &usedDefault);
    return !usedDefault;
}

std::string Utf8ToNative(const std::string& utf8)
{
    std::string cp932;
    return Utf8ToCp932(utf8, cp932) ? cp932 : utf8;
}

std::string Cp932ToNative(const std::string& cp932) { return cp932; }

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path)
{
    auto source = std::make_unique<CWinFileSource>();
    return source->Open(path) ? std::move(source) : nullptr;
}

}
