#include "UpdateEngine.h"

#include "Cp932.h"
#include "FillMessage.h"
#include "Installation.h"
#include "MasterConversion.h"
#include "MediumChecksums.h"
#include "Sha256.h"
#include "TargetIdentification.h"
#include "Transaction.h"
#include "UpdatePlan.h"
#include "WorkFile.h"
#include "WorkbookTemplate.h"
#include "resource.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Paths formed by concatenation name one file in several spellings: compare them as the file system does.
std::string PathKey(const std::string& path)
{
    return UpperAscii(ShownPath(path));
}

// The run in its phases: recovery of an update cut off earlier, identification, the plan and the checks
// that need nothing written, staging (every file the update changes is written beside its target under a
// work name), the checks of the staged targets, and the commit, which only renames.
class UpdateRun {
public:
    UpdateRun(const UpdateDescription& description, const UpdatePlace& place, const EngineHost& host, RunJournal& journal)
        : m_description(description), m_place(place), m_medium(place.medium), m_host(host), m_files(host.files),
          m_journal(journal), m_workingFolder(place.installFolder), m_settingsFile(description.settingsFile)
    {
    }
    RunOutcome Run();

private:
    // A journal left by an update cut off earlier is finished first; the outcome when the run ends there.
    std::optional<RunOutcome> RecoverEarlierUpdate();
    bool FindSettingsFile();
    // False after the message that sends the user back to the folder page.
    bool Identify();

    bool ListMastersToConvert();
    bool CheckSubfolders();
    bool CheckWriteAccess();
    bool CheckSpace();

    RunOutcome StageEntries();
    bool WaitForDisk(const UpdateEntry& entry, RunOutcome& stop);
    // The checksum list of the disk in the drive, or of the folder.
    void LoadChecksums();
    // Whether the list vouches for the bytes at path, read from the medium's file name; false after the
    // message that names the file. A medium without a list is read as before.
    bool Vouched(const std::string& name, const std::string& path);
    EntryOutcome StageArchive(const UpdateEntry& entry, const std::string& destinationFolder);
    EntryOutcome StageLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                                JournalEntry& record);
    bool StageSettings();
    bool StageMasters();
    // On disk, with the target's permissions and the attributes it is to have: ready to take its name.
    bool SealStaged();
    void AddStaged(StagedFile file);
    StagedFile* FindStaged(const std::string& target);
    // Removes every work file and every folder the run made.
    void Discard();

    // Files other programs hold, named together; the user closes them and tries again, or cancels. A settings
    // file that can be written but not replaced is written in place.
    bool CheckHeldFiles();
    RetryAnswer AskAboutHeld(const std::vector<std::string>& held);
    RunOutcome CommitStaged();

    void Show(unsigned textId, unsigned captionId, std::initializer_list<std::string_view> args = {});
    void ShowText(const std::string& text, const std::string& caption);
    void ConversionsFailed();

    // The archive as extracted: START is the edition's archive, START<edition>.
    std::string ArchiveNameOf(const UpdateEntry& entry) const
    {
        bool start = SplitPath(entry.name).name == info::kStartArchive;
        return start ? entry.name + std::to_string(m_edition.Number()) : entry.name;
    }
    // The file the entry will read; the disk prompt looks for MediaFileOf's name.
    std::string MediaFileOf(const UpdateEntry& entry) const
    {
        return entry.IsArchive() ? m_medium.ArchiveOf(entry.name) : m_medium.FileOf(entry.name);
    }
    std::string SourceOf(const UpdateEntry& entry) const
    {
        return entry.IsArchive() ? m_medium.ArchiveOf(ArchiveNameOf(entry)) : m_medium.FileOf(entry.name);
    }
    std::string SettingsPath() const { return m_workingFolder + m_settingsFile; }
    std::string HistoryPath() const { return m_workingFolder + install::kHistoryFile; }
    // Always this name: the masters are found through tavilo1.ini, whatever the settings file is.
    std::string MasterSettingsPath() const { return m_workingFolder + install::kMenuSettingsFile; }
    bool WritesVersion() const;
    class CheckClock;

    const UpdateDescription& m_description;
    const UpdatePlace& m_place;
    const MediumFolder& m_medium;
    const EngineHost& m_host;
    FileHost& m_files;
    RunJournal& m_journal;
    std::string m_workingFolder;
    std::string m_settingsFile; // the one found, when the description asks for a search
    Edition m_edition;
    int m_currentDisk = 1;
    MediumChecksums m_checksums;
    bool m_mediumListed = false; // the first disk has a list: then every disk must have its own
    bool m_templateRefreshed = false;
    std::vector<StagedFile> m_staged;
    std::vector<std::string> m_inPlace; // targets another program keeps open, written where they are
    std::vector<std::string> m_createdFolders;
    std::vector<std::string> m_masters;
    std::vector<bool> m_measured; // entries whose size counted in a space check
    uint64_t m_checkMilliseconds = 0;
};

