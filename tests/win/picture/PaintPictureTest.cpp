#include "BitmapReader.h"
#include "BmpBuilder.h"
#include "DibHeader.h"
#include "Handles.h"
#include "PaintPicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

// A 32-bit memory canvas filled with the sentinel colour.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0));
        m_select = std::make_unique<CSelectObject>(m_dc.Get(), m_bitmap.Get());
        CBrushHandle brush(CreateSolidBrush(kSentinel));
        RECT all{0, 0, width, height};
        FillRect(m_dc.Get(), &all, brush.Get());
    }
    HDC Dc() const { return m_dc.Get(); }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const RGBQUAD& q = reinterpret_cast<const RGBQUAD*>(m_bits)[y * m_width + x];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }

private:
    int m_width;
    uint8_t* m_bits = nullptr;
    CMemoryDC m_dc;
    CBitmapHandle m_bitmap;
    std::unique_ptr<CSelectObject> m_select;
};

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "parvel-pg-" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// 100 x 50, 24 bits: left half red, right half blue; the top row (stored last) green.
std::vector<uint8_t> Halves(int32_t height = 50)
{
    BmpSpec s;
    s.width = 100;
    s.height = height;
    for (int y = 0; y < 50; ++y) {
        bool topRow = height > 0 ? y == 49 : y == 0;
        for (int x = 0; x < 100; ++x) {
            uint8_t bgr[3] = {0, 0, 0};
            if (topRow)
                bgr[1] = 255;
            else
                bgr[x < 50 ? 2 : 0] = 255;
            s.bits.insert(s.bits.end(), bgr, bgr + 3);
        }
    }
    return BuildBmp(s);
}

TEST(PaintPictureFile, StretchesOverTheWholeRectangle)
{
    for (int32_t height : {50, -50}) {
        SCOPED_TRACE(height > 0 ? "bottom-up" : "top-down");
        Canvas canvas(200, 200);
        std::string path = TempFile("halves.bmp", Halves(height));
        EXPECT_TRUE(PaintPictureFile(canvas.Dc(), RECT{0, 0, 200, 200}, path, SRCCOPY));
        EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0));
        EXPECT_EQ(canvas.At(199, 1), RGB(0, 255, 0));
        EXPECT_EQ(canvas.At(50, 100), RGB(255, 0, 0));
        EXPECT_EQ(canvas.At(150, 100), RGB(0, 0, 255));
        EXPECT_EQ(canvas.At(0, 199), RGB(255, 0, 0));
        EXPECT_EQ(canvas.At(199, 199), RGB(0, 0, 255));
    }
}

TEST(PaintPictureFile, IndexedAndBitFieldPictures)
{
    BmpSpec indexed;
    indexed.width = 2;
    indexed.height = 1;
    indexed.bitCount = 8;
    indexed.tableEntries = 256; // entry i: blue i, green 2i, red 3i
    indexed.bits = {10, 80, 0, 0};
    Canvas canvas(20, 10);
    EXPECT_TRUE(PaintPictureFile(canvas.Dc(), RECT{0, 0, 20, 10}, TempFile("indexed.bmp", BuildBmp(indexed)), SRCCOPY));
    EXPECT_EQ(canvas.At(2, 5), RGB(30, 20, 10));
    EXPECT_EQ(canvas.At(17, 5), RGB(240, 160, 80));

    BmpSpec fields;
    fields.width = 1;
    fields.height = 1;
    fields.bitCount = 16;
    fields.compression = dib::kBitFields;
    fields.masks = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}; // 5-6-5
    fields.bits = {0x00, 0xF8, 0, 0};                                 // pure red
    Canvas small(4, 4);
    EXPECT_TRUE(PaintPictureFile(small.Dc(), RECT{0, 0, 4, 4}, TempFile("fields.bmp", BuildBmp(fields)), SRCCOPY));
    EXPECT_EQ(small.At(1, 1), RGB(255, 0, 0));
}

TEST(PaintPictureFile, PaintsNothingWhenTheFileCannotBeRead)
{
    std::vector<uint8_t> truncated = Halves();
    truncated.pop_back();
    std::vector<uint8_t> core = Halves();
    core[14] = 12;
    const std::string paths[] = {TempFile("missing-dir\\none.bmp", {}), TempFile("truncated.bmp", truncated),
                                 TempFile("core.bmp", core), TempFile("empty.bmp", {}), ""};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        Canvas canvas(20, 20);
        EXPECT_FALSE(PaintPictureFile(canvas.Dc(), RECT{0, 0, 20, 20}, path, SRCCOPY));
        EXPECT_EQ(canvas.At(10, 10), kSentinel);
    }
}

TEST(CreateBitmapPalette, OneEntryPerColourOrTheStockPalette)
{
    BmpSpec four;
    four.width = 2;
    four.bitCount = 4;
    four.clrUsed = 5;
    four.tableEntries = 5;
    four.bits = {0x12, 0, 0, 0};
    std::vector<uint8_t> file = BuildBmp(four);
    MemorySource source(file.data(), file.size());
    std::vector<uint8_t> block;
    uint32_t bitsOffset = 0;
    ASSERT_EQ(ReadBitmapFile(source, block, bitsOffset), 1);
    CPaletteHandle palette(CreateBitmapPalette(block));
    ASSERT_TRUE(palette);
    PALETTEENTRY entries[8] = {};
    ASSERT_EQ(GetPaletteEntries(palette.Get(), 0, 8, entries), 5u);
    EXPECT_EQ(entries[4].peRed, 12);
    EXPECT_EQ(entries[4].peGreen, 8);
    EXPECT_EQ(entries[4].peBlue, 4);

    std::vector<uint8_t> rgb = Halves();
    MemorySource rgbSource(rgb.data(), rgb.size());
    ASSERT_EQ(ReadBitmapFile(rgbSource, block, bitsOffset), 1);
    EXPECT_EQ(CreateBitmapPalette(block), GetStockObject(DEFAULT_PALETTE));
}

} // namespace
