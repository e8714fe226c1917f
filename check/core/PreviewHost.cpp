#include "PreviewHost.h"

#include "ArchiveVerdict.h"
#include "Cp932.h"
#include "Findings.h"
#include "RunTexts.h"
#include "WindowsPath.h"
#include "WorkFile.h"

#include <algorithm>
#include <cstring>

const char kPreviewMedium[] = "<medium>\\";

namespace {

// Takes the converted records in place of the work file: the run counts the records that change itself.
class DiscardingWriter : public HostWriter {
public:
    bool Write(const uint8_t*, size_t) override { return true; }
    bool Close() override { return true; }
};

// A settings file the installation lacks gets its work copy from the profile call itself.
std::string StripWorkSuffix(const std::string& path)
{
    size_t suffix = std::strlen(kWorkFileSuffix);
    bool work = path.size() > suffix && path.compare(path.size() - suffix, suffix, kWorkFileSuffix) == 0;
    return work ? path.substr(0, path.size() - suffix) : path;
}

std::string ProfileKey(const std::string& path, const std::string& section, const std::string& key)
{
    return PathKey(path) + "|" + UpperAscii(section) + "|" + UpperAscii(key);
}

} // namespace

bool PreviewHost::IsMedium(const std::string& path) const { return path.rfind(kPreviewMedium, 0) == 0; }

std::string PreviewHost::MediumPart(const std::string& path) const { return path.substr(std::strlen(kPreviewMedium)); }

std::string PreviewHost::Where() const
{
    return m_media.DiskCount() > 1 ? FormatText(TextId::WhereDisk, {std::to_string(m_disk + 1)})
                                   : FormatText(TextId::WhereMedium);
}

std::string PreviewHost::MediumName(const std::string& path) const { return MediumName(path, m_disk); }

std::string PreviewHost::MediumName(const std::string& path, size_t disk) const
{
    std::string name = IsMedium(path) ? MediumPart(path) : path;
    return m_media.DiskCount() > 1 ? FormatText(TextId::PreviewOnDisk, {name, std::to_string(disk + 1)}) : name;
}

void PreviewHost::RecordWritten(const std::string& target, const std::string& from, const Source& source)
{
    bool replaced = Exists(target);
    m_log.files.push_back(
        FormatText(replaced ? TextId::PreviewReplaced : TextId::PreviewAdded, {ShownPath(target), from}));
    Source written = source;
    written.path = target;
    m_written[PathKey(target)] = written;
}

bool PreviewHost::Exists(const std::string& path)
{
    if (IsMedium(path))
        return m_media.Exists(m_disk, MediumPart(path));
    std::string key = PathKey(path);
    return m_written.count(key) > 0 || m_copies.count(key) > 0 || m_workCopies.count(key) > 0 ||
           m_installation.Exists(path);
}

bool PreviewHost::CreateFolder(const std::string& path)
{
    m_log.files.push_back(FormatText(TextId::PreviewFolder, {ShownPath(path)}));
    m_written[PathKey(path)] = Source{path, false, 0, "", ""};
    return true;
}

LastWriteResult PreviewHost::ReadLastWriteDate(const std::string& path, UtcDate& date)
{
    return m_installation.ReadLastWriteDate(path, date);
}

// The installation's matches, and the files the run would have written there by now.
ListResult PreviewHost::ListFolder(const std::string& pattern, std::vector<FoundFile>& names)
{
    ListResult result = m_installation.ListFolder(pattern, names);
    if (result == ListResult::Failed)
        return result;
    PathParts parts = SplitPath(pattern);
    std::string folder = PathKey(parts.drive + parts.dir);
    for (const auto& [key, source] : m_written) {
        PathParts file = SplitPath(source.path);
        std::string name = file.name + file.ext;
        if (source.isFile && PathKey(file.drive + file.dir) == folder && MatchesWildcard(name, parts.name + parts.ext)) {
            bool listed = false;
            for (const FoundFile& found : names)
                listed = listed || UpperAscii(found.name) == UpperAscii(name);
            if (!listed)
                names.push_back({name, false});
        }
    }
    return names.empty() ? ListResult::NotFound : ListResult::Listed;
}

// The medium's files (the checksum list, the files it vouches for), the files the run would have written or
// copied, and the installation's.
std::unique_ptr<ByteReader> PreviewHost::OpenRead(const std::string& path)
{
    if (IsMedium(path))
        return m_media.Open(m_disk, MediumPart(path));
    const Source* source = nullptr;
    auto written = m_written.find(PathKey(path));
    auto copied = m_copies.find(PathKey(path));
    if (written != m_written.end() && written->second.isFile)
        source = &written->second;
    else if (copied != m_copies.end())
        source = &copied->second;
    else
        return m_installation.OpenForReading(path);
    std::string bytes;
    if (!ReadSource(*source, bytes))
        return nullptr;
    return std::make_unique<MemorySource>(std::move(bytes));
}

