#include "UninstallKey.h"

#include <gtest/gtest.h>

namespace {

const char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

} // namespace

CUninstallKey::CUninstallKey(const std::string& name, const std::optional<std::string>& uninstallString, REGSAM view)
    : m_path(kUninstallRoot + name), m_view(view)
{
    HKEY key = nullptr;
    LONG created = RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr,
                                   &key, nullptr);
    EXPECT_EQ(created, ERROR_SUCCESS) << m_path;
    if (created != ERROR_SUCCESS)
        return;
    if (uninstallString) {
        EXPECT_EQ(RegSetValueExA(key, "UninstallString", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(uninstallString->c_str()),
                                 static_cast<DWORD>(uninstallString->size() + 1)),
                  ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

CUninstallKey::~CUninstallKey()
{
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), m_view, 0);
}
