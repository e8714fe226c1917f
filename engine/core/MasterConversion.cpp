#include "MasterConversion.h"

namespace {

constexpr char kWorkFileName[] = "temp.mst";
constexpr size_t kChunkBytes = 1 << 16;

// Streams the master through the rule into the work file; false on any read or write error.
bool CopyConverted(ByteReader& master, HostWriter& work, MasterRule rule, size_t& changedRecords)
{
    MasterStreamConverter converter(rule);
    std::string chunk(kChunkBytes, '\0');
    std::string out;
    out.reserve(kChunkBytes + kChunkBytes / 2);
    for (;;) {
        size_t got = master.Read(reinterpret_cast<uint8_t*>(chunk.data()), chunk.size());
        if (got == 0 && master.Failed())
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
    changedRecords = converter.ChangedRecords();
    return out.empty() || work.Write(out);
}

bool ConvertMaster(EngineHost& host, const std::string& settingsPath, MasterRule rule, ConvertedMasters* converted)
{
    std::array<std::string, 2> folders;
    if (!MasterFolders(host, settingsPath, folders))
        return false;
    return ConvertMasterFolder(host, folders[0], rule, converted) &&
           ConvertMasterFolder(host, folders[1], rule, converted);
}

} // namespace

bool MasterFolders(EngineHost& host, const std::string& settingsPath, std::array<std::string, 2>& folders)
{
    std::string masterPrefix;
    // A missing settings file gives the empty prefix; one that cannot be read hides where the masters are.
    if (host.ReadProfile("DIR", "MASTER", "", settingsPath, masterPrefix) == ProfileReadResult::Failed)
        return false;
    folders = {masterPrefix + "1\\", masterPrefix + "21\\"};
    return true;
}

bool ListMasterFiles(EngineHost& host, MasterNameList& list, const std::string& pattern)
{
    list.clear();
    std::vector<FoundFile> found;
    switch (host.ListFolder(pattern, found)) {
    case ListResult::NotFound: return true;
    case ListResult::Failed: return false;
    case ListResult::Listed: break;
    }
    for (FoundFile& file : found) {
        if (list.size() >= kMaxMasterFiles)
            break;
        if (!file.directory)
            list.push_back(std::move(file.name));
    }
    return true;
}

bool ConvertMasterFile(EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule,
                       size_t* changedRecords)
{
    std::string masterPath = folder + name;
    std::string workPath = folder + kWorkFileName;
    std::unique_ptr<ByteReader> master = host.OpenExclusive(masterPath);
    if (!master)
        return false;
    // A work file left by an interrupted run is emptied here; one that someone else holds is not ours.
    std::unique_ptr<HostWriter> work = host.CreateExclusive(workPath);
    if (!work)
        return false;
    size_t changed = 0;
    bool complete = CopyConverted(*master, *work, rule, changed);
    master.reset();
    complete = work->Close() && complete;
    work.reset();
    // The replace is one step: the master is never missing, whatever moment the run is cut off.
    if (complete && host.MoveOver(workPath, masterPath)) {
        if (changedRecords)
            *changedRecords = changed;
        return true;
    }
    host.RemoveFile(workPath);
    return false;
}

bool ConvertMasterFolder(EngineHost& host, const std::string& folder, MasterRule rule, ConvertedMasters* converted)
{
    MasterNameList list;
    if (!ListMasterFiles(host, list, folder + kMasterPattern))
        return false;
    for (const std::string& name : list) {
        size_t changed = 0;
        if (!ConvertMasterFile(host, folder, name, rule, &changed))
            return false;
        if (converted)
            converted->push_back({folder + name, changed});
    }
    return true;
}

bool ConvertMaterialSize(EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted)
{
    return ConvertMaster(host, settingsPath, MasterRule::Size, converted);
}

bool ConvertMaterialType(EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted)
{
    return ConvertMaster(host, settingsPath, MasterRule::Type, converted);
}
