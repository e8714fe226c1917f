#include "UpdateEngine.h"

#include "Cp932.h"
#include "FillMessage.h"
#include "MasterConversion.h"
#include "TargetIdentification.h"
#include "UpdateRun.h"
#include "WorkbookTemplate.h"
#include "resource.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

// Keys of the settings edits in CP932: 令和, 抽出開始日ON, 抽出終了日ON, 種別電気, 種別水道, 種別設備, 種別建築.
constexpr char kEraName[] = "\x97\xDF\x98\x61";
constexpr char kExtractStartKey[] = "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON";
constexpr char kExtractEndKey[] = "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON";
constexpr const char* kCategoryKeys[] = {
    "\x8E\xED\x95\xCA\x93\x64\x8B\x43",
    "\x8E\xED\x95\xCA\x90\x85\x93\xB9",
    "\x8E\xED\x95\xCA\x90\xDD\x94\xF5",
    "\x8E\xED\x95\xCA\x8C\x9A\x92\x7A",
};

class CUpdateRun {
public:
    CUpdateRun(const UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
               RunJournal& journal)
        : m_description(description), m_programDirectory(programDirectory), m_host(host), m_journal(journal),
          m_workingFolder(description.installFolder), m_settingsFile(description.settingsFile)
    {
    }
    RunOutcome Run();

private:
    bool FindSettingsFile();
    // False after the message that sends the user back to the folder page.
    bool Identify();

    // The update is staged in full (every new file written and checked beside its target), then the checks
    // that need the staged targets run, and only then is anything of the installation replaced. A run
    // that stops before that removes what it staged, so it leaves the installation as it was.
    RunOutcome StageEntries();
    bool WaitForDisk(const UpdateEntry& entry, RunOutcome& stop);
    EntryOutcome StageArchive(const UpdateEntry& entry, const std::string& destinationFolder);
    EntryOutcome StageLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                                JournalEntry& record);
    void AddStaged(StagedFile file);
    void RemoveStaged();
    // Flushes every staged file and moves it over its target, in the order staged.
    bool InstallStaged();

    // Checks before the first write; each shows its own message and returns false to stop.
    void ListMasters();
    bool CheckSubfolders();
    bool CheckWriteAccess();
    bool CheckSpace();
    bool CheckHeldFiles();
    std::vector<std::string> HeldFiles();

    void WriteSettingsKeys();
    void WriteKey(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& path);
    void KeyNotWritten(const std::string& path);
    // True when both conversions that were asked for succeeded.
    bool RunConversions();

    void Show(unsigned textId, unsigned captionId, std::initializer_list<std::string_view> args = {});
    void ShowText(const std::string& text, const std::string& caption);
    std::string MediaFileOf(const UpdateEntry& entry) const
    {
        return m_programDirectory + entry.name + (entry.IsArchive() ? ".lzh" : "");
    }
    // The archive as extracted: START is the edition's archive, START<edition>.
    std::string ArchiveNameOf(const UpdateEntry& entry) const
    {
        bool start = SplitPath(entry.name).name == info::kStartArchive;
        return start ? entry.name + std::to_string(m_edition.Number()) : entry.name;
    }
    // The file the entry will read.
    std::string SourceOf(const UpdateEntry& entry) const
    {
        return entry.IsArchive() ? m_programDirectory + ArchiveNameOf(entry) + ".lzh" : MediaFileOf(entry);
    }
    std::string SettingsPath() const { return m_workingFolder + m_settingsFile; }
    // Always this name: the masters are found through tavilo1.ini, whatever the settings file is.
    std::string MasterSettingsPath() const { return m_workingFolder + "tavilo1.ini"; }
    // The checks' time, for the log.
    class CheckClock;

    const UpdateDescription& m_description;
    const std::string m_programDirectory;
    EngineHost& m_host;
    RunJournal& m_journal;
    std::string m_workingFolder;
    std::string m_settingsFile; // the one found, when the description asks for a search
    Edition m_edition;
    int m_currentDisk = 1;
    bool m_writeVersion = false;
    std::vector<std::string> m_unwrittenFiles;
    std::vector<StagedFile> m_staged;
    std::vector<std::string> m_createdFolders;
    std::vector<std::string> m_masterFolders; // those that exist
    std::vector<std::string> m_masters;
    uint64_t m_largestMaster = 0;
    std::vector<bool> m_measured; // entries whose size counted in a space check
    uint64_t m_checkMilliseconds = 0;
};

