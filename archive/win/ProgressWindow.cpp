#include "ProgressWindow.h"

#include "ArchiveIds.h"
#include "ResourceString.h"

#include <commctrl.h>

namespace {

const char kClassName[] = "ParvelLzhProgress";
constexpr int kWidth = 420, kHeight = 130;
constexpr int kBarRange = 1000;

bool RegisterProgressClass()
{
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &wc))
        return true;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

HWND AddChild(HWND parent, const char* className, const char* text, DWORD style, int y, int height)
{
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 12, y, kWidth - 30, height,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

}

CProgressWindow::~CProgressWindow()
{
    if (m_owner && m_ownerWasEnabled)
        EnableWindow(m_owner, TRUE);
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

void CProgressWindow::Start(HWND owner, const std::string& archiveName)
{
    m_owner = owner;
    m_archiveName = archiveName;
    // Like a modal dialog: the owner takes no input while the extraction runs.
    if (owner)
        m_ownerWasEnabled = !EnableWindow(owner, FALSE);
    m_started = GetTickCount();
}

// A window that would only flash for a short archive is never built: building and showing it costs more
// than extracting a small archive.
void CProgressWindow::ShowWhenSlow()
{
    if (m_tried || GetTickCount() - m_started < m_showDelayMs)
        return;
    m_tried = true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (!RegisterProgressClass())
        return;
    std::string caption = LoadResourceString(IDS_ARCHIVE_PROGRESS_CAPTION);
    // WS_CAPTION without WS_SYSMENU: a title bar without a close button.
    m_hWnd = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, caption.c_str(), WS_POPUP | WS_CAPTION, 0, 0, kWidth,
                             kHeight, m_owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return;
    AddChild(m_hWnd, "STATIC", m_archiveName.c_str(), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 10, 18);
    m_fileText = AddChild(m_hWnd, "STATIC", m_fileName.c_str(), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 32, 18);
    m_bar = AddChild(m_hWnd, PROGRESS_CLASSA, "", 0, 58, 18);
    SendMessageA(m_bar, PBM_SETRANGE32, 0, kBarRange);
    SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(m_shown < 0 ? 0 : m_shown), 0);
    CenterOnOwner();
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
}

void CProgressWindow::CenterOnOwner()
{
    RECT area{};
    if (!m_owner || !GetWindowRect(m_owner, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int x = area.left + ((area.right - area.left) - kWidth) / 2;
    int y = area.top + ((area.bottom - area.top) - kHeight) / 2;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressWindow::OnStart(uint64_t totalBytes)
{
    m_total = totalBytes;
}

void CProgressWindow::OnEntry(const std::string& displayPath)
{
    m_fileName = displayPath;
    if (m_fileText)
        SetWindowTextA(m_fileText, displayPath.c_str());
    ShowWhenSlow();
    Pump();
}

void CProgressWindow::OnBytes(uint64_t doneBytes)
{
    int pos = m_total == 0 ? kBarRange : static_cast<int>(doneBytes * kBarRange / m_total);
    if (pos == m_shown)
        return;
    m_shown = pos;
    if (m_bar)
        SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
    ShowWhenSlow();
    Pump();
}

// Lets this thread's windows repaint; a quit request is kept for the caller's message loop.
void CProgressWindow::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