class UpdateRun::CheckClock {
public:
    explicit CheckClock(UpdateRun& run) : m_run(run), m_start(run.m_files.Milliseconds()) {}
    ~CheckClock() { m_run.m_checkMilliseconds += m_run.m_files.Milliseconds() - m_start; }

private:
    UpdateRun& m_run;
    uint64_t m_start;
};

RunOutcome UpdateRun::Run()
{
    if (std::optional<RunOutcome> recovered = RecoverEarlierUpdate())
        return *recovered;
    // An entry written wrongly would leave the update half applied: stop before anything is written.
    if (!m_description.brokenEntryLines.empty()) {
        size_t line = m_description.brokenEntryLines.front();
        m_journal.BrokenEntryLine(line);
        Show(IDS_BROKEN_ENTRY_LINE, IDS_CAPTION_ERROR, {std::to_string(line)});
        return RunOutcome::StoppedBeforeWriting;
    }
    if (!Identify())
        return RunOutcome::NotInstalled;
    RunOutcome staged = RunOutcome::StoppedBeforeWriting;
    if (ListMastersToConvert() && CheckSubfolders() && CheckWriteAccess() && CheckSpace())
        staged = StageEntries();
    if (staged == RunOutcome::Updated && !(CheckHeldFiles() && StageSettings() && StageMasters() && SealStaged()))
        staged = RunOutcome::StoppedBeforeWriting;
    m_journal.ChecksDone(staged == RunOutcome::Updated, m_checkMilliseconds);
    if (staged != RunOutcome::Updated) {
        Discard();
        m_journal.NothingChanged();
        return staged;
    }
    return CommitStaged();
}

std::optional<RunOutcome> UpdateRun::RecoverEarlierUpdate()
{
    if (m_place.installFolder.empty())
        return std::nullopt;
    RecoveryReport report = Recover(m_files, m_place.installFolder,
                                    [this](const std::string& target) { return AskAboutHeld({target}); });
    m_journal.Recovery(report.result, report.failedTarget);
    switch (report.result) {
    case RecoveryResult::NoJournal: return std::nullopt;
    case RecoveryResult::Discarded:
        Show(IDS_RECOVERY_DISCARDED, IDS_CAPTION_CONFIRM);
        return std::nullopt;
    case RecoveryResult::Completed:
        Show(IDS_RECOVERED, IDS_CAPTION_CONFIRM);
        return RunOutcome::Recovered;
    case RecoveryResult::Failed: break;
    }
    Show(IDS_RECOVERY_FAILED, IDS_CAPTION_ERROR, {ShownPath(report.failedTarget)});
    return RunOutcome::Failed;
}

bool UpdateRun::FindSettingsFile()
{
    if (m_settingsFile != info::kSearchSettingsFile)
        return LocateSettingsFile(m_host, m_workingFolder, m_settingsFile);
    m_settingsFile = install::kMenuSettingsFile;
    if (LocateSettingsFile(m_host, m_workingFolder, m_settingsFile))
        return true;
    m_settingsFile = install::kMakerSettingsFile;
    m_workingFolder = m_place.installFolder;
    return LocateSettingsFile(m_host, m_workingFolder, m_settingsFile);
}

