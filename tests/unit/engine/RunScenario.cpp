#include "RunScenario.h"

#include "Cp932.h"
#include "WorkFile.h"

RunOutcome Apply(FakeHost& host, const UpdateDescription& description, RunJournal* journal, const std::string& medium)
{
    return ApplyUpdate(description, UpdatePlace{MediumFolder(medium), description.installFolder}, host, journal);
}

void MakeInstallation(FakeHost& host, const std::string& settingsFile, const std::string& settings)
{
    host.AddFile(kInstall + "\\" + settingsFile, settings);
    host.AddFile(kInstall + "\\dravex.exe", "MZ");
    host.AddFile(kInstall + "\\bmp\\MERIO2L.BMP", "BM");
}

UpdateDescription MakeDescription()
{
    UpdateDescription description;
    description.installFolder = kInstall;
    description.settingsFile = "tavilo1.ini";
    description.masterAdjust = 0;
    description.titleKeywords[0] = "ABC";
    // An empty keyword would match every title.
    for (size_t i = 1; i < description.titleKeywords.size(); ++i)
        description.titleKeywords[i] = "#none" + std::to_string(i);
    return description;
}

UpdateEntry Entry(int disk, int kind, const std::string& name, const std::string& subfolder)
{
    return UpdateEntry{disk, kind == 1 ? EntryKind::Archive : EntryKind::LooseFile, name, subfolder};
}

std::string OldMasterRecord(char fill)
{
    std::string record = "400400000107" + std::string(1, fill) + "A" + std::string(172, fill);
    return record + "\r\n";
}

std::string OddMasterRecord(char type, int shortenedBy)
{
    return "400400000111o" + std::string(1, type) + std::string(static_cast<size_t>(176 - shortenedBy), 'o') + "\r\n";
}

const char* ScenarioName(Scenario scenario)
{
    switch (scenario) {
    case Scenario::Folder: return "folder";
    case Scenario::TwoFloppies: return "two floppies";
    case Scenario::SettingsOpen: return "settings kept open";
    case Scenario::CommitRetried: return "commit retried";
    case Scenario::CommitCancelled: return "commit cancelled";
    }
    return "";
}

FullUpdate::FullUpdate(Scenario chosen) : scenario(chosen)
{
    MakeInstallation(host, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(kInstall + "\\mok3.ini", "[HISTORY]\r\nOTHER=1\r\n");
    host.AddFile(kInstall + "\\L1.TXT", "old l1");
    host.AddFile(kTemplate, "old book");
    host.Find(kTemplate)->date = UtcDate{2021, 1, 1};
    host.AddFile(kInstall + "\\app.txt", "old app");
    host.AddFile(kInstall + "\\M1\\zai001-3.mst", OldMasterRecord('a') + OldMasterRecord('b'));
    host.AddFile(kInstall + "\\M1\\zai002-3.mst", OldMasterRecord('c') + OddMasterRecord('A', 0));
    host.AddFile(kInstall + "\\M21\\zai101-3.mst", OldMasterRecord('d') + "short\r\n");
    host.Find(kInstall + "\\M21\\zai101-3.mst")->readOnly = true;
    host.removableMedium = scenario != Scenario::Folder;
    InsertDisk(1);
    host.onDiskPrompt = [this](int) { InsertDisk(2); };
    if (scenario == Scenario::SettingsOpen)
        host.Find(kInstall + "\\tavilo1.ini")->keptOpen = true;
    if (scenario == Scenario::CommitRetried || scenario == Scenario::CommitCancelled) {
        // Once the journal is in place, a program opens a file the commit has yet to replace.
        const std::string journal = "MoveOver " + kInstall + "\\parvel.journal";
        host.onCall = [this, journal](const std::string& call) {
            if (call == journal)
                host.Find(kInstall + "\\L1.TXT")->locked = true;
        };
        host.onRetryPrompt = [this](int) { host.Find(kInstall + "\\L1.TXT")->locked = false; };
        if (scenario == Scenario::CommitRetried)
            host.retryAnswers = {RetryAnswer::Retry};
    }

    description = MakeDescription();
    description.versionText = "9.1";
    description.category = 2;
    description.masterAdjust = 1;
    description.entries = {Entry(1, 1, "APP", ""), Entry(1, 0, "L1.TXT", ""), Entry(1, 0, "SUB\\L2.TXT", "DATA\\"),
                           Entry(1, 1, "EXCEL", "\x8C\x60\x8E\xAE\\"), Entry(2, 1, "START", "")};
}

void FullUpdate::InsertDisk(int n)
{
    for (auto it = host.files.begin(); it != host.files.end();)
        it = it->first.rfind("E:\\MEDIA\\", 0) == 0 ? host.files.erase(it) : std::next(it);
    host.AddFolder(kMedium);
    if (n == 1 || scenario == Scenario::Folder) {
        host.AddArchive(kMedium + "APP.lzh", {{"app.txt", "new app"}, {"app2.txt", "new app2"}});
        host.AddFile(kMedium + "L1.TXT", "new l1");
        host.Find(kMedium + "L1.TXT")->readOnly = true;
        host.AddFile(kMedium + "SUB\\L2.TXT", "new l2");
        host.AddArchive(kMedium + "EXCEL.lzh", {{"\x89\xA1" "A-A4g.xlsm", "new book"}});
    }
    if (n == 2 || scenario == Scenario::Folder) {
        host.AddArchive(kMedium + "START.lzh", {{"start.txt", "generic"}});
        host.AddArchive(kMedium + "START1.lzh", {{"start.txt", "kind 1"}, {"start2.txt", "kind 1 too"}});
    }
}

void FullUpdate::Restart(const FakeTree& disk)
{
    FakeHost fresh;
    fresh.files = disk;
    fresh.archives = host.archives;
    fresh.removableMedium = host.removableMedium;
    fresh.onDiskPrompt = [this](int) { InsertDisk(2); };
    host = std::move(fresh);
    for (auto& [path, file] : host.files)
        file.locked = file.keptOpen = false;
    InsertDisk(1);
}

bool IsUpdateOwnFile(const std::string& path)
{
    auto endsWith = [&](const std::string& tail) {
        return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith(UpperAscii(kWorkFileSuffix)) || endsWith(".PARVEL-OLD") || endsWith("PARVEL.JOURNAL") ||
           endsWith("TEMP.MST");
}

FakeTree InstallationFiles(const FakeTree& files)
{
    FakeTree installation;
    for (const auto& [path, file] : files) {
        if (path.rfind("C:\\APP", 0) == 0 && !IsUpdateOwnFile(path))
            installation[path] = file;
    }
    return installation;
}

FakeTree AfterRerun(const FakeTree& now, const FakeTree& after)
{
    const std::string master = FakeHost::Normalise(kInstall + "\\M1\\zai002-3.mst");
    FakeTree expected = after;
    auto it = now.find(master);
    if (it == now.end())
        return expected;
    const std::string& bytes = it->second.bytes;
    size_t at = bytes.find("400400000111o");
    int shortened = at == std::string::npos ? 0 : 190 - static_cast<int>(bytes.find("\r\n", at) - at);
    std::string& complete = expected[master].bytes;
    size_t record = complete.find(OddMasterRecord('Z', 1));
    if (record != std::string::npos)
        complete.replace(record, OddMasterRecord('Z', 1).size(), OddMasterRecord('Z', shortened + 1));
    return expected;
}
