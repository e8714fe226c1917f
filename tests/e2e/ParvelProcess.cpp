#include "ParvelProcess.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

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
    RemoveTree(m_folder.substr(0, m_folder.size() - 1));
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    if (!CopyTree(ParvelExePath(), m_folder))
        throw std::runtime_error("cannot copy Parvel.exe into " + m_folder);
}

void Medium::Write(const std::string& file, const std::string& bytes) const
{
    WriteFile(Path(file), bytes);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void MakeFolders(const std::string& path)
{
    for (size_t i = path.find('\\', 3); i != std::string::npos; i = path.find('\\', i + 1))
        ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    ::CreateDirectoryA(path.c_str(), nullptr);
}

static void Snapshot(const std::string& folder, const std::string& relative, std::map<std::string, std::string>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + relative + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = relative + "\\" + found.cFileName;
        if (std::string(found.cFileName) == "." || std::string(found.cFileName) == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Snapshot(folder, name, files);
        else
            files[name] = ReadFile(folder + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    Snapshot(folder, "", files);
    return files;
}

std::string IniValue(const std::string& path, const char* section, const char* key)
{
    char value[1024];
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, path.c_str());
    return value;
}

std::string UnixPath(const std::string& windowsPath)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    int n = ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), n);
    char* unix = convert(wide.c_str());
    if (!unix)
        return {};
    // Unix names are UTF-8; hand them back in the code page that CreateProcessA expects.
    std::wstring unixWide(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, unix, -1, nullptr, 0)), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, unix, -1, unixWide.data(), static_cast<int>(unixWide.size()));
    ::HeapFree(::GetProcessHeap(), 0, unix);
    int n2 = ::WideCharToMultiByte(CP_ACP, 0, unixWide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(n2), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, unixWide.c_str(), -1, result.data(), n2, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

int RunUnix(const std::string& command)
{
    // Wine starts a Unix program without a process handle to wait on: the command leaves its exit code in a
    // marker file, and the marker is awaited instead.
    static int serial = 0;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string marker = std::string(temp) + "parvel-unix-" + std::to_string(::GetCurrentProcessId()) + "-" +
                         std::to_string(++serial) + ".rc";
    ::DeleteFileA(marker.c_str());
    std::string markerUnix = UnixPath(temp) + "/" + marker.substr(marker.find_last_of('\\') + 1);
    std::string line = "Z:\\bin\\sh -c \"(" + command + ") >/dev/null 2>&1; echo $? > '" + markerUnix + ".tmp' && mv '" +
                       markerUnix + ".tmp' '" + markerUnix + "'\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    if (pi.hThread)
        ::CloseHandle(pi.hThread);
    if (pi.hProcess)
        ::CloseHandle(pi.hProcess);
    if (!ui::WaitUntil([&] { return ::GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 120000))
        return -1;
    std::string code = ReadFile(marker);
    ::DeleteFileA(marker.c_str());
    return std::atoi(code.c_str());
}

bool MapFloppyDrive(const std::string& folder)
{
    HKEY drives;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", 0, nullptr, 0, KEY_WRITE, nullptr, &drives,
                          nullptr) != ERROR_SUCCESS)
        return false;
    ::RegSetValueExA(drives, "a:", 0, REG_SZ, reinterpret_cast<const BYTE*>("floppy"), 7);
    ::RegCloseKey(drives);
    return RunUnix("ln -sfn '" + UnixPath(folder) + "' '" + UnixPath("C:\\") + "../dosdevices/a:'") == 0;
}

bool MakeArchive(const std::string& folder, const std::string& archivePath, const char* options)
{
    std::string dir = UnixPath(folder);
    std::string archive = UnixPath(archivePath);
    if (dir.empty() || archive.empty())
        return false;
    return RunUnix("cd '" + dir + "' && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 jlha " + options + "q '" + archive +
                   "' *") == 0;
}

void Medium::WriteInfo(const std::vector<std::string>& lines) const
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    Write("info.txt", bytes);
}

ParvelProcess::ParvelProcess(const std::string& exePath, const std::string& arguments)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string folder = exePath.substr(0, exePath.find_last_of('\\') + 1);
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
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
    ui::WaitUntil([&] {
        ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr;
    }, timeoutMs);
    return data.found;
}

bool ParvelProcess::WaitForExit(DWORD timeoutMs) const
{
    return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

namespace {
struct VisibleData {
    DWORD pid;
    std::string className;
};

BOOL CALLBACK VisibleProc(HWND hwnd, LPARAM lParam)
{
    auto* data = reinterpret_cast<VisibleData*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[256];
    if (pid == data->pid && ::IsWindowVisible(hwnd) && ::GetClassNameA(hwnd, name, sizeof name)) {
        data->className = name;
        return FALSE;
    }
    return TRUE;
}
} // namespace

bool ParvelProcess::WaitForExitUnseen(std::string& windowSeen, DWORD timeoutMs) const
{
    VisibleData data{m_process.dwProcessId, {}};
    bool ended = ui::WaitUntil([&] {
        if (data.className.empty())
            ::EnumWindows(VisibleProc, reinterpret_cast<LPARAM>(&data));
        return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
    }, timeoutMs);
    windowSeen = data.className;
    return ended;
}

DWORD ParvelProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}
