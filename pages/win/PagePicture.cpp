#include "PagePicture.h"

#include "Handles.h"
#include "PaintPicture.h"
#include "resource.h"

void PaintPagePicture(HWND dialog, const std::string& picture)
{
    // Validates the page's update region; the picture goes through the control's own device context.
    CPaintDC paint(dialog);
    HWND control = GetDlgItem(dialog, IDC_PICTURE);
    CWindowDC dc(control);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    RECT rect{};
    GetClientRect(control, &rect);
    PaintPictureFile(dc.Get(), rect, picture, SRCCOPY);
}
