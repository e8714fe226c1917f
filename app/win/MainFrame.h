#pragma once
// The main window: a plain maximised window with a caption and nothing else, holding the view.

#include "ParvelView.h"
#include "Window.h"

class CMainFrame : public CWnd {
public:
    // The session keeps the exit code the message loop ends with; folder is the one given by /DIR=.
    bool Create(CUpdateSession& session, const std::optional<std::string>& folder);
    HWND GetHwnd() const { return m_hWnd; }

protected:
    void PreRegisterClass(WNDCLASSEXA& wc) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnSize(int cx, int cy) override;
    void OnDestroy() override;

private:
    void OnSetTitle();

    CParvelView m_view;
    CUpdateSession* m_session = nullptr;
    std::optional<std::string> m_folder;
};
