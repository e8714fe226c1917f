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
    CUpdateRun(UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
               RunJournal& journal)
        : m_description(description), m_programDirectory(programDirectory), m_host(host), m_journal(journal),
          m_workingFolder(description.installFolder)
    {
    }
    RunOutcome Run();

private:
    // 1 to go on, 0 after the message that sends the user back to the folder page.
    int FindSettingsFile();
    int Identify();
    void PrepareArchiveLibrary();
    // Updated when every entry is applied; otherwise how the message that ended the run ended it.
    RunOutcome ProcessEntries();
    int WaitForDisk(const UpdateEntry& entry);
    EntryOutcome ExtractArchive(UpdateEntry& entry, const std::string& destinationFolder);
    EntryOutcome CopyLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                               JournalEntry& record);
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
        return m_programDirectory + entry.name + (entry.kind == 1 ? ".lzh" : "");
    }
    std::string SettingsPath() const { return m_workingFolder + m_description.settingsFile; }

    UpdateDescription& m_description;
    const std::string m_programDirectory;
    EngineHost& m_host;
    RunJournal& m_journal;
    std::string m_workingFolder;
    std::string m_windowsDirectory;
    int m_currentDisk = 1;
    std::vector<std::string> m_unwrittenFiles;
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
    bool searchedNull = m_description.settingsFile == "NULL";
    if (Identify() != 1) {
        // A later run, with another folder, searches both names again.
        if (searchedNull)
            m_description.settingsFile = "NULL";
        return RunOutcome::NotInstalled;
    }
    PrepareArchiveLibrary();
    if (RunOutcome entries = ProcessEntries(); entries != RunOutcome::Updated)
        return entries;
    WriteSettingsKeys();
    bool converted = RunConversions();
    for (const std::string& file : m_unwrittenFiles)
        Show(IDS_SETTINGS_NOT_WRITTEN, IDS_CAPTION_CONFIRM, {file});
    if (!converted || !m_unwrittenFiles.empty())
        return RunOutcome::Failed;
    Show(IDS_UPDATE_DONE, IDS_CAPTION_CONFIRM);
    return RunOutcome::Updated;
}

int CUpdateRun::FindSettingsFile()
{
    if (m_description.settingsFile != "NULL")
        return LocateSettingsFile(m_host, m_workingFolder, m_description.settingsFile);
    m_description.settingsFile = "tavilo1.ini";
    if (LocateSettingsFile(m_host, m_workingFolder, m_description.settingsFile) == 1)
        return 1;
    m_description.settingsFile = "pemiraz1.ini";
    m_workingFolder = m_description.installFolder;
    return LocateSettingsFile(m_host, m_workingFolder, m_description.settingsFile);
}

int CUpdateRun::Identify()
{
    if (FindSettingsFile() != 1) {
        m_journal.IdentificationFailed(IdentificationFailure::SettingsFileNotFound, SettingsPath());
        Show(IDS_WRONG_FOLDER, IDS_CAPTION_ERROR);
        return 0;
    }
    if (ValidateInstallFolder(m_host, m_workingFolder, m_description.settingsFile) != 1) {
        m_journal.IdentificationFailed(IdentificationFailure::FolderNotValid, SettingsPath());
        Show(IDS_FOLDER_NOT_VALID, IDS_CAPTION_ERROR);
        return 0;
    }
    m_description.systemKind =
        DetectSystemKind(m_host, m_workingFolder, m_description.settingsFile, m_description.titleKeywords);
    if (m_description.systemKind == -1) {
        m_journal.IdentificationFailed(IdentificationFailure::KindNotRecognised, SettingsPath());
        Show(IDS_KIND_NOT_RECOGNISED, IDS_CAPTION_ERROR);
        return 0;
    }
    m_journal.Identified(SettingsPath(), m_description.systemKind);
    return 1;
}

void CUpdateRun::PrepareArchiveLibrary()
{
    m_windowsDirectory = m_host.WindowsDirectory();
    m_host.ArchiveSetBackgroundMode(0);
    m_host.ArchiveSetCursorMode(1);
    m_currentDisk = 1;
}

RunOutcome CUpdateRun::ProcessEntries()
{
    for (size_t i = 0; i < m_description.entries.size(); ++i) {
        UpdateEntry& entry = m_description.entries[i];
        JournalEntry record{i, entry.disk, entry.kind, MediaFileOf(entry), "", EntryOutcome::Applied};
        if (WaitForDisk(entry) != 1) {
            record.outcome = EntryOutcome::Cancelled;
            m_journal.Entry(record);
            return RunOutcome::Cancelled;
        }
        std::string destinationFolder = m_workingFolder + entry.subfolder;
        record.destination = destinationFolder;
        // A folder that cannot be made shows at the copy or the extraction into it.
        if (!m_host.Exists(destinationFolder))
            m_host.CreateFolder(destinationFolder);
        m_host.AnchorMedium(m_programDirectory);
        record.outcome = entry.kind == 1 ? ExtractArchive(entry, destinationFolder)
                                         : CopyLooseFile(entry, destinationFolder, record);
        // START has become the edition's archive, START<kind>: the journal names the one extracted.
        if (entry.kind == 1)
            record.source = MediaFileOf(entry);
        m_journal.Entry(record);
        if (record.outcome == EntryOutcome::Failed)
            return RunOutcome::Failed;
    }
    return RunOutcome::Updated;
}