bool UpdateRun::Identify()
{
    if (!FindSettingsFile()) {
        m_journal.IdentificationFailed(IdentificationFailure::SettingsFileNotFound, SettingsPath());
        Show(IDS_WRONG_FOLDER, IDS_CAPTION_ERROR);
        return false;
    }
    if (!ValidateInstallFolder(m_host, m_workingFolder, m_settingsFile)) {
        m_journal.IdentificationFailed(IdentificationFailure::FolderNotValid, SettingsPath());
        Show(IDS_FOLDER_NOT_VALID, IDS_CAPTION_ERROR);
        return false;
    }
    m_edition = DetectSystemKind(m_host, m_workingFolder, m_settingsFile, m_description.titleKeywords);
    if (!m_edition.Recognised()) {
        m_journal.IdentificationFailed(IdentificationFailure::KindNotRecognised, SettingsPath());
        Show(IDS_KIND_NOT_RECOGNISED, IDS_CAPTION_ERROR);
        return false;
    }
    m_journal.Identified(SettingsPath(), m_edition);
    return true;
}

// A master folder that cannot be listed hides masters the update would leave unconverted.
bool UpdateRun::ListMastersToConvert()
{
    if (!m_description.ConvertsMasters())
        return true;
    CheckClock clock(*this);
    std::array<std::string, 2> folders;
    if (ListMasters(m_host, MasterSettingsPath(), m_masters, folders))
        return true;
    ConversionsFailed();
    return false;
}

// A subfolder with a ".." part (or any other run of dots, which Windows may read alike) could reach out of the
// installation: the update would write where it must not.
bool UpdateRun::CheckSubfolders()
{
    for (const UpdateEntry& entry : m_description.entries) {
        const std::string& subfolder = entry.subfolder;
        for (size_t at = 0; at <= subfolder.size();) {
            size_t end = std::min(FindSeparator(subfolder, at), subfolder.size());
            std::string_view part = std::string_view(subfolder).substr(at, end - at);
            at = end + 1;
            if (part.find("..") == std::string_view::npos || part.find_first_not_of(". ") != std::string_view::npos)
                continue;
            Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {ShownPath(m_workingFolder + subfolder)});
            return false;
        }
    }
    return true;
}

bool UpdateRun::CheckWriteAccess()
{
    CheckClock clock(*this);
    std::vector<std::string> folders{m_workingFolder};
    for (const UpdateEntry& entry : m_description.entries)
        folders.push_back(m_workingFolder + entry.subfolder);
    for (const std::string& master : m_masters)
        folders.push_back(FolderOf(master));
    std::vector<std::string> probed;
    for (const std::string& folder : folders) {
        if (std::find(probed.begin(), probed.end(), folder) != probed.end())
            continue;
        probed.push_back(folder);
        // A folder the update will make is checked through its parent, the installation folder.
        if (folder != m_workingFolder && m_files.Probe(folder) != Existence::Present)
            continue;
        if (m_files.ProbeWrite(folder) == OpenCheck::Free)
            continue;
        Show(IDS_NO_WRITE_ACCESS, IDS_CAPTION_ERROR, {ShownPath(folder)});
        return false;
    }
    return true;
}

// What the update will write against the free space of each volume it writes to, counting every entry that
// can be measured now; entries of a floppy disk not yet inserted are counted when it is. A master is counted
// at its present size: one that grows in its conversion shows when it is staged.
bool UpdateRun::CheckSpace()
{
    CheckClock clock(*this);
    struct Need {
        std::string volume, folder;
        uint64_t bytes = 0;
    };
    std::vector<Need> needs;
    auto add = [&](const std::string& folder, uint64_t bytes) {
        std::string volume = m_files.VolumeOf(folder);
        auto it = std::find_if(needs.begin(), needs.end(), [&](const Need& need) { return need.volume == volume; });
        if (it == needs.end())
            needs.push_back({volume, folder, bytes});
        else
            it->bytes += bytes;
    };
    uint64_t settings = 0, history = 0;
    m_files.FileSize(SettingsPath(), settings);
    m_files.FileSize(HistoryPath(), history);
    add(m_workingFolder, settings + history);
    m_measured.resize(m_description.entries.size(), false);
    for (size_t i = 0; i < m_description.entries.size(); ++i) {
        const UpdateEntry& entry = m_description.entries[i];
        uint64_t bytes = 0;
        if (m_measured[i])
            continue;
        m_measured[i] = entry.IsArchive() ? m_host.archive.MeasureArchive(SourceOf(entry), bytes)
                                          : m_files.FileSize(SourceOf(entry), bytes);
        needs.front().bytes += m_measured[i] ? bytes : 0;
    }
    std::string lastFolder;
    for (const std::string& master : m_masters) {
        uint64_t bytes = 0;
        m_files.FileSize(master, bytes);
        std::string folder = FolderOf(master);
        if (folder == lastFolder)
            needs.back().bytes += bytes;
        else
            add(folder, bytes);
        lastFolder = folder;
    }
    constexpr uint64_t kMegabyte = 1024 * 1024;
    for (const Need& need : needs) {
        uint64_t free = 0;
        if (need.bytes == 0 || !m_files.FreeBytes(need.folder, free) || need.bytes <= free)
            continue;
        Show(IDS_NO_SPACE, IDS_CAPTION_ERROR,
             {std::to_string((need.bytes + kMegabyte - 1) / kMegabyte), std::to_string(free / kMegabyte),
              ShownPath(need.folder)});
        return false;
    }
    return true;
}