class CUpdateRun::CheckClock {
public:
    explicit CheckClock(CUpdateRun& run) : m_run(run), m_start(run.m_host.Milliseconds()) {}
    ~CheckClock() { m_run.m_checkMilliseconds += m_run.m_host.Milliseconds() - m_start; }

private:
    CUpdateRun& m_run;
    uint64_t m_start;
};

RunOutcome CUpdateRun::Run()
{
    // An entry written wrongly would leave the update half applied: stop before anything is written.
    if (!m_description.brokenEntryLines.empty()) {
        size_t line = m_description.brokenEntryLines.front();
        m_journal.BrokenEntryLine(line);
        Show(IDS_BROKEN_ENTRY_LINE, IDS_CAPTION_ERROR, {std::to_string(line)});
        return RunOutcome::StoppedBeforeWriting;
    }
    if (!Identify())
        return RunOutcome::NotInstalled;
    ListMasters();
    RunOutcome staged = RunOutcome::StoppedBeforeWriting;
    if (CheckSubfolders() && CheckWriteAccess() && CheckSpace())
        staged = StageEntries();
    if (staged == RunOutcome::Updated && !CheckHeldFiles())
        staged = RunOutcome::StoppedBeforeWriting;
    m_journal.ChecksDone(staged == RunOutcome::Updated, m_checkMilliseconds);
    if (staged != RunOutcome::Updated) {
        RemoveStaged();
        m_journal.NothingChanged();
        return staged;
    }
    if (!InstallStaged())
        return RunOutcome::Failed;
    WriteSettingsKeys();
    bool converted = RunConversions();
    for (const std::string& file : m_unwrittenFiles)
        Show(IDS_SETTINGS_NOT_WRITTEN, IDS_CAPTION_CONFIRM, {file});
    if (!converted || !m_unwrittenFiles.empty())
        return RunOutcome::Failed;
    Show(IDS_UPDATE_DONE, IDS_CAPTION_CONFIRM);
    return RunOutcome::Updated;
}

bool CUpdateRun::FindSettingsFile()
{
    if (m_settingsFile != info::kSearchSettingsFile)
        return LocateSettingsFile(m_host, m_workingFolder, m_settingsFile);
    m_settingsFile = "tavilo1.ini";
    if (LocateSettingsFile(m_host, m_workingFolder, m_settingsFile))
        return true;
    m_settingsFile = "pemiraz1.ini";
    m_workingFolder = m_description.installFolder;
    return LocateSettingsFile(m_host, m_workingFolder, m_settingsFile);
}

bool CUpdateRun::Identify()
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

// The masters the conversions will rewrite, for the checks. A folder that cannot be listed is left to the
// conversion, which reports it.
void CUpdateRun::ListMasters()
{
    if (!m_description.ConvertsMasters())
        return;
    CheckClock clock(*this);
    std::array<std::string, 2> folders;
    if (!MasterFolders(m_host, MasterSettingsPath(), folders))
        return;
    for (const std::string& folder : folders) {
        std::vector<FoundFile> found;
        if (m_host.ListFolder(folder + kMasterPattern, found) != ListResult::Listed)
            continue;
        m_masterFolders.push_back(folder);
        for (const FoundFile& file : found) {
            if (file.directory)
                continue;
            m_masters.push_back(folder + file.name);
            m_largestMaster = std::max(m_largestMaster, file.size);
        }
    }
}

// A subfolder with a ".." part (or any other run of dots, which Windows may read alike) could reach out of the
// installation: the update would write where it must not.
bool CUpdateRun::CheckSubfolders()
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

bool CUpdateRun::CheckWriteAccess()
{
    CheckClock clock(*this);
    std::vector<std::string> folders{m_workingFolder};
    for (const UpdateEntry& entry : m_description.entries)
        folders.push_back(m_workingFolder + entry.subfolder);
    folders.insert(folders.end(), m_masterFolders.begin(), m_masterFolders.end());
    std::vector<std::string> probed;
    for (const std::string& folder : folders) {
        if (std::find(probed.begin(), probed.end(), folder) != probed.end())
            continue;
        probed.push_back(folder);
        // A folder the update will make is checked through its parent, the installation folder.
        if (folder != m_workingFolder && m_host.Probe(folder) != Existence::Present)
            continue;
        OpenCheck access = m_host.ProbeWrite(folder);
        if (access == OpenCheck::Free)
            continue;
        Show(IDS_NO_WRITE_ACCESS, IDS_CAPTION_ERROR, {ShownPath(folder)});
        return false;
    }
    return true;
}

