#include <gtest/gtest.h>

#include <climits>

#include "Cp932.h"

namespace {

// 0x83 0x61 is a double-byte katakana whose trail byte reads as 'a'; 0x95 0x5C (表) has a trail byte '\'.
const std::string kTrailA = "\x83\x61";
const std::string kTrailBackslash = "\x95\x5C";

TEST(DecimalValue, ReadsLikeTheRuntime)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"1", 1},   {"  12abc", 12}, {"-1", -1},      {"+7", 7},  {"x1", 0},  {"", 0},
        {" 2", 2},  {"\t5", 5},      {"- 3", 0},      {"0015", 15}, {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecimalValue(c.text), c.value) << c.text;
}

TEST(UpperAscii, LeavesDoubleByteCharactersAlone)
{
    EXPECT_EQ(UpperAscii("start.lzh"), "START.LZH");
    EXPECT_EQ(UpperAscii(kTrailA + "a"), kTrailA + "A");
    EXPECT_EQ(UpperAscii("\xB1z"), "\xB1Z"); // a half-width katakana is one byte
    // A lone lead byte at the end does not swallow anything.
    EXPECT_EQ(UpperAscii("a\x83"), "A\x83");
}

TEST(EndsWithSeparator, NeverTakesATrailByte)
{
    struct Case {
        std::string path, withSeparator;
    } cases[] = {
        {"C:\\APP\\", "C:\\APP\\"}, {"C:\\APP", "C:\\APP\\"}, {"a/", "a/"}, {"", "\\"},
        {"C:\\" + kTrailBackslash, "C:\\" + kTrailBackslash + "\\"},
        {"C:\\" + kTrailBackslash + "\\", "C:\\" + kTrailBackslash + "\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithTrailingSeparator(c.path), c.withSeparator) << c.path;
}

TEST(FindSeparator, SkipsTrailBytes)
{
    std::string s = "C:" + kTrailBackslash + "\\x";
    EXPECT_EQ(FindSeparator(s), 4u);
    EXPECT_EQ(FindChar(kTrailA + ",a", 'a'), 3u);
    EXPECT_EQ(FindChar("abc", 'z'), std::string_view::npos);
}

TEST(SplitPath, SplitsLikeTheRuntimeSplitter)
{
    struct Case {
        std::string path, drive, dir, name, ext;
    } cases[] = {
        {"C:\\MEDIA\\DISK1\\X.EXE", "C:", "\\MEDIA\\DISK1\\", "X", ".EXE"},
        {"A:\\WIZARD.EXE", "A:", "\\", "WIZARD", ".EXE"},
        {"SUB\\A.TXT", "", "SUB\\", "A", ".TXT"},
        {"a/b.c/d", "", "a/b.c/", "d", ""},
        {"D:\\U.LOG", "D:", "\\", "U", ".LOG"},
        {"X.TAR.GZ", "", "", "X.TAR", ".GZ"},
        {"C:\\DIR\\" + kTrailBackslash + ".EXE", "C:", "\\DIR\\", kTrailBackslash, ".EXE"},
    };
    for (const Case& c : cases) {
        PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, c.drive) << c.path;
        EXPECT_EQ(p.dir, c.dir) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.ext, c.ext) << c.path;
    }
}

TEST(CutOnCharBoundary, NeverSplitsADoubleByteCharacter)
{
    std::string s = "ab" + kTrailA + "c";
    EXPECT_EQ(CutOnCharBoundary(s, 10), s);
    EXPECT_EQ(CutOnCharBoundary(s, 4), "ab" + kTrailA);
    EXPECT_EQ(CutOnCharBoundary(s, 3), "ab");
    EXPECT_EQ(CutOnCharBoundary(s, 0), "");
}

} // namespace
