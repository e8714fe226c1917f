#include "UninstallRegistry.h"

#include "Handles.h"
#include "UninstallString.h"

#include <algorithm>

namespace {

constexpr size_t kMaxKeys = 15;
constexpr char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string ReadStringValue(HKEY key, const char* name)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return {};
    std::string value(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS)
        return {};
    value.resize(std::min<size_t>(size, value.size()));
    // The stored text need not end in exactly one zero; it ends at the first.
    size_t end = value.find('\0');
    if (end != std::string::npos)
        value.resize(end);
    return value;
}

} // namespace

std::string ReadUninstallString(std::span<const std::string> keyNames)
{
    for (size_t i = 0; i < keyNames.size() && i < kMaxKeys; ++i) {
        if (keyNames[i].empty())
            break;
        // Read access is enough and works without administrator rights. The application and its installer are
        // 32-bit programs, so their registration lives in the 32-bit view.
        HKEY opened = nullptr;
        std::string path = kUninstallRoot + keyNames[i];
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened) !=
            ERROR_SUCCESS)
            continue;
        CRegKey key(opened);
        return ReadStringValue(key.Get(), "UninstallString");
    }
    return {};
}

std::string OfferedInstallFolder(std::span<const std::string> keyNames, const std::string& fallback)
{
    return FolderFromUninstallString(ReadUninstallString(keyNames)).value_or(fallback);
}