// What the update will write against the free space, counting every entry that can be measured now;
// entries of a floppy disk not yet inserted are counted when it is.
bool CUpdateRun::CheckSpace()
{
    CheckClock clock(*this);
    m_measured.resize(m_description.entries.size(), false);
    uint64_t settings = 0, history = 0;
    m_host.FileSize(SettingsPath(), settings);
    m_host.FileSize(m_workingFolder + "mok3.ini", history);
    // The masters' work file and the settings files' work copies come on top of the new files.
    uint64_t need = m_largestMaster + settings + history;
    for (size_t i = 0; i < m_description.entries.size(); ++i) {
        const UpdateEntry& entry = m_description.entries[i];
        uint64_t bytes = 0;
        if (m_measured[i])
            continue;
        m_measured[i] = entry.IsArchive() ? m_host.MeasureArchive(SourceOf(entry), bytes)
                                          : m_host.FileSize(SourceOf(entry), bytes);
        need += m_measured[i] ? bytes : 0;
    }
    uint64_t free = 0;
    if (need == 0 || !m_host.FreeBytes(m_workingFolder, free) || need <= free)
        return true;
    constexpr uint64_t kMegabyte = 1024 * 1024;
    Show(IDS_NO_SPACE, IDS_CAPTION_ERROR,
         {std::to_string((need + kMegabyte - 1) / kMegabyte), std::to_string(free / kMegabyte), ShownPath(m_workingFolder)});
    return false;
}

std::vector<std::string> CUpdateRun::HeldFiles()
{
    std::vector<std::pair<std::string, Access>> files;
    for (const StagedFile& file : m_staged)
        files.emplace_back(file.target, Access::Replace);
    files.emplace_back(SettingsPath(), Access::WriteInPlace);
    files.emplace_back(m_workingFolder + "mok3.ini", Access::WriteInPlace);
    for (const std::string& master : m_masters)
        files.emplace_back(master, Access::Exclusive);
    std::vector<std::string> held;
    for (const auto& [path, access] : files) {
        OpenCheck check = m_host.CheckOpen(path, access);
        if ((check == OpenCheck::Held || check == OpenCheck::Denied || check == OpenCheck::Failed) &&
            std::find(held.begin(), held.end(), path) == held.end())
            held.push_back(path);
    }
    return held;
}

// Files other programs hold, named together; the user closes them and tries again, or cancels.
bool CUpdateRun::CheckHeldFiles()
{
    CheckClock clock(*this);
    for (;;) {
        std::vector<std::string> held = HeldFiles();
        if (held.empty())
            return true;
        std::string names;
        for (const std::string& path : held)
            names += (names.empty() ? "" : "\n") + ShownPath(path);
        std::string text = FillMessage(m_host.LoadText(IDS_FILES_HELD), {names});
        std::string programs;
        for (const std::string& program : m_host.HoldingPrograms(held))
            programs += (programs.empty() ? "" : ", ") + program;
        if (!programs.empty())
            text += "\n" + FillMessage(m_host.LoadText(IDS_HOLDING_PROGRAMS), {programs});
        std::string caption = m_host.LoadText(IDS_CAPTION_CONFIRM);
        m_journal.MessageShown(text, caption);
        RetryAnswer answer = m_host.AskRetry(text, caption);
        m_host.RestoreWaitCursor();
        if (answer != RetryAnswer::Retry)
            return false;
    }
}

