#include "FakeHost.h"

#include "Cp932.h"
#include "WorkFile.h"
#include "resource.h"

#include <algorithm>

namespace {

size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = FindSeparator(path); i != std::string::npos; i = FindSeparator(path, i + 1))
        last = i;
    return last;
}

std::string ParentOf(const std::string& normalised)
{
    size_t slash = LastSeparator(normalised);
    return slash == std::string::npos ? std::string() : normalised.substr(0, slash);
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*')
        return WildcardMatch(pattern.substr(1), name) || (!name.empty() && WildcardMatch(pattern, name.substr(1)));
    if (name.empty())
        return false;
    return (pattern[0] == '?' || pattern[0] == name[0]) && WildcardMatch(pattern.substr(1), name.substr(1));
}

class FakeReader : public ByteReader {
public:
    FakeReader(FakeHost& host, std::string path) : m_host(host), m_path(std::move(path)) {}
    size_t Read(uint8_t* buffer, size_t size) override
    {
        if (m_host.Fails("Read " + m_path)) {
            m_failed = true;
            return 0;
        }
        std::string bytes = m_host.Bytes(m_path);
        size_t got = std::min(size, bytes.size() - std::min(m_offset, bytes.size()));
        bytes.copy(reinterpret_cast<char*>(buffer), got, m_offset);
        m_offset += got;
        return got;
    }
    bool Failed() const override { return m_failed; }

private:
    FakeHost& m_host;
    std::string m_path;
    size_t m_offset = 0;
    bool m_failed = false;
};

class FakeWriter : public HostWriter {
public:
    FakeWriter(FakeHost& host, std::string path) : m_host(host), m_path(std::move(path)) {}
    bool Write(const uint8_t* data, size_t size) override
    {
        size_t now = m_host.Bytes(m_path).size();
        if (m_host.Fails("Write " + m_path) || !m_host.Fits(m_path, now + size))
            return false;
        m_host.WriteCached(m_path, std::string_view(reinterpret_cast<const char*>(data), size), true);
        return true;
    }
    bool Close() override
    {
        if (m_host.Fails("Close " + m_path))
            return false;
        m_host.files[FakeHost::Normalise(m_path)].durability = Durability::OnDisk;
        m_host.NameChanged(m_path, true);
        return true;
    }

private:
    FakeHost& m_host;
    std::string m_path;
};

struct ProfileLine {
    size_t begin, end; // the line without its end
};

std::vector<ProfileLine> LinesOf(const std::string& bytes)
{
    std::vector<ProfileLine> lines;
    for (size_t at = 0; at < bytes.size();) {
        size_t lf = bytes.find('\n', at);
        size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        if (end > at && bytes[end - 1] == '\r')
            --end;
        lines.push_back({at, end});
        at = next;
    }
    return lines;
}

// Finds the key's line (or, with key empty, the line after the section's last line); npos when absent.
struct ProfilePlace {
    bool section = false;
    size_t keyLine = std::string::npos;
    size_t sectionEnd = 0; // offset after the section's last line
};

ProfilePlace Locate(const std::string& bytes, const std::string& section, const std::string& key)
{
    ProfilePlace place;
    bool inSection = false;
    for (const ProfileLine& line : LinesOf(bytes)) {
        std::string text = bytes.substr(line.begin, line.end - line.begin);
        if (!text.empty() && text[0] == '[') {
            inSection = UpperAscii(text) == "[" + UpperAscii(section) + "]";
            place.section = place.section || inSection;
            if (inSection)
                place.sectionEnd = bytes.find('\n', line.begin) == std::string::npos ? bytes.size()
                                                                                      : bytes.find('\n', line.begin) + 1;
            continue;
        }
        if (!inSection)
            continue;
        place.sectionEnd = line.end == bytes.size() ? bytes.size() : bytes.find('\n', line.end) + 1;
        size_t equals = text.find('=');
        if (equals != std::string::npos && UpperAscii(text.substr(0, equals)) == UpperAscii(key))
            place.keyLine = line.begin;
    }
    return place;
}

} // namespace

