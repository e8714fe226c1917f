// The whole wizard driven as a user would: pages, buttons, messages, and the installation afterwards.

#include <gtest/gtest.h>

#include "ParvelProcess.h"
#include "SampleInstallation.h"
#include "UninstallKey.h"
#include "resource.h"

namespace {

// A page or message box of the wizard, as the user sees it.
struct Dialog {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text; // a message box's text, or the page's IDC_TEXT
    bool IsFolderPage() const { return ui::Child(hwnd, IDC_DRIVE_LIST) != nullptr; }
    bool IsConfirmPage() const { return TextClassIs("Static"); }
    bool IsNoticePage() const { return TextClassIs("Edit") && !IsFolderPage(); }
    bool TextClassIs(const char* name) const
    {
        HWND text = ui::Child(hwnd, IDC_TEXT);
        return ui::Child(hwnd, IDC_PICTURE) && text && ui::ClassName(text) == name;
    }
    std::string FolderEdit() const { return ui::Text(ui::Child(hwnd, IDC_FOLDER_EDIT)); }
};

class Wizard : public ::testing::Test {
protected:
    // Starts the program; with temp, its %TEMP% is that folder (the test's own stays as it was).
    void Start(const std::string& exe, const std::string& temp = {})
    {
        char own[MAX_PATH] = {};
        if (!temp.empty()) {
            ::GetEnvironmentVariableA("TEMP", own, MAX_PATH);
            ::SetEnvironmentVariableA("TMP", temp.c_str());
            ::SetEnvironmentVariableA("TEMP", temp.c_str());
        }
        m_parvel = std::make_unique<ParvelProcess>(exe);
        if (!temp.empty()) {
            ::SetEnvironmentVariableA("TMP", own);
            ::SetEnvironmentVariableA("TEMP", own);
        }
        ASSERT_TRUE(m_parvel->Started());
    }

    // The next page or message box; fails the test when none comes.
    Dialog Next()
    {
        Dialog d;
        d.hwnd = ui::WaitForDialog(m_parvel->ProcessId(), 20000);
        if (!d.hwnd)
            return d;
        d.caption = ui::Text(d.hwnd);
        HWND text = ui::Child(d.hwnd, IDC_TEXT);
        if (!text)
            text = ui::Child(d.hwnd, 0xFFFF);
        d.text = text ? ui::Text(text) : std::string();
        return d;
    }

    void Press(const Dialog& d, int id)
    {
        ui::Click(ui::Child(d.hwnd, id));
        ASSERT_TRUE(ui::WaitForWindowGone(d.hwnd));
    }

    // Notice → folder (accepting what it shows, or typing folder) → confirmation → update.
    void WalkToUpdate(const std::string& typedFolder = {})
    {
        Dialog notice = Next();
        ASSERT_TRUE(notice.IsNoticePage()) << notice.caption;
        Press(notice, IDOK);
        Dialog folder = Next();
        ASSERT_TRUE(folder.IsFolderPage()) << folder.caption;
        if (!typedFolder.empty())
            ui::TypeText(ui::Child(folder.hwnd, IDC_FOLDER_EDIT), typedFolder);
        Press(folder, IDOK);
        Dialog confirm = Next();
        ASSERT_TRUE(confirm.IsConfirmPage()) << confirm.caption;
        Press(confirm, IDOK);
    }

    void ExpectMessage(const char* utf8Text, const char* utf8Caption)
    {
        Dialog box = Next();
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.text, Cp932(utf8Text));
        EXPECT_EQ(box.caption, Cp932(utf8Caption));
        Press(box, IDOK);
    }

    std::unique_ptr<ParvelProcess> m_parvel;
};

