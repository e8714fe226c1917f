#include "UpdateRun.h"

#include "ProgramDirectory.h"
#include "RunTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const std::string kMedia = "M:\\media\\";
const std::string kTavilo = "[SYSTEM]\r\nTITLE=ABC XYZ 8.0S (8.0S)\r\n";

std::string Done() { return Sjis("システムは正常に更新されました。"); }
std::string NotThisVersion() { return Sjis("このバージョンへの更新はできません。"); }

class UpdateRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Exists(kMedia + "APP1.lzh"))
            GTEST_SKIP() << "the media are not prepared (ctest fixture)";
        programDirectory = kMedia;
        m_install = m_temp + Sjis("積算");
    }

    int Run(UpdateDescription& description) { return RunUpdate(description, nullptr, prompts); }
    std::string Installed(const std::string& relative) const { return ReadBytes(m_install + "\\" + relative); }

    CTempFolder m_temp;
    std::string m_install;
    CRecordingPrompts prompts;
};

struct IdentificationCase {
    const char* what;
    const char* settingsFile;     // in the description
    const char* installedFile;    // made in the installation, or nullptr
    bool withBitmap;
    const char* settings;
    int expected;
    std::string message;
    const char* settingsAfter;
};

TEST_F(UpdateRunTest, IdentificationOutcomes)
{
    const std::string wrongFolder = Sjis("ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞが正しくないと思われます。");
    const IdentificationCase cases[] = {
        {"NULL finds pemiraz1.ini", "NULL", "pemiraz1.ini", true, "[SYSTEM]\r\nMAKER=1\r\n", 1, Done(), "pemiraz1.ini"},
        {"null is a file name", "null", "pemiraz1.ini", true, "", 0, wrongFolder, "null"},
        {"failed NULL search", "NULL", nullptr, true, "", 0, wrongFolder, "NULL"},
        {"no bitmap", "tavilo1.ini", "tavilo1.ini", false, kTavilo.c_str(), 0, NotThisVersion(), "tavilo1.ini"},
        {"title unknown", "tavilo1.ini", "tavilo1.ini", true, "[SYSTEM]\r\nTITLE=QRS\r\n", 0, NotThisVersion(),
         "tavilo1.ini"},
    };
    for (const IdentificationCase& c : cases) {
        CTempFolder install;
        std::string folder = install.Path().substr(0, install.Path().size() - 1);
        if (c.installedFile)
            MakeInstallation(folder, c.installedFile, c.settings);
        if (!c.withBitmap)
            RemoveTree(folder + "\\bmp");
        UpdateDescription description = MakeDescription(folder);
        description.settingsFile = c.settingsFile;
        CRecordingPrompts recorded;
        EXPECT_EQ(RunUpdate(description, nullptr, recorded), c.expected) << c.what;
        EXPECT_EQ(recorded.Texts(), Texts{c.message}) << c.what;
        EXPECT_EQ(recorded.boxes.back().caption, Sjis(c.expected == 0 ? "エラー" : "確認")) << c.what;
        EXPECT_EQ(description.settingsFile, c.settingsAfter) << c.what;
    }
}

