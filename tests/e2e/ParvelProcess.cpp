#include "ParvelProcess.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

std::string Cp932(const char* utf8)
{
    int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), wide);
    int narrow = ::WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(narrow), '\0');
    ::WideCharToMultiByte(932, 0, w.c_str(), -1, s.data(), narrow, nullptr, nullptr);
    s.resize(s.size() - 1);
    return s;
}

namespace {

std::string ModuleFolder()
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool CopyTree(const std::string& exe, const std::string& folder)
{
    return ::CopyFileA(exe.c_str(), (folder + "Parvel.exe").c_str(), FALSE) != 0;
}

} // namespace

std::string ParvelExePath()
{
    // tests/e2e/<test>.exe -> app/Parvel.exe in the same build tree.
    return ModuleFolder() + "..\\..\\app\\Parvel.exe";
}

Medium::Medium(const std::string& name)
{
    m_folder = ModuleFolder() + "media\\" + name + "\\";
    ::CreateDirectoryA((ModuleFolder() + "media").c_str(), nullptr);
    std::string command = "cmd /c rmdir /s /q \"" + m_folder.substr(0, m_folder.size() - 1) + "\" 2>nul";
    std::system(command.c_str());
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    if (!CopyTree(ParvelExePath(), m_folder))
        throw std::runtime_error("cannot copy Parvel.exe into " + m_folder);
}

void Medium::Write(const std::string& file, const std::string& bytes) const
{
    std::FILE* f = std::fopen(Path(file).c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + Path(file));
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void Medium::WriteInfo(const std::vector<std::string>& lines) const
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    Write("info.txt", bytes);
}

ParvelProcess::ParvelProcess(const std::string& exePath)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string folder = exePath.substr(0, exePath.find_last_of('\\') + 1);
    std::string commandLine = "\"" + exePath + "\"";
    if (!::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &m_process))
        m_process = PROCESS_INFORMATION{};
}

ParvelProcess::~ParvelProcess()
{
    if (!m_process.hProcess)
        return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

namespace {
struct FindData {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam)
{
    auto* data = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[256];
    if (pid == data->pid && ::GetClassNameA(hwnd, name, sizeof name) && lstrcmpA(name, data->className) == 0) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND ParvelProcess::WaitForWindow(const char* className, DWORD timeoutMs) const
{
    FindData data{m_process.dwProcessId, className, nullptr};
    WaitUntil([&] {
        ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr;
    }, timeoutMs);
    return data.found;
}

bool ParvelProcess::WaitForExit(DWORD timeoutMs) const
{
    return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string WindowText(HWND hwnd)
{
    int n = ::GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = ::GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return s;
}
