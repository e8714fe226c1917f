#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "UpdateDescription.h"

namespace {

std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n")
{
    std::string s;
    for (const std::string& line : lines)
        s += line + eol;
    return s;
}

std::vector<std::string> Header()
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 42; ++i)
        lines.push_back("line" + std::to_string(i));
    return lines;
}

UpdateDescription Parse(const std::string& bytes)
{
    UpdateDescription d;
    ParseUpdateDescription(bytes, d);
    return d;
}

TEST(UpdateDescription, HeaderLinesGoToTheirFields)
{
    std::vector<std::string> lines = Header();
    lines[17] = " +1 MB";
    lines[19] = "3rd";
    UpdateDescription d = Parse(Join(lines));
    EXPECT_EQ(d.uninstallKeys[0], "line1");
    EXPECT_EQ(d.uninstallKeys[14], "line15");
    EXPECT_EQ(d.installFolder, "line16");
    EXPECT_EQ(d.seriesNumber, "line17");
    EXPECT_EQ(d.masterAdjust, 1) << "numbers are read as their decimal value";
    EXPECT_EQ(d.settingsFile, "line19");
    EXPECT_EQ(d.category, 3);
    EXPECT_EQ(d.versionText, "line21");
    EXPECT_EQ(d.mainPicture, "line22");
    EXPECT_EQ(d.noticePicture, "line23");
    EXPECT_EQ(d.folderPicture, "line24");
    EXPECT_EQ(d.confirmPicture, "line25");
    EXPECT_EQ(d.noticeText, "line26");
    EXPECT_EQ(d.folderText, "line27");
    EXPECT_EQ(d.titleKeywords[0], "line28");
    EXPECT_EQ(d.titleKeywords[14], "line42");
    EXPECT_EQ(d.entryCount(), 0u);
}

TEST(UpdateDescription, ShortFileLeavesTheRestEmpty)
{
    UpdateDescription d = Parse("title\r\nkey2\r\n");
    EXPECT_EQ(d.uninstallKeys[1], "key2");
    EXPECT_EQ(d.uninstallKeys[2], "");
    EXPECT_EQ(d.installFolder, "");
    EXPECT_EQ(d.entryCount(), 0u);
}

TEST(UpdateDescription, TextModeLineEnds)
{
    // LF alone ends a line too; a lone CR stays; 0x1A ends the file.
    UpdateDescription d = Parse("a\r\nb\nc\rd\r\ne\x1A" "f\r\n");
    EXPECT_EQ(d.uninstallKeys[0], "a");
    EXPECT_EQ(d.uninstallKeys[1], "b");
    EXPECT_EQ(d.uninstallKeys[2], "c\rd");
    EXPECT_EQ(d.uninstallKeys[3], "e");
    EXPECT_EQ(d.uninstallKeys[4], "");
    // A last line without a line end counts.
    EXPECT_EQ(Parse("only").uninstallKeys[0], "only");
}

