// Parvel.exe started by a script: switches, exit codes, no window, the log where the script asks for it.

#include <gtest/gtest.h>

#include "ParvelProcess.h"
#include "SampleInstallation.h"
#include "UninstallKey.h"
#include "resource.h"

namespace {

class Unattended : public ::testing::Test {
protected:
    // A medium with a program archive and the workbook template's archive, an installation of 8.0S and its
    // registration, and %TEMP% of its own.
    void SetUp() override
    {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_install = Cp932("C:\\e2e\\無人\\") + name;
        RemoveTree(m_install);
        MakeInstallation(m_install);
        m_medium = std::make_unique<Medium>("unattended-" + name);
        m_medium->WriteInfo([&] {
            auto lines = Description(m_key, "C:\\WRONG");
            lines.push_back("1,1,PROG,\\PROG\\");
            lines.push_back(Cp932("1,1,EXCEL,\\形式\\"));
            return lines;
        }());
        MakeArchiveOf("prog", Cp932("表示.txt"), "version 9.1S\r\n", "PROG.lzh");
        MakeArchiveOf("excel", Cp932("横A-A4g.xlsm"), "new template", "EXCEL.lzh");
        m_temp = m_medium->Path("temp");
        MakeFolders(m_temp);
    }

    void MakeArchiveOf(const char* folder, const std::string& file, const char* bytes, const char* archive)
    {
        MakeFolders(m_medium->Path(folder));
        WriteFile(m_medium->Path(folder) + "\\" + file, bytes);
        ASSERT_TRUE(MakeArchive(m_medium->Path(folder), m_medium->Path(archive)));
    }

    // Runs Parvel.exe (the medium's, unless exe is given) with the arguments to its end; the exit code, and
    // the class of a window it showed.
    DWORD Run(const std::string& arguments, std::string& windowSeen, const std::string& exe = {})
    {
        char own[MAX_PATH] = {};
        ::GetEnvironmentVariableA("TEMP", own, MAX_PATH);
        ::SetEnvironmentVariableA("TMP", m_temp.c_str());
        ::SetEnvironmentVariableA("TEMP", m_temp.c_str());
        ParvelProcess parvel(exe.empty() ? m_medium->Path("Parvel.exe") : exe, arguments);
        ::SetEnvironmentVariableA("TMP", own);
        ::SetEnvironmentVariableA("TEMP", own);
        EXPECT_TRUE(parvel.Started());
        EXPECT_TRUE(parvel.WaitForExitUnseen(windowSeen));
        return parvel.ExitCode();
    }

    // The one log in %TEMP%, taken away.
    std::string TempLog() const
    {
        std::vector<std::string> logs = FilesIn(m_temp, "Parvel-*.log");
        if (logs.size() != 1)
            return "<" + std::to_string(logs.size()) + " logs>";
        std::string text = ReadFile(m_temp + "\\" + logs[0]);
        ::DeleteFileA((m_temp + "\\" + logs[0]).c_str());
        return text;
    }

