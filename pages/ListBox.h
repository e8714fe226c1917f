#pragma once
// A list box control of a dialog: one HWND and one-line wrappers.

#include <windows.h>

#include <string>
#include <vector>

class CListBox {
public:
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void ResetContent() const { Send(LB_RESETCONTENT); }
    int AddString(const std::string& text) const
    {
        return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::string GetText(int index) const
    {
        LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR)
            return {};
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
        return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
    }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
};
