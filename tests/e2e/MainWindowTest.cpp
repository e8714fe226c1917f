// The main window as a user sees it: started from a medium folder, titled from info.txt.

#include <gtest/gtest.h>

#include "ParvelProcess.h"
#include "resource.h"

namespace {

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

    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(parvel.WaitForExit());
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