bool ProfileValue(const std::string& bytes, const std::string& section, const std::string& key, std::string& value)
{
    ProfilePlace place = Locate(bytes, section, key);
    if (place.keyLine == std::string::npos)
        return false;
    size_t end = bytes.find_first_of("\r\n", place.keyLine);
    std::string line = bytes.substr(place.keyLine, end == std::string::npos ? std::string::npos : end - place.keyLine);
    value = line.substr(line.find('=') + 1);
    return true;
}

std::string FakeHost::Normalise(const std::string& path)
{
    // Components as Windows resolves them: "." goes, ".." climbs (so does any other run of dots, to be safe),
    // never above a drive.
    std::vector<std::string> parts;
    for (size_t at = 0; at <= path.size();) {
        size_t end = FindSeparator(path, at);
        std::string part = path.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? path.size() + 1 : end + 1;
        bool dots = part.find_first_not_of(". ") == std::string::npos;
        if (dots && part.find("..") != std::string::npos && !parts.empty() && parts.back().back() != ':')
            parts.pop_back();
        if (!dots)
            parts.push_back(part);
    }
    std::string out = FindSeparator(path) == 0 ? "\\" : "";
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? "" : "\\") + parts[i];
    return UpperAscii(out);
}

std::string FakeHost::Id(unsigned id)
{
    return "#" + std::to_string(id);
}

std::vector<std::string> FakeHost::Texts() const
{
    std::vector<std::string> texts;
    for (const Box& box : boxes)
        texts.push_back(box.text);
    return texts;
}

void FakeHost::AddFolder(const std::string& path)
{
    std::string normalised = Normalise(path);
    std::string parent = ParentOf(normalised);
    if (!parent.empty() && !Find(parent))
        AddFolder(parent);
    files[normalised].directory = true;
}

void FakeHost::AddFile(const std::string& path, const std::string& bytes)
{
    std::string parent = ParentOf(Normalise(path));
    if (!parent.empty())
        AddFolder(parent);
    files[Normalise(path)] = FakeFile{bytes};
}

void FakeHost::AddArchive(const std::string& path, std::vector<FakeMember> members)
{
    AddFile(path, "LZH");
    archives[Normalise(path)] = std::move(members);
}

FakeFile* FakeHost::Find(const std::string& path)
{
    auto it = files.find(Normalise(path));
    return it == files.end() ? nullptr : &it->second;
}

std::string FakeHost::Bytes(const std::string& path)
{
    FakeFile* file = Find(path);
    return file ? file->bytes : std::string();
}

bool FakeHost::ParentExists(const std::string& normalised)
{
    std::string parent = ParentOf(normalised);
    FakeFile* folder = parent.empty() ? nullptr : Find(parent);
    return parent.empty() || (folder && folder->directory);
}

void FakeHost::Moment()
{
    if (++moments != cutAt)
        return;
    afterCut = OnDisk();
    cutDuring = calls.empty() ? "" : calls.back();
    boxesAtCut = boxes.size();
}

FakeTree FakeHost::OnDisk() const
{
    FakeTree disk = files;
    for (auto it = m_pending.rbegin(); losePendingNames && it != m_pending.rend(); ++it) {
        if (it->before)
            disk[it->path] = *it->before;
        else
            disk.erase(it->path);
    }
    for (auto& [path, file] : disk) {
        if (file.durability == Durability::Written)
            file.bytes.resize(file.bytes.size() / 2);
        else if (file.durability == Durability::MovedUnflushed)
            file.bytes.clear();
        file.durability = Durability::OnDisk;
        file.locked = false; // no program holds a file after a restart
    }
    return disk;
}

void FakeHost::NameChanged(const std::string& path, bool durable)
{
    std::string normalised = Normalise(path);
    if (durable) {
        NamesOnDisk(normalised, false);
        return;
    }
    auto it = files.find(normalised);
    m_pending.push_back({normalised, it == files.end() ? std::nullopt : std::optional<FakeFile>(it->second)});
}

