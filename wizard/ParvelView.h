#pragma once
// The view fills the main window: it owns the update description for the life of the program and drives
// the wizard, one posted command per step, so that every page opens from the ordinary message loop.

#include "RunLog.h"
#include "RunLogFile.h"
#include "UpdateDescription.h"
#include "Window.h"

class CParvelView : public CWnd {
public:
    // Loads info.txt, then creates the view window inside parent and posts the first step.
    bool Create(HWND parent);

    const UpdateDescription& Description() const { return m_description; }

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnPaint() override;

private:
    void OnShowNotice();
    void OnShowFolder();
    void OnShowConfirm();
    void CloseMainWindow() const;

    UpdateDescription m_description;
    // One log for every update tried in this program run, for support staff.
    CRunLogFile m_logFile;
    RunLog m_log{[this](const std::string& line) { m_logFile.Append(line); }, LocalLogTime};
};
