#pragma once
// Applying a staged update as one transaction. Every new file already lies beside its target under its work
// name, flushed. A journal naming each replacement is made durable first; then each original is kept aside
// under a second name and each work file takes its target's name in one rename written through, so that the
// target is never missing. Once all are done, the set-aside originals and then the journal are removed.
//
// A journal on disk always means "finish forward": every work file it names was durable before it, so the next
// start completes the renames whatever moment a power cut came at. A journal still under its work name never
// became durable, and no rename was made: only its work files are removed.

#include "EngineHost.h"

#include <functional>
#include <string>
#include <vector>

// One file of the commit: work takes target's name. A target another program keeps open (a settings file)
// cannot be renamed: its bytes are written over it where it is.
struct Replacement {
    std::string work;
    std::string target;
    bool inPlace = false;
    // A settings file: when its rename is refused because another program has it open, it is written in place.
    bool inPlaceIfHeld = false;

    std::string Aside() const;
};

// The journal's text, and back; false for a text that is not a whole journal.
std::string JournalText(const std::vector<Replacement>& replacements);
bool ParseJournal(std::string_view text, std::vector<Replacement>& replacements);

// The journal of an installation folder (ending in a separator).
std::string JournalPath(const std::string& installFolder);

// What a replacement the user may retry (another program holds the file) does next.
using AskRetryFor = std::function<RetryAnswer(const std::string& target)>;

enum class CommitResult {
    Committed,  // every file replaced; the journal and the set-aside originals are gone
    Cancelled,  // the user cancelled at a held file: every original is back, the journal gone
    Failed,     // a rename failed: every original is back, the journal gone
    Incomplete  // putting the originals back failed too: the journal stays, and the next start completes it
};

struct CommitReport {
    CommitResult result = CommitResult::Committed;
    std::string failedTarget;              // the file that could not be replaced
    std::vector<std::string> writtenInPlace; // the targets written where they are
};

// Journal, renames, clean-up. Nothing is changed when the journal cannot be made durable (Failed, with the
// journal as failedTarget).
CommitReport Commit(FileHost& files, const std::string& installFolder, const std::vector<Replacement>& replacements,
                    const AskRetryFor& askRetry);

enum class RecoveryResult {
    NoJournal,
    Completed, // an interrupted commit was finished forward: the installation is the updated one
    Discarded, // a journal that never became durable: its work files were removed, nothing else had changed
    Failed     // a file could not be replaced: the journal stays for the next start
};

struct RecoveryReport {
    RecoveryResult result = RecoveryResult::NoJournal;
    std::string failedTarget;
};

RecoveryReport Recover(FileHost& files, const std::string& installFolder, const AskRetryFor& askRetry);