RunOutcome UpdateRun::StageEntries()
{
    m_medium.Anchor(m_host.medium);
    LoadChecksums();
    m_mediumListed = m_checksums.HasList();
    if (!Vouched(info::kDescriptionFile, m_medium.FileOf(info::kDescriptionFile)))
        return RunOutcome::StoppedBeforeWriting;
    for (size_t i = 0; i < m_description.entries.size(); ++i) {
        const UpdateEntry& entry = m_description.entries[i];
        JournalEntry record{i, entry.disk, entry.kind, MediaFileOf(entry), "", EntryOutcome::Applied};
        RunOutcome stop = RunOutcome::Updated;
        if (!WaitForDisk(entry, stop)) {
            record.outcome = EntryOutcome::Cancelled;
            m_journal.Entry(record);
            return stop;
        }
        std::string destinationFolder = m_workingFolder + entry.subfolder;
        record.destination = destinationFolder;
        // A folder that cannot be made shows at the copy or the extraction into it.
        if (m_files.Probe(destinationFolder) == Existence::Missing && m_files.CreateFolder(destinationFolder))
            m_createdFolders.push_back(destinationFolder);
        m_medium.Anchor(m_host.medium);
        record.outcome = entry.IsArchive() ? StageArchive(entry, destinationFolder)
                                           : StageLooseFile(entry, destinationFolder, record);
        // START is the edition's archive, START<edition>: the journal names the one extracted.
        record.source = SourceOf(entry);
        m_journal.Entry(record);
        if (record.outcome == EntryOutcome::Failed)
            return RunOutcome::StoppedBeforeWriting;
    }
    return RunOutcome::Updated;
}

bool UpdateRun::WaitForDisk(const UpdateEntry& entry, RunOutcome& stop)
{
    if (entry.disk == 1 || entry.disk == m_currentDisk || !m_medium.IsRemovable(m_host.medium))
        return true;
    PromptHost& prompts = m_host.prompts;
    std::string prompt = FillMessage(prompts.LoadText(IDS_INSERT_DISK), {std::to_string(entry.disk)});
    std::string caption = prompts.LoadText(IDS_CAPTION_CONFIRM);
    for (;;) {
        m_journal.MessageShown(prompt, caption);
        DiskAnswer answer = prompts.AskForDisk(prompt, caption);
        prompts.RestoreWaitCursor();
        if (answer != DiskAnswer::Ok) {
            Show(IDS_UPDATE_CANCELLED, IDS_CAPTION_CONFIRM);
            stop = RunOutcome::Cancelled;
            return false;
        }
        m_medium.Anchor(m_host.medium);
        if (m_files.Exists(MediaFileOf(entry))) {
            m_currentDisk = entry.disk;
            LoadChecksums();
            // The new disk's files count against the free space before the first of them is written.
            if (!CheckSpace()) {
                stop = RunOutcome::StoppedBeforeWriting;
                return false;
            }
            m_medium.Anchor(m_host.medium);
            return true;
        }
    }
}

