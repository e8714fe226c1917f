// An update killed at 25 moments spread over its run, as a power cut or a crash would end it: every file of
// the installation is afterwards wholly old or wholly new and no master is missing; the next start (which
// finishes an interrupted commit, or runs the update afresh) leaves exactly what one clean run leaves, or two
// where the first had finished, and none of the update's own files. The medium is large enough (megabytes
// of loose files, archives and masters) for the moments to fall inside the run.
#include "EngineTestSupport.h"
#include "FileIo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

const std::string kMedium = "M:\\interrupt\\";
constexpr int kMoments = 25;

using Snapshot = std::map<std::string, std::string>; // relative path -> bytes

void CopyTree(const std::string& from, const std::string& to)
{
    MakeFolder(to);
    ForEachFound(from + "\\*", [&](const WIN32_FIND_DATAA& found) {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    });
}

void Take(const std::string& root, const std::string& relative, Snapshot& files)
{
    ForEachFound(root + relative + "*", [&](const WIN32_FIND_DATAA& found) {
        std::string name = relative + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Take(root, name + "\\", files);
        else
            files[name] = ReadBytes(root + name);
    });
}

Snapshot Take(const std::string& root)
{
    Snapshot files;
    Take(root + "\\", "", files);
    return files;
}

std::string UpperBaseName(const std::string& name)
{
    std::string upper = name.substr(name.rfind('\\') == std::string::npos ? 0 : name.rfind('\\') + 1);
    CharUpperA(upper.data());
    return upper;
}

// The update's own files: work files (the archive library's too, beside each member), originals kept aside
// and the journal. A cut may leave them; nothing else is new.
bool IsOwnFile(const std::string& name)
{
    std::string base = UpperBaseName(name);
    auto endsWith = [&](const std::string& tail) {
        return base.size() >= tail.size() && base.compare(base.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith(".PARVEL~") || endsWith(".PARVEL-OLD") || base == "PARVEL.JOURNAL";
}

Snapshot WithoutOwnFiles(Snapshot files)
{
    for (auto it = files.begin(); it != files.end();)
        it = IsOwnFile(it->first) ? files.erase(it) : std::next(it);
    return files;
}

std::string MasterRecords(char fill, size_t bytes)
{
    std::string record = std::string("400400000107").append(1, fill).append("A").append(172, fill).append("\r\n");
    std::string master;
    while (master.size() < bytes)
        master += record;
    return master;
}

void MakePristine(const std::string& folder, const std::string& install)
{
    MakeFolder(folder);
    for (const char* sub : {"bmp", "M1", "M21"})
        MakeFolder(folder + "\\" + sub);
    WriteBytes(folder + "\\bmp\\MERIO2L.BMP", "BM");
    WriteBytes(folder + "\\dravex.exe", "MZ");
    WriteBytes(folder + "\\tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n[DIR]\r\nMASTER=" + install + "\\M\r\n");
    WriteBytes(folder + "\\mok3.ini", "[HISTORY]\r\nOTHER=1\r\n");
    WriteBytes(folder + "\\L1.BIN", std::string(1 << 20, 'o'));
    WriteBytes(folder + "\\big1.txt", "old big1\r\n");
    for (int i = 1; i <= 3; ++i)
        WriteBytes(folder + "\\M1\\zai00" + std::to_string(i) + "-3.mst", MasterRecords(static_cast<char>('a' + i), 2 << 20));
    WriteBytes(folder + "\\M21\\zai101-3.mst", MasterRecords('z', 2 << 20));
}

std::string ChildPath()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + "engine_run_child.exe";
}

struct ChildRun {
    DWORD exitCode = 0;
    double seconds = 0;  // from the start of the run to its end or the kill
    bool killed = false; // still running when the kill came
};

// Runs the update in a child process; with killAfterMs >= 0 kills it that long after the run started.
ChildRun RunChild(const std::string& install, int killAfterMs)
{
    ChildRun run;
    const char* eventName = "ParvelInterruptionTestRunStarted";
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, eventName);
    // A backslash before a closing quote is doubled, or the C runtime reads it as an escaped quote.
    // Appended piece by piece: g++ 12 at -O3 warns (-Wrestrict) about a text put before a temporary string.
    std::string command = "\"";
    command.append(ChildPath()).append("\" \"").append(kMedium).append("\\\" \"").append(install).append("\" ");
    command.append(eventName);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command;
        CloseHandle(started);
        return run;
    }
    HANDLE either[] = {started, process.hProcess};
    EXPECT_EQ(WaitForMultipleObjects(2, either, FALSE, 60000), WAIT_OBJECT_0) << "the child did not start its run";
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    if (killAfterMs >= 0) {
        Sleep(static_cast<DWORD>(killAfterMs));
        run.killed = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
        if (run.killed)
            TerminateProcess(process.hProcess, 99);
    }
    WaitForSingleObject(process.hProcess, 120000);
    QueryPerformanceCounter(&to);
    run.seconds = static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(started);
    return run;
}

