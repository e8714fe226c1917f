#pragma once
// Recording prompts and installations for the update run's tests.

#include "EngineTestSupport.h"
#include "UpdateDescription.h"
#include "UpdateEngine.h"
#include "Win32Host.h"

#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    std::string text;
    std::string caption;
    bool diskPrompt;
};

// The Win32 host with prompts that answer the disk prompts from a list (OK when it runs out, Cancel after
// kMaxDiskPrompts) and record every box.
class CRecordingHost : public CWin32Prompts {
public:
    CRecordingHost() : CWin32Prompts(nullptr) {}
    operator EngineHost() { return roles.With(*this); }
    CWin32Host roles{nullptr};
    void Message(const std::string& text, const std::string& caption) override;
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    RetryAnswer AskRetry(const std::string& text, const std::string& caption) override;

    static constexpr int kMaxDiskPrompts = 5;
    std::vector<ShownBox> boxes;
    std::vector<DiskAnswer> diskAnswers;
    std::function<void(int promptNumber)> onDiskPrompt;
    // Called at each retry box; its answer is the box's (Cancel when unset).
    std::function<RetryAnswer(int promptNumber)> onRetryPrompt;

    // The texts of the boxes in order, for compact expectations.
    std::vector<std::string> Texts() const;

private:
    int m_diskPrompts = 0;
    int m_retryPrompts = 0;
};

// The update of description.installFolder from the medium folder.
RunOutcome Apply(const UpdateDescription& description, const std::string& medium, CRecordingHost& host);

// An installation that passes identification: the settings file, dravex.exe and bmp\MERIO2L.BMP.
void MakeInstallation(const std::string& folder, const std::string& settingsFile, const std::string& settings);

// A description of a recognised tavilo1.ini installation in folder, with keyword "ABC" (kind 1).
UpdateDescription MakeDescription(const std::string& installFolder);

UpdateEntry Entry(int disk, int kind, const std::string& name, const std::string& subfolder);
