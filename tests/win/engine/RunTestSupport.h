#pragma once
// Recording prompts and installations for the update run's tests.

#include "EngineTestSupport.h"
#include "Win32EngineHost.h"
#include "UpdateDescription.h"

#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    std::string text;
    std::string caption;
    bool diskPrompt;
};

// The Win32 host, answering the disk prompts from a list (OK when it runs out, Cancel after
// kMaxDiskPrompts) and recording every box.
class CRecordingHost : public CWin32EngineHost {
public:
    CRecordingHost() : CWin32EngineHost(nullptr) {}
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

// An installation that passes identification: the settings file, dravex.exe and bmp\MERIO2L.BMP.
void MakeInstallation(const std::string& folder, const std::string& settingsFile, const std::string& settings);

// A description of a recognised tavilo1.ini installation in folder, with keyword "ABC" (kind 1).
UpdateDescription MakeDescription(const std::string& installFolder);

UpdateEntry Entry(int disk, int kind, const std::string& name, const std::string& subfolder);