void UpdateRun::LoadChecksums()
{
    // A list larger than this is no list of a medium's few hundred files.
    constexpr size_t kMaxListBytes = 1 << 20;
    m_checksums = MediumChecksums();
    const std::string path = m_medium.FileOf(kChecksumListName);
    Existence existence = m_files.Probe(path);
    if (existence == Existence::Missing && !m_mediumListed)
        return;
    // A list that is there but cannot be read, or a disk of a listed medium without one, vouches for nothing.
    std::string text;
    std::unique_ptr<ByteReader> reader = existence == Existence::Present ? m_files.OpenRead(path) : nullptr;
    if (!reader || !ReadRestUpTo(*reader, kMaxListBytes, text))
        text.clear();
    m_checksums.Load(text);
}

bool UpdateRun::Vouched(const std::string& name, const std::string& path)
{
    if (!m_checksums.HasList())
        return true;
    Sha256Digest digest{};
    std::unique_ptr<ByteReader> reader = m_files.OpenRead(path);
    if (reader && Sha256Of(*reader, digest) &&
        m_checksums.Check(m_host.medium.ListedName(name), digest) == ChecksumVerdict::Matches)
        return true;
    Show(IDS_MEDIUM_DAMAGED, IDS_CAPTION_ERROR, {ShownPath(m_medium.FileOf(name))});
    return false;
}

EntryOutcome UpdateRun::StageArchive(const UpdateEntry& entry, const std::string& destinationFolder)
{
    std::string baseName = SplitPath(entry.name).name;
    const ExtractRequest request{SourceOf(entry), destinationFolder};
    if (baseName == info::kExcelArchive) {
        TemplateCheck check = InspectWorkbookTemplate(m_host, m_workingFolder);
        m_journal.TemplateChecked(check);
        switch (check.decision) {
        case TemplateDecision::Keep: return EntryOutcome::Kept;
        case TemplateDecision::Unknown:
            Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {check.path});
            return EntryOutcome::Failed;
        case TemplateDecision::Refresh: break;
        }
        // Told once the template has really been replaced.
        m_templateRefreshed = true;
    }
    if (!Vouched(ArchiveNameOf(entry) + info::kArchiveExtension, request.archive))
        return EntryOutcome::Failed;
    ExtractResult result = m_host.archive.ExtractArchive(request);
    for (StagedFile& file : result.staged)
        AddStaged(std::move(file));
    if (result.Succeeded())
        return EntryOutcome::Applied;
    m_host.prompts.RestoreWaitCursor();
    // The component's own words; a failure it does not explain still names the archive.
    if (result.message.empty())
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {request.archive});
    else
        ShowText(result.message, m_host.prompts.LoadText(IDS_CAPTION_CONFIRM));
    return EntryOutcome::Failed;
}

EntryOutcome UpdateRun::StageLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                                       JournalEntry& record)
{
    std::string source = m_medium.FileOf(entry.name);
    PathParts parts = SplitPath(source);
    std::string target = destinationFolder + parts.name + parts.ext;
    record.destination = target;
    // A fixed work name: a work file a cut-off run left behind is written over by the next one.
    std::string work = target + kWorkFileSuffix;
    bool copied = m_files.CopyFileTo(source, work);
    AddStaged(StagedFile{work, target, 0});
    if (!copied) {
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {target});
        return EntryOutcome::Failed;
    }
    // Only the attributes change: a read-only file on the medium gives a writable copy.
    if (!m_files.ClearAttributes(work)) {
        Show(IDS_ATTRIBUTES_FAILED, IDS_CAPTION_CONFIRM, {source});
        return EntryOutcome::Failed;
    }
    // The copy is checked, not the medium's file: these are the bytes that will be installed.
    return Vouched(entry.name, work) ? EntryOutcome::Applied : EntryOutcome::Failed;
}

bool UpdateRun::WritesVersion() const
{
    if (m_description.versionText.empty() || !m_edition.FromKeyword())
        return false;
    return std::any_of(m_description.entries.begin(), m_description.entries.end(), [](const UpdateEntry& entry) {
        return entry.IsArchive() && SplitPath(entry.name).name == info::kStartArchive;
    });
}

