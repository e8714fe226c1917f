#include "MasterConversion.h"

#include "Cp932.h"
#include "Installation.h"
#include "WorkFile.h"

namespace {

constexpr char kWorkFileName[] = "temp.mst";
constexpr size_t kChunkBytes = 1 << 16;

// Streams the master through the rule into the work file; false on any read or write error.
bool CopyConverted(ByteReader& master, HostWriter& work, MasterStreamConverter& converter)
{
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
    return out.empty() || work.Write(out);
}

bool ConvertMaster(const EngineHost& host, const std::string& settingsPath, MasterRule rule, ConvertedMasters* converted)
{
    std::array<std::string, 2> folders;
    if (!MasterFolders(host, settingsPath, folders))
        return false;
    return ConvertMasterFolder(host, folders[0], rule, converted) &&
           ConvertMasterFolder(host, folders[1], rule, converted);
}

} // namespace

bool MasterFolders(const EngineHost& host, const std::string& settingsPath, std::array<std::string, 2>& folders)
{
    std::string masterPrefix;
    // A missing settings file gives the empty prefix; one that cannot be read hides where the masters are.
    if (host.settings.ReadProfile(install::kDirSection, install::kMasterKey, "", settingsPath, masterPrefix) ==
        ProfileReadResult::Failed)
        return false;
    folders = {masterPrefix + install::kMasterFolders[0], masterPrefix + install::kMasterFolders[1]};
    return true;
}

bool ListMasterFiles(const EngineHost& host, MasterNameList& list, const std::string& pattern)
{
    list.clear();
    std::vector<FoundFile> found;
    switch (host.files.ListFolder(pattern, found)) {
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

bool ConvertMasterFile(const EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule,
                       size_t* changedRecords)
{
    std::string masterPath = folder + name;
    std::string workPath = folder + kWorkFileName;
    std::unique_ptr<ByteReader> master = host.files.OpenExclusive(masterPath);
    if (!master)
        return false;
    // A work file left by an interrupted run is emptied here; one that someone else holds is not ours.
    std::unique_ptr<HostWriter> work = host.files.CreateExclusive(workPath);
    if (!work)
        return false;
    MasterStreamConverter converter(rule);
    bool complete = CopyConverted(*master, *work, converter);
    master.reset();
    complete = work->Close() && complete;
    work.reset();
    // The replace is one step: the master is never missing, whatever moment the run is cut off.
    if (complete && host.files.MoveOver(workPath, masterPath, NameChange::WrittenThrough) == MoveResult::Moved) {
        if (changedRecords)
            *changedRecords = converter.ChangedRecords();
        return true;
    }
    host.files.RemoveFile(workPath);
    return false;
}

bool ConvertMasterFolder(const EngineHost& host, const std::string& folder, MasterRule rule, ConvertedMasters* converted)
{
    MasterNameList list;
    if (!ListMasterFiles(host, list, folder + install::kMasterPattern))
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

bool ConvertMaterialSize(const EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted)
{
    return ConvertMaster(host, settingsPath, MasterRule::Size, converted);
}

bool ConvertMaterialType(const EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted)
{
    return ConvertMaster(host, settingsPath, MasterRule::Type, converted);
}

bool StageMaster(FileHost& files, const std::string& source, const std::string& work, MasterChanges& changes)
{
    std::unique_ptr<ByteReader> master = files.OpenRead(source);
    if (!master)
        return false;
    // A work file a cut-off run left read-only would refuse to be emptied.
    if (files.Probe(work) != Existence::Missing && !files.RemoveFile(work))
        return false;
    std::unique_ptr<HostWriter> writer = files.CreateExclusive(work);
    if (!writer)
        return false;
    MasterStreamConverter converter(MasterRule::Both);
    bool complete = CopyConverted(*master, *writer, converter);
    complete = writer->Close() && complete;
    changes = {converter.ChangedRecords(), converter.TypeChangedRecords()};
    return complete;
}

bool ListMasters(const EngineHost& host, const std::string& settingsPath, std::vector<std::string>& masters,
                 std::array<std::string, 2>& folders)
{
    if (!MasterFolders(host, settingsPath, folders))
        return false;
    bool listed = true;
    for (const std::string& folder : folders) {
        MasterNameList names;
        if (!ListMasterFiles(host, names, folder + install::kMasterPattern)) {
            listed = false;
            continue;
        }
        for (const std::string& name : names)
            masters.push_back(folder + name);
    }
    return listed;
}

bool IsMasterName(std::string_view name)
{
    std::string upper = UpperAscii(name);
    return upper.size() == 12 && upper.compare(0, 3, "ZAI") == 0 && upper.compare(6, 6, "-3.MST") == 0;
}
