#pragma once
// The modal dialog base: DoModal runs a dialog template with this object as its handler.

#include "Window.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    // Runs the dialog modally, owned by the parent or else the application's main window; its result, or -1
    // when it cannot be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }

protected:
    virtual bool OnInitDialog() { return true; }
    // The base sends IDOK and IDCANCEL to OnOK and OnCancel.
    bool OnCommand(WORD id, WORD code, HWND control) override;
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    void OnPaint() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
};