RunOutcome CUpdateRun::StageEntries()
{
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
        if (m_host.Probe(destinationFolder) == Existence::Missing && m_host.CreateFolder(destinationFolder))
            m_createdFolders.push_back(destinationFolder);
        m_host.AnchorMedium(m_programDirectory);
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

bool CUpdateRun::WaitForDisk(const UpdateEntry& entry, RunOutcome& stop)
{
    if (entry.disk == 1 || entry.disk == m_currentDisk || !m_host.MediumIsRemovable(m_programDirectory))
        return true;
    std::string prompt = FillMessage(m_host.LoadText(IDS_INSERT_DISK), {std::to_string(entry.disk)});
    std::string caption = m_host.LoadText(IDS_CAPTION_CONFIRM);
    for (;;) {
        m_journal.MessageShown(prompt, caption);
        DiskAnswer answer = m_host.AskForDisk(prompt, caption);
        m_host.RestoreWaitCursor();
        if (answer != DiskAnswer::Ok) {
            Show(IDS_UPDATE_CANCELLED, IDS_CAPTION_CONFIRM);
            stop = RunOutcome::Cancelled;
            return false;
        }
        m_host.AnchorMedium(m_programDirectory);
        if (m_host.Exists(MediaFileOf(entry))) {
            m_currentDisk = entry.disk;
            // The new disk's files count against the free space before the first of them is written.
            if (!CheckSpace()) {
                stop = RunOutcome::StoppedBeforeWriting;
                return false;
            }
            m_host.AnchorMedium(m_programDirectory);
            return true;
        }
    }
}

EntryOutcome CUpdateRun::StageArchive(const UpdateEntry& entry, const std::string& destinationFolder)
{
    std::string baseName = SplitPath(entry.name).name;
    if (baseName == info::kStartArchive)
        m_writeVersion = !m_description.versionText.empty() && m_edition.FromKeyword();
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
        Show(IDS_TEMPLATE_UPDATED, IDS_CAPTION_CONFIRM);
        m_host.AnchorMedium(m_programDirectory);
    }
    ExtractResult result = m_host.ExtractArchive(request);
    for (StagedFile& file : result.staged)
        AddStaged(std::move(file));
    if (result.Succeeded())
        return EntryOutcome::Applied;
    m_host.RestoreWaitCursor();
    // The component's own words; a failure it does not explain still names the archive.
    if (result.message.empty())
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {request.archive});
    else
        ShowText(result.message, m_host.LoadText(IDS_CAPTION_CONFIRM));
    return EntryOutcome::Failed;
}

EntryOutcome CUpdateRun::StageLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                                        JournalEntry& record)
{
    std::string source = m_programDirectory + entry.name;
    PathParts parts = SplitPath(source);
    std::string target = destinationFolder + parts.name + parts.ext;
    record.destination = target;
    // A fixed work name: a work file a cut-off run left behind is written over by the next one.
    std::string work = target + kWorkFileSuffix;
    bool copied = m_host.CopyFileTo(source, work);
    AddStaged(StagedFile{work, target, 0});
    if (!copied) {
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {target});
        return EntryOutcome::Failed;
    }
    // Only the attributes change: a read-only file on the medium gives a writable copy.
    if (!m_host.ClearAttributes(work)) {
        Show(IDS_ATTRIBUTES_FAILED, IDS_CAPTION_CONFIRM, {source});
        return EntryOutcome::Failed;
    }
    return EntryOutcome::Applied;
}

// A later entry with the same target wins, as it would have written over the earlier one.
void CUpdateRun::AddStaged(StagedFile file)
{
    for (auto it = m_staged.begin(); it != m_staged.end(); ++it) {
        if (it->target != file.target)
            continue;
        if (it->work != file.work)
            m_host.RemoveFile(it->work);
        m_staged.erase(it);
        break;
    }
    m_staged.push_back(std::move(file));
}

void CUpdateRun::RemoveStaged()
{
    for (const StagedFile& file : m_staged) {
        if (m_host.Probe(file.work) != Existence::Missing)
            m_host.RemoveFile(file.work);
    }
    m_staged.clear();
    for (auto it = m_createdFolders.rbegin(); it != m_createdFolders.rend(); ++it)
        m_host.RemoveFolder(*it);
    m_createdFolders.clear();
}

bool CUpdateRun::InstallStaged()
{
    for (size_t i = 0; i < m_staged.size(); ++i) {
        const StagedFile& file = m_staged[i];
        bool installed = m_host.FlushFile(file.work) && m_host.MoveOver(file.work, file.target) &&
                         (file.attributes == 0 || m_host.SetAttributes(file.target, file.attributes));
        if (installed)
            continue;
        // Every file stays whole; what was not moved yet is not left behind as work files.
        m_staged.erase(m_staged.begin(), m_staged.begin() + static_cast<std::ptrdiff_t>(i));
        std::string target = file.target;
        RemoveStaged();
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {target});
        return false;
    }
    m_staged.clear();
    m_createdFolders.clear();
    return true;
}