void FakeHost::NamesOnDisk(const std::string& normalised, bool inFolder)
{
    auto onDisk = [&](const PendingName& name) {
        if (inFolder)
            return ParentOf(name.path) == normalised;
        return name.path == normalised || normalised.rfind(name.path + "\\", 0) == 0;
    };
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(), onDisk), m_pending.end());
}

void FakeHost::WriteCached(const std::string& path, std::string_view bytes, bool append)
{
    FakeFile& file = files[Normalise(path)];
    if (!append)
        file.bytes.clear();
    file.durability = Durability::Written;
    file.bytes.append(bytes.substr(0, bytes.size() / 2));
    Moment();
    file.bytes.append(bytes.substr(bytes.size() / 2));
}

bool FakeHost::Fails(const std::string& call)
{
    Log(call);
    bool matches = !failFirst.empty() && failedCall.empty() && call.rfind(failFirst, 0) == 0;
    bool chosen = ++failableCalls == failAt || (matches && failPassing-- <= 0);
    if (!chosen)
        return false;
    failedCall = call;
    return true;
}

bool FakeHost::Exists(const std::string& path)
{
    return !Fails("Exists " + path) && Find(path);
}

Existence FakeHost::Probe(const std::string& path)
{
    if (Fails("Probe " + path))
        return Existence::Unknown;
    return Find(path) ? Existence::Present : Existence::Missing;
}

bool FakeHost::FileSize(const std::string& path, uint64_t& bytes)
{
    FakeFile* file = Find(path);
    if (Fails("FileSize " + path) || !file || file->directory)
        return false;
    bytes = file->bytes.size();
    return true;
}

bool FakeHost::Fits(const std::string& path, size_t size)
{
    if (capacity == 0 || Normalise(path).rfind("C:", 0) != 0)
        return true;
    uint64_t used = 0;
    for (const auto& [name, file] : files) {
        if (name.rfind("C:", 0) == 0 && name != Normalise(path))
            used += file.bytes.size();
    }
    return used + size <= capacity;
}

bool FakeHost::CreateFolder(const std::string& path)
{
    if (Fails("CreateFolder " + path) || Find(path) || !ParentExists(Normalise(path)))
        return false;
    NameChanged(path);
    files[Normalise(path)].directory = true;
    return true;
}

bool FakeHost::Attributes(const std::string& path, uint32_t& attributes)
{
    FakeFile* file = Find(path);
    if (Fails("Attributes " + path) || !file)
        return false;
    attributes = file->readOnly ? 1 : 0;
    return true;
}

bool FakeHost::ClearAttributes(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("ClearAttributes " + path) || !file)
        return false;
    file->readOnly = false;
    return true;
}

LastWriteResult FakeHost::ReadLastWriteDate(const std::string& path, UtcDate& date)
{
    FakeFile* file = Find(path);
    if (Fails("ReadLastWriteDate " + path) || !file || file->locked)
        return LastWriteResult::CannotOpen;
    // A file time that converts to no date.
    if (file->date.year == 0)
        return LastWriteResult::TimeUnreadable;
    date = file->date;
    return LastWriteResult::Read;
}

ListResult FakeHost::ListFolder(const std::string& pattern, std::vector<FoundFile>& names)
{
    names.clear();
    if (Fails("ListFolder " + pattern))
        return ListResult::Failed;
    std::string normalised = Normalise(pattern);
    std::string folder = ParentOf(normalised);
    std::string namePattern = normalised.substr(folder.empty() ? 0 : folder.size() + 1);
    for (const std::string& bad : unlistable) {
        if (Normalise(bad) == folder)
            return ListResult::Failed;
    }
    for (const auto& [path, file] : files) {
        if (ParentOf(path) == folder && WildcardMatch(namePattern, path.substr(folder.empty() ? 0 : folder.size() + 1)))
            names.push_back({path.substr(folder.empty() ? 0 : folder.size() + 1), file.directory, file.bytes.size()});
    }
    return names.empty() ? ListResult::NotFound : ListResult::Listed;
}

