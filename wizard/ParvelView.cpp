#include "ParvelView.h"

#include "PaintPicture.h"
#include "ProgramDirectory.h"
#include "resource.h"

BOOL CParvelView::Create(HWND parent)
{
    // Loaded before the window exists, so the first page and the first paint see the record.
    LoadUpdateDescription(m_description, programDirectory);
    if (!CreateEx(0, "ParvelView", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr))
        return FALSE;
    PostCommand(ID_SHOW_NOTICE);
    return TRUE;
}

BOOL CParvelView::OnCommand(UINT id)
{
    switch (id) {
    case ID_SHOW_NOTICE:
        OnShowNotice();
        return TRUE;
    }
    return FALSE;
}

void CParvelView::OnShowNotice()
{
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