TEST_F(Wizard, CompleteUpdateFromAFolderMedium)
{
    const std::string key = Cp932("E2E積算電気");
    const std::string install = Cp932("C:\\e2e\\完全\\電気");
    RemoveTree(install);
    MakeInstallation(install);
    CUninstallKey registration(key, install + "\\UNINST.EXE -f" + install + "\\UNINST.LOG -y");

    Medium medium("complete");
    medium.WriteInfo([&] {
        auto lines = Description(key, "C:\\WRONG");
        lines.push_back("1,1,PROG,\\PROG\\");
        lines.push_back("1,0,SUB\\NOTE.TXT,\\DOC\\");
        return lines;
    }());
    MakeFolders(medium.Path("content"));
    WriteFile(medium.Path("content\\") + Cp932("表示.txt"), "version 9.1S\r\n");
    ASSERT_TRUE(MakeArchive(medium.Path("content"), medium.Path("PROG.lzh")));
    MakeFolders(medium.Path("SUB"));
    medium.Write("SUB\\NOTE.TXT", "note\r\n");
    ::SetFileAttributesA(medium.Path("SUB\\NOTE.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string temp = medium.Path("temp");
    MakeFolders(temp);

    Start(medium.Path("Parvel.exe"), temp);
    Dialog notice = Next();
    ASSERT_TRUE(notice.IsNoticePage());
    EXPECT_EQ(notice.caption, Cp932("マスタ調整機能付"));
    EXPECT_EQ(notice.text, Cp932("注意事項\r\n二行目"));
    Press(notice, IDOK);

    Dialog folder = Next();
    ASSERT_TRUE(folder.IsFolderPage());
    EXPECT_EQ(folder.FolderEdit(), install); // from the uninstall registration, not line 16
    Press(folder, IDOK);

    Dialog confirm = Next();
    ASSERT_TRUE(confirm.IsConfirmPage());
    EXPECT_EQ(confirm.text, install);
    Press(confirm, IDOK);

    ExpectMessage("システムは正常に更新されました。", "確認");
    EXPECT_TRUE(m_parvel->WaitForExit());

    EXPECT_EQ(ReadFile(install + "\\PROG\\" + Cp932("表示.txt")), "version 9.1S\r\n");
    EXPECT_EQ(ReadFile(install + "\\DOC\\NOTE.TXT"), "note\r\n");
    EXPECT_EQ(::GetFileAttributesA((install + "\\DOC\\NOTE.TXT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    const std::string ini = install + "\\tavilo1.ini";
    EXPECT_EQ(IniValue(ini, "SYSTEM", "GENGOU"), Cp932("令和"));
    EXPECT_EQ(IniValue(ini, "SYSTEM", "TITLE"), Cp932("積算 電気 9.1S"));
    EXPECT_EQ(IniValue(ini, "SYSTEM", Cp932("種別電気").c_str()), "1");
    EXPECT_EQ(IniValue(ini, "SYSTEM", Cp932("種別水道").c_str()), "<absent>");
    EXPECT_EQ(IniValue(install + "\\mok3.ini", "HISTORY", Cp932("抽出開始日ON").c_str()), "1");
    EXPECT_EQ(IniValue(install + "\\mok3.ini", "HISTORY", Cp932("抽出終了日ON").c_str()), "1");
    // The 186-byte record lost its byte 67, and its type letter became Z.
    std::string master = ReadFile(install + "\\MASTER\\1\\zai001-3.mst");
    EXPECT_EQ(master, "400400000107XZ" + std::string(171, 'm') + "\r\n");

    // The log in %TEMP% (UTF-8, as this file): the medium, the folder, each entry, a key, the message.
    std::vector<std::string> logs = FilesIn(temp, "Parvel-*.log");
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = ReadFile(temp + "\\" + logs[0]);
    EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
    const std::string parts[] = {
        "メディア: " + medium.Folder() + "\r\n",
        "1 行目: E2E積算電気\r\n",
        "インストール先: C:\\e2e\\完全\\電気\r\n",
        "書庫 " + medium.Folder() + "PROG.lzh → ",
        "展開しました\r\n",
        "ファイル " + medium.Folder() + "SUB\\NOTE.TXT → ",
        "複写しました\r\n",
        "[SYSTEM] GENGOU=令和: 書きました\r\n",
        "メッセージ「確認」: システムは正常に更新されました。\r\n",
    };
    for (const std::string& part : parts)
        EXPECT_NE(log.find(part), std::string::npos) << part << "\n" << log;
}

TEST_F(Wizard, CancelOnTheNoticePageEndsTheProgram)
{
    Medium medium("cancel");
    medium.WriteInfo(Description("", "C:\\APP"));
    Start(medium.Path("Parvel.exe"));
    Dialog notice = Next();
    ASSERT_TRUE(notice.IsNoticePage());
    Press(notice, IDCANCEL);
    EXPECT_TRUE(m_parvel->WaitForExit());
}

TEST_F(Wizard, BackPathsAndARefusedFolder)
{
    const std::string good = Cp932("C:\\e2e\\戻る\\good");
    const std::string bad = Cp932("C:\\e2e\\戻る\\bad");
    RemoveTree(Cp932("C:\\e2e\\戻る"));
    MakeInstallation(good);
    MakeInstallation(bad);
    ::DeleteFileA((bad + "\\bmp\\MERIO2L.BMP").c_str());

    Medium medium("back");
    medium.WriteInfo(Description("", good));
    // No log can be written: the run shows the same pages and messages all the same.
    Start(medium.Path("Parvel.exe"), medium.Path("no such folder"));

    // Folder → back → notice → OK: the folder field still shows the description's folder.
    Press(Next(), IDOK);
    Dialog folder = Next();
    ASSERT_TRUE(folder.IsFolderPage());
    EXPECT_EQ(folder.FolderEdit(), good);
    Press(folder, IDC_BACK);
    Dialog notice = Next();
    ASSERT_TRUE(notice.IsNoticePage());
    Press(notice, IDOK);
    folder = Next();
    ASSERT_TRUE(folder.IsFolderPage());
    EXPECT_EQ(folder.FolderEdit(), good);

    // Esc on the folder page leads back to the notice page, the way out of the wizard.
    ui::PressEscape(folder.hwnd);
    ASSERT_TRUE(ui::WaitForWindowGone(folder.hwnd));
    notice = Next();
    ASSERT_TRUE(notice.IsNoticePage());
    Press(notice, IDOK);

    // A folder without the installation's bitmap is refused, and the folder page returns.
    folder = Next();
    ui::TypeText(ui::Child(folder.hwnd, IDC_FOLDER_EDIT), bad);
    Press(folder, IDOK);
    Dialog confirm = Next();
    ASSERT_TRUE(confirm.IsConfirmPage());
    EXPECT_EQ(confirm.text, bad);
    Press(confirm, IDOK);
    ExpectMessage("このバージョンへの更新はできません。", "エラー");

    // Confirmation → back → folder page, then the good folder goes through.
    folder = Next();
    ASSERT_TRUE(folder.IsFolderPage());
    EXPECT_EQ(folder.FolderEdit(), bad);
    ui::TypeText(ui::Child(folder.hwnd, IDC_FOLDER_EDIT), good);
    Press(folder, IDOK);
    confirm = Next();
    ASSERT_TRUE(confirm.IsConfirmPage());
    Press(confirm, IDCANCEL);
    folder = Next();
    ASSERT_TRUE(folder.IsFolderPage());
    EXPECT_EQ(folder.FolderEdit(), good);
    Press(folder, IDOK);
    Press(Next(), IDOK);
    ExpectMessage("システムは正常に更新されました。", "確認");
    EXPECT_TRUE(m_parvel->WaitForExit());
    EXPECT_EQ(IniValue(good + "\\tavilo1.ini", "SYSTEM", "GENGOU"), Cp932("令和"));
    EXPECT_EQ(IniValue(bad + "\\tavilo1.ini", "SYSTEM", "GENGOU"), "<absent>");
}

// Drive A: is a floppy mapped to a folder; the test changes the disk when the prompt asks for it.
class FloppyWizard : public Wizard {
protected:
    void SetUp() override
    {
        m_floppy = Medium("floppy").Folder();
        m_floppy.pop_back();
        ASSERT_TRUE(MapFloppyDrive(m_floppy));

        m_install = Cp932("C:\\e2e\\二枚\\電気");
        RemoveTree(m_install);
        MakeInstallation(m_install);
        auto lines = Description("", m_install);
        lines[17] = "0";
        lines.push_back("1,1,DISK1,\\");
        lines.push_back("2,1,DISK2,\\");
        lines.push_back("2,0,NOTE2.TXT,\\");
        WriteFile(m_floppy + "\\info.txt", [&] {
            std::string s;
            for (auto& l : lines)
                s += l + "\r\n";
            return s;
        }());
        m_disk2 = Medium("disk2").Folder();
        for (const char* name : {"DISK1", "DISK2"}) {
            std::string content = m_disk2 + name;
            MakeFolders(content);
            WriteFile(content + "\\" + name + ".TXT", std::string("from ") + name + "\r\n");
            ASSERT_TRUE(MakeArchive(content, (name == std::string("DISK1") ? m_floppy + "\\" : m_disk2) + name +
                                                 ".lzh"));
        }
        WriteFile(m_disk2 + "NOTE2.TXT", "note 2\r\n");
    }

    void InsertDisk2()
    {
        ::DeleteFileA((m_floppy + "\\DISK1.lzh").c_str());
        ASSERT_TRUE(::CopyFileA((m_disk2 + "DISK2.lzh").c_str(), (m_floppy + "\\DISK2.lzh").c_str(), FALSE));
        ASSERT_TRUE(::CopyFileA((m_disk2 + "NOTE2.TXT").c_str(), (m_floppy + "\\NOTE2.TXT").c_str(), FALSE));
    }

    std::string m_floppy, m_install, m_disk2;
};

TEST_F(FloppyWizard, AsksForTheSecondDisk)
{
    Start("A:\\Parvel.exe");
    WalkToUpdate();
    Dialog prompt = Next();
    ASSERT_EQ(prompt.text, Cp932("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。"));
    EXPECT_EQ(prompt.caption, Cp932("確認"));
    // OK with disk 1 still in the drive: asked again.
    Press(prompt, IDOK);
    prompt = Next();
    ASSERT_EQ(prompt.text, Cp932("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。"));
    InsertDisk2();
    Press(prompt, IDOK);
    ExpectMessage("システムは正常に更新されました。", "確認");
    EXPECT_TRUE(m_parvel->WaitForExit());
    EXPECT_EQ(ReadFile(m_install + "\\DISK1.TXT"), "from DISK1\r\n");
    EXPECT_EQ(ReadFile(m_install + "\\DISK2.TXT"), "from DISK2\r\n");
    EXPECT_EQ(ReadFile(m_install + "\\NOTE2.TXT"), "note 2\r\n");
}

// Cancelled at the second disk: what the first disk gave was only staged, and goes again.
TEST_F(FloppyWizard, CancelAtThePromptChangesNothing)
{
    // %TEMP% names a file, not a folder: no log, and the run is the same.
    Start("A:\\Parvel.exe", m_floppy + "\\info.txt");
    WalkToUpdate();
    Dialog prompt = Next();
    ASSERT_EQ(prompt.text, Cp932("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。"));
    Press(prompt, IDCANCEL);
    ExpectMessage("ｱｯﾌﾟﾃﾞｲﾄを取消しました。", "確認");
    EXPECT_TRUE(m_parvel->WaitForExit());
    EXPECT_EQ(::GetFileAttributesA((m_install + "\\DISK1.TXT").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA((m_install + "\\DISK1.TXT.parvel~").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA((m_install + "\\DISK2.TXT").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(IniValue(m_install + "\\tavilo1.ini", "SYSTEM", "GENGOU"), "<absent>");
}

} // namespace
