#pragma once
// The first wizard page: announces the installation and shows the update's notes.

#include "Dialog.h"

#include <string>

class CNoticeDlg : public CDialog {
public:
    explicit CNoticeDlg(HWND parent = nullptr);

    std::string m_text;
    std::string m_picture;
    int m_masterAdjust = 0; // line 18's value

protected:
    bool OnInitDialog() override;
    void OnPaint() override;
};
