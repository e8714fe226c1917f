// The main window as a user sees it: started from a medium folder, titled from info.txt.

#include <gtest/gtest.h>

#include "ParvelProcess.h"
#include "resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The icons of a window as Wine hands them to the X server (_NET_WM_ICON, which taskbars and window
// switchers show): sizes and pixels as text. Another process's icon handles cannot be read under Wine.
std::string X11Icon(HWND hwnd)
{
    uintptr_t window = 0;
    ui::WaitUntil([&] {
        window = reinterpret_cast<uintptr_t>(::GetPropA(hwnd, "__wine_x11_whole_window"));
        return window != 0;
    });
    if (!window)
        return "no X window";
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string file = std::string(temp) + "parvel-icon-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    std::string unixFile = UnixPath(temp) + "/" + file.substr(file.find_last_of('\\') + 1);
    std::string icon;
    // Wine may still hold the icon in its connection's buffer: asked again until both sizes are there.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0)
            ::Sleep(200);
        if (RunUnix("xprop -id " + std::to_string(window) + " -notype 32c _NET_WM_ICON > '" + unixFile + "'") != 0)
            return "no xprop";
        icon = ReadFile(file);
        if (icon.find("32, 32,") != std::string::npos && icon.find("16, 16,") != std::string::npos)
            break;
    }
    ::DeleteFileA(file.c_str());
    return icon.substr(std::min(icon.find('='), icon.size()));
}

std::string X11IconOfProgramIcons()
{
    HMODULE exe = ::LoadLibraryExA(ParvelExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto icon = [&](int metric) {
        int size = ::GetSystemMetrics(metric);
        return static_cast<HICON>(::LoadImageA(exe, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    };
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ParvelIconProbe";
    ::RegisterClassExA(&wc);
    HWND probe = ::CreateWindowExA(0, wc.lpszClassName, "probe", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    HICON big = icon(SM_CXICON), small = icon(SM_CXSMICON);
    ::SendMessageA(probe, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageA(probe, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    ::ShowWindow(probe, SW_SHOWNOACTIVATE);
    std::string shown = X11Icon(probe);
    ::DestroyWindow(probe);
    ::DestroyIcon(big);
    ::DestroyIcon(small);
    ::FreeLibrary(exe);
    return shown;
}

std::vector<std::string> DescriptionWithTitle(const std::string& title)
{
    std::vector<std::string> lines(42);
    lines[0] = title;
    lines[15] = "C:\\APP";
    lines[25] = Cp932("注意事項");
    return lines;
}

TEST(MainWindow, TitleIsFirstLineOfInfoTxt)
{
    Medium medium("title");
    const std::string title = Cp932("積算システム アップデート 表示\\テスト");
    medium.WriteInfo(DescriptionWithTitle(title));

    ParvelProcess parvel(medium.Path("Parvel.exe"));
    ASSERT_TRUE(parvel.Started());
    HWND frame = parvel.WaitForWindow("ParvelFrame");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::Text(frame) == title; })) << ui::Text(frame);

    EXPECT_EQ(::GetMenu(frame), nullptr);
    EXPECT_TRUE(::IsZoomed(frame));
    LONG style = ::GetWindowLongA(frame, GWL_STYLE);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(::GetWindowPlacement(frame, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    // Maximised over the whole screen; the platform puts the one-pixel border just outside it.
    RECT rect;
    ::GetWindowRect(frame, &rect);
    EXPECT_LE(rect.left, 0);
    EXPECT_LE(rect.top, 0);
    EXPECT_GE(rect.right, ::GetSystemMetrics(SM_CXSCREEN));

    // The taskbar and Alt+Tab show the program's icon: what Wine hands the X server for the window is what it
    // hands over for a window of our own that carries the icons of Parvel.exe, big and small.
    std::string shown = X11Icon(frame);
    EXPECT_NE(shown.find("32, 32,"), std::string::npos) << shown.substr(0, 80);
    EXPECT_NE(shown.find("16, 16,"), std::string::npos) << shown.substr(0, 80);
    EXPECT_TRUE(shown == X11IconOfProgramIcons()) << "not the icon of Parvel.exe: " << shown.substr(0, 80);

    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(parvel.WaitForExit());
}

// Explorer's file properties: both programs of the product carry its name and version.
TEST(MainWindow, VersionResourcesNameTheProgramAndTheChecker)
{
    struct Program {
        const char* path; // beside Parvel.exe's build folder
        const char* originalName;
        const wchar_t* japanese;
        const wchar_t* neutral;
    };
    const Program programs[] = {
        {"app\\Parvel.exe", "Parvel.exe", L"Parvel アップデートウィザード", L"Parvel update wizard"},
        {"check\\parvel-check.exe", "parvel-check.exe", L"Parvel 更新メディアの点検と更新の下見",
         L"Parvel update medium check and update preview"},
    };
    std::string buildFolder = ParvelExePath();
    buildFolder.resize(buildFolder.size() - std::strlen("app\\Parvel.exe"));
    for (const Program& program : programs) {
        const std::string exe = buildFolder + program.path;
        DWORD size = ::GetFileVersionInfoSizeA(exe.c_str(), nullptr);
        ASSERT_GT(size, 0u) << exe;
        std::vector<char> info(size);
        ASSERT_TRUE(::GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
        auto value = [&](const char* block, const char* name) {
            std::string path = std::string("\\StringFileInfo\\") + block + "\\" + name;
            wchar_t* text = nullptr;
            UINT length = 0;
            if (!::VerQueryValueW(info.data(), std::wstring(path.begin(), path.end()).c_str(),
                                  reinterpret_cast<void**>(&text), &length))
                return std::wstring(L"<absent>");
            return std::wstring(text);
        };
        EXPECT_EQ(value("041104b0", "FileDescription"), program.japanese);
        EXPECT_EQ(value("000004b0", "FileDescription"), program.neutral);
        std::string original(program.originalName);
        for (const char* block : {"041104b0", "000004b0"}) {
            EXPECT_EQ(value(block, "ProductName"), L"Parvel");
            EXPECT_EQ(value(block, "FileVersion"), L"3.0.0.0");
            EXPECT_EQ(value(block, "OriginalFilename"), std::wstring(original.begin(), original.end()));
        }
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    }
}

// The frame is created without a title, so an empty title alone would prove nothing: the test puts a title of
// its own on the frame, has the frame take its title again, and waits for that title to go.
TEST(MainWindow, MissingInfoTxtOrEmptyFirstLineGivesEmptyTitle)
{
    const char kPlaceholder[] = "placeholder";
    for (bool withInfo : {false, true}) {
        SCOPED_TRACE(withInfo ? "empty first line" : "no info.txt");
        Medium medium(withInfo ? "emptytitle" : "noinfo");
        if (withInfo)
            medium.WriteInfo(DescriptionWithTitle(""));
        ParvelProcess parvel(medium.Path("Parvel.exe"));
        HWND frame = parvel.WaitForWindow("ParvelFrame");
        ASSERT_NE(frame, nullptr);
        ui::TypeText(frame, kPlaceholder);
        ::PostMessageA(frame, WM_COMMAND, ID_SET_TITLE, 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::Text(frame) != kPlaceholder; })) << "the title was not set again";
        EXPECT_EQ(ui::Text(frame), "");
        EXPECT_TRUE(::IsZoomed(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(parvel.WaitForExit());
    }
}

} // namespace