bool SameAs(const Snapshot& now, const Snapshot& complete)
{
    if (now.size() != complete.size())
        return false;
    for (const auto& [name, bytes] : now) {
        auto other = complete.find(name);
        if (other == complete.end() || other->second != bytes)
            return false;
    }
    return true;
}

TEST(Interruption, EveryFileWhollyOldOrNewAndTheNextStartEndsAsACleanRun)
{
    ASSERT_TRUE(Exists(kMedium + "BIG1.lzh")) << "the interruption medium is not prepared (ctest fixture)";
    CTempFolder temp;
    const std::string install = temp + "app";
    const std::string pristine = temp + "pristine";
    MakePristine(pristine, install);
    const Snapshot before = Take(pristine);

    CopyTree(pristine, install);
    ChildRun whole = RunChild(install, -1);
    ASSERT_EQ(whole.exitCode, 0u) << "the uninterrupted run must succeed";
    const Snapshot after = Take(install);
    ASSERT_GT(after.size(), before.size());
    // A second update over the first converts the masters again.
    ASSERT_EQ(RunChild(install, -1).exitCode, 0u);
    const Snapshot twice = Take(install);

    int cutMidRun = 0, journals = 0;
    for (int moment = 1; moment <= kMoments; ++moment) {
        RemoveTree(install);
        CopyTree(pristine, install);
        // Spread over the run and a little past it: a later run may be quicker or slower than the first.
        int killAfterMs = static_cast<int>(whole.seconds * 1100.0 * moment / kMoments);
        ChildRun cut = RunChild(install, killAfterMs);
        cutMidRun += cut.killed;
        const std::string where = "cut after " + std::to_string(killAfterMs) + " ms";
        Snapshot raw = Take(install);
        journals += Exists(install + "\\parvel.journal");
        Snapshot now = WithoutOwnFiles(raw);
        for (const auto& [name, bytes] : before)
            EXPECT_TRUE(now.count(name)) << where << ": " << name << " is missing";
        for (const auto& [name, bytes] : now) {
            auto old = before.find(name);
            auto complete = after.find(name);
            ASSERT_TRUE(old != before.end() || complete != after.end()) << where << ": stray " << name;
            EXPECT_TRUE((old != before.end() && bytes == old->second) ||
                        (complete != after.end() && bytes == complete->second))
                << where << ": " << name << " is cut (" << bytes.size() << " bytes)";
        }
        bool finished = SameAs(now, after) && !Exists(install + "\\parvel.journal");

        ChildRun next = RunChild(install, -1);
        EXPECT_EQ(next.exitCode, 0u) << where << ": the next start";
        Snapshot completed = Take(install);
        EXPECT_TRUE(SameAs(completed, finished ? twice : after)) << where << ": the next start differs from a clean run";
    }
    // The moments fell inside the run. The bound leaves room for a loaded machine.
    std::printf("run %.0f ms; %d of %d cuts came while it ran, %d inside the commit\n", whole.seconds * 1000, cutMidRun,
                kMoments, journals);
    EXPECT_GE(cutMidRun, kMoments / 2);
}

} // namespace
