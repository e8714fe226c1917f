// A whole update run of a prepared medium, timed inside the process (Wine's start-up is not the run's).
//   engine_run_bench <medium folder\> <install folder> <archives> <loose files> [noflush]
// With noflush the work files are not flushed before they replace their targets: the reference that shows
// what the flushes cost.
// The medium holds ARC01.lzh ... and L001.TXT ...; the installation passes identification.
#include "UpdateEngine.h"
#include "Win32Host.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Without flushes: work files, folders and kept originals reach the disk when the system writes them.
class CUnflushedFiles : public CWin32Files {
public:
    explicit CUnflushedFiles(bool flush) : m_flush(flush) {}
    bool FlushFile(const std::string& path) override { return !m_flush || CWin32Files::FlushFile(path); }
    bool FlushFolder(const std::string& folder) override { return !m_flush || CWin32Files::FlushFolder(folder); }

private:
    bool m_flush;
};

class CSilentPrompts : public CWin32Prompts {
public:
    CSilentPrompts() : CWin32Prompts(nullptr) {}
    void Message(const std::string& text, const std::string&) override { last = text; ++count; }
    DiskAnswer AskForDisk(const std::string&, const std::string&) override { return DiskAnswer::Cancel; }
    std::string last;
    int count = 0;
};

// The time of the checks before the first write, as the run reports it to its log.
class CCheckTime : public RunJournal {
public:
    void ChecksDone(bool, uint64_t milliseconds) override { this->milliseconds = milliseconds; }
    uint64_t milliseconds = 0;
};

UpdateDescription MediumDescription(const std::string& installFolder, int archives, int looseFiles)
{
    UpdateDescription description;
    description.installFolder = installFolder;
    description.settingsFile = std::string("tavilo1.ini");
    description.titleKeywords[0] = std::string("BENCH");
    char name[32];
    for (int i = 1; i <= archives; ++i) {
        std::snprintf(name, sizeof name, "ARC%02d", i);
        description.entries.push_back({1, EntryKind::Archive, name, "DATA\\"});
    }
    for (int i = 1; i <= looseFiles; ++i) {
        std::snprintf(name, sizeof name, "L%03d.TXT", i);
        description.entries.push_back({1, EntryKind::LooseFile, name, "FILES\\"});
    }
    return description;
}

// The floor Wine sets for the loose files: CopyFileA of each of them alone, into a scratch folder.
double CopyLooseFilesAlone(const std::string& medium, const std::string& scratch, int looseFiles)
{
    CreateDirectoryA(scratch.c_str(), nullptr);
    char name[32];
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 1; i <= looseFiles; ++i) {
        std::snprintf(name, sizeof name, "L%03d.TXT", i);
        CopyFileA((medium + name).c_str(), (scratch + "\\" + name).c_str(), FALSE);
    }
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::printf("usage: engine_run_bench <medium folder\\> <install folder> <archives> <loose files>\n");
        return 2;
    }
    std::string programDirectory = argv[1];
    UpdateDescription description = MediumDescription(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    CWin32Host host(nullptr, false);
    CUnflushedFiles files(!(argc > 5 && std::string(argv[5]) == "noflush"));
    CSilentPrompts prompts;
    const EngineHost roles{files, host.settings, host.medium, host.archive, prompts};
    CCheckTime checks;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    RunOutcome outcome =
        ApplyUpdate(description, UpdatePlace{MediumFolder(programDirectory), description.installFolder}, roles, &checks);
    int result = outcome == RunOutcome::Updated ? 1 : 0;
    QueryPerformanceCounter(&end);
    double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    double copies = CopyLooseFilesAlone(programDirectory, std::string(argv[2]) + "\\COPIES", std::atoi(argv[4]));
    // The last box of a complete run is the success message, and it is the only one.
    std::printf("%.3f %d %d %.3f %.3f\n", seconds, result, prompts.count, copies,
                static_cast<double>(checks.milliseconds) / 1000);
    return result == 1 && prompts.count == 1 ? 0 : 1;
}
