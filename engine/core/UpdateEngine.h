#pragma once
// The update run: identification, the entries of the description, the settings keys and the master
// conversions, each outcome told through the host's message boxes.
//
// Result 0 only when the folder was not accepted (the install-folder page opens again); 1 for every
// outcome once identification has passed, and for a description with a broken entry line. The
// message "システムは正常に更新されました。" is shown only when everything was applied.

#include <string>

#include "EngineHost.h"
#include "RunJournal.h"
#include "UpdateDescription.h"

// programDirectory: the medium's folder, ending in a backslash, or "X:" for a drive root; every file
// of the medium is programDirectory followed directly by its name.
int RunUpdate(UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
              RunJournal* journal = nullptr);

// How a run ended, for callers that tell more than "close" from "choose the folder again".
enum class RunOutcome {
    Updated,              // everything applied: "システムは正常に更新されました。"
    Cancelled,            // the user cancelled a prompt
    NotInstalled,         // the folder holds no installation, or not the right edition (result 0)
    StoppedBeforeWriting, // nothing in the installation was changed
    Failed                // stopped part-way, or finished with failures
};

RunOutcome ApplyUpdate(UpdateDescription& description, const std::string& programDirectory, EngineHost& host,
                       RunJournal* journal = nullptr);
