#pragma once
// How an update run ended.

enum class RunOutcome {
    Updated,              // everything applied: "システムは正常に更新されました。"
    Recovered,            // an update cut off earlier was completed, and the run ended there
    Cancelled,            // the user cancelled a prompt; nothing was changed
    NotInstalled,         // the folder holds no installation, or not the right edition: choose it again
    StoppedBeforeWriting, // nothing in the installation was changed
    Failed                // the installation could not be made whole: the next start completes the update
};
