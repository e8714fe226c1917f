#include "PageSession.h"
#include "PageSizes.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The fixed header of a DIALOGEX template and its font, as stored in the executable.
struct TemplateHeader {
    DWORD style = 0;
    WORD items = 0;
    short cx = 0, cy = 0;
    WORD points = 0;
    std::wstring face;
};

const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0xFFFF)
        return p + 2;
    while (*p)
        ++p;
    return p + 1;
}

bool ReadTemplate(HMODULE module, int id, TemplateHeader& header)
{
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* p = static_cast<const WORD*>(loaded ? LockResource(loaded) : nullptr);
    if (!p || p[0] != 1 || p[1] != 0xFFFF)
        return false;
    header.style = *reinterpret_cast<const DWORD*>(p + 6);
    header.items = p[8];
    header.cx = static_cast<short>(p[11]);
    header.cy = static_cast<short>(p[12]);
    const WORD* rest = SkipSzOrOrd(SkipSzOrOrd(SkipSzOrOrd(p + 13))); // menu, class, title
    header.points = rest[0];
    header.face = reinterpret_cast<const wchar_t*>(rest + 3); // after point size, weight, italic + charset
    return true;
}

TEST(PageTemplates, HaveTheirFrameFontAndThreeDLook)
{
    HMODULE module = LoadLibraryExA((TestFolder() + "pagehost.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    struct Case {
        PageSize size;
        WORD items;
        bool threeD;
    };
    const Case cases[] = {{kFolderPageSize, 10, false}, {kNoticePageSize, 5, true}, {kConfirmPageSize, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size.id);
        TemplateHeader header;
        ASSERT_TRUE(ReadTemplate(module, c.size.id, header));
        EXPECT_EQ(header.cx, c.size.cx);
        EXPECT_EQ(header.cy, c.size.cy);
        EXPECT_EQ(header.items, c.items);
        DWORD frame = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION;
        EXPECT_EQ(header.style & frame, frame);
        EXPECT_EQ(header.style & WS_SYSMENU, 0u);
        EXPECT_EQ((header.style & DS_3DLOOK) != 0, c.threeD);
        EXPECT_EQ(header.points, 11);
        EXPECT_EQ(header.face, L"ＭＳ Ｐゴシック");
    }
    FreeLibrary(module);
}

} // namespace
