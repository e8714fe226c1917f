#pragma once
// The view fills the main window: it owns the update description for the life of the program and drives
// the wizard, one posted command per step, so that every page opens from the ordinary message loop.

#include "UpdateDescription.h"
#include "UpdateSession.h"
#include "Window.h"

#include <optional>
#include <string>

class CParvelView : public CWnd {
public:
    // Creates the view window inside parent and posts the first step. The session holds the medium, the log
    // and the exit code; folder is the one given by /DIR=, offered instead of the registration's.
    bool Create(HWND parent, CUpdateSession& session, const std::optional<std::string>& folder);

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnPaint() override;

private:
    void OnShowNotice();
    void OnShowFolder();
    void OnShowConfirm();
    void CloseMainWindow() const;
    // A file of the medium: its pictures.
    std::string MediaFile(const std::string& name) const;

    // The medium's description, read once at start-up.
    const UpdateDescription& Description() const { return m_session->Medium().description; }
    // The folder the pages offer and the user confirmed.
    std::string m_installFolder;
    // The medium, one log for every update tried in this program run, for support staff, and the exit code.
    CUpdateSession* m_session = nullptr;
    bool m_folderGiven = false;
};
