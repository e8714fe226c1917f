#include "PageLook.h"

#include "UiDriver.h"

#include <gtest/gtest.h>

void ExpectDialogLook(HWND dialog, const std::string& caption, int cx, int cy)
{
    EXPECT_EQ(ui::Text(dialog), caption);
    RECT client{};
    GetClientRect(dialog, &client);
    RECT units = ui::ToDialogUnits(client, ui::DialogBaseUnits(dialog));
    EXPECT_EQ(units.right, cx);
    EXPECT_EQ(units.bottom, cy);
    LONG style = ui::Style(dialog);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), WS_POPUP | WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, 0) << "no system menu, no close box";
    EXPECT_NE(ui::ExStyle(dialog) & WS_EX_DLGMODALFRAME, 0);
    // Centred on the screen.
    RECT window{};
    GetWindowRect(dialog, &window);
    int screenCentre = GetSystemMetrics(SM_CXSCREEN) / 2;
    EXPECT_LE(std::abs((window.left + window.right) / 2 - screenCentre), 2);
}