// Each settings file is copied beside itself and takes its keys there; the copy keeps the file's attributes
// for when it takes the file's name.
bool UpdateRun::StageSettings()
{
    SettingsPlanInput input{SettingsPath(), HistoryPath(), WritesVersion(), ""};
    // Writing back a title that could not be read would wipe it.
    if (!m_description.versionText.empty() &&
        m_host.settings.ReadProfile(install::kSystemSection, install::kTitleKey, "", input.settingsPath,
                                    input.title) == ProfileReadResult::Failed) {
        m_journal.SettingsKey(input.settingsPath, install::kSystemSection, install::kTitleKey, "", false);
        Show(IDS_SETTINGS_NOT_WRITTEN, IDS_CAPTION_CONFIRM, {input.settingsPath});
        return false;
    }
    auto prepare = [&](const std::string& file) {
        if (FindStaged(file))
            return true;
        StagedFile staged{file + kWorkFileSuffix, file, 0};
        AddStaged(staged);
        switch (m_files.Probe(file)) {
        case Existence::Unknown: return false;
        // The profile call makes a missing file; one a cut-off run left is not ours to build on.
        case Existence::Missing:
            return m_files.Probe(staged.work) == Existence::Missing || m_files.RemoveFile(staged.work);
        case Existence::Present: break;
        }
        uint32_t attributes = 0;
        if (!m_files.Attributes(file, attributes) || !m_files.CopyFileTo(file, staged.work) ||
            !m_files.ClearAttributes(staged.work))
            return false;
        FindStaged(file)->attributes = attributes;
        return true;
    };
    for (const SettingsEdit& edit : PlanSettingsEdits(m_description, input)) {
        bool written = prepare(edit.file) &&
                       m_host.settings.WriteProfile(edit.section, edit.key, edit.value, edit.file + kWorkFileSuffix);
        m_journal.SettingsKey(edit.file, edit.section, edit.key, edit.value, written);
        if (!written) {
            Show(IDS_SETTINGS_NOT_WRITTEN, IDS_CAPTION_CONFIRM, {edit.file});
            return false;
        }
    }
    return true;
}

// Both conversions, staged together: each master is read once and its converted copy written beside it.
bool UpdateRun::StageMasters()
{
    if (!m_description.ConvertsMasters())
        return true;
    m_host.prompts.RestoreWaitCursor();
    // The masters the update itself brings into a master folder are converted too, as they were once in place:
    // those staged beside their names, and those a host writes in place at once (a preview).
    std::vector<std::string> found;
    std::array<std::string, 2> folders;
    if (!ListMasters(m_host, MasterSettingsPath(), found, folders)) {
        ConversionsFailed();
        return false;
    }
    for (const StagedFile& file : m_staged) {
        std::string folder = PathKey(FolderOf(file.target));
        if ((folder == PathKey(folders[0]) || folder == PathKey(folders[1])) &&
            IsMasterName(file.target.substr(FolderOf(file.target).size())))
            found.push_back(file.target);
    }
    for (const std::string& master : found) {
        bool listed = std::any_of(m_masters.begin(), m_masters.end(),
                                  [&](const std::string& known) { return PathKey(known) == PathKey(master); });
        if (!listed)
            m_masters.push_back(master);
    }
    std::vector<MasterChanges> changes(m_masters.size());
    for (size_t i = 0; i < m_masters.size(); ++i) {
        const std::string& master = m_masters[i];
        const std::string work = master + kWorkFileSuffix;
        // A master the update itself brings is converted from its new bytes.
        StagedFile* brought = FindStaged(master);
        bool staged = false;
        if (brought) {
            const std::string scratch = brought->work + kWorkFileSuffix;
            staged = StageMaster(m_files, brought->work, scratch, changes[i]) &&
                     m_files.MoveOver(scratch, brought->work, NameChange::Cached) == MoveResult::Moved;
            if (!staged && m_files.Probe(scratch) != Existence::Missing)
                m_files.RemoveFile(scratch);
        } else {
            uint32_t attributes = 0;
            AddStaged(StagedFile{work, master, 0});
            staged = m_files.Attributes(master, attributes) && StageMaster(m_files, master, work, changes[i]);
            m_staged.back().attributes = attributes;
        }
        if (!staged) {
            ConversionsFailed();
            return false;
        }
    }
    for (size_t i = 0; i < m_masters.size(); ++i)
        m_journal.MasterConverted(Conversion::MaterialSize, m_masters[i], changes[i].size);
    m_journal.ConversionDone(Conversion::MaterialSize, true);
    for (size_t i = 0; i < m_masters.size(); ++i)
        m_journal.MasterConverted(Conversion::MaterialType, m_masters[i], changes[i].type);
    m_journal.ConversionDone(Conversion::MaterialType, true);
    return true;
}

