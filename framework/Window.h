#pragma once
// The one window base: an object that owns one HWND, with one-line wrappers. Top-level and child windows
// get their messages through CreateEx's window procedure, dialogs through CDialog's dialog procedure; both
// hand them to the same virtual handlers and catch what a handler throws.

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    // For a control of a dialog: this object wraps it without taking its messages.
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam) != 0;
    }
    bool PostCommand(UINT id) const { return PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const { return TextOf(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const std::string& text) const { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }
    std::string GetDlgItemText(int id) const { return TextOf(GetDlgItem(id)); }

    static std::string TextOf(HWND hwnd);

protected:
    // Registers the class once and creates the window; this object receives its messages from WM_NCCREATE on.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int cx,
                  int cy, HWND parent, HMENU menu);

    // A WM_COMMAND; true when handled.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    virtual void OnPaint() { ::DefWindowProcA(m_hWnd, WM_PAINT, 0, 0); }

    // Lets a window fill in its class (icon, cursor, ...) before the class is registered.
    virtual void PreRegisterClass(WNDCLASSEXA&) {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int OnCreate(CREATESTRUCTA*) { return 0; }
    virtual void OnSize(int /*cx*/, int /*cy*/) {}
    virtual void OnDestroy() {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    }

    // An exception must not unwind through Windows' own frames: the program says so and ends.
    [[noreturn]] static void EndOnException();

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
