// Walks the wizard as a user would for scripts/demo: starts Parvel.exe, and on every page and message box
// saves a screenshot of the screen (a BMP; the script turns it into PNG), notes its caption and text, and
// presses the button that carries the update on.
//
//   parvel_demo_driver <Parvel.exe> <folder for screenshots>

#include <windows.h>

#include <cstdio>
#include <string>

#include "ParvelProcess.h"
#include "UiDriver.h"
#include "resource.h"

namespace {

// Saves the area of the screen (whole pages and boxes, with a margin of what lies behind them), or the whole
// screen without one.
bool SaveScreen(const std::string& path, HWND around = nullptr)
{
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (around) {
        RECT window;
        ::GetWindowRect(around, &window);
        ::InflateRect(&window, 24, 24);
        ::IntersectRect(&area, &area, &window);
    }
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                        nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    DWORD imageSize = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    bool ok = false;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&header, sizeof header, 1, f) == 1 &&
             std::fwrite(bits, imageSize, 1, f) == 1;
        std::fclose(f);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

// A short name for the screenshot file: which page or box it is.
std::string Kind(HWND dialog)
{
    if (ui::Child(dialog, IDC_DRIVE_LIST))
        return "folder-page";
    if (ui::Child(dialog, IDC_PICTURE))
        return ui::Child(dialog, IDCANCEL) && ui::ClassName(ui::Child(dialog, IDC_TEXT)) == "Edit"
                   ? "notice-page"
                   : "confirm-page";
    return "message";
}

std::string DialogText(HWND dialog)
{
    HWND text = ui::Child(dialog, IDC_TEXT);
    if (!text)
        text = ui::Child(dialog, 0xFFFF); // a message box's text
    return text ? ui::Text(text) : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: parvel_demo_driver <Parvel.exe> <folder for screenshots>\n");
        return 2;
    }
    ParvelProcess parvel(argv[1]);
    if (!parvel.Started()) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    std::string shots = argv[2];
    int number = 1;
    HWND frame = parvel.WaitForWindow("ParvelFrame");
    ::Sleep(1000);
    SaveScreen(shots + "\\01-main-window.bmp");
    std::printf("01 main window: %s\n", frame ? ui::Text(frame).c_str() : "(none)");

    while (!parvel.WaitForExit(0)) {
        HWND dialog = ui::WaitForDialog(parvel.ProcessId(), 2000);
        if (!dialog)
            continue;
        ::Sleep(700); // let the page paint its picture
        char name[64];
        std::snprintf(name, sizeof name, "%02d-%s", ++number, Kind(dialog).c_str());
        SaveScreen(shots + "\\" + name + ".bmp", dialog);
        std::printf("%s: [%s] %s\n", name, ui::Text(dialog).c_str(), DialogText(dialog).c_str());
        std::fflush(stdout);
        ui::Click(ui::Child(dialog, IDOK));
        ui::WaitForWindowGone(dialog);
    }
    std::printf("the wizard has ended\n");
    return 0;
}
