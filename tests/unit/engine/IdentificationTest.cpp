// Identification, the template decision and the master conversion's file protocol over the fake host.
#include "MasterConversion.h"
#include "MasterSamples.h"
#include "RunScenario.h"
#include "TargetIdentification.h"
#include "WorkbookTemplate.h"

#include <gtest/gtest.h>

namespace {

using Keywords = std::array<std::string, 15>;

Keywords FullKeywords(std::vector<std::string> first)
{
    Keywords keywords;
    for (size_t i = 0; i < keywords.size(); ++i)
        keywords[i] = i < first.size() ? first[i] : "#K" + std::to_string(i);
    return keywords;
}

TEST(LocateSettingsFile, ExtendsTheFolderAsTheRunNeedsIt)
{
    FakeHost host;
    host.AddFile("C:\\APP\\tavilo1.ini", "");
    host.AddFile("D:\\tavilo1.ini", "");
    struct Case {
        std::string folder, file;
        int result;
        std::string after;
    } cases[] = {
        {"C:\\APP", "tavilo1.ini", 1, "C:\\APP\\"},
        {"C:\\APP\\", "tavilo1.ini", 1, "C:\\APP\\"},
        {"D", "tavilo1.ini", 1, "D:\\"},
        {"C:\\GONE", "tavilo1.ini", 0, ""},
        {"C:\\APP\\", "pemiraz1.ini", 0, ""},
    };
    for (const Case& c : cases) {
        std::string folder = c.folder;
        EXPECT_EQ(LocateSettingsFile(host, folder, c.file), c.result) << c.folder;
        if (c.result == 1) {
            EXPECT_EQ(folder, c.after) << c.folder;
        }
    }
}

TEST(ValidateInstallFolder, MarkerCombinations)
{
    struct Case {
        const char* what;
        const char* settingsFile;
        std::vector<const char*> files;
        int result;
    } cases[] = {
        {"formatter without menu markers", "tavilo1.ini", {"dravex.exe", "bmp\\MERIO2L.BMP"}, 1},
        {"menu marker without bitmap", "tavilo1.ini", {"qe2menu.ini"}, 0},
        {"bitmap only", "tavilo1.ini", {"bmp\\MERIO2L.BMP"}, 0},
        {"qe1 marker and bitmap", "SURELO1.INI", {"qe1menu.ini", "bmp\\MERIO2L.BMP"}, 1},
        {"surelo1.ini needs a menu marker too", "surelo1.ini", {"bmp\\MERIO2L.BMP"}, 0},
        {"other names need only the bitmap", "pemiraz1.ini", {"bmp\\MERIO2L.BMP"}, 1},
        {"other name without bitmap", "pemiraz1.ini", {"dravex.exe"}, 0},
    };
    for (const Case& c : cases) {
        FakeHost host;
        host.AddFolder("C:\\APP");
        for (const char* file : c.files)
            host.AddFile(std::string("C:\\APP\\") + file, "x");
        std::string folder = "C:\\APP\\";
        EXPECT_EQ(ValidateInstallFolder(host, folder, c.settingsFile), c.result) << c.what;
    }
    // Each retry appends a backslash, and the run goes on with the text as extended.
    FakeHost host;
    host.AddFile("C:\\APP\\bmp\\MERIO2L.BMP", "x");
    host.AddFile("C:\\APP\\dravex.exe", "x");
    std::string folder = "C:\\APP\\";
    EXPECT_EQ(ValidateInstallFolder(host, folder, "tavilo1.ini"), 1);
    EXPECT_EQ(folder, "C:\\APP\\\\");
    EXPECT_NE(std::find(host.calls.begin(), host.calls.end(), "Exists C:\\APP\\\\\\bmp\\MERIO2L.BMP"), host.calls.end());
}

TEST(DetectSystemKind, MakerAndTitleKeywords)
{
    struct Case {
        const char* what;
        const char* settingsFile;
        std::string contents;
        Keywords keywords;
        int kind;
    } cases[] = {
        {"maker 1", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n", FullKeywords({}), 0},
        {"maker 2", "PEMIRAZ1.INI", "[SYSTEM]\r\nMAKER=2\r\n", FullKeywords({}), 99},
        {"maker absent", "pemiraz1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", FullKeywords({}), 0},
        {"second keyword", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n", FullKeywords({"X", "ABC", "8.0S"}), 2},
        {"lower index wins", "tavilo1.ini", "[SYSTEM]\r\nTITLE=8.0S X\r\n", FullKeywords({"X", "ABC", "8.0S"}), 1},
        {"case-sensitive", "tavilo1.ini", "[SYSTEM]\r\nTITLE=abc x\r\n", FullKeywords({"X", "ABC"}), -1},
        {"title absent", "tavilo1.ini", "[SYSTEM]\r\nMAKER=1\r\n", FullKeywords({"X"}), -1},
        {"empty keyword matches", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", FullKeywords({"QQ", "RR", "SS", ""}), 4},
        {"the last slot, line 42", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n",
         FullKeywords({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7", "Q8", "Q9", "Q10", "Q11", "Q12", "Q13", "Q14", "ABC"}), 15},
        // "ア" is 0x83 0x41: keyword "A" must not match its trail byte.
        {"whole characters", "tavilo1.ini", "[SYSTEM]\r\nTITLE=\x83\x41\r\n", FullKeywords({"A", "\x83\x41"}), 2},
    };
    for (const Case& c : cases) {
        FakeHost host;
        host.AddFile(std::string("C:\\APP\\") + c.settingsFile, c.contents);
        EXPECT_EQ(DetectSystemKind(host, "C:\\APP\\", c.settingsFile, c.keywords).Number(), c.kind) << c.what;
    }
    FakeHost host;
    EXPECT_EQ(DetectSystemKind(host, "C:\\APP\\", "missing.ini", FullKeywords({"QQ", ""})).Number(), 2) << "even no file";
}

TEST(WorkbookTemplate, EachUtcFieldComparedByItself)
{
    struct Case {
        UtcDate date;
        bool old;
    } cases[] = {
        {{2022, 2, 5}, true},  {{2022, 2, 6}, false}, {{2019, 1, 3}, true},  {{2023, 1, 1}, false},
        {{2021, 2, 28}, false}, {{2021, 1, 1}, true}, {{2021, 12, 1}, false}, {{2020, 1, 6}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsOldTemplateDate(c.date), c.old) << c.date.year << "-" << c.date.month << "-" << c.date.day;

    FakeHost host;
    EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP\\"), TemplateDecision::Keep) << "no install folder";
    host.AddFolder("C:\\APP");
    EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP\\"), TemplateDecision::Refresh) << "no template";
    host.AddFile(kTemplate, "PK");
    EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP"), TemplateDecision::Keep) << "written today";
    host.Find(kTemplate)->date = UtcDate{};
    EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP"), TemplateDecision::Keep) << "opened, but its date unreadable";
    host.Find(kTemplate)->locked = true;
    EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP"), TemplateDecision::Refresh) << "held open";
    // An existence test that fails is no verdict: neither folder nor template may pass for missing.
    for (const char* probe : {"Probe C:\\APP", "Probe C:\\APP\\"}) {
        host.failFirst = probe;
        host.failedCall.clear();
        EXPECT_EQ(CheckWorkbookTemplate(host, "C:\\APP"), TemplateDecision::Unknown) << probe;
    }
}

TEST(MasterConversion, BothFoldersThroughTheSettingsPrefix)
{
    FakeHost host;
    host.AddFile("C:\\APP\\tavilo1.ini", "[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile("C:\\APP\\M1\\zai001-3.mst", kSizeRecord + "\r\nshort\n\n" + kSizeRecord);
    host.AddFile("C:\\APP\\M1\\zai01-3.mst", kSizeRecord);
    host.AddFolder("C:\\APP\\M1\\zai999-3.mst");
    host.AddFile("C:\\APP\\M21\\temp.mst", "leftover");
    EXPECT_TRUE(ConvertMaterialSize(host, "C:\\APP\\tavilo1.ini"));
    EXPECT_EQ(host.Bytes("C:\\APP\\M1\\zai001-3.mst"), kSizeConverted + "\r\nshort\r\n\r\n" + kSizeConverted + "\r\n");
    EXPECT_EQ(host.Bytes("C:\\APP\\M1\\zai01-3.mst"), kSizeRecord) << "the pattern needs three characters";
    EXPECT_TRUE(host.Find("C:\\APP\\M1\\zai999-3.mst")->directory);
    EXPECT_FALSE(host.Find("C:\\APP\\M1\\temp.mst"));
    EXPECT_EQ(host.Bytes("C:\\APP\\M21\\temp.mst"), "leftover") << "no master there: the work file is not touched";

    FakeHost none;
    none.AddFile("C:\\APP\\tavilo1.ini", "[DIR]\r\nMASTER=C:\\APP\\none\r\n");
    EXPECT_TRUE(ConvertMaterialType(none, "C:\\APP\\tavilo1.ini")) << "missing folders are no failure";
    EXPECT_TRUE(ConvertMaterialType(none, "C:\\APP\\gone.ini")) << "nor a missing settings file";
    none.Find("C:\\APP\\tavilo1.ini")->locked = true;
    EXPECT_FALSE(ConvertMaterialType(none, "C:\\APP\\tavilo1.ini")) << "one that cannot be read hides the masters";
}

TEST(MasterConversion, StopsAtOneThousandFiles)
{
    FakeHost host;
    for (int i = 0; i <= 1000; ++i)
        host.AddFile("C:\\M\\" + MasterName(i), "1234567890123A");
    MasterNameList list;
    EXPECT_TRUE(ListMasterFiles(host, list, "C:\\M\\zai???" "-3.mst"));
    EXPECT_EQ(list.size(), 1000u);
    EXPECT_TRUE(ConvertMasterFolder(host, "C:\\M\\", MasterRule::Type));
    EXPECT_EQ(host.Bytes("C:\\M\\" + MasterName(999)), "1234567890123Z\r\n");
    EXPECT_EQ(host.Bytes("C:\\M\\" + MasterName(1000)), "1234567890123A");
}

// The second file cannot be opened: the first stays converted, the rest as they were, "21\" untouched.
TEST(MasterConversion, AFileThatCannotBeOpenedStopsTheRun)
{
    FakeHost host;
    host.AddFile("C:\\APP\\tavilo1.ini", "[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    for (int i = 1; i <= 3; ++i)
        host.AddFile("C:\\APP\\M1\\" + MasterName(i), "1234567890123A");
    host.AddFile("C:\\APP\\M21\\" + MasterName(1), "1234567890123A");
    host.Find("C:\\APP\\M1\\" + MasterName(2))->readOnly = true;
    EXPECT_FALSE(ConvertMaterialType(host, "C:\\APP\\tavilo1.ini"));
    EXPECT_EQ(host.Bytes("C:\\APP\\M1\\" + MasterName(1)), "1234567890123Z\r\n");
    EXPECT_EQ(host.Bytes("C:\\APP\\M1\\" + MasterName(2)), "1234567890123A");
    EXPECT_EQ(host.Bytes("C:\\APP\\M1\\" + MasterName(3)), "1234567890123A");
    EXPECT_EQ(host.Bytes("C:\\APP\\M21\\" + MasterName(1)), "1234567890123A");
    EXPECT_FALSE(host.Find("C:\\APP\\M1\\temp.mst"));
}

// Cut off at any moment, the master holds its old records or its converted ones, never fewer.
TEST(MasterConversion, TheMasterIsWholeAtEveryMoment)
{
    const std::string master = "C:\\M\\zai001-3.mst", old = "1234567890123B\nabcdefghijklmA";
    const std::string converted = "1234567890123Z\r\nabcdefghijklmZ\r\n";
    int cutAt = 1;
    for (;; ++cutAt) {
        FakeHost host;
        host.AddFile(master, old);
        host.cutAt = cutAt;
        EXPECT_TRUE(ConvertMasterFile(host, "C:\\M\\", "zai001-3.mst", MasterRule::Type));
        EXPECT_EQ(host.Bytes(master), converted);
        EXPECT_FALSE(host.Find("C:\\M\\temp.mst"));
        if (!host.afterCut)
            break;
        auto file = host.afterCut->find(FakeHost::Normalise(master));
        ASSERT_NE(file, host.afterCut->end()) << "cut after " << host.cutDuring;
        EXPECT_TRUE(file->second.bytes == old || file->second.bytes == converted) << "cut after " << host.cutDuring;
    }
    EXPECT_GT(cutAt, 5);
}

} // namespace
