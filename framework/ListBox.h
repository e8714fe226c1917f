#pragma once
// A list box control of a dialog, wrapped without taking its messages.

#include "Window.h"

#include <string>
#include <vector>

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    int AddString(const std::string& text) const
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::string GetText(int index) const
    {
        LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR)
            return {};
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
        return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
    }
};
