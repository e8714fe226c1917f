#pragma once
// The install-folder page: the folder to update, offered by the wizard, typed or browsed through the drive and
// folder lists. Browsing moves the process's current drive and directory; every way out makes the drive that
// was current at the start current again.

#include "CurrentDirectory.h"
#include "Dialog.h"
#include "ListBox.h"

#include <string>

class CFolderDlg : public CDialog {
public:
    explicit CFolderDlg(HWND parent = nullptr);

    CListBox m_folderList;
    CListBox m_driveList;
    // The drive current when the page opened, or the root of the network folder it was started from.
    StartingPlace m_start;
    std::string m_folder; // in: the folder offered; out: the folder chosen
    std::string m_text;
    std::string m_picture;

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaint() override;

    void OnSelchangeDriveList();
    void OnSelchangeFolderList();
    void OnDblclkFolderList() { OnSelchangeFolderList(); }
    void OnBack();

    void FillFolderList(const std::string& driveEntry, const std::string& tail);

    CRuntimeDirectory m_directory;
};