void CUpdateRun::WriteSettingsKeys()
{
    const std::string settingsPath = SettingsPath();
    const std::string historyPath = m_workingFolder + "mok3.ini";
    if (m_writeVersion)
        WriteKey("SYSTEM", "Version", m_description.versionText, settingsPath);
    WriteKey("SYSTEM", "GENGOU", kEraName, settingsPath);
    if (!m_description.versionText.empty()) {
        std::string title;
        // Writing back a title that could not be read would wipe it.
        if (m_host.ReadProfile("SYSTEM", "TITLE", "", settingsPath, title) == ProfileReadResult::Failed) {
            m_journal.SettingsKey(settingsPath, "SYSTEM", "TITLE", "", false);
            KeyNotWritten(settingsPath);
        } else {
            ReplaceAllInPlace(title, "8.0S", m_description.versionText);
            WriteKey("SYSTEM", "TITLE", title, settingsPath);
        }
    }
    WriteKey("HISTORY", kExtractStartKey, "1", historyPath);
    WriteKey("HISTORY", kExtractEndKey, "1", historyPath);
    int category = m_description.category;
    if (category >= 1 && category <= 4)
        WriteKey("SYSTEM", kCategoryKeys[category - 1], "1", settingsPath);
}

void CUpdateRun::WriteKey(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path)
{
    ProfileWriteResult result = m_host.WriteProfile(section, key, value, path);
    bool written = result != ProfileWriteResult::Failed;
    m_journal.SettingsKey(path, section, key, value, written);
    if (result == ProfileWriteResult::InPlace)
        m_journal.WrittenInPlace(path);
    if (!written)
        KeyNotWritten(path);
}

void CUpdateRun::KeyNotWritten(const std::string& path)
{
    if (std::find(m_unwrittenFiles.begin(), m_unwrittenFiles.end(), path) == m_unwrittenFiles.end())
        m_unwrittenFiles.push_back(path);
}

bool CUpdateRun::RunConversions()
{
    if (!m_description.ConvertsMasters())
        return true;
    m_host.RestoreWaitCursor();
    const std::string settingsPath = MasterSettingsPath();
    auto convert = [&](Conversion conversion, bool (*run)(EngineHost&, const std::string&, ConvertedMasters*),
                       unsigned failedText) {
        ConvertedMasters converted;
        bool succeeded = run(m_host, settingsPath, &converted);
        for (const ConvertedMaster& master : converted)
            m_journal.MasterConverted(conversion, master.path, master.changedRecords);
        m_journal.ConversionDone(conversion, succeeded);
        if (!succeeded)
            Show(failedText, IDS_CAPTION_CONFIRM);
        return succeeded;
    };
    bool size = convert(Conversion::MaterialSize, ConvertMaterialSize, IDS_SIZE_CONVERSION_FAILED);
    bool type = convert(Conversion::MaterialType, ConvertMaterialType, IDS_TYPE_CONVERSION_FAILED);
    return size && type;
}

void CUpdateRun::Show(unsigned textId, unsigned captionId, std::initializer_list<std::string_view> args)
{
    ShowText(FillMessage(m_host.LoadText(textId), args), m_host.LoadText(captionId));
}

void CUpdateRun::ShowText(const std::string& text, const std::string& caption)
{
    m_journal.MessageShown(text, caption);
    m_host.Message(text, caption);
    m_host.RestoreWaitCursor();
}

} // namespace

void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty())
        return;
    for (size_t at = text.find(oldText); at != std::string::npos; at = text.find(oldText, at + newText.size()))
        text.replace(at, oldText.size(), newText);
}

RunOutcome ApplyUpdate(const UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
                       RunJournal* journal)
{
    RunJournal silent;
    RunJournal& used = journal ? *journal : silent;
    CUpdateRun run(description, programDirectory, host, used);
    RunOutcome outcome = run.Run();
    used.Finished(outcome == RunOutcome::NotInstalled ? 0 : 1);
    return outcome;
}

int RunUpdate(const UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
              RunJournal* journal)
{
    return ApplyUpdate(description, programDirectory, host, journal) == RunOutcome::NotInstalled ? 0 : 1;
}
