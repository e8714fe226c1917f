#pragma once
// One call of RunUpdate: its working data and its steps. Internal to the engine.

#include <windows.h>

#include <string>

#include "ResourceString.h"
#include "RunPrompts.h"
#include "WaitCursor.h"
#include "UpdateDescription.h"

class CUpdateRun {
public:
    CUpdateRun(UpdateDescription& description, HWND owner, RunPrompts& prompts);
    int Run();

private:
    // Identification (steps 2 to 4): 1 to go on, 0 after its message.
    int FindSettingsFile();
    int Identify();
    void PrepareArchiveLibrary();
    // Entries (steps 6 to 8): 1 when all are applied, 0 after the message that ended the run.
    int ProcessEntries();
    int WaitForDisk(const UpdateEntry& entry);
    int ExtractArchive(UpdateEntry& entry, const std::string& destinationFolder);
    int RunArchiveLibrary(const std::string& command);
    int CopyLooseFile(const UpdateEntry& entry, const std::string& destinationFolder);
    void WriteSettingsKeys();
    void RunConversions();

    void Show(UINT textId, UINT captionId, const std::string& argument = "");
    std::string SettingsPath() const { return m_workingFolder + m_description.settingsFile; }

    UpdateDescription& m_description;
    HWND m_owner;
    RunPrompts& m_prompts;
    CWaitCursor m_waitCursor;
    std::string m_workingFolder;
    std::string m_windowsDirectory;
    int m_currentDisk = 1;
};