TEST(UpdateDescription, EntryLines)
{
    enum Outcome { Entry, Broken, Skipped };
    struct Case {
        std::string line;
        Outcome outcome;
        int disk, kind;
        std::string name, subfolder;
    } cases[] = {
        {"1,1,start,\\PROG\\", Entry, 1, 1, "START", "\\PROG\\"},
        {"2,0,Config.ini,\\DATA\\", Entry, 2, 0, "CONFIG.INI", "\\DATA\\"},
        {"1,2,Config.ini,\\", Entry, 1, 2, "CONFIG.INI", "\\"}, // only kind 1 is an archive
        {"1,1,start,\\PROG\\,old", Entry, 1, 1, "START", "\\PROG\\"},
        {" 3, 1,my file,sub dir ", Entry, 3, 1, "MY FILE", "sub dir "},
        {"x,y,a,b", Entry, 0, 0, "A", "b"},
        // Double-byte characters keep their bytes, including a trail byte that reads as a letter.
        {"1,0,\x83\x61z.txt,\x8C\x60\x8E\xAE\\", Entry, 1, 0, "\x83\x61Z.TXT", "\x8C\x60\x8E\xAE\\"},
        // Fields are kept whole at any length.
        {"1,1," + std::string(36, 'n') + "," + std::string(300, 's'), Entry, 1, 1, std::string(36, 'N'),
         std::string(300, 's')},
        {"", Skipped, 0, 0, "", ""},
        {"a note left by the author", Skipped, 0, 0, "", ""},
        {"1,1,START", Broken, 0, 0, "", ""},
        {"1,1,,\\PROG\\", Broken, 0, 0, "", ""},
        {",1,START,\\PROG\\", Broken, 0, 0, "", ""},
        {"1,1,START,", Broken, 0, 0, "", ""},
        {",", Broken, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = Header();
        lines.push_back(c.line);
        UpdateDescription d = Parse(Join(lines));
        ASSERT_EQ(d.entryCount(), c.outcome == Entry ? 1u : 0u) << c.line;
        EXPECT_EQ(d.brokenEntryLines, c.outcome == Broken ? std::vector<size_t>{43} : std::vector<size_t>{})
            << c.line;
        if (c.outcome != Entry)
            continue;
        const UpdateEntry& e = d.entries[0];
        EXPECT_EQ(e.disk, c.disk) << c.line;
        EXPECT_EQ(e.IsArchive(), c.kind == 1) << c.line;
        EXPECT_EQ(e.name, c.name) << c.line;
        EXPECT_EQ(e.subfolder, c.subfolder) << c.line;
    }
}

TEST(UpdateDescription, EveryEntryLineIsReadAndBrokenOnesAreNamed)
{
    std::vector<std::string> lines = Header();
    lines.push_back("1,1,A,\\");
    lines.push_back("");
    lines.push_back("1,1,prog");
    lines.push_back("2,0,B,\\");
    lines.push_back("note");
    lines.push_back(",,,");
    UpdateDescription d = Parse(Join(lines, "\n"));
    ASSERT_EQ(d.entryCount(), 2u);
    EXPECT_EQ(d.entries[1].name, "B");
    EXPECT_EQ(d.brokenEntryLines, (std::vector<size_t>{45, 48}));

    lines = Header();
    for (int i = 0; i < 150; ++i)
        lines.push_back("1,0,F" + std::to_string(i) + ",\\");
    d = Parse(Join(lines));
    ASSERT_EQ(d.entryCount(), 150u);
    EXPECT_EQ(d.entries.back().name, "F149");

    // The header's lines are no entries, whatever they hold; a parse starts afresh.
    lines = Header();
    lines[41] = "1,1,";
    d.brokenEntryLines = {1};
    ParseUpdateDescription(Join(lines), d);
    EXPECT_TRUE(d.brokenEntryLines.empty());
}

TEST(DecodeLineBreaks, TabAndFillerBecomeCrLf)
{
    std::string text = "ABC\txDEF";
    DecodeLineBreaks(text);
    EXPECT_EQ(text, "ABC\r\nDEF");

    std::string many;
    for (int i = 0; i < 101; ++i)
        many += "\t_";
    DecodeLineBreaks(many);
    EXPECT_EQ(many.size(), 202u);
    EXPECT_EQ(many.substr(198), "\r\n\t_");

    // A TAB as the last byte has no filler to overwrite: it stays, and nothing is written past the text.
    std::string last = "A\tbC\t";
    DecodeLineBreaks(last);
    EXPECT_EQ(last, "A\r\nC\t");
}

TEST(UpdateDescription, PageTextsAreDecodedOnLoad)
{
    std::vector<std::string> lines = Header();
    lines[25] = "one\t.two";
    lines[26] = "x\t.y\t.z";
    UpdateDescription d = Parse(Join(lines));
    EXPECT_EQ(d.noticeText, "one\r\ntwo");
    EXPECT_EQ(d.folderText, "x\r\ny\r\nz");
}

TEST(LoadUpdateDescription, ReadsInfoTxtFromTheProgramDirectory)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("parvel-desc-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string programDirectory = dir.string() + "/";

    UpdateDescription d;
    d.entries.push_back(UpdateEntry{});
    EXPECT_FALSE(LoadUpdateDescription(d, programDirectory));
    EXPECT_EQ(d.entryCount(), 0u);
    EXPECT_EQ(d.uninstallKeys[0], "");

    std::vector<std::string> lines = Header();
    lines.push_back("1,1,start,\\PROG\\");
    std::ofstream(dir / "info.txt", std::ios::binary) << Join(lines);
    EXPECT_TRUE(LoadUpdateDescription(d, programDirectory));
    EXPECT_EQ(d.installFolder, "line16");
    EXPECT_EQ(d.entryCount(), 1u);
    fs::remove_all(dir);
}

} // namespace