    const std::string m_key = Cp932("E2E無人電気");
    std::string m_install, m_temp;
    std::unique_ptr<Medium> m_medium;
};

TEST_F(Unattended, AFullUpdateWithNoWindowExitsZeroAndLogsWhereAsked)
{
    const std::string log = m_medium->Path("logs\\run.log");
    MakeFolders(m_medium->Path("logs"));
    std::string window;
    DWORD code = Run("/VERYSILENT /SUPPRESSMSGBOXES /DIR=\"" + m_install + "\" /LOG=\"" + log + "\"", window);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(window, "");
    EXPECT_EQ(ReadFile(m_install + "\\PROG\\" + Cp932("表示.txt")), "version 9.1S\r\n");
    EXPECT_EQ(ReadFile(m_install + Cp932("\\形式\\横A-A4g.xlsm")), "new template");
    EXPECT_EQ(IniValue(m_install + "\\tavilo1.ini", "SYSTEM", "TITLE"), Cp932("積算 電気 9.1S"));
    EXPECT_EQ(ReadFile(m_install + "\\MASTER\\1\\zai001-3.mst"), "400400000107XZ" + std::string(171, 'm') + "\r\n");

    // UTF-8 (as this file), every entry with its source and destination, the boxes answered, the outcome.
    const std::string text = ReadFile(log);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    const std::string folder = "C:\\e2e\\無人\\AFullUpdateWithNoWindowExitsZeroAndLogsWhereAsked";
    for (const std::string& part : {
             "インストール先: " + folder + "\r\n",
             "項目 1（1 枚目）書庫 " + m_medium->Folder() + "PROG.lzh → " + folder + "\\PROG\\: 展開しました\r\n",
             "項目 2（1 枚目）書庫 " + m_medium->Folder() + "EXCEL.lzh → " + folder + "\\形式\\: 展開しました\r\n",
             std::string("メッセージ「確認」: 原価計算書のエクセルひな形を更新しました。\r\n"),
             std::string("メッセージ「確認」: システムは正常に更新されました。\r\n"),
             std::string("（表示せずに「OK」と答えました）\r\n"),
             std::string("終了コード 0: 更新を終えました\r\n"),
         })
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(TempLog(), text);
}

// Without /DIR the folder is the one the folder page would offer: the registration's, not line 16.
TEST_F(Unattended, SilentWithoutDirUpdatesTheRegisteredFolder)
{
    CUninstallKey registration(m_key, m_install + "\\UNINST.EXE -f" + m_install + "\\UNINST.LOG -y");
    std::string window;
    EXPECT_EQ(Run("-silent -suppressmsgboxes", window), 0u);
    EXPECT_EQ(IniValue(m_install + "\\tavilo1.ini", "SYSTEM", "GENGOU"), Cp932("令和"));
}

TEST_F(Unattended, AFolderWithNoInstallationIsLeftAsItWas)
{
    const std::string empty = m_install + "-empty";
    RemoveTree(empty);
    MakeFolders(empty);
    WriteFile(empty + "\\note.txt", "not an installation");
    std::string window;
    EXPECT_EQ(Run("/VERYSILENT /SUPPRESSMSGBOXES /DIR=" + empty, window), 2u);
    EXPECT_EQ(window, "");
    EXPECT_EQ(Snapshot(empty), (std::map<std::string, std::string>{{"\\note.txt", "not an installation"}}));
    const std::string log = TempLog();
    EXPECT_NE(log.find("終了コード 2: "), std::string::npos) << log;
}

TEST_F(Unattended, AnUnknownSwitchDoesNothing)
{
    const auto before = Snapshot(m_install);
    std::string window;
    EXPECT_EQ(Run("/VERYSILENT /SUPPRESSMSGBOXES /DIR=\"" + m_install + "\" /NORESTART", window), 5u);
    EXPECT_EQ(window, "");
    EXPECT_EQ(Snapshot(m_install), before);
    const std::string log = TempLog();
    EXPECT_NE(log.find("コマンドラインの「/NORESTART」を読めないため、何もしませんでした。"), std::string::npos) << log;
    EXPECT_EQ(log.find("更新 1 を始めます"), std::string::npos) << log;
}

// The usage box, for /? and (naming the word) for a switch not understood; nothing is updated.
TEST_F(Unattended, TheUsageBox)
{
    const auto before = Snapshot(m_install);
    struct Case {
        const char* arguments;
        DWORD code;
        const char* opening; // how the box's text begins
    };
    for (const Case& c : {Case{"/?", 0, "Parvel.exe [/SILENT | /VERYSILENT]"},
                          Case{"/SILENT /DIR", 5, "コマンドラインの「/DIR」を読めません。"}}) {
        SCOPED_TRACE(c.arguments);
        ParvelProcess parvel(m_medium->Path("Parvel.exe"), c.arguments);
        HWND box = ui::WaitForDialog(parvel.ProcessId(), 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ui::Text(box), "Parvel");
        EXPECT_EQ(ui::Text(ui::Child(box, 0xFFFF)).rfind(Cp932(c.opening), 0), 0u) << ui::Text(ui::Child(box, 0xFFFF));
        ui::Click(ui::Child(box, IDOK));
        ASSERT_TRUE(parvel.WaitForExit());
        EXPECT_EQ(parvel.ExitCode(), c.code);
    }
    EXPECT_EQ(Snapshot(m_install), before);
}

// The wizard with its pages ends with the same codes: cancelled on the notice page.
TEST_F(Unattended, TheWizardCancelledOnTheNoticePage)
{
    ParvelProcess parvel(m_medium->Path("Parvel.exe"));
    HWND notice = ui::WaitForDialog(parvel.ProcessId(), 20000);
    ASSERT_NE(notice, nullptr);
    ui::Click(ui::Child(notice, IDCANCEL));
    ASSERT_TRUE(parvel.WaitForExit());
    EXPECT_EQ(parvel.ExitCode(), 1u);
}

// A floppy disk asked for with no one to insert it: the update stops with the installation as it was.
TEST_F(Unattended, ADiskPromptNoOneCanAnswer)
{
    const std::string floppy = Medium("unattended-floppy").Folder();
    ASSERT_TRUE(MapFloppyDrive(floppy.substr(0, floppy.size() - 1)));
    ASSERT_TRUE(::CopyFileA(m_medium->Path("PROG.lzh").c_str(), (floppy + "PROG.lzh").c_str(), FALSE));
    // Also after disk 1's archive was staged: nothing is put in place before the whole update is.
    struct Case {
        std::vector<std::string> entries;
    };
    for (const Case& c : {Case{{"2,1,PROG,\\PROG\\"}}, Case{{"1,1,PROG,\\PROG\\", "2,1,MORE,\\"}}}) {
        SCOPED_TRACE(c.entries.front());
        auto lines = Description(m_key, m_install);
        lines.insert(lines.end(), c.entries.begin(), c.entries.end());
        std::string info;
        for (const std::string& line : lines)
            info += line + "\r\n";
        WriteFile(floppy + "info.txt", info);
        RemoveTree(m_install);
        MakeInstallation(m_install);
        const auto before = Snapshot(m_install);
        std::string window;
        EXPECT_EQ(Run("/VERYSILENT /SUPPRESSMSGBOXES", window, "A:\\Parvel.exe"), 3u);
        EXPECT_EQ(window, "");
        EXPECT_TRUE(Snapshot(m_install) == before);
        const std::string log = TempLog();
        size_t prompt = log.find("メッセージ「確認」: 2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。\r\n");
        ASSERT_NE(prompt, std::string::npos) << log;
        EXPECT_EQ(log.find("（表示せずに「キャンセル」と答えました）\r\n", prompt), log.find("\r\n", prompt) + 11) << log;
    }
}

// Another program holds the workbook template open without sharing: the update stops before it writes
// anything, names the file, and says so by its exit code. Needs the check before the first write.
TEST_F(Unattended, HeldFileStopsBeforeWriting)
{
    const std::string held = m_install + Cp932("\\形式\\横A-A4g.xlsm");
    MakeFolders(m_install + Cp932("\\形式"));
    WriteFile(held, "old template");
    const auto before = Snapshot(m_install);
    HANDLE holder = ::CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::string window;
    DWORD code = Run("/VERYSILENT /SUPPRESSMSGBOXES /DIR=\"" + m_install + "\"", window);
    ::CloseHandle(holder);
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(window, "");
    EXPECT_EQ(Snapshot(m_install), before);
    const std::string log = TempLog();
    EXPECT_NE(log.find("横A-A4g.xlsm"), std::string::npos) << log;
    EXPECT_NE(log.find("終了コード 3: "), std::string::npos) << log;
}

} // namespace
