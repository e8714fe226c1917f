#pragma once
// The last wizard page: shows the chosen installation folder; start the update or go back.

#include "Dialog.h"

#include <string>

class CConfirmDlg : public CDialog {
public:
    explicit CConfirmDlg(HWND parent = nullptr);

    std::string m_folder;
    std::string m_picture;

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnPaint() override;
};
