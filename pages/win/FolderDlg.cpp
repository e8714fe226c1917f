#include "FolderDlg.h"

#include "CurrentDirectory.h"
#include "FolderEntry.h"
#include "PagePicture.h"
#include "WaitCursor.h"
#include "resource.h"

#include <vector>

CFolderDlg::CFolderDlg(HWND parent) : CDialog(IDD_FOLDER, parent) {}

bool CFolderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_folderList.Attach(GetDlgItem(IDC_FOLDER_LIST));
    m_driveList.Attach(GetDlgItem(IDC_DRIVE_LIST));
    m_start = EnterRoot(m_directory);
    // DlgDirList writes into its path argument, so it gets a buffer of its own.
    std::vector<char> spec{'*', '.', '*', '\0'};
    DlgDirListA(m_hWnd, spec.data(), IDC_DRIVE_LIST, 0, DDL_DRIVES | DDL_EXCLUSIVE);
    SetDlgItemText(IDC_FOLDER_EDIT, m_folder);
    SetDlgItemText(IDC_TEXT, m_text);
    return true;
}

bool CFolderDlg::OnCommand(WORD id, WORD code, HWND control)
{
    if (id == IDC_DRIVE_LIST && code == LBN_SELCHANGE) {
        OnSelchangeDriveList();
        return true;
    }
    if (id == IDC_FOLDER_LIST && code == LBN_SELCHANGE) {
        OnSelchangeFolderList();
        return true;
    }
    if (id == IDC_FOLDER_LIST && code == LBN_DBLCLK) {
        OnDblclkFolderList();
        return true;
    }
    if (id == IDC_BACK && code == BN_CLICKED) {
        OnBack();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CFolderDlg::OnSelchangeDriveList()
{
    int selected = m_driveList.GetCurSel();
    if (selected == LB_ERR)
        return;
    std::string entry = m_driveList.GetText(selected);
    std::string root = std::string(1, DriveLetterOfEntry(entry)) + ":\\";
    // A drive that cannot be entered (an empty floppy drive) still shows its root and a lone [..].
    m_directory.ChangeDirectory(root);
    SetDlgItemText(IDC_FOLDER_EDIT, root);
    FillFolderList(entry, "\\*.*");
}

void CFolderDlg::OnSelchangeFolderList()
{
    int folder = m_folderList.GetCurSel();
    int drive = m_driveList.GetCurSel();
    if (folder == LB_ERR || drive == LB_ERR)
        return;
    std::string driveEntry = m_driveList.GetText(drive);
    std::string name = FolderNameOfEntry(m_folderList.GetText(folder));
    // Relative to the drive's current directory: c:.. goes up, c:name goes down.
    m_directory.ChangeDirectory(std::string(1, DriveLetterOfEntry(driveEntry)) + ":" + name);
    SetDlgItemText(IDC_FOLDER_EDIT, m_directory.CurrentDirectory());
    FillFolderList(driveEntry, ".\\*.*");
}

void CFolderDlg::FillFolderList(const std::string& driveEntry, const std::string& tail)
{
    m_folderList.ResetContent();
    std::string pattern = std::string(1, DriveLetterOfEntry(driveEntry)) + ":" + tail;
    CWaitCursor wait;
    // ".." comes first even at a drive root; the sorted list box puts everything in its order.
    m_folderList.AddString(FolderEntryOf(".."));
    for (const std::string& name : FindSubfolders(pattern))
        m_folderList.AddString(FolderEntryOf(name));
}

void CFolderDlg::OnOK()
{
    m_folder = GetDlgItemText(IDC_FOLDER_EDIT);
    ReturnToStart(m_directory, m_start);
    CDialog::OnOK();
}

void CFolderDlg::OnBack()
{
    ReturnToStart(m_directory, m_start);
    EndDialog(IDC_BACK);
}

void CFolderDlg::OnCancel()
{
    ReturnToStart(m_directory, m_start);
    CDialog::OnCancel();
}

void CFolderDlg::OnPaint()
{
    PaintPagePicture(m_hWnd, m_picture);
}
