#include "MainFrame.h"

#include "resource.h"

bool CMainFrame::Create(CUpdateSession& session, const std::optional<std::string>& folder)
{
    m_session = &session;
    m_folder = folder;
    // WS_VISIBLE alone: no system menu, no minimise, maximise or close box, no sizing border. Windows adds
    // the caption bar itself to every overlapped top-level window.
    return CreateEx(0, "ParvelFrame", "", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    nullptr, nullptr);
}

namespace {

// The program's icon at the size the system uses for sm (SM_CXICON or SM_CXSMICON); shared, never destroyed.
HICON ProgramIcon(int sm)
{
    int size = ::GetSystemMetrics(sm);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    return static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

void CMainFrame::PreRegisterClass(WNDCLASSEXA& wc)
{
    // The taskbar and Alt+Tab show the window's icon even though its caption has no system menu.
    wc.hIcon = ProgramIcon(SM_CXICON);
    wc.hIconSm = ProgramIcon(SM_CXSMICON);
}

int CMainFrame::OnCreate(CREATESTRUCTA*)
{
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(SM_CXICON)));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(SM_CXSMICON)));
    if (!m_view.Create(m_hWnd, *m_session, m_folder))
        return -1;

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(m_hWnd, &placement);
    placement.showCmd = SW_SHOWMAXIMIZED;
    placement.ptMaxPosition = POINT{0, 0};
    ::SetWindowPlacement(m_hWnd, &placement);

    PostCommand(ID_SET_TITLE);
    return 0;
}

bool CMainFrame::OnCommand(WORD id, WORD, HWND)
{
    if (id != ID_SET_TITLE)
        return false;
    OnSetTitle();
    return true;
}

void CMainFrame::OnSetTitle()
{
    SetWindowText(m_session->Medium().FirstLine());
}

void CMainFrame::OnSize(int cx, int cy)
{
    ::MoveWindow(m_view.GetSafeHwnd(), 0, 0, cx, cy, TRUE);
}

void CMainFrame::OnDestroy()
{
    ::PostQuitMessage(m_session->End());
}
