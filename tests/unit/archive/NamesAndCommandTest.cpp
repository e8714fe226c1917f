// Which stored names may be created, and how the command text is read.

#include "CommandText.h"
#include "SafeName.h"

#include <gtest/gtest.h>

namespace {

// x creates every component, e only the last; a leading root is dropped, never climbed out of.
TEST(SafeNameTest, SplitsOrRefuses)
{
    struct Case {
        std::string stored;
        std::vector<std::string> underX; // empty: refused
        std::string underE;              // empty: refused
    };
    const std::string longFolder(200, 'd');
    const Case cases[] = {
        {"a.txt", {"a.txt"}, "a.txt"},
        {"dir\\sub/a.txt", {"dir", "sub", "a.txt"}, "a.txt"},
        {"dir\xFF" "a.txt", {"dir", "a.txt"}, "a.txt"},
        {"dir\\\\.\\a.txt", {"dir", "a.txt"}, "a.txt"},
        {"dir\\", {"dir"}, ""},
        {"\x95\x5C\\a", {"\x95\x5C", "a"}, "a"},
        {"\x83\x7C.txt", {"\x83\x7C.txt"}, "\x83\x7C.txt"}, // ポ: trail byte '|'
        {"CONSOLE.txt", {"CONSOLE.txt"}, "CONSOLE.txt"},
        // Roots as Windows, Mac OS and Unix archivers store them.
        {"\\subdir\\hello.txt", {"subdir", "hello.txt"}, "hello.txt"},
        {"\xFFUntitled\xFFhello.txt", {"Untitled", "hello.txt"}, "hello.txt"},
        {"//server/a", {"server", "a"}, "a"},
        {"c:a", {"a"}, "a"},
        {"C:\\dir\\a", {"dir", "a"}, "a"},
        {"\\C:C:a", {"a"}, "a"},
        // Only the last component counts under e.
        {"..\\a.txt", {}, "a.txt"},
        {"a\\..\\..\\b", {}, "b"},
        {"con\\a", {}, "a"},
        {"a|b/c", {}, "c"},
        {longFolder + "\\" + longFolder + "\\a", {}, "a"},
        {"", {}, ""}, {"..", {}, ""}, {"a\\..", {}, ""}, {"a\\.", {"a"}, ""}, {".", {}, ""}, {"dir:a", {}, ""},
        {"a|b", {}, ""}, {"a\x1B]", {}, ""}, {"con", {}, ""}, {"a.", {}, ""}, {"a ", {}, ""}, {"a\x1F", {}, ""},
        {std::string(256, 'a'), {}, ""},
        {std::string(255, 'a'), {std::string(255, 'a')}, std::string(255, 'a')},
    };
    for (const Case& c : cases) {
        std::vector<std::string> parts;
        EXPECT_EQ(lzh::SplitStoredPath(c.stored, lzh::Layout::WithFolders, parts), !c.underX.empty()) << c.stored;
        EXPECT_EQ(parts, c.underX) << c.stored;
        EXPECT_EQ(lzh::SplitStoredPath(c.stored, lzh::Layout::Flat, parts), !c.underE.empty()) << c.stored;
        EXPECT_EQ(parts, c.underE.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.underE})
            << c.stored;
    }
}

// Every device name is refused, in any letter case and with any extension; its neighbours are names.
TEST(SafeNameTest, EveryDeviceName)
{
    std::vector<std::string> devices = {"CON", "PRN", "AUX", "NUL"}, parts;
    for (char digit = '1'; digit <= '9'; ++digit)
        for (const char* port : {"COM", "LPT"})
            devices.push_back(port + std::string(1, digit));
    for (const std::string& device : devices) {
        std::string lower = device;
        for (char& c : lower)
            c = static_cast<char>(c | 0x20);
        for (const std::string& stored : {device, lower + ".txt", "sub\\" + device + " .log"})
            EXPECT_FALSE(lzh::SplitStoredPath(stored, lzh::Layout::Flat, parts)) << stored;
    }
    for (const char* name : {"COM0", "lpt0.txt", "COM10", "NULL", "AUXX.txt", "PRN_"})
        EXPECT_TRUE(lzh::SplitStoredPath(name, lzh::Layout::Flat, parts)) << name;
}

TEST(SafeNameTest, DisplayHidesControlCharacters)
{
    EXPECT_EQ(lzh::DisplayPath("a\xFF" "b\x1B[2J"), "a\\b?[2J");
}

TEST(CommandTextTest, ReadsTheUpdateRunsForm)
{
    lzh::Command c;
    std::string problem;
    ASSERT_TRUE(lzh::ParseCommand("e -mcwC:\\WINDOWS \"A:\\START3\" \"C:\\Program Files\\APP\\DATA\\\"", c, problem));
    EXPECT_EQ(c.operation, 'e');
    EXPECT_TRUE(c.overwrite);
    EXPECT_EQ(c.tempFolder, "C:\\WINDOWS");
    EXPECT_EQ(c.archive, "A:\\START3.lzh");
    EXPECT_EQ(c.destination, "C:\\Program Files\\APP\\DATA\\");

    // 表 (0x95 0x5C) before the closing quote.
    ASSERT_TRUE(lzh::ParseCommand("x -w/tmp \"m\\\x95\x5C\" \"d\\\x95\x5C\"", c, problem));
    EXPECT_EQ(c.archive, "m\\\x95\x5C.lzh");
    EXPECT_EQ(c.destination, "d\\\x95\x5C");
    ASSERT_TRUE(lzh::ParseCommand("t \"a\"", c, problem));
    EXPECT_EQ(c.operation, 't');
}

TEST(CommandTextTest, RefusesMalformedTexts)
{
    for (const char* text : {"", "a \"x\" \"y\"", "ee \"x\" \"y\"", "e -q \"x\" \"y\"", "e \"x\"", "e \"x\" \"y",
                             "e \"\" \"y\"", "e \"x\" \"\"", "e x y z"}) {
        lzh::Command c;
        std::string problem;
        EXPECT_FALSE(lzh::ParseCommand(text, c, problem)) << text;
    }
}

}
