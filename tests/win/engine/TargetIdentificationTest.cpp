#include "TargetIdentification.h"

#include "EngineTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Keywords = std::array<std::string, 15>;

// The given keywords, the rest filled with texts that occur in no title.
Keywords FullKeywords(std::vector<std::string> first)
{
    Keywords keywords;
    for (size_t i = 0; i < keywords.size(); ++i)
        keywords[i] = i < first.size() ? first[i] : "#K" + std::to_string(i);
    return keywords;
}

TEST(LocateSettingsFile, ExtendsTheFolderAsTheRunNeedsIt)
{
    CTempFolder temp(Sjis("_設定"));
    std::string app = temp + Sjis("アプリ");
    MakeFolder(app);
    WriteBytes(app + "\\tavilo1.ini", "");

    std::string withoutBackslash = app;
    EXPECT_EQ(LocateSettingsFile(withoutBackslash, "tavilo1.ini"), 1);
    EXPECT_EQ(withoutBackslash, app + "\\");

    std::string withBackslash = app + "\\";
    EXPECT_EQ(LocateSettingsFile(withBackslash, "TAVILO1.INI"), 1);
    EXPECT_EQ(withBackslash, app + "\\");

    std::string missing = temp + "nothing";
    EXPECT_EQ(LocateSettingsFile(missing, "tavilo1.ini"), 0);

    std::string noFile = app + "\\";
    EXPECT_EQ(LocateSettingsFile(noFile, "pemiraz1.ini"), 0);
}

TEST(LocateSettingsFile, BareDriveLetterBecomesItsRoot)
{
    if (!DriveMapped("M:\\"))
        GTEST_SKIP() << "drive M: is not mapped (ctest fixture)";
    WriteBytes("M:\\tavilo1.ini", "");
    std::string folder = "M";
    EXPECT_EQ(LocateSettingsFile(folder, "tavilo1.ini"), 1);
    EXPECT_EQ(folder, "M:\\");
    DeleteFileA("M:\\tavilo1.ini");
}

struct MarkerCase {
    const char* what;
    const char* settingsFile;
    std::vector<const char*> files;
    int expected;
};

TEST(ValidateInstallFolder, MarkerCombinations)
{
    const MarkerCase cases[] = {
        {"formatter without menu markers", "tavilo1.ini", {"dravex.exe", "bmp\\MERIO2L.BMP"}, 1},
        {"menu marker qe2 without bitmap", "tavilo1.ini", {"qe2menu.ini"}, 0},
        {"bitmap only", "tavilo1.ini", {"bmp\\MERIO2L.BMP"}, 0},
        {"qe1 marker and bitmap", "SURELO1.INI", {"qe1menu.ini", "bmp\\MERIO2L.BMP"}, 1},
        {"pemiraz1 needs only the bitmap", "pemiraz1.ini", {"bmp\\MERIO2L.BMP"}, 1},
        {"other name without bitmap", "pemiraz1.ini", {"dravex.exe"}, 0},
        {"bitmap name in lower case", "custom.ini", {"bmp\\merio2l.bmp"}, 1},
    };
    for (const MarkerCase& c : cases) {
        CTempFolder temp(Sjis("_形式"));
        MakeFolder(temp + "bmp");
        for (const char* file : c.files)
            WriteBytes(temp + file, "x");
        std::string folder = temp.Path();
        EXPECT_EQ(ValidateInstallFolder(folder, c.settingsFile), c.expected) << c.what;
    }
}

// Each retry appends one more backslash; the bitmap test then sees a run of three.
TEST(ValidateInstallFolder, RetriesKeepTheirBackslashes)
{
    CTempFolder temp;
    MakeFolder(temp + "bmp");
    WriteBytes(temp + "bmp\\MERIO2L.BMP", "x");
    WriteBytes(temp + "dravex.exe", "x");
    std::string folder = temp.Path();
    EXPECT_EQ(ValidateInstallFolder(folder, "tavilo1.ini"), 1);
    EXPECT_EQ(folder, temp.Path() + "\\");

    std::string missing = temp + "gone\\";
    EXPECT_EQ(ValidateInstallFolder(missing, "tavilo1.ini"), 0);
}

struct KindCase {
    const char* what;
    const char* settingsFile;
    std::string contents;
    int expected;
};

TEST(DetectSystemKind, MakerAndTitleKeywords)
{
    Keywords keywords = FullKeywords({"X", "ABC", "8.0S"});
    Keywords withEmpty = FullKeywords({"QQ", "RR", "SS", ""});
    std::string japanese = "[SYSTEM]\r\nTITLE=" + Sjis("積算システム ABC") + "\r\n";
    const KindCase cases[] = {
        {"maker 1", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n", 0},
        {"maker 2", "PEMIRAZ1.INI", "[SYSTEM]\r\nMAKER=2\r\n", 99},
        {"maker absent", "pemiraz1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", 0},
        {"maker with spaces and sign", "Pemiraz1.ini", "[system]\r\nmaker= +1x\r\n", 0},
        {"second keyword", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n", 2},
        {"lower index wins", "tavilo1.ini", "[SYSTEM]\r\nTITLE=8.0S X\r\n", 1},
        {"case-sensitive", "tavilo1.ini", "[SYSTEM]\r\nTITLE=abc x\r\n", -1},
        {"title absent", "tavilo1.ini", "[SYSTEM]\r\nMAKER=1\r\n", -1},
        {"japanese title", "tavilo1.ini", japanese, 2},
    };
    for (const KindCase& c : cases) {
        CTempFolder temp;
        WriteBytes(temp + c.settingsFile, c.contents);
        EXPECT_EQ(DetectSystemKind(temp.Path(), c.settingsFile, keywords), c.expected) << c.what;
    }
    CTempFolder temp;
    WriteBytes(temp + "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n");
    EXPECT_EQ(DetectSystemKind(temp.Path(), "tavilo1.ini", withEmpty), 4) << "empty keyword matches";
    EXPECT_EQ(DetectSystemKind(temp.Path(), "missing.ini", withEmpty), 4) << "even the empty title";
}

// A keyword must not match the second byte of a double-byte character ("ア" is 0x83 0x41).
TEST(DetectSystemKind, KeywordsMatchWholeCharacters)
{
    Keywords keywords = FullKeywords({"A", Sjis("ア")});
    CTempFolder temp;
    WriteBytes(temp + "tavilo1.ini", "[SYSTEM]\r\nTITLE=" + Sjis("アプリ") + "\r\n");
    EXPECT_EQ(DetectSystemKind(temp.Path(), "tavilo1.ini", keywords), 2);
}

} // namespace