std::unique_ptr<ByteReader> FakeHost::OpenExclusive(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("OpenExclusive " + path) || !file || file->directory || file->readOnly || file->locked || file->keptOpen)
        return nullptr;
    return std::make_unique<FakeReader>(*this, path);
}

std::unique_ptr<ByteReader> FakeHost::OpenRead(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("OpenRead " + path) || !file || file->directory || file->locked)
        return nullptr;
    return std::make_unique<FakeReader>(*this, path);
}

std::unique_ptr<HostWriter> FakeHost::CreateExclusive(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("CreateExclusive " + path) || !ParentExists(Normalise(path)) ||
        (file && (file->directory || file->readOnly || file->locked || file->keptOpen)))
        return nullptr;
    if (!file)
        NameChanged(path);
    FakeFile& created = files[Normalise(path)] = FakeFile{};
    created.durability = Durability::Written;
    return std::make_unique<FakeWriter>(*this, path);
}

bool FakeHost::CopyFileTo(const std::string& source, const std::string& target)
{
    FakeFile* from = Find(source);
    FakeFile* to = Find(target);
    if (Fails("CopyFileTo " + target) || !from || from->directory || from->locked || !ParentExists(Normalise(target)) ||
        (to && (to->directory || to->locked)) || !Fits(target, from->bytes.size()))
        return false;
    // A copy has its source's attributes; another program's hold stays on the source.
    FakeFile copy = *from;
    copy.bytes.clear();
    copy.locked = copy.keptOpen = copy.denied = false;
    if (!to)
        NameChanged(target);
    files[Normalise(target)] = copy;
    WriteCached(target, from->bytes, false);
    return true;
}

MoveResult FakeHost::MoveOver(const std::string& source, const std::string& target, NameChange change)
{
    FakeFile* from = Find(source);
    FakeFile* to = Find(target);
    if (Fails("MoveOver " + target) || !from || (to && to->directory))
        return MoveResult::Failed;
    if (from->locked || from->keptOpen || (to && (to->locked || to->keptOpen)))
        return MoveResult::Held;
    if (from->denied || (to && to->denied))
        return MoveResult::Failed;
    bool durable = change == NameChange::WrittenThrough;
    NameChanged(source, durable);
    NameChanged(target, durable);
    FakeFile moved = *from;
    if (moved.durability != Durability::OnDisk)
        moved.durability = Durability::MovedUnflushed;
    files.erase(Normalise(source));
    files[Normalise(target)] = moved;
    return MoveResult::Moved;
}

bool FakeHost::KeepOriginal(const std::string& target, const std::string& aside)
{
    FakeFile* file = Find(target);
    if (Fails("KeepOriginal " + aside) || !file || file->directory || !Fits(aside, file->bytes.size()))
        return false;
    FakeFile kept = *file;
    kept.locked = kept.keptOpen = kept.denied = false;
    kept.durability = Durability::OnDisk;
    NameChanged(aside, true);
    files[Normalise(aside)] = kept;
    return true;
}

bool FakeHost::OverwriteInPlace(const std::string& source, const std::string& target)
{
    FakeFile* from = Find(source);
    FakeFile* to = Find(target);
    if (Fails("OverwriteInPlace " + target) || !from || !to || to->directory || to->locked || to->readOnly)
        return false;
    std::string bytes = from->bytes;
    WriteCached(target, bytes, false);
    Find(target)->durability = Durability::OnDisk;
    return true;
}

bool FakeHost::RemoveFile(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("RemoveFile " + path) || !file || file->directory || file->locked || file->keptOpen)
        return false;
    NameChanged(path);
    files.erase(Normalise(path));
    return true;
}

bool FakeHost::RemoveFolder(const std::string& path)
{
    FakeFile* folder = Find(path);
    if (Fails("RemoveFolder " + path) || !folder || !folder->directory)
        return false;
    std::string normalised = Normalise(path);
    for (const auto& [name, file] : files) {
        if (ParentOf(name) == normalised)
            return false;
    }
    NameChanged(path);
    files.erase(normalised);
    return true;
}

