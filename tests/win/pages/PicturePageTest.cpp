#include "BmpBuilder.h"
#include "PageSession.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string MediaFolder()
{
    std::string folder = TestFolder() + "media-pg\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 2 x 2 picture: bottom row (stored first) red, green; top row blue, the given colour.
std::vector<uint8_t> Quadrants(COLORREF topRight)
{
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bits = {0, 0, 255, 0, 255, 0, 0, 0, // B G R of red, green, then 2 bytes row padding
              255, 0, 0, GetBValue(topRight), GetGValue(topRight), GetRValue(topRight), 0, 0};
    return BuildBmp(s);
}

COLORREF At(const std::vector<COLORREF>& pixels, int width, int x, int y)
{
    return pixels[static_cast<size_t>(y) * width + x];
}

// The four quadrants of the picture control, sampled at their centres.
void ExpectQuadrants(HWND control, COLORREF topLeft, COLORREF topRight, COLORREF bottomLeft, COLORREF bottomRight)
{
    int w = 0, h = 0;
    std::vector<COLORREF> pixels;
    auto painted = [&] {
        return At(pixels, w, w / 4, h / 4) == topLeft && At(pixels, w, 3 * w / 4, h / 4) == topRight &&
               At(pixels, w, w / 4, 3 * h / 4) == bottomLeft && At(pixels, w, 3 * w / 4, 3 * h / 4) == bottomRight &&
               At(pixels, w, 0, 0) == topLeft && At(pixels, w, w - 1, h - 1) == bottomRight;
    };
    // Painting comes after every other message, and a capture can land while the frame is drawn
    // but the picture not yet over it: wait for the whole picture, then say what differs.
    ui::WaitUntil([&] {
        pixels = ui::CaptureClient(control, &w, &h);
        return w > 8 && h > 8 && painted();
    }, 3000);
    ASSERT_GT(w, 8);
    ASSERT_GT(h, 8);
    EXPECT_EQ(At(pixels, w, w / 4, h / 4), topLeft);
    EXPECT_EQ(At(pixels, w, 3 * w / 4, h / 4), topRight);
    EXPECT_EQ(At(pixels, w, w / 4, 3 * h / 4), bottomLeft);
    EXPECT_EQ(At(pixels, w, 3 * w / 4, 3 * h / 4), bottomRight);
    // Stretched over the whole control: the corners carry the picture too, not the frame.
    EXPECT_EQ(At(pixels, w, 0, 0), topLeft);
    EXPECT_EQ(At(pixels, w, w - 1, h - 1), bottomRight);
}

// The platform draws a black frame in its dark frame colour (black on Windows, dark grey in Wine's theme).
bool IsFrameColour(COLORREF c)
{
    return c == RGB(0, 0, 0) || c == GetSysColor(COLOR_3DDKSHADOW) || c == GetSysColor(COLOR_WINDOWFRAME);
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

TEST(PagePicture, IsPaintedStretchedAndReadAgainAtEveryRepaint)
{
    std::string media = MediaFolder();
    WriteFile(media + "quad.bmp", Quadrants(RGB(255, 255, 255)));
    PageSession page({"page=notice", "master=1", "dir=" + media, "picture=quad.bmp"});
    ASSERT_TRUE(page.Dialog());
    HWND control = page.Item(IDC_PICTURE);
    ui::Sync(page.Dialog());
    ExpectQuadrants(control, kBlue, RGB(255, 255, 255), kRed, kGreen);

    WriteFile(media + "quad.bmp", Quadrants(RGB(0, 0, 0)));
    RedrawWindow(page.Dialog(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ui::Sync(page.Dialog());
    ExpectQuadrants(control, kBlue, RGB(0, 0, 0), kRed, kGreen);
    ui::PressEscape(page.Dialog());
    page.Finish();
}

TEST(PagePicture, PaletteColoursOfAn8BitPicture)
{
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bitCount = 8;
    s.clrUsed = 4;
    s.tableEntries = 4; // entry i is blue i, green 2i, red 3i
    s.bits = {0, 1, 0, 0, 2, 3, 0, 0};
    std::vector<uint8_t> file = BuildBmp(s);
    // Distinct colours: entry i becomes (red 60i, green 20i, blue 100 + 40i).
    for (int i = 0; i < 4; ++i) {
        file[54 + 4 * i] = static_cast<uint8_t>(100 + 40 * i);
        file[54 + 4 * i + 1] = static_cast<uint8_t>(20 * i);
        file[54 + 4 * i + 2] = static_cast<uint8_t>(60 * i);
    }
    std::string media = MediaFolder();
    WriteFile(media + "indexed.bmp", file);
    PageSession page({"page=confirm", "dir=" + media, "picture=indexed.bmp", "folder=C:\\APP"});
    ASSERT_TRUE(page.Dialog());
    ui::Sync(page.Dialog());
    auto entry = [](int i) { return RGB(60 * i, 20 * i, 100 + 40 * i); };
    ExpectQuadrants(page.Item(IDC_PICTURE), entry(2), entry(3), entry(0), entry(1));
    ui::PressEscape(page.Dialog());
    page.Finish();
}

TEST(PagePicture, MissingPictureLeavesTheBlackFrame)
{
    for (const char* picture : {"picture=none.bmp", "picture="}) {
        SCOPED_TRACE(picture);
        PageSession page({"page=folder", "dir=" + MediaFolder(), picture, "folder=C:\\APP"});
        ASSERT_TRUE(page.Dialog());
        ui::Sync(page.Dialog());
        Sleep(300); // a picture, if any, would be painted by now
        int w = 0, h = 0;
        std::vector<COLORREF> pixels = ui::CaptureClient(page.Item(IDC_PICTURE), &w, &h);
        ASSERT_GT(w, 8);
        EXPECT_PRED1(IsFrameColour, At(pixels, w, 0, 0));
        EXPECT_PRED1(IsFrameColour, At(pixels, w, w - 1, h / 2));
        EXPECT_PRED1(IsFrameColour, At(pixels, w, w / 2, h - 1));
        EXPECT_EQ(At(pixels, w, w / 2, h / 2), GetSysColor(COLOR_3DFACE));
        ui::PressEscape(page.Dialog());
        EXPECT_EQ(page.Finish().result, IDCANCEL);
    }
}

} // namespace
