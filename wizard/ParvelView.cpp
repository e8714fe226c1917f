#include "ParvelView.h"

#include "ConfirmDlg.h"
#include "FolderDlg.h"
#include "NoticeDlg.h"
#include "PaintPicture.h"
#include "ProgramDirectory.h"
#include "resource.h"

bool CParvelView::Create(HWND parent, CUpdateSession& session, const std::optional<std::string>& folder)
{
    m_session = &session;
    // Loaded before the window exists, so the first page and the first paint see the record.
    LoadUpdateDescription(m_description, programDirectory);
    if (folder) {
        m_description.installFolder = *folder;
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
    page.m_text = m_description.noticeText;
    page.m_picture = programDirectory + m_description.noticePicture;
    page.m_masterAdjust = m_description.masterAdjust;
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
    page.m_uninstallKeys.assign(m_description.uninstallKeys.begin(), m_description.uninstallKeys.end());
    page.m_text = m_description.folderText;
    page.m_folder = m_description.installFolder;
    page.m_picture = programDirectory + m_description.folderPicture;
    page.m_offerRegistration = !m_folderGiven;
    switch (page.DoModal()) {
    case IDOK:
        m_description.installFolder = page.m_folder;
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
    page.m_folder = m_description.installFolder;
    page.m_picture = programDirectory + m_description.confirmPicture;
    switch (page.DoModal()) {
    case IDOK:
        // A folder that holds no installation is chosen again; every other outcome ends the program.
        if (m_session->Run(m_description, m_hWnd) != RunOutcome::NotInstalled)
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

void CParvelView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Missing or unreadable: the background erased before painting stays.
    PaintPictureFile(dc, client, programDirectory + m_description.mainPicture, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}