bool FakeHost::FlushFile(const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("FlushFile " + path) || !file || file->directory)
        return false;
    file->durability = Durability::OnDisk;
    NamesOnDisk(Normalise(path), false);
    return true;
}

bool FakeHost::FlushFolder(const std::string& folder)
{
    if (Fails("FlushFolder " + folder))
        return false;
    NamesOnDisk(Normalise(folder), true);
    return true;
}

void FakeHost::TakeSecurityOf(const std::string&, const std::string& work)
{
    Log("TakeSecurityOf " + work);
}

bool FakeHost::SetAttributes(const std::string& path, uint32_t attributes)
{
    FakeFile* file = Find(path);
    if (Fails("SetAttributes " + path) || !file)
        return false;
    file->readOnly = (attributes & 1) != 0;
    return true;
}

OpenCheck FakeHost::CheckOpen(const std::string& path, Access access)
{
    FakeFile* file = Find(path);
    if (Fails("CheckOpen " + path))
        return OpenCheck::Failed;
    if (!file)
        return OpenCheck::Missing;
    if (file->locked || (file->keptOpen && access == Access::Replace))
        return OpenCheck::Held;
    return file->denied ? OpenCheck::Denied : OpenCheck::Free;
}

std::vector<std::string> FakeHost::HoldingPrograms(const std::vector<std::string>&)
{
    Log("HoldingPrograms");
    return holders;
}

bool FakeHost::FreeBytes(const std::string& folder, uint64_t& bytes)
{
    if (Fails("FreeBytes " + folder) || capacity == 0)
        return false;
    uint64_t used = 0;
    for (const auto& [name, file] : files) {
        if (name.rfind("C:", 0) == 0)
            used += file.bytes.size();
    }
    bytes = used < capacity ? capacity - used : 0;
    return true;
}

std::string FakeHost::VolumeOf(const std::string& path)
{
    return Normalise(path).substr(0, 2);
}

OpenCheck FakeHost::ProbeWrite(const std::string& folder)
{
    if (Fails("ProbeWrite " + folder))
        return OpenCheck::Failed;
    for (const std::string& bad : denied) {
        if (Normalise(bad) == Normalise(folder))
            return OpenCheck::Denied;
    }
    return Find(folder) ? OpenCheck::Free : OpenCheck::Failed;
}

bool FakeHost::MeasureArchive(const std::string& archive, uint64_t& bytes)
{
    auto members = archives.find(Normalise(archive));
    if (Fails("MeasureArchive " + archive) || !Find(archive) || members == archives.end())
        return false;
    bytes = 0;
    for (const FakeMember& member : members->second)
        bytes += member.bytes.size();
    return true;
}

ProfileReadResult FakeHost::ReadProfile(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, const std::string& path,
                                        std::string& value)
{
    value = defaultValue;
    FakeFile* file = Find(path);
    if (Fails("ReadProfile " + key + " " + path) || (file && (file->locked || file->directory)))
        return ProfileReadResult::Failed;
    if (!file)
        return ProfileReadResult::FileMissing;
    ProfileValue(file->bytes, section, key, value);
    return ProfileReadResult::Read;
}

bool FakeHost::WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path)
{
    FakeFile* file = Find(path);
    if (Fails("WriteProfile " + key + " " + path) || !ParentExists(Normalise(path)) ||
        (file && (file->locked || file->readOnly || file->directory)))
        return false;
    // Rewritten where it is, as the profile call does: a cut may leave it part-written.
    std::string bytes = file ? file->bytes : std::string();
    if (!file)
        NameChanged(path);
    ProfilePlace place = Locate(bytes, section, key);
    std::string line = key + "=" + value;
    if (place.keyLine != std::string::npos) {
        size_t end = bytes.find_first_of("\r\n", place.keyLine);
        bytes.replace(place.keyLine, (end == std::string::npos ? bytes.size() : end) - place.keyLine, line);
    } else if (place.section) {
        bytes.insert(place.sectionEnd, line + "\r\n");
    } else {
        bytes += "[" + section + "]\r\n" + line + "\r\n";
    }
    WriteCached(path, bytes, false);
    return true;
}