TEST_F(UpdateRunTest, FullRunFromAFolderMedium)
{
    MakeInstallation(m_install, "tavilo1.ini", kTavilo);
    UpdateDescription description = MakeDescription(m_install);
    description.titleKeywords[0] = "#no";
    description.titleKeywords[2] = "XYZ";
    description.versionText = "9.1";
    description.category = "3";
    description.entries = {Entry(1, 1, "APP1", ""), Entry(2, 1, "APP2", "DATA\\"),
                           Entry(2, 0, "SUB\\A.TXT", "DATA\\"), Entry(1, 0, "RO.TXT", ""),
                           Entry(1, 1, "START", "")};

    EXPECT_EQ(Run(description), 1);
    EXPECT_EQ(prompts.Texts(), Texts{Done()}) << "a fixed drive asks for no disk";
    EXPECT_EQ(description.systemKind, 3);
    EXPECT_EQ(description.entries[4].name, "START3");
    EXPECT_EQ(Installed("app1.txt"), "one\r\n");
    EXPECT_EQ(Installed("DATA\\app2.txt"), "two\r\n");
    EXPECT_EQ(Installed("DATA\\A.TXT"), "sub a\r\n");
    EXPECT_EQ(Installed("start.txt"), "kind3\r\n");
    EXPECT_EQ(GetFileAttributesA((m_install + "\\RO.TXT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(Installed("tavilo1.ini"), "[SYSTEM]\r\nTITLE=ABC XYZ 9.1 (9.1)\r\nVersion=9.1\r\nGENGOU=" +
                                            Sjis("令和") + "\r\n" + Sjis("種別設備") + "=1\r\n");
    EXPECT_EQ(Installed("mok3.ini"),
              "[HISTORY]\r\n" + Sjis("抽出開始日ON") + "=1\r\n" + Sjis("抽出終了日ON") + "=1\r\n");
}

TEST_F(UpdateRunTest, StartArchiveOfKind99AndEmptyVersion)
{
    MakeInstallation(m_install, "pemiraz1.ini", "[SYSTEM]\r\nMAKER=2\r\nTITLE=8.0S\r\n");
    UpdateDescription description = MakeDescription(m_install + "\\");
    description.settingsFile = "pemiraz1.ini";
    description.versionText = "9.1";
    description.category = "0";
    description.entries = {Entry(1, 1, "START", "")};
    EXPECT_EQ(Run(description), 1);
    EXPECT_EQ(Installed("start.txt"), "kind99\r\n");
    EXPECT_EQ(Installed("pemiraz1.ini"), "[SYSTEM]\r\nMAKER=2\r\nTITLE=9.1\r\nGENGOU=" + Sjis("令和") + "\r\n");

    CTempFolder other;
    std::string install = other + "app";
    MakeInstallation(install, "tavilo1.ini", kTavilo);
    UpdateDescription empty = MakeDescription(install);
    empty.titleKeywords[0] = "#no";
    empty.titleKeywords[2] = "XYZ";
    empty.entries = {Entry(1, 1, "START", "")};
    EXPECT_EQ(RunUpdate(empty, nullptr, prompts), 1);
    EXPECT_EQ(ReadBytes(install + "\\start.txt"), "kind3\r\n");
    EXPECT_EQ(ReadBytes(install + "\\tavilo1.ini"), kTavilo + "GENGOU=" + Sjis("令和") + "\r\n")
        << "no Version key, the title untouched";
}

struct ReplaceCase {
    std::string title, version, expected;
};

TEST(ReplaceAllInPlace, EachOccurrenceOnceAndTheTextStaysWhole)
{
    std::string longTitle, longExpected;
    for (int i = 0; i < 30; ++i) {
        longTitle += "8.0S ";
        longExpected += std::string(20, 'v') + " ";
    }
    const ReplaceCase cases[] = {
        {"XYZ 8.0S (8.0S)", "9.1", "XYZ 9.1 (9.1)"},
        {"XYZ 8.0S", "8.0S R2", "XYZ 8.0S R2"},
        {"8.0S8.0S", "x8.0S", "x8.0Sx8.0S"},
        {"none", "9.1", "none"},
        {"8.0S", "", ""},
        {longTitle, std::string(20, 'v'), longExpected},
    };
    for (const ReplaceCase& c : cases) {
        std::string title = c.title;
        ReplaceAllInPlace(title, "8.0S", c.version);
        EXPECT_EQ(title, c.expected);
    }
}

TEST_F(UpdateRunTest, WorkbookArchiveFollowsTheTemplateCheck)
{
    MakeInstallation(m_install, "tavilo1.ini", kTavilo);
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 1, "EXCEL", Sjis("形式\\"))};
    EXPECT_EQ(Run(description), 1);
    EXPECT_EQ(prompts.Texts(), (Texts{Sjis("原価計算書のエクセルひな形を更新しました。"), Done()}));
    EXPECT_EQ(Installed(Sjis("形式\\横A-A4g.xlsm")), "new book\r\n");

    // The template now carries today's date: the next run leaves it alone, silently.
    WriteBytes(m_install + "\\" + Sjis("形式\\横A-A4g.xlsm"), "customer's");
    CRecordingPrompts second;
    EXPECT_EQ(RunUpdate(description, nullptr, second), 1);
    EXPECT_EQ(second.Texts(), Texts{Done()});
    EXPECT_EQ(Installed(Sjis("形式\\横A-A4g.xlsm")), "customer's");
}

TEST_F(UpdateRunTest, FailedEntryEndsTheRunWithOne)
{
    MakeInstallation(m_install, "tavilo1.ini", kTavilo);
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 1, "APP1", ""), Entry(1, 1, "BROKEN", ""), Entry(1, 1, "APP2", "")};
    EXPECT_EQ(Run(description), 1);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_NE(prompts.boxes[0].text, "");
    EXPECT_EQ(prompts.boxes[0].caption, Sjis("確認"));
    EXPECT_EQ(Installed("app1.txt"), "one\r\n");
    EXPECT_FALSE(Exists(m_install + "\\app2.txt"));
    EXPECT_EQ(Installed("tavilo1.ini"), kTavilo) << "no settings key after a failed entry";

    CRecordingPrompts copy;
    UpdateDescription missing = MakeDescription(m_install);
    missing.entries = {Entry(1, 0, "GONE.TXT", "NEW\\")};
    EXPECT_EQ(RunUpdate(missing, nullptr, copy), 1);
    // Validation's retry doubled the backslash after the folder; the message shows the path as formed.
    EXPECT_EQ(copy.Texts(), Texts{m_install + "\\\\NEW\\GONE.TXT" + Sjis("の更新に失敗しました。")});
    EXPECT_TRUE(Exists(m_install + "\\NEW")) << "the folder is made before the copy";
}

TEST_F(UpdateRunTest, NoEntriesStillWritesKeysAndReportsConversions)
{
    MakeInstallation(m_install, "tavilo1.ini", kTavilo + "[DIR]\r\nMASTER=" + m_install + "\\m\r\n");
    MakeFolder(m_install + "\\m1");
    WriteBytes(m_install + "\\m1\\zai001-3.mst", "1234567890123A");
    std::string locked = m_install + "\\m1\\zai001-3.mst";
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    UpdateDescription description = MakeDescription(m_install);
    description.masterAdjust = "1";
    EXPECT_EQ(Run(description), 1);
    CloseHandle(holder);
    EXPECT_EQ(prompts.Texts(), (Texts{Sjis("材料ｻｲｽﾞ変換が正常に更新されませんでした。"),
                                      Sjis("材料ﾀｲﾌﾟ変換が正常に更新されませんでした。"), Done()}));
    EXPECT_TRUE(Exists(m_install + "\\mok3.ini"));
}

} // namespace
