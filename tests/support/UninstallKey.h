#pragma once
// An uninstall registration under HKEY_LOCAL_MACHINE, written for one test and removed after it.

#include <windows.h>

#include <optional>
#include <string>

class CUninstallKey {
public:
    // The key ...\Uninstall\name with its "UninstallString" (none: the key without the value), in the given
    // registry view: the 32-bit view, where the application's 32-bit installer writes, unless told otherwise.
    CUninstallKey(const std::string& name, const std::optional<std::string>& uninstallString,
                  REGSAM view = KEY_WOW64_32KEY);
    ~CUninstallKey();
    CUninstallKey(const CUninstallKey&) = delete;
    CUninstallKey& operator=(const CUninstallKey&) = delete;

private:
    std::string m_path;
    REGSAM m_view;
};
