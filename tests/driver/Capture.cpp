#include "UiDriver.h"

#include "Handles.h"

#include <vector>

namespace ui {

namespace {

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Base units of a dialog with that font, from an empty dialog made in this process.
SIZE BaseUnitsForFont(const wchar_t* face, int points)
{
    std::vector<WORD> tpl(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(tpl.data());
    header->style = DS_SETFONT | WS_POPUP;
    header->cx = 100;
    header->cy = 100;
    tpl.insert(tpl.end(), {0, 0, 0, static_cast<WORD>(points)}); // menu, class, title, point size
    for (const wchar_t* c = face; *c; ++c)
        tpl.push_back(static_cast<WORD>(*c));
    tpl.push_back(0);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(tpl.data()),
                                             nullptr, IdleDialogProc, 0);
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    DestroyWindow(dialog); // a window, not a handle to close: it lives only for this call
    return SIZE{units.right, units.bottom};
}

// The dialog units that MapDialogRect turns into px (it maps each number with MulDiv).
LONG Unmap(LONG px, LONG base, LONG per)
{
    if (base <= 0)
        return 0;
    LONG guess = (px * per + base / 2) / base;
    for (LONG du = guess - 1; du <= guess + 1; ++du) {
        if (MulDiv(du, base, per) == px)
            return du;
    }
    return guess;
}

} // namespace

RECT RectInParent(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE DialogBaseUnits(HWND dialog, const wchar_t* fontFace, int fontPoints)
{
    RECT units{0, 0, 4, 8};
    // MapDialogRect reads the dialog's own data, which only its process has.
    if (MapDialogRect(dialog, &units))
        return SIZE{units.right, units.bottom};
    return BaseUnitsForFont(fontFace, fontPoints);
}

RECT ToDialogUnits(const RECT& pixels, SIZE baseUnits)
{
    LONG x = Unmap(pixels.left, baseUnits.cx, 4);
    LONG y = Unmap(pixels.top, baseUnits.cy, 8);
    LONG cx = Unmap(pixels.right - pixels.left, baseUnits.cx, 4);
    LONG cy = Unmap(pixels.bottom - pixels.top, baseUnits.cy, 8);
    return RECT{x, y, x + cx, y + cy};
}

RECT DialogUnitsOf(HWND control)
{
    return ToDialogUnits(RectInParent(control), DialogBaseUnits(GetParent(control)));
}

std::vector<COLORREF> CaptureClient(HWND hwnd, int* width, int* height)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    int w = rect.right, h = rect.bottom;
    if (width)
        *width = w;
    if (height)
        *height = h;
    std::vector<COLORREF> pixels;
    if (w <= 0 || h <= 0)
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CWindowDC screen(nullptr);
    CMemoryDC memory(CreateCompatibleDC(screen.Get()));
    CBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits)
        return pixels;
    CSelectObject select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), origin.x, origin.y, SRCCOPY);
    GdiFlush();
    pixels.resize(static_cast<size_t>(w) * h);
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    return pixels;
}

} // namespace ui
