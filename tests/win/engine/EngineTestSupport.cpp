#include "EngineTestSupport.h"

#include "FileIo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

CTempFolder::CTempFolder(const std::string& nameTail)
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    std::snprintf(name, sizeof name, "engt%lu_%d", GetCurrentProcessId(), ++serial);
    m_path = std::string(temp) + name + nameTail;
    RemoveTree(m_path);
    MakeFolder(m_path);
    m_path += "\\";
}

CTempFolder::~CTempFolder() { RemoveTree(m_path.substr(0, m_path.size() - 1)); }

void MakeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << path;
}

std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool DriveMapped(const char* root) { return GetDriveTypeA(root) > DRIVE_NO_ROOT_DIR; }

std::string TreeText(const std::string& folder)
{
    std::string text;
    std::string root = folder.back() == '\\' ? folder : folder + "\\";
    ForEachFound(root + "*", [&](const WIN32_FIND_DATAA& found) {
        std::string path = root + found.cFileName;
        // A folder's own time changes with every file made and removed in it: only its contents count.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            text += path + "\\\n" + TreeText(path);
            return;
        }
        text += path + " " + std::to_string(found.dwFileAttributes) + " " + std::to_string(found.nFileSizeLow) + " " +
                std::to_string(found.ftLastWriteTime.dwLowDateTime) + "\n" + ReadBytes(path) + "\n";
    });
    return text;
}

void SetLastWrite(const std::string& path, int year, int month, int day, int hour)
{
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(hour);
    FILETIME time{};
    SystemTimeToFileTime(&fields, &time);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}
