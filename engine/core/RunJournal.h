#pragma once
// An observer of the update run: what it found, did and told the user, in the order it happened.
// Every method has an empty default, so a journal overrides only what it records. The run works the
// same with or without one; a journal must not call back into the run or the host.

#include <cstddef>
#include <cstdint>
#include <string>

enum class IdentificationFailure {
    SettingsFileNotFound, // message 1
    FolderNotValid,       // message 2
    KindNotRecognised     // message 3
};

enum class EntryOutcome {
    Applied,   // extracted or copied
    Kept,      // the EXCEL archive left out because the installed workbook template stays
    Cancelled, // the disk prompt was not answered with OK
    Failed     // extraction, copy or attributes failed; the run ends here
};

struct JournalEntry {
    size_t index = 0;        // 0-based, in file order
    int disk = 0;
    int kind = 0;            // 1: archive, any other value: loose file
    std::string source;      // on the medium: programDirectory + name (+ ".lzh" for an archive)
    std::string destination; // the folder for an archive, the file for a loose file
    EntryOutcome outcome = EntryOutcome::Applied;
};

enum class Conversion { MaterialSize, MaterialType };

class RunJournal {
public:
    virtual ~RunJournal() = default;

    // Identification succeeded: the settings file in use and the edition found (0 to 15, or 99).
    virtual void Identified(const std::string& /*settingsPath*/, int /*systemKind*/) {}
    // Identification failed; settingsPath is the last path tried.
    virtual void IdentificationFailed(IdentificationFailure, const std::string& /*settingsPath*/) {}
    // A broken entry line (1-based line of info.txt) stopped the run before anything was written.
    virtual void BrokenEntryLine(size_t /*line*/) {}
    virtual void Entry(const JournalEntry&) {}
    // Each settings key the run tried to write, in order.
    virtual void SettingsKey(const std::string& /*file*/, const std::string& /*section*/,
                             const std::string& /*key*/, const std::string& /*value*/, bool /*written*/)
    {
    }
    virtual void ConversionDone(Conversion, bool /*succeeded*/) {}
    // A settings file that could not be replaced took its key in place.
    virtual void WrittenInPlace(const std::string& /*file*/) {}
    // The checks before the first write ended, after milliseconds; passed: the update goes on.
    virtual void ChecksDone(bool /*passed*/, uint64_t /*milliseconds*/) {}
    // The update stopped before it changed the installation; every work file it made was removed.
    virtual void NothingChanged() {}
    // Every box, the disk prompts included, as shown.
    virtual void MessageShown(const std::string& /*text*/, const std::string& /*caption*/) {}
    // The run is over with this result (1: the program closes; 0: the folder was not accepted).
    virtual void Finished(int /*result*/) {}
};
