#pragma once
// An observer of the update run: what it found, did and told the user, in the order it happened.
// Every method has an empty default, so a journal overrides only what it records. The run works the
// same with or without one; a journal must not call back into the run or the host.

#include <cstddef>
#include <cstdint>
#include <string>

#include "RunOutcome.h"
#include "Transaction.h"
#include "UpdateDescription.h"
#include "WorkbookTemplate.h"

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
    EntryKind kind = EntryKind::LooseFile;
    std::string source;      // on the medium: programDirectory + name (+ ".lzh" for an archive)
    std::string destination; // the folder for an archive, the file for a loose file
    EntryOutcome outcome = EntryOutcome::Applied;

    bool IsArchive() const { return kind == EntryKind::Archive; }
};

enum class Conversion { MaterialSize, MaterialType };

class RunJournal {
public:
    virtual ~RunJournal() = default;

    // Identification succeeded: the settings file in use and the edition found.
    virtual void Identified(const std::string& /*settingsPath*/, Edition) {}
    // Identification failed; settingsPath is the last path tried.
    virtual void IdentificationFailed(IdentificationFailure, const std::string& /*settingsPath*/) {}
    // A broken entry line (1-based line of info.txt) stopped the run before anything was written.
    virtual void BrokenEntryLine(size_t /*line*/) {}
    virtual void Entry(const JournalEntry&) {}
    // What this start found of an update cut off earlier, before anything else; failedFile names the file
    // that stopped the recovery.
    virtual void Recovery(RecoveryResult, const std::string& /*failedFile*/) {}
    // Each settings key the run tried to write into the work copy of file, in order.
    virtual void SettingsKey(const std::string& /*file*/, const std::string& /*section*/,
                             const std::string& /*key*/, const std::string& /*value*/, bool /*written*/)
    {
    }
    // The workbook template decision for the EXCEL entry, before the entry itself.
    virtual void TemplateChecked(const TemplateCheck&) {}
    // Each master staged with its conversion, before that conversion is done.
    virtual void MasterConverted(Conversion, const std::string& /*path*/, size_t /*changedRecords*/) {}
    virtual void ConversionDone(Conversion, bool /*succeeded*/) {}
    // A settings file that another program keeps open is written where it is, not replaced.
    virtual void WrittenInPlace(const std::string& /*file*/) {}
    // The staged files took their targets' names (files of them), or the originals were put back.
    virtual void CommitDone(CommitResult, size_t /*files*/) {}
    // The checks before the first write ended, after milliseconds; passed: the update goes on.
    virtual void ChecksDone(bool /*passed*/, uint64_t /*milliseconds*/) {}
    // The update stopped before it changed the installation; every work file it made was removed.
    virtual void NothingChanged() {}
    // Every box, the disk prompts included, as shown.
    virtual void MessageShown(const std::string& /*text*/, const std::string& /*caption*/) {}
    // The run is over.
    virtual void Finished(RunOutcome) {}
};
