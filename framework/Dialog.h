#pragma once
// The modal dialog base: DoModal runs a dialog template with this object as its handler.

#include <windows.h>

#include <string>

class CDialog {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally, owned by the parent or else the application's main window; its result, or -1
    // when it cannot be created.
    INT_PTR DoModal();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const std::string& text) { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }
    std::string GetDlgItemText(int id) const { return GetWindowString(GetDlgItem(id)); }
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

    static std::string GetWindowString(HWND hwnd);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // A WM_COMMAND; true when handled. The base sends IDOK and IDCANCEL to OnOK and OnCancel.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnPaint();

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
};
