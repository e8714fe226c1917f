#pragma once
// The main window: a plain maximised window with a caption and nothing else, holding the view.

#include "ParvelView.h"
#include "Window.h"

class CMainFrame : public CWnd {
public:
    bool Create();
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
};
