#include "ParvelView.h"

#include "ConfirmDlg.h"
#include "FolderDlg.h"
#include "NoticeDlg.h"
#include "PaintPicture.h"
#include "UninstallRegistry.h"
#include "resource.h"

bool CParvelView::Create(HWND parent, CUpdateSession& session, const std::optional<std::string>& folder)
{
    m_session = &session;
    m_installFolder = Description().installFolder;
    if (folder) {
        m_installFolder = *folder;
        m_folderGiven = true;
    }
    if (!CreateEx(0, "ParvelView", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr))
        return false;
    PostCommand(ID_SHOW_NOTICE);
    return true;
}

bool CParvelView::OnCommand(WORD id, WORD, HWND)
{
    switch (id) {
    case ID_SHOW_NOTICE:
        OnShowNotice();
        return true;
    case ID_SHOW_FOLDER:
        OnShowFolder();
        return true;
    case ID_SHOW_CONFIRM:
        OnShowConfirm();
        return true;
    }
    return false;
}

void CParvelView::OnShowNotice()
{
    CNoticeDlg page;
    page.m_text = Description().noticeText;
    page.m_picture = MediaFile(Description().noticePicture);
    page.m_masterAdjust = Description().masterAdjust;
    if (page.DoModal() == IDOK) {
        PostCommand(ID_SHOW_FOLDER);
    } else {
        m_session->SetExitCode(ExitCode::Cancelled);
        CloseMainWindow();
    }
}

void CParvelView::OnShowFolder()
{
    CFolderDlg page;
    page.m_text = Description().folderText;
    // The registration's folder wins over the description's, also when the user comes back after a failed run;
    // a folder given by /DIR= (or confirmed since) is offered as it is.
    page.m_folder = m_folderGiven ? m_installFolder
                                  : OfferedInstallFolder(Description().uninstallKeys, m_installFolder);
    page.m_picture = MediaFile(Description().folderPicture);
    switch (page.DoModal()) {
    case IDOK:
        m_installFolder = page.m_folder;
        PostCommand(ID_SHOW_CONFIRM);
        break;
    default:
        // Back, and also Esc: the main window has no close box, so the notice page, whose "取消" ends the
        // program, is the way out.
        PostCommand(ID_SHOW_NOTICE);
        break;
    }
}

void CParvelView::OnShowConfirm()
{
    CConfirmDlg page;
    page.m_folder = m_installFolder;
    page.m_picture = MediaFile(Description().confirmPicture);
    switch (page.DoModal()) {
    case IDOK:
        // A folder that holds no installation is chosen again; every other outcome ends the program.
        if (m_session->Run(m_installFolder, m_hWnd) != RunOutcome::NotInstalled)
            CloseMainWindow();
        else
            PostCommand(ID_SHOW_FOLDER);
        break;
    case IDCANCEL:
        PostCommand(ID_SHOW_FOLDER);
        break;
    default:
        // The page could not be shown: the notice page offers the way out.
        PostCommand(ID_SHOW_NOTICE);
        break;
    }
}

void CParvelView::CloseMainWindow() const
{
    ::PostMessageA(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
}

std::string CParvelView::MediaFile(const std::string& name) const
{
    return m_session->Medium().programDirectory + name;
}

void CParvelView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Missing or unreadable: the background erased before painting stays.
    PaintPictureFile(dc, client, MediaFile(Description().mainPicture), SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}
