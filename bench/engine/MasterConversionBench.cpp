// Material master conversion against CopyFileA of the same files, and its peak memory by file size.
//   engine_master_bench speed <folder> [files] [MB each]   times both, prints the ratio
//   engine_master_bench memory <folder> <MB>               converts one master, prints the peak memory
#include "MasterConversion.h"
#include "Win32Host.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// About one record in eight is selected by the size rule, as in a real master.
void WriteMaster(const std::string& path, size_t megabytes)
{
    std::string block;
    for (int i = 0; block.size() < (1u << 20) - 400; ++i) {
        std::string code = i % 8 == 0 ? "400400000107" : "400400000200";
        block += code + std::string(54, '0' + i % 10) + "A" + std::string(119, 'x') + "\r\n";
    }
    block.resize(1u << 20, 'y');
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    for (size_t i = 0; i < megabytes; ++i)
        WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    CloseHandle(file);
}

std::string MasterName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "zai%03d-3.mst", i);
    return name;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimeCopy(const std::string& from, const std::string& to, int files)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < files; ++i)
        CopyFileA((from + MasterName(i)).c_str(), (to + MasterName(i)).c_str(), FALSE);
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double TimeConversion(const std::string& folder)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CWin32Host host(nullptr);
    CWin32Prompts prompts(nullptr);
    if (!ConvertMasterFolder(host.With(prompts), folder, MasterRule::Size))
        std::printf("conversion failed\n");
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// The file steps a conversion must take, without converting: a plain copy into the work file, flushed,
// then the work file replaces the master. What the conversion costs beyond this is its own.
double TimeFileSteps(const std::string& folder, int files)
{
    std::string buffer(1 << 16, '\0');
    std::string work = folder + "temp.mst";
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < files; ++i) {
        std::string master = folder + MasterName(i);
        HANDLE from = CreateFileA(master.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE to = CreateFileA(work.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD got = 0, written = 0;
        while (ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
            WriteFile(to, buffer.data(), got, &written, nullptr);
        FlushFileBuffers(to);
        CloseHandle(from);
        CloseHandle(to);
        MoveFileExA(work.c_str(), master.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

int Speed(const std::string& root, int files, size_t megabytes)
{
    std::string masters = root + "masters\\";
    std::string copies = root + "copies\\";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(masters.c_str(), nullptr);
    CreateDirectoryA(copies.c_str(), nullptr);
    for (int i = 0; i < files; ++i)
        WriteMaster(masters + MasterName(i), megabytes);
    double copy = 1e9, convert = 1e9, steps = 1e9;
    for (int round = 0; round < 3; ++round) {
        copy = std::min(copy, TimeCopy(masters, copies, files));
        steps = std::min(steps, TimeFileSteps(masters, files));
        convert = std::min(convert, TimeConversion(masters));
    }
    std::printf("master conversion: %d files x %zu MB: convert %.3f s, CopyFileA %.3f s, ratio %.2f (goal <= 1.5)\n",
                files, megabytes, convert, copy, convert / copy);
    std::printf("  the file steps alone (copy into the work file, flush, replace): %.3f s, ratio to CopyFileA %.2f\n",
                steps, steps / copy);
    return 0;
}

int Memory(const std::string& root, size_t megabytes)
{
    CreateDirectoryA(root.c_str(), nullptr);
    WriteMaster(root + MasterName(0), megabytes);
    TimeConversion(root);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("master conversion: %zu MB master: peak working set %.1f MB, peak private %.1f MB\n", megabytes,
                static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0,
                static_cast<double>(counters.PeakPagefileUsage) / 1048576.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "speed")
        return Speed(argv[2], argc > 3 ? std::atoi(argv[3]) : 200, argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 1);
    if (argc >= 4 && std::string(argv[1]) == "memory")
        return Memory(argv[2], std::strtoul(argv[3], nullptr, 10));
    std::printf("usage: engine_master_bench speed <folder\\> [files] [MB] | memory <folder\\> <MB>\n");
    return 2;
}