bool UpdateRun::SealStaged()
{
    for (const StagedFile& file : m_staged) {
        // Flushed before anything else: a read-only file refuses to be opened for the flush.
        bool sealed = m_files.FlushFile(file.work);
        if (sealed) {
            m_files.TakeSecurityOf(file.target, file.work);
            sealed = file.attributes == 0 || m_files.SetAttributes(file.work, file.attributes);
        }
        if (!sealed) {
            Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {ShownPath(file.target)});
            return false;
        }
    }
    return true;
}

// A later entry with the same target wins, as it would have written over the earlier one.
void UpdateRun::AddStaged(StagedFile file)
{
    std::string key = PathKey(file.target);
    for (auto it = m_staged.begin(); it != m_staged.end(); ++it) {
        if (PathKey(it->target) != key)
            continue;
        if (it->work != file.work)
            m_files.RemoveFile(it->work);
        m_staged.erase(it);
        break;
    }
    m_staged.push_back(std::move(file));
}

StagedFile* UpdateRun::FindStaged(const std::string& target)
{
    std::string key = PathKey(target);
    auto it = std::find_if(m_staged.begin(), m_staged.end(),
                           [&](const StagedFile& file) { return PathKey(file.target) == key; });
    return it == m_staged.end() ? nullptr : &*it;
}

void UpdateRun::Discard()
{
    for (const StagedFile& file : m_staged) {
        if (m_files.Probe(file.work) != Existence::Missing)
            m_files.RemoveFile(file.work);
    }
    m_staged.clear();
    for (auto it = m_createdFolders.rbegin(); it != m_createdFolders.rend(); ++it)
        m_files.RemoveFolder(*it);
    m_createdFolders.clear();
}

bool UpdateRun::CheckHeldFiles()
{
    CheckClock clock(*this);
    const std::vector<std::string> settingsFiles = {SettingsPath(), HistoryPath()};
    std::vector<std::string> targets;
    for (const StagedFile& file : m_staged)
        targets.push_back(file.target);
    targets.insert(targets.end(), settingsFiles.begin(), settingsFiles.end());
    targets.insert(targets.end(), m_masters.begin(), m_masters.end());
    for (;;) {
        std::vector<std::string> held, denied, keys;
        m_inPlace.clear();
        for (const std::string& target : targets) {
            std::string key = PathKey(target);
            if (std::find(keys.begin(), keys.end(), key) != keys.end())
                continue;
            keys.push_back(key);
            OpenCheck check = m_files.CheckOpen(target, Access::Replace);
            bool settings = std::find(settingsFiles.begin(), settingsFiles.end(), target) != settingsFiles.end();
            if (check == OpenCheck::Held && settings &&
                m_files.CheckOpen(target, Access::WriteInPlace) == OpenCheck::Free) {
                m_inPlace.push_back(target);
                continue;
            }
            if (check == OpenCheck::Denied)
                denied.push_back(target);
            else if (check == OpenCheck::Held || check == OpenCheck::Failed)
                held.push_back(target);
        }
        // Trying again cannot give rights the user lacks.
        if (!denied.empty()) {
            Show(IDS_NO_WRITE_ACCESS, IDS_CAPTION_ERROR, {ShownPath(denied.front())});
            return false;
        }
        if (held.empty())
            return true;
        if (AskAboutHeld(held) != RetryAnswer::Retry)
            return false;
    }
}

RetryAnswer UpdateRun::AskAboutHeld(const std::vector<std::string>& held)
{
    PromptHost& prompts = m_host.prompts;
    std::string names;
    for (const std::string& path : held)
        names += (names.empty() ? "" : "\n") + ShownPath(path);
    std::string text = FillMessage(prompts.LoadText(IDS_FILES_HELD), {names});
    std::string programs;
    for (const std::string& program : m_files.HoldingPrograms(held))
        programs += (programs.empty() ? "" : ", ") + program;
    if (!programs.empty())
        text += "\n" + FillMessage(prompts.LoadText(IDS_HOLDING_PROGRAMS), {programs});
    std::string caption = prompts.LoadText(IDS_CAPTION_CONFIRM);
    m_journal.MessageShown(text, caption);
    RetryAnswer answer = prompts.AskRetry(text, caption);
    prompts.RestoreWaitCursor();
    return answer;
}

