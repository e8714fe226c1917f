#include "ParvelView.h"

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
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
}
