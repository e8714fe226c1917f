#include "MasterConversion.h"

namespace {

constexpr char kWorkFileName[] = "temp.mst";
constexpr size_t kChunkBytes = 1 << 16;

// Streams the master through the rule into the work file; false on any read or write error.
bool CopyConverted(HostReader& master, HostWriter& work, MasterRule rule)
{
    MasterStreamConverter converter(rule);
    std::string chunk(kChunkBytes, '\0');
    std::string out;
    out.reserve(kChunkBytes + kChunkBytes / 2);
    for (;;) {
        size_t got = 0;
        if (!master.Read(chunk.data(), chunk.size(), got))
            return false;
        if (got == 0)
            break;
        converter.Feed(std::string_view(chunk.data(), got), out);
        // Whole chunks at chunk-aligned offsets: the file system caches those best.
        if (out.size() >= kChunkBytes) {
            size_t whole = out.size() - out.size() % kChunkBytes;
            if (!work.Write(std::string_view(out).substr(0, whole)))
                return false;
            out.erase(0, whole);
        }
    }
    converter.Finish(out);
    return out.empty() || work.Write(out);
}

int ConvertMaster(EngineHost& host, const std::string& settingsPath, MasterRule rule)
{
    std::string masterPrefix;
    // A missing settings file gives the empty prefix; one that cannot be read hides where the masters are.
    if (host.ReadProfile("DIR", "MASTER", "", settingsPath, masterPrefix) == ProfileReadResult::Failed)
        return 0;
    if (ConvertMasterFolder(host, masterPrefix + "1\\", rule) != 1)
        return 0;
    return ConvertMasterFolder(host, masterPrefix + "21\\", rule);
}

} // namespace

int ListMasterFiles(EngineHost& host, MasterNameList& list, const std::string& pattern)
{
    list.clear();
    std::vector<FoundFile> found;
    switch (host.ListFolder(pattern, found)) {
    case ListResult::NotFound: return 0;
    case ListResult::Failed: return -1;
    case ListResult::Listed: break;
    }
    for (FoundFile& file : found) {
        if (list.size() >= kMaxMasterFiles)
            break;
        if (!file.directory)
            list.push_back(std::move(file.name));
    }
    return static_cast<int>(list.size());
}

int ConvertMasterFile(EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule)
{
    std::string masterPath = folder + name;
    std::string workPath = folder + kWorkFileName;
    std::unique_ptr<HostReader> master = host.OpenExclusive(masterPath);
    if (!master)
        return 0;
    // A work file left by an interrupted run is emptied here; one that someone else holds is not ours.
    std::unique_ptr<HostWriter> work = host.CreateExclusive(workPath);
    if (!work)
        return 0;
    bool complete = CopyConverted(*master, *work, rule);
    master.reset();
    complete = work->Close() && complete;
    work.reset();
    // The replace is one step: the master is never missing, whatever moment the run is cut off.
    if (complete && host.MoveOver(workPath, masterPath))
        return 1;
    host.RemoveFile(workPath);
    return 0;
}

int ConvertMasterFolder(EngineHost& host, const std::string& folder, MasterRule rule)
{
    MasterNameList list;
    if (ListMasterFiles(host, list, folder + kMasterPattern) < 0)
        return 0;
    for (const std::string& name : list) {
        if (ConvertMasterFile(host, folder, name, rule) != 1)
            return 0;
    }
    return 1;
}

int ConvertMaterialSize(EngineHost& host, const std::string& settingsPath)
{
    return ConvertMaster(host, settingsPath, MasterRule::Size);
}

int ConvertMaterialType(EngineHost& host, const std::string& settingsPath)
{
    return ConvertMaster(host, settingsPath, MasterRule::Type);
}
