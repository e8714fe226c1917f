#pragma once
// What the wizard and an unattended run share for one program run: the medium, the log (in %TEMP%, and at
// /LOG=), the host that shows or answers the boxes, and the exit code the program ends with. Either way an
// update is one call of the engine with the same journal.

#include <windows.h>

#include <optional>
#include <string>

#include "ExitCode.h"
#include "RunLog.h"
#include "RunLogFile.h"
#include "UpdateDescription.h"

// The update medium as start-up found it: the folder every file of it is named from, and its info.txt, read
// once.
struct UpdateMedium {
    std::string programDirectory;
    UpdateDescription description; // empty when there is no info.txt

    // Line 1 of info.txt (also the first uninstall key): the main window's title, and named in the log.
    const std::string& FirstLine() const { return description.uninstallKeys[0]; }
};

class CUpdateSession {
public:
    // The medium, and the switches that change how boxes, windows and the log behave: every box answered
    // unshown and logged (/SUPPRESSMSGBOXES), no window at all (/VERYSILENT), a copy of the log (/LOG=; empty
    // without it).
    void Configure(UpdateMedium medium, bool suppressBoxes, bool windowless, const std::string& logCopy);
    const UpdateMedium& Medium() const { return m_medium; }

    // One update of installFolder, its boxes owned by owner; sets the exit code.
    RunOutcome Run(const std::string& installFolder, HWND owner);
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

    UpdateMedium m_medium;
    CRunLogFile m_logFile;
    RunLog m_log{[this](const std::string& line) { m_logFile.Append(line); }, LocalLogTime};
    bool m_suppressBoxes = false;
    bool m_windowless = false;
    ExitCode m_exitCode = ExitCode::Cancelled;
};