bool FakeHost::MediumIsRemovable(const std::string& programDirectory)
{
    return !Fails("MediumIsRemovable " + programDirectory) && removableMedium;
}

void FakeHost::AnchorMedium(const std::string& programDirectory)
{
    Log("AnchorMedium " + programDirectory);
}

ExtractResult FakeHost::ExtractArchive(const ExtractRequest& request)
{
    ExtractResult result;
    auto failed = [&](const std::string& message) {
        result.failure = lzh::FailureKind::BrokenData;
        result.message = message;
        return result;
    };
    bool fail = Fails("ExtractArchive " + request.archive);
    std::string archive = Normalise(request.archive);
    const std::string& folder = request.destination;
    auto members = archives.find(archive);
    if (!Find(archive) || members == archives.end())
        return failed("LIB cannot find " + archive);
    if (members->second.empty())
        return failed("LIB no members in " + archive);
    FakeFile* destination = Find(folder);
    if (!destination || !destination->directory)
        return failed("LIB no folder " + folder);
    // A failure in the middle: the members before it are staged, each one whole.
    size_t count = fail ? members->second.size() / 2 : members->second.size();
    for (size_t i = 0; i < count; ++i) {
        std::string target = WithTrailingSeparator(folder) + members->second[i].name;
        std::string work = target + kWorkFileSuffix;
        if (!Fits(work, members->second[i].bytes.size()))
            return failed("LIB disk full " + archive);
        if (!Find(work))
            NameChanged(work);
        files[Normalise(work)] = FakeFile{};
        result.staged.push_back({work, target, 0});
        WriteCached(work, members->second[i].bytes, false);
    }
    return fail ? failed("LIB broken " + archive) : result;
}

std::string FakeHost::LoadText(unsigned id)
{
    switch (id) {
    case IDS_INSERT_DISK:
    case IDS_BROKEN_ENTRY_LINE: return Id(id) + " %d";
    case IDS_COPY_FAILED:
    case IDS_ATTRIBUTES_FAILED:
    case IDS_SETTINGS_NOT_WRITTEN:
    case IDS_FILES_HELD:
    case IDS_HOLDING_PROGRAMS:
    case IDS_NO_WRITE_ACCESS:
    case IDS_RECOVERY_FAILED:
    case IDS_COMMIT_FAILED:
    case IDS_COMMIT_INCOMPLETE:
    case IDS_MEDIUM_DAMAGED: return Id(id) + " %s";
    case IDS_NO_SPACE: return Id(id) + " %s %s %s";
    default: return Id(id);
    }
}

void FakeHost::Message(const std::string& text, const std::string& caption)
{
    Log("Message " + text);
    boxes.push_back({text, caption, false});
}

DiskAnswer FakeHost::AskForDisk(const std::string& text, const std::string& caption)
{
    boxes.push_back({text, caption, true});
    ++m_diskPrompts;
    if (onDiskPrompt)
        onDiskPrompt(m_diskPrompts);
    if (Fails("AskForDisk " + text) || m_diskPrompts > 5)
        return DiskAnswer::Cancel;
    size_t index = static_cast<size_t>(m_diskPrompts - 1);
    return index < diskAnswers.size() ? diskAnswers[index] : DiskAnswer::Ok;
}

RetryAnswer FakeHost::AskRetry(const std::string& text, const std::string& caption)
{
    boxes.push_back({text, caption, false});
    ++m_retryPrompts;
    if (onRetryPrompt)
        onRetryPrompt(m_retryPrompts);
    size_t index = static_cast<size_t>(m_retryPrompts - 1);
    if (Fails("AskRetry " + text) || index >= retryAnswers.size())
        return RetryAnswer::Cancel;
    return retryAnswers[index];
}

void FakeHost::RestoreWaitCursor()
{
    Log("RestoreWaitCursor");
}
