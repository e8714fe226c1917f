#include "MasterConversion.h"

#include "FileSystem.h"
#include "Handles.h"

#include <windows.h>

#include <algorithm>

namespace {

// Split so that "??-" is not read as a trigraph.
constexpr char kMasterPattern[] = "zai???" "-3.mst";
constexpr char kWorkFileName[] = "temp.mst";
constexpr DWORD kChunkBytes = 1 << 16;

bool IsDotEntry(const char* name)
{
    return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunkBytes));
        if (!WriteFile(file, bytes.data() + done, part, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Streams the master through the rule into the work file; false on any read or write error.
bool CopyConverted(HANDLE master, HANDLE work, MasterRule rule)
{
    MasterStreamConverter converter(rule);
    std::string chunk(kChunkBytes, '\0');
    std::string out;
    out.reserve(kChunkBytes + kChunkBytes / 2);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(master, chunk.data(), kChunkBytes, &got, nullptr))
            return false;
        if (got == 0)
            break;
        converter.Feed(std::string_view(chunk.data(), got), out);
        // Whole chunks at chunk-aligned offsets: the file system caches those best.
        if (out.size() >= kChunkBytes) {
            size_t whole = out.size() - out.size() % kChunkBytes;
            if (!WriteAll(work, std::string_view(out).substr(0, whole)))
                return false;
            out.erase(0, whole);
        }
    }
    converter.Finish(out);
    return WriteAll(work, out);
}

HANDLE OpenExclusive(const std::string& path, DWORD disposition)
{
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

int ConvertFolder(const std::string& folder, MasterRule rule)
{
    MasterNameList list;
    std::string pattern = folder + kMasterPattern;
    // The ANSI search cannot take a longer pattern; saying "no files" would hide the masters.
    if (pattern.size() >= MAX_PATH)
        return 0;
    ListMasterFiles(list, pattern);
    for (const std::string& name : list) {
        if (ConvertMasterFile(folder, name, rule) != 1)
            return 0;
    }
    return 1;
}

int ConvertMaster(const std::string& settingsPath, MasterRule rule)
{
    std::string masterPrefix = ReadProfileText("DIR", "MASTER", "", settingsPath);
    if (ConvertFolder(masterPrefix + "1\\", rule) != 1)
        return 0;
    return ConvertFolder(masterPrefix + "21\\", rule);
}

} // namespace

int ListMasterFiles(MasterNameList& list, const std::string& pattern)
{
    list.clear();
    WIN32_FIND_DATAA found{};
    CFindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search.IsValid())
        return 0;
    do {
        if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        list.emplace_back(found.cFileName);
    } while (list.size() < kMaxMasterFiles && FindNextFileA(search.Get(), &found));
    return static_cast<int>(list.size());
}

int ConvertMasterFile(const std::string& folder, const std::string& name, MasterRule rule)
{
    std::string masterPath = folder + name;
    std::string workPath = folder + kWorkFileName;
    CFileHandle master(OpenExclusive(masterPath, OPEN_EXISTING));
    if (!master.IsValid())
        return 0;
    CFileHandle work(OpenExclusive(workPath, CREATE_ALWAYS));
    // Someone else holds the work file: it is not ours to remove.
    if (!work.IsValid())
        return 0;
    bool complete = CopyConverted(master.Get(), work.Get(), rule);
    master.Close();
    complete = work.Close() && complete;
    if (!complete || !DeleteFileA(masterPath.c_str())) {
        DeleteFileA(workPath.c_str());
        return 0;
    }
    if (MoveFileA(workPath.c_str(), masterPath.c_str()))
        return 1;
    // The master is gone; its converted records must not stay under the work file's name only.
    return CopyFileA(workPath.c_str(), masterPath.c_str(), TRUE) && DeleteFileA(workPath.c_str()) ? 1 : 0;
}

int ConvertSizeFolder(const std::string& folder) { return ConvertFolder(folder, MasterRule::Size); }
int ConvertTypeFolder(const std::string& folder) { return ConvertFolder(folder, MasterRule::Type); }

int ConvertMaterialSize(const std::string& settingsPath) { return ConvertMaster(settingsPath, MasterRule::Size); }
int ConvertMaterialType(const std::string& settingsPath) { return ConvertMaster(settingsPath, MasterRule::Type); }
