// The run over the Win32 host with real files, archives and profile files. The run's decisions are
// tested natively over the fake host; these tests show what only Windows can: the library's own words,
// profile-file text, locked files, read-only attributes.
#include "UpdateEngine.h"

#include "LzhLibrary.h"
#include "RunTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const std::string kMedia = "M:\\media\\";
const std::string kTavilo = "[SYSTEM]\r\nTITLE=ABC XYZ 8.0S (8.0S)\r\n";

std::string Done() { return Cp932("システムは正常に更新されました。"); }

class UpdateRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Exists(kMedia + "APP1.lzh")) << "the media are not prepared (ctest fixture)";
        m_install = m_temp + Cp932("積算");
        MakeInstallation(m_install, "tavilo1.ini", kTavilo);
    }

    RunOutcome Run(const UpdateDescription& description) { return Apply(description, kMedia, host); }
    std::string Installed(const std::string& relative) const { return ReadBytes(m_install + "\\" + relative); }

    CTempFolder m_temp;
    std::string m_install;
    CRecordingHost host;
};

TEST_F(UpdateRunTest, FullRunFromAFolderMedium)
{
    UpdateDescription description = MakeDescription(m_install);
    description.titleKeywords[0] = "#no";
    description.titleKeywords[2] = "XYZ";
    description.versionText = "9.1";
    description.category = 3;
    std::string longName = std::string(32, 'L') + ".TXT";
    std::string longFolder = std::string(33, 'f') + "\\";
    description.entries = {Entry(1, 1, "APP1", ""), Entry(2, 1, "APP2", "DATA\\"),
                           Entry(2, 0, "SUB\\A.TXT", "DATA\\"), Entry(1, 0, "RO.TXT", ""),
                           Entry(1, 1, "START", ""), Entry(1, 0, longName, longFolder)};

    EXPECT_EQ(Run(description), RunOutcome::Updated);
    EXPECT_EQ(host.Texts(), Texts{Done()}) << "a fixed drive asks for no disk";
    EXPECT_EQ(Installed("app1.txt"), "one\r\n");
    EXPECT_EQ(Installed("DATA\\app2.txt"), "two\r\n");
    EXPECT_EQ(Installed("DATA\\A.TXT"), "sub a\r\n");
    EXPECT_EQ(Installed("start.txt"), "kind3\r\n");
    EXPECT_EQ(Installed(longFolder + longName), "long\r\n") << "long fields are installed whole";
    EXPECT_EQ(GetFileAttributesA((m_install + "\\RO.TXT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(Exists(m_install + "\\RO.TXT.parvel~"));
    EXPECT_EQ(Installed("tavilo1.ini"), "[SYSTEM]\r\nTITLE=ABC XYZ 9.1 (9.1)\r\nVersion=9.1\r\nGENGOU=" +
                                            Cp932("令和") + "\r\n" + Cp932("種別設備") + "=1\r\n");
    EXPECT_EQ(Installed("mok3.ini"),
              "[HISTORY]\r\n" + Cp932("抽出開始日ON") + "=1\r\n" + Cp932("抽出終了日ON") + "=1\r\n");
    EXPECT_FALSE(Exists(m_install + "\\tavilo1.ini.parvel~"));
}

// Message 7 is the library's own text for the archive, unchanged; an archive with no members is one. A
// damaged archive after a good one stops the update before the good one is put in place, and the template
// staged before it is never said to be updated.
TEST_F(UpdateRunTest, FailedExtractionShowsTheLibrarysText)
{
    // An old template: the EXCEL entry before the damaged archive would replace it, and must not say so.
    MakeFolder(m_install + Cp932("\\形式"));
    WriteBytes(m_install + Cp932("\\形式\\横A-A4g.xlsm"), "old book");
    SetLastWrite(m_install + Cp932("\\形式\\横A-A4g.xlsm"), 2021, 1, 1, 0);
    const std::string before = TreeText(m_install);
    for (const char* name : {"BROKEN", "EMPTY", "DAMAGED"}) {
        CRecordingHost run;
        UpdateDescription description = MakeDescription(m_install);
        description.entries = {Entry(1, 1, "EXCEL", Cp932("\\形式\\")), Entry(1, 1, "APP1", ""),
                               Entry(1, 1, name, ""), Entry(1, 1, "APP2", "")};
        EXPECT_EQ(Apply(description, kMedia, run), RunOutcome::StoppedBeforeWriting) << name;
        std::string command = "e -mcwC:\\windows \"" + kMedia + name + "\" \"" + m_temp.Path() + "\"";
        char output[256] = {};
        ASSERT_NE(LzhRunCommand(nullptr, command.c_str(), output, sizeof output), 0) << name;
        EXPECT_EQ(run.Texts(), Texts{output}) << name;
        EXPECT_EQ(run.boxes[0].caption, Cp932("確認"));
        EXPECT_EQ(TreeText(m_install), before) << name << ": no file, key or work file";
    }
}

// Another program has a settings file open but lets others write it: the file cannot be replaced, so the key
// is written in place, as the profile call always did.
TEST_F(UpdateRunTest, SettingsFileOpenElsewhereIsWrittenInPlace)
{
    std::string history = m_install + "\\mok3.ini";
    for (DWORD sharing : {FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}) {
        CRecordingHost run;
        WriteBytes(history, "[HISTORY]\r\n");
        HANDLE holder = CreateFileA(history.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        UpdateDescription description = MakeDescription(m_install);
        EXPECT_EQ(Apply(description, kMedia, run), RunOutcome::Updated);
        CloseHandle(holder);
        EXPECT_EQ(run.Texts(), Texts{Done()}) << sharing;
        EXPECT_EQ(Installed("mok3.ini"),
                  "[HISTORY]\r\n" + Cp932("抽出開始日ON") + "=1\r\n" + Cp932("抽出終了日ON") + "=1\r\n");
        EXPECT_FALSE(Exists(history + ".parvel~"));
    }
}

// A read-only settings file or master is replaced like any other file, and stays read-only: the whole update.
TEST_F(UpdateRunTest, ReadOnlySettingsAndMastersTakeTheWholeUpdate)
{
    const std::string settings = m_install + "\\tavilo1.ini", history = m_install + "\\mok3.ini",
                      master = m_install + "\\m1\\zai001-3.mst";
    for (const std::string& readOnly : {settings, history, master}) {
        WriteBytes(settings, kTavilo + "[DIR]\r\nMASTER=" + m_install + "\\m\r\n");
        WriteBytes(history, "[HISTORY]\r\n");
        MakeFolder(m_install + "\\m1");
        WriteBytes(master, "1234567890123A");
        SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        CRecordingHost run;
        UpdateDescription description = MakeDescription(m_install);
        description.masterAdjust = 1;
        description.entries = {Entry(1, 1, "APP1", "")};
        EXPECT_EQ(Apply(description, kMedia, run), RunOutcome::Updated) << readOnly;
        EXPECT_EQ(run.Texts(), Texts{Done()}) << readOnly;
        EXPECT_NE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << readOnly;
        EXPECT_EQ(ReadBytes(master), "1234567890123Z\r\n") << readOnly;
        EXPECT_NE(ReadBytes(history).find(Cp932("抽出開始日ON") + "=1"), std::string::npos) << readOnly;
        EXPECT_NE(ReadBytes(settings).find("GENGOU="), std::string::npos) << readOnly;
        EXPECT_FALSE(Exists(readOnly + ".parvel~") || Exists(readOnly + ".parvel-old")) << readOnly;
        EXPECT_FALSE(Exists(m_install + "\\parvel.journal")) << readOnly;
        SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(m_install + "\\app1.txt");
    }
}

// A line written wrongly among the entries: named by its line of info.txt, and nothing is written.
TEST_F(UpdateRunTest, BrokenEntryLineIsNamed)
{
    std::string info;
    for (int line = 1; line <= 42; ++line)
        info += (line == 16 ? m_install : line == 19 ? "tavilo1.ini" : line == 28 ? "ABC" : "#") + std::string("\r\n");
    info += "1,1,APP1,\\\r\n\r\n1,1,prog\r\n1,0,RO.TXT,\\\r\n";
    UpdateDescription description;
    ParseUpdateDescription(info, description);
    EXPECT_EQ(Run(description), RunOutcome::StoppedBeforeWriting);
    EXPECT_EQ(host.Texts(), Texts{Cp932("info.txt の 45 行目が正しくないため、ｱｯﾌﾟﾃﾞｲﾄを中止しました。")});
    EXPECT_FALSE(Exists(m_install + "\\app1.txt"));
    EXPECT_EQ(Installed("tavilo1.ini"), kTavilo);
    EXPECT_FALSE(Exists(m_install + "\\mok3.ini"));
}

// A file another program holds (the workbook template, or a master) is named before anything is written.
// キャンセル leaves the installation byte for byte as it was; once the file is let go, 再試行 carries out the
// whole update.
TEST_F(UpdateRunTest, HeldFileIsNamedBeforeAnythingIsWritten)
{
    WriteBytes(m_install + "\\tavilo1.ini", kTavilo + "[DIR]\r\nMASTER=" + m_install + "\\m\r\n");
    MakeFolder(m_install + Cp932("\\形式"));
    MakeFolder(m_install + "\\m1");
    const std::string book = m_install + Cp932("\\形式\\横A-A4g.xlsm");
    const std::string master = m_install + "\\m1\\zai001-3.mst";
    for (const std::string& held : {book, master}) {
        WriteBytes(book, "old book");
        SetLastWrite(book, 2021, 1, 1, 0);
        WriteBytes(master, "1234567890123A");
        HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        const std::string before = TreeText(m_install);
        UpdateDescription description = MakeDescription(m_install);
        description.masterAdjust = 1;
        description.entries = {Entry(1, 1, "APP1", ""), Entry(1, 1, "EXCEL", Cp932("\\形式\\"))};

        CRecordingHost cancelled;
        EXPECT_EQ(Apply(description, kMedia, cancelled), RunOutcome::StoppedBeforeWriting);
        ASSERT_FALSE(cancelled.Texts().empty());
        EXPECT_NE(cancelled.Texts().back().find(held), std::string::npos) << "the box names the file";
        EXPECT_EQ(TreeText(m_install), before) << held;

        CRecordingHost retried;
        retried.onRetryPrompt = [&](int) {
            CloseHandle(holder);
            return RetryAnswer::Retry;
        };
        UpdateDescription again = MakeDescription(m_install);
        again.masterAdjust = 1;
        again.entries = description.entries;
        EXPECT_EQ(Apply(again, kMedia, retried), RunOutcome::Updated);
        EXPECT_EQ(retried.Texts().back(), Done());
        EXPECT_EQ(ReadBytes(book), "new book\r\n");
        EXPECT_EQ(ReadBytes(master), "1234567890123Z\r\n");
        EXPECT_EQ(Installed("app1.txt"), "one\r\n");
        RemoveTree(m_install + "\\app1.txt");
        WriteBytes(m_install + "\\tavilo1.ini", kTavilo + "[DIR]\r\nMASTER=" + m_install + "\\m\r\n");
        RemoveTree(m_install + "\\mok3.ini");
    }
}

// Too little free space, or a folder where no file can be made: told before anything is written.
TEST_F(UpdateRunTest, NoSpaceOrNoWriteAccessChangesNothing)
{
    ASSERT_TRUE(Exists("M:\\locked\\inst\\tavilo1.ini")) << "the limits are not prepared (ctest fixture)";
    const std::string small = "M:\\small\\inst";
    MakeInstallation(small, "tavilo1.ini", kTavilo);
    struct Case {
        std::string folder, medium, entry, message;
    } cases[] = {
        {small, "M:\\interrupt\\", "L1.BIN", Cp932("ディスクの空き容量が足りない")},
        {"M:\\locked\\inst", kMedia, "CONFIG.INI", "M:\\locked\\inst\\ " + Cp932("に書き込めない")},
    };
    for (const Case& c : cases) {
        CRecordingHost run;
        UpdateDescription description = MakeDescription(c.folder);
        description.entries = {Entry(1, 1, "APP1", ""), Entry(1, 0, c.entry, "")};
        const std::string before = TreeText(c.folder);
        EXPECT_EQ(Apply(description, c.medium, run), RunOutcome::StoppedBeforeWriting) << c.folder;
        ASSERT_EQ(run.Texts().size(), 1u) << c.folder;
        EXPECT_NE(run.Texts()[0].find(c.message), std::string::npos) << c.folder;
        EXPECT_EQ(TreeText(c.folder), before) << c.folder;
    }
}

} // namespace
