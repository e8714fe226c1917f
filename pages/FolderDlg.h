#pragma once
// The install-folder page: the folder to update, pre-filled from the uninstall registration, typed or browsed
// through the drive and folder lists. Browsing moves the process's current drive and directory; every way out
// makes the drive that was current at the start current again.

#include "Dialog.h"
#include "DriveReturn.h"
#include "ListBox.h"

#include <string>
#include <vector>

class CFolderDlg : public CDialog {
public:
    explicit CFolderDlg(HWND parent = nullptr);

    CListBox m_folderList;
    CListBox m_driveList;
    // The drive current when the page opened, or the root of the network folder it was started from.
    StartingPlace m_start;
    std::string m_folder;
    std::string m_text;
    std::string m_picture;
    std::vector<std::string> m_uninstallKeys;
    // False when the folder was given on the command line (/DIR=): it is offered as it is.
    bool m_offerRegistration = true;

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
    void ReturnToStart();
};