std::unique_ptr<HostWriter> PreviewHost::CreateExclusive(const std::string&)
{
    return std::make_unique<DiscardingWriter>();
}

bool PreviewHost::CopyFileTo(const std::string& source, const std::string& target)
{
    if (!IsMedium(source)) {
        m_workCopies[PathKey(target)] = source;
        return true;
    }
    if (!m_media.Open(m_disk, MediumPart(source)))
        return false;
    m_copies[PathKey(target)] = {target, true, m_disk, MediumPart(source), ""};
    return true;
}

MoveResult PreviewHost::MoveOver(const std::string& source, const std::string& target, NameChange)
{
    m_workCopies.erase(PathKey(source));
    auto copy = m_copies.find(PathKey(source));
    if (copy != m_copies.end()) {
        Source from = copy->second;
        m_copies.erase(copy);
        // The copy is put in place once the whole update is staged, maybe after a later disk was asked for.
        RecordWritten(target, MediumName(kPreviewMedium + from.mediumName, from.disk), from);
    }
    return MoveResult::Moved;
}

ProfileReadResult PreviewHost::ReadProfile(const std::string& section, const std::string& key,
                                           const std::string& defaultValue, const std::string& path,
                                           std::string& value)
{
    auto written = m_profile.find(ProfileKey(path, section, key));
    if (written == m_profile.end())
        return m_installation.ReadProfile(section, key, defaultValue, path, value);
    value = written->second;
    return ProfileReadResult::Read;
}

bool PreviewHost::WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& workPath)
{
    auto copy = m_workCopies.find(PathKey(workPath));
    const std::string path = copy != m_workCopies.end() ? copy->second : StripWorkSuffix(workPath);
    // A default no settings file holds tells an absent key from an empty one.
    const std::string absent(1, '\x01');
    std::string old;
    ProfileReadResult result = ReadProfile(section, key, absent, path, old);
    std::string oldText = result != ProfileReadResult::Read || old == absent
                              ? FormatText(TextId::PreviewKeyAbsent)
                              : FormatText(TextId::PreviewValue, {old});
    m_log.settings.push_back(
        FormatText(TextId::PreviewKey,
                   {ShownPath(path), section, key, oldText, FormatText(TextId::PreviewValue, {value})}));
    m_profile[ProfileKey(path, section, key)] = value;
    return true;
}

bool PreviewHost::MediumIsRemovable(const std::string&) { return m_media.DiskCount() > 1; }

ExtractResult PreviewHost::ExtractArchive(const ExtractRequest& request)
{
    ExtractResult result;
    auto failed = [&](std::string message) {
        result.failure = lzh::FailureKind::CannotRead;
        result.message = std::move(message);
        return result;
    };
    if (!IsMedium(request.archive))
        return failed(request.archive);
    std::string name = MediumPart(request.archive);
    std::unique_ptr<ByteSource> archive = m_media.Open(m_disk, name);
    if (!archive)
        return failed(FormatText(TextId::ArchiveMissing, {name, Where()}));
    Finding finding;
    std::vector<std::string> members;
    if (!ListMediaArchive(*archive, members, finding))
        return failed(MediumName(request.archive) + ": " + FindingText(finding));
    // An empty destination stays the current folder; a trail byte 0x5C ends no folder.
    std::string folder = request.destination.empty() ? "" : WithTrailingSeparator(request.destination);
    for (const std::string& member : members)
        RecordWritten(folder + member, MediumName(request.archive), {"", true, m_disk, name, member});
    return result;
}

std::string PreviewHost::LoadText(unsigned id) { return RunText(id); }

DiskAnswer PreviewHost::AskForDisk(const std::string&, const std::string&)
{
    if (m_disk + 1 >= m_media.DiskCount())
        return DiskAnswer::Cancel;
    ++m_disk;
    return DiskAnswer::Ok;
}

bool PreviewHost::ReadSource(const Source& source, std::string& bytes)
{
    std::unique_ptr<ByteSource> file = m_media.Open(source.disk, source.mediumName);
    if (!file)
        return false;
    if (!source.member.empty())
        return ReadArchiveMember(*file, source.member, bytes);
    bytes = ReadRest(*file);
    return true;
}