int CUpdateRun::WaitForDisk(const UpdateEntry& entry)
{
    if (entry.disk == 1 || entry.disk == m_currentDisk || !m_host.MediumIsRemovable(m_programDirectory))
        return 1;
    std::string prompt = FillMessage(m_host.LoadText(IDS_INSERT_DISK), {std::to_string(entry.disk)});
    std::string caption = m_host.LoadText(IDS_CAPTION_CONFIRM);
    for (;;) {
        m_journal.MessageShown(prompt, caption);
        DiskAnswer answer = m_host.AskForDisk(prompt, caption);
        m_host.RestoreWaitCursor();
        if (answer != DiskAnswer::Ok) {
            Show(IDS_UPDATE_CANCELLED, IDS_CAPTION_CONFIRM);
            return 0;
        }
        m_host.AnchorMedium(m_programDirectory);
        if (m_host.Exists(MediaFileOf(entry))) {
            m_currentDisk = entry.disk;
            return 1;
        }
    }
}

EntryOutcome CUpdateRun::ExtractArchive(UpdateEntry& entry, const std::string& destinationFolder)
{
    std::string baseName = SplitPath(entry.name).name;
    if (baseName == "START") {
        entry.name += std::to_string(m_description.systemKind);
        if (!m_description.versionText.empty() && m_description.systemKind <= 15)
            WriteKey("SYSTEM", "Version", m_description.versionText, SettingsPath());
    }
    std::string command = "e -mcw" + m_windowsDirectory + " \"" + m_programDirectory + entry.name + "\" \"" +
                          destinationFolder + "\"";
    if (baseName == "EXCEL") {
        if (CheckWorkbookTemplate(m_host, m_workingFolder) != 1)
            return EntryOutcome::Kept;
        Show(IDS_TEMPLATE_UPDATED, IDS_CAPTION_CONFIRM);
        m_host.AnchorMedium(m_programDirectory);
    }
    std::string output;
    if (m_host.ExtractArchive(command, output) == 0)
        return EntryOutcome::Applied;
    m_host.RestoreWaitCursor();
    // The library's own words; a failure it does not explain still names the archive.
    if (output.empty())
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {m_programDirectory + entry.name + ".lzh"});
    else
        ShowText(output, m_host.LoadText(IDS_CAPTION_CONFIRM));
    return EntryOutcome::Failed;
}

EntryOutcome CUpdateRun::CopyLooseFile(const UpdateEntry& entry, const std::string& destinationFolder,
                                       JournalEntry& record)
{
    std::string source = m_programDirectory + entry.name;
    PathParts parts = SplitPath(source);
    std::string target = destinationFolder + parts.name + parts.ext;
    record.destination = target;
    // The copy goes to a work file beside the target and takes the target's name in one step, so an
    // interrupted run never leaves the target cut short; the next run overwrites a work file left over.
    std::string work = target + kWorkFileSuffix;
    if (!m_host.CopyFileTo(source, work)) {
        m_host.RemoveFile(work);
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {target});
        return EntryOutcome::Failed;
    }
    // Only the attributes change: a read-only file on the medium gives a writable copy.
    if (!m_host.ClearAttributes(work)) {
        m_host.RemoveFile(work);
        Show(IDS_ATTRIBUTES_FAILED, IDS_CAPTION_CONFIRM, {source});
        return EntryOutcome::Failed;
    }
    if (!m_host.MoveOver(work, target)) {
        m_host.RemoveFile(work);
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, {target});
        return EntryOutcome::Failed;
    }
    return EntryOutcome::Applied;
}

void CUpdateRun::WriteSettingsKeys()
{
    const std::string settingsPath = SettingsPath();
    const std::string historyPath = m_workingFolder + "mok3.ini";
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
    int category = DecimalValue(m_description.category);
    if (category >= 1 && category <= 4)
        WriteKey("SYSTEM", kCategoryKeys[category - 1], "1", settingsPath);
}

void CUpdateRun::WriteKey(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path)
{
    bool written = m_host.WriteProfile(section, key, value, path);
    m_journal.SettingsKey(path, section, key, value, written);
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
    if (DecimalValue(m_description.masterAdjust) != 1)
        return true;
    m_host.RestoreWaitCursor();
    // Always this name: the masters are found through tavilo1.ini, whatever the settings file is.
    const std::string settingsPath = m_workingFolder + "tavilo1.ini";
    bool size = ConvertMaterialSize(m_host, settingsPath) == 1;
    m_journal.ConversionDone(Conversion::MaterialSize, size);
    if (!size)
        Show(IDS_SIZE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
    bool type = ConvertMaterialType(m_host, settingsPath) == 1;
    m_journal.ConversionDone(Conversion::MaterialType, type);
    if (!type)
        Show(IDS_TYPE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
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

RunOutcome ApplyUpdate(UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
                       RunJournal* journal)
{
    RunJournal silent;
    RunJournal& used = journal ? *journal : silent;
    CUpdateRun run(description, programDirectory, host, used);
    RunOutcome outcome = run.Run();
    used.Finished(outcome == RunOutcome::NotInstalled ? 0 : 1);
    return outcome;
}

int RunUpdate(UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
              RunJournal* journal)
{
    return ApplyUpdate(description, programDirectory, host, journal) == RunOutcome::NotInstalled ? 0 : 1;
}
