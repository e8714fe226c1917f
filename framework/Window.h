#pragma once
// A window object that owns one HWND: the window procedure hands each message to virtual handlers.

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostCommand(UINT id) const { return PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }

protected:
    // Registers the class once and creates the window; this object receives its messages from WM_NCCREATE on.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int cx,
                  int cy, HWND parent, HMENU menu);

    // Lets a window fill in its class (icon, cursor, ...) before the class is registered.
    virtual void PreRegisterClass(WNDCLASSEXA&) {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int OnCreate(CREATESTRUCTA*) { return 0; }
    virtual BOOL OnCommand(UINT /*id*/) { return FALSE; }
    virtual void OnPaint() { ::DefWindowProcA(m_hWnd, WM_PAINT, 0, 0); }
    virtual void OnSize(int /*cx*/, int /*cy*/) {}
    virtual void OnDestroy() {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
