#pragma once
// Runs Parvel.exe from a medium folder as a user would start it, and finds its windows.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "UiDriver.h"

// A scratch medium folder under the build tree: Parvel.exe plus whatever the test writes into it.
class Medium {
public:
    explicit Medium(const std::string& name);
    const std::string& Folder() const { return m_folder; } // ends in a backslash
    std::string Path(const std::string& file) const { return m_folder + file; }
    void Write(const std::string& file, const std::string& bytes) const;
    // info.txt from lines (CP932 bytes), joined with CR LF.
    void WriteInfo(const std::vector<std::string>& lines) const;

private:
    std::string m_folder;
};

class ParvelProcess {
public:
    // arguments: the command line after the program's name, as a script writes it.
    explicit ParvelProcess(const std::string& exePath, const std::string& arguments = {});
    ~ParvelProcess();
    ParvelProcess(const ParvelProcess&) = delete;
    ParvelProcess& operator=(const ParvelProcess&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The top-level window of the given class that belongs to the process, waiting up to timeoutMs.
    HWND WaitForWindow(const char* className, DWORD timeoutMs = 20000) const;
    // Waits until the process ends; returns false on timeout.
    bool WaitForExit(DWORD timeoutMs = 20000) const;
    // Waits until the process ends, watching all the while for a visible top-level window of it; false on
    // timeout. windowSeen: the class of the first such window, empty when none showed.
    bool WaitForExitUnseen(std::string& windowSeen, DWORD timeoutMs = 60000) const;
    // The exit code once the process has ended.
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_process{};
};

// The Unix path of a Windows path (Wine's own mapping).
std::string UnixPath(const std::string& windowsPath);
// Runs a shell command on the host (Wine starts Unix programs too); its exit code, or -1.
int RunUnix(const std::string& command);
// Drive A: as a floppy drive holding folder (without a trailing backslash); false when it cannot be mapped.
bool MapFloppyDrive(const std::string& folder);
// An LZH archive of every file in folder, made with jlha (CP932 names under the Japanese locale).
bool MakeArchive(const std::string& folder, const std::string& archivePath, const char* options = "c");
// Creates the folders of a path, one level at a time.
void MakeFolders(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// Every file under folder with its bytes, by its path below folder: tells an installation left as it was.
std::map<std::string, std::string> Snapshot(const std::string& folder);
std::string IniValue(const std::string& path, const char* section, const char* key);

// Path of the Parvel.exe under test, beside this test executable's build tree.
std::string ParvelExePath();
