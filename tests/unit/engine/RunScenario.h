#pragma once
// Installations, media and descriptions for the engine's native tests.

#include "FakeHost.h"
#include "UpdateDescription.h"
#include "UpdateEngine.h"

#include <string>
#include <vector>

inline const std::string kMedium = "E:\\MEDIA\\";
inline const std::string kInstall = "C:\\APP"; // as the user confirmed it, without a trailing backslash
inline const std::string kTemplate = "C:\\APP\\\x8C\x60\x8E\xAE\\\x89\xA1" "A-A4g.xlsm"; // \形式\横A-A4g.xlsm

// The update run over the fake host, from the medium folder.
RunOutcome Apply(FakeHost& host, const UpdateDescription& description, RunJournal* journal = nullptr,
                 const std::string& medium = kMedium);

// An installation that passes identification: the settings file, dravex.exe and bmp\MERIO2L.BMP.
void MakeInstallation(FakeHost& host, const std::string& settingsFile, const std::string& settings);

// A description of a recognised tavilo1.ini installation in C:\APP, keyword "ABC" (kind 1).
UpdateDescription MakeDescription();

UpdateEntry Entry(int disk, int kind, const std::string& name, const std::string& subfolder);

// A master record the size rule shortens to 185 bytes and the type rule marks 'Z': converting it again
// changes nothing, as a rerun after an interruption needs.
std::string OldMasterRecord(char fill);

// A record the size rule selects that is 190 bytes long, as written by the application (type 'A') or after
// the conversions (type 'Z') have dropped shortenedBy bytes: the rule shortens it at every conversion.
std::string OddMasterRecord(char type, int shortenedBy);

// The ways the whole update is tried in the sweeps.
enum class Scenario {
    Folder,          // the medium is a folder holding both disks' files
    TwoFloppies,     // START on disk 2 of a floppy
    SettingsOpen,    // another program keeps tavilo1.ini open: it is written in place
    CommitRetried,   // a program opens a target once the commit has begun; the user closes it and tries again
    CommitCancelled  // the same, and the user cancels
};
constexpr Scenario kScenarios[] = {Scenario::Folder, Scenario::TwoFloppies, Scenario::SettingsOpen,
                                   Scenario::CommitRetried, Scenario::CommitCancelled};
const char* ScenarioName(Scenario scenario);

// The whole update of the sweeps: archives (START on disk 2, EXCEL, a plain one), loose files (one read-only on
// the medium, one from a subfolder into a new folder), the settings keys and both conversions over three
// masters in two folders, one of them holding the odd record, one of them read-only.
struct FullUpdate {
    FakeHost host;
    UpdateDescription description;
    Scenario scenario;
    explicit FullUpdate(Scenario scenario = Scenario::TwoFloppies);
    // Puts disk n of the medium in the drive.
    void InsertDisk(int n);
    RunOutcome Run() { return Apply(host, description); }
    // The host as the next start finds it: what the disk held, no program holding a file, nothing failing.
    void Restart(const FakeTree& disk);
};

// Work files, set-aside originals and the journal: what the update leaves only while it is under way.
bool IsUpdateOwnFile(const std::string& normalisedPath);

// Every installation file other than the update's own, by normalised path.
FakeTree InstallationFiles(const FakeTree& files);

// What a rerun from the installation files now gives: the complete update, with the odd record shortened once
// more when the size conversion had already passed it.
FakeTree AfterRerun(const FakeTree& now, const FakeTree& after);
