#pragma once
// What the wizard and an unattended run share for one program run: the log (in %TEMP%, and at /LOG=), the
// host that shows or answers the boxes, and the exit code the program ends with. Either way an update is
// one call of the engine with the same journal.

#include <windows.h>

#include <optional>
#include <string>

#include "CommandLine.h"
#include "ExitCode.h"
#include "RunLog.h"
#include "RunLogFile.h"
#include "UpdateDescription.h"

class CUpdateSession {
public:
    // The switches that change how boxes, windows and the log behave.
    void Configure(const CommandLine& line);

    // One update of description.installFolder, its boxes owned by owner; sets the exit code.
    RunOutcome Run(UpdateDescription& description, HWND owner);
    // An update without pages: the folder of /DIR=, else the one the install-folder page would offer.
    ExitCode RunWithoutPages(const std::optional<std::string>& folder);
    // The usage box, or with /SUPPRESSMSGBOXES only the log; the code is BadCommandLine when word (the word
    // not understood) is not empty.
    ExitCode ShowUsage(const std::string& word);

    void SetExitCode(ExitCode code) { m_exitCode = code; }
    // The exit code, closing the log with it.
    int End();

private:
    void OpenLog();

    CRunLogFile m_logFile;
    RunLog m_log{[this](const std::string& line) { m_logFile.Append(line); }, LocalLogTime};
    bool m_suppressBoxes = false;
    bool m_windowless = false;
    bool m_switches = false; // any switch given: the host that honours them is used
    ExitCode m_exitCode = ExitCode::Cancelled;
};