RunOutcome UpdateRun::CommitStaged()
{
    std::vector<Replacement> replacements;
    std::vector<std::string> folders;
    const std::string settingsFiles[] = {PathKey(SettingsPath()), PathKey(HistoryPath())};
    for (const StagedFile& file : m_staged) {
        bool inPlace = std::find(m_inPlace.begin(), m_inPlace.end(), file.target) != m_inPlace.end();
        bool settings = std::find(std::begin(settingsFiles), std::end(settingsFiles), PathKey(file.target)) !=
                        std::end(settingsFiles);
        replacements.push_back({file.work, file.target, inPlace, settings});
        std::string folder = FolderOf(file.work);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    // Files written in place come last: they are the ones a cut leaves part-written until the next start.
    std::stable_partition(replacements.begin(), replacements.end(),
                          [](const Replacement& replacement) { return !replacement.inPlace; });
    // The work files' names are on disk before the journal that names them.
    for (const std::string& folder : folders) {
        if (!m_files.FlushFolder(folder)) {
            Discard();
            m_journal.NothingChanged();
            Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {ShownPath(folder)});
            return RunOutcome::StoppedBeforeWriting;
        }
    }
    CommitReport report = Commit(m_files, m_place.installFolder, replacements,
                                 [this](const std::string& target) { return AskAboutHeld({target}); });
    m_journal.CommitDone(report.result, replacements.size());
    switch (report.result) {
    case CommitResult::Committed:
        for (const std::string& target : report.writtenInPlace)
            m_journal.WrittenInPlace(target);
        m_staged.clear();
        m_createdFolders.clear();
        if (m_templateRefreshed)
            Show(IDS_TEMPLATE_UPDATED, IDS_CAPTION_CONFIRM);
        Show(IDS_UPDATE_DONE, IDS_CAPTION_CONFIRM);
        return RunOutcome::Updated;
    case CommitResult::Cancelled:
    case CommitResult::Failed:
        Discard();
        m_journal.NothingChanged();
        if (report.result == CommitResult::Cancelled) {
            Show(IDS_COMMIT_CANCELLED, IDS_CAPTION_CONFIRM);
            return RunOutcome::Cancelled;
        }
        Show(IDS_COMMIT_FAILED, IDS_CAPTION_CONFIRM, {ShownPath(report.failedTarget)});
        return RunOutcome::StoppedBeforeWriting;
    case CommitResult::Incomplete: break;
    }
    Show(IDS_COMMIT_INCOMPLETE, IDS_CAPTION_ERROR, {ShownPath(report.failedTarget)});
    return RunOutcome::Failed;
}

void UpdateRun::Show(unsigned textId, unsigned captionId, std::initializer_list<std::string_view> args)
{
    PromptHost& prompts = m_host.prompts;
    ShowText(FillMessage(prompts.LoadText(textId), args), prompts.LoadText(captionId));
}

void UpdateRun::ShowText(const std::string& text, const std::string& caption)
{
    m_journal.MessageShown(text, caption);
    m_host.prompts.Message(text, caption);
    m_host.prompts.RestoreWaitCursor();
}

// A master that cannot be read, listed or staged fails both conversions: the run stops before either changes
// anything.
void UpdateRun::ConversionsFailed()
{
    m_journal.ConversionDone(Conversion::MaterialSize, false);
    m_journal.ConversionDone(Conversion::MaterialType, false);
    Show(IDS_SIZE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
    Show(IDS_TYPE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
}

} // namespace

RunOutcome ApplyUpdate(const UpdateDescription& description, const UpdatePlace& place, const EngineHost& host,
                       RunJournal* journal)
{
    RunJournal silent;
    RunJournal& used = journal ? *journal : silent;
    UpdateRun run(description, place, host, used);
    RunOutcome outcome = run.Run();
    used.Finished(outcome);
    return outcome;
}
