// A medium built by parvel-pack.exe from a source folder, carried through the wizard as a user would: once as a
// folder medium, once as two floppy disks in drive A: with the disk prompt answered by changing the disk.

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "ParvelProcess.h"
#include "UninstallKey.h"
#include "resource.h"

#include <random>

namespace {

// Runs a program with its arguments and waits for it; its exit code, or -1.
int RunProgram(const std::string& commandLine)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = static_cast<DWORD>(-1);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string PackExePath()
{
    std::string parvel = ParvelExePath(); // ...\app\Parvel.exe
    return parvel.substr(0, parvel.size() - std::string("app\\Parvel.exe").size()) + "pack\\parvel-pack.exe";
}

// The electrical edition, 8.0S, with the marker files target identification looks for.
void MakeInstallation(const std::string& folder)
{
    MakeFolders(folder + "\\bmp");
    WriteFile(folder + "\\bmp\\MERIO2L.BMP", "BM");
    MakeFolders(folder + "\\MASTER\\1");
    WriteFile(folder + "\\tavilo1.ini", "[SYSTEM]\r\nTITLE=" + Cp932("積算 電気 8.0S") + "\r\n[DIR]\r\nMASTER=" +
                                            folder + "\\MASTER\\\r\n");
    WriteFile(folder + "\\qe2menu.ini", "[MENU]\r\n");
}

// The author's source folder: the description (UTF-8, as this file), a payload folder per archive, a loose
// file in a subfolder, a picture; Parvel.exe is there already.
std::string MakeSource(const std::string& utf8Key, const std::string& install)
{
    Medium source("pack-source");
    source.Write("medium.txt", "[medium]\r\nuninstall-key: " + utf8Key + "\r\ninstall-folder: " + install +
                                   "\r\nmaster-adjust: 0\r\ncategory: 1\r\nversion: 9.1S\r\n"
                                   "main-picture: main.bmp\r\nedition: 電気\r\n"
                                   "[notice]\r\n注意事項\r\n二行目\r\n"
                                   "[folder-page]\r\nフォルダを指定して下さい。\r\n"
                                   "[entries]\r\narchive START \\\r\narchive 形式 \\形式\\\r\n"
                                   "file SUB/NOTE.TXT \\DOC\\\r\n");
    source.Write("main.bmp", PlainBmpFile());
    MakeFolders(source.Path("START1\\PROG"));
    source.Write("START1\\PROG\\" + Cp932("表示.txt"), "version 9.1S\r\n");
    MakeFolders(source.Path(Cp932("形式")));
    // Incompressible: stored as -lh0-, so it takes its full size on a disk.
    std::mt19937 rng(7);
    std::string big(200000, '\0');
    for (char& c : big)
        c = static_cast<char>(rng());
    source.Write(Cp932("形式\\横A-A4g.xlsm"), big);
    MakeFolders(source.Path("SUB"));
    source.Write("SUB\\NOTE.TXT", "note\r\n");
    std::string folder = source.Folder();
    return folder.substr(0, folder.size() - 1);
}

class PackedMedium : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_key = Cp932("E2E梱包電気");
        m_install = Cp932("C:\\e2e\\梱包\\電気");
        RemoveTree(m_install);
        MakeInstallation(m_install);
        m_registration = std::make_unique<CUninstallKey>(m_key, m_install + "\\UNINST.EXE -f" + m_install +
                                                                     "\\UNINST.LOG -y");
        m_source = MakeSource("E2E梱包電気", "C:\\WRONG");
        std::string out = Medium("pack-out").Folder();
        m_out = out.substr(0, out.size() - 1);
        RemoveTree(m_out);
    }

    HWND NextDialog() { return ui::WaitForDialog(m_parvel->ProcessId(), 20000); }

    std::string TextOf(HWND dialog)
    {
        HWND text = ui::Child(dialog, IDC_TEXT);
        if (!text)
            text = ui::Child(dialog, 0xFFFF);
        return text ? ui::Text(text) : std::string();
    }

    void Press(HWND dialog, int id)
    {
        ui::Click(ui::Child(dialog, id));
        ASSERT_TRUE(ui::WaitForWindowGone(dialog));
    }

    // Notice (with its two lines), folder (from the registration), confirmation.
    void WalkToUpdate()
    {
        HWND notice = NextDialog();
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(TextOf(notice), Cp932("注意事項\r\n二行目"));
        Press(notice, IDOK);
        HWND folder = NextDialog();
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(ui::Text(ui::Child(folder, IDC_FOLDER_EDIT)), m_install);
        Press(folder, IDOK);
        HWND confirm = NextDialog();
        ASSERT_NE(confirm, nullptr);
        Press(confirm, IDOK);
    }

    // The success message, then the files of every entry in the installation.
    void ExpectUpdated()
    {
        HWND done = NextDialog();
        ASSERT_NE(done, nullptr);
        EXPECT_EQ(TextOf(done), Cp932("システムは正常に更新されました。"));
        Press(done, IDOK);
        EXPECT_TRUE(m_parvel->WaitForExit());
        EXPECT_EQ(ReadFile(m_install + "\\" + Cp932("表示.txt")), "version 9.1S\r\n");
        EXPECT_EQ(ReadFile(m_install + Cp932("\\形式\\横A-A4g.xlsm")).size(), 200000u);
        EXPECT_EQ(ReadFile(m_install + "\\DOC\\NOTE.TXT"), "note\r\n");
        EXPECT_EQ(IniValue(m_install + "\\tavilo1.ini", "SYSTEM", "TITLE"), Cp932("積算 電気 9.1S"));
    }

    std::string m_key, m_install, m_source, m_out;
    std::unique_ptr<CUninstallKey> m_registration;
    std::unique_ptr<ParvelProcess> m_parvel;
};

TEST_F(PackedMedium, FolderMediumUpdatesTheInstallation)
{
    ASSERT_EQ(RunProgram("\"" + PackExePath() + "\" \"" + m_source + "\" \"" + m_out + "\""), 0);
    m_parvel = std::make_unique<ParvelProcess>(m_out + "\\Parvel.exe");
    ASSERT_TRUE(m_parvel->Started());
    WalkToUpdate();
    ExpectUpdated();
}

// A loose file changed after packing no longer matches the medium's SHA256SUMS: the update stops before it writes
// anything, names the file, and says so by its exit code.
TEST_F(PackedMedium, ALooseFileChangedAfterPackingStopsTheUpdate)
{
    ASSERT_EQ(RunProgram("\"" + PackExePath() + "\" \"" + m_source + "\" \"" + m_out + "\""), 0);
    ASSERT_EQ(ReadFile(m_out + "\\SUB\\NOTE.TXT"), "note\r\n");
    WriteFile(m_out + "\\SUB\\NOTE.TXT", "n0te\r\n");
    const auto before = Snapshot(m_install);
    const std::string log = m_out + "-run.log";
    ::DeleteFileA(log.c_str());
    ParvelProcess parvel(m_out + "\\Parvel.exe", "/VERYSILENT /SUPPRESSMSGBOXES /DIR=\"" + m_install + "\" /LOG=\"" +
                                                     log + "\"");
    ASSERT_TRUE(parvel.Started());
    std::string window;
    EXPECT_TRUE(parvel.WaitForExitUnseen(window));
    EXPECT_EQ(parvel.ExitCode(), 3u);
    EXPECT_EQ(Snapshot(m_install), before);
    const std::string text = ReadFile(log); // UTF-8
    for (const char* part : {"媒体のファイルが壊れているため、ｱｯﾌﾟﾃﾞｲﾄを中止しました。", "\\SUB\\NOTE.TXT", "終了コード 3: "})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

// Moves every entry of one folder into another (a disk change: the drive's folder itself stays).
void MoveEntries(const std::string& from, const std::string& to)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            ::MoveFileExA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), MOVEFILE_REPLACE_EXISTING);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

TEST_F(PackedMedium, FloppyDisksWithThePromptForTheSecond)
{
    // Disk 1: Parvel.exe, info.txt, the picture and START1; the 200 KB workbook template does not fit beside them.
    WIN32_FILE_ATTRIBUTE_DATA exe{};
    ASSERT_TRUE(::GetFileAttributesExA((m_source + "\\Parvel.exe").c_str(), GetFileExInfoStandard, &exe));
    uint64_t diskSize = (uint64_t(exe.nFileSizeLow) + 511) / 512 * 512 + 150000;
    ASSERT_EQ(RunProgram("\"" + PackExePath() + "\" --disk-size=" + std::to_string(diskSize) + " \"" + m_source + "\" \"" +
                  m_out + "\""),
              0);
    const std::string disk1 = m_out + "\\disk1", disk2 = m_out + "\\disk2";
    ASSERT_NE(::GetFileAttributesA((disk2 + Cp932("\\形式.lzh")).c_str()), INVALID_FILE_ATTRIBUTES);

    // Drive A: is a floppy drive mapped to a folder that holds disk 1.
    std::string floppy = Medium("pack-floppy").Folder();
    floppy.pop_back();
    RemoveTree(floppy);
    ::CreateDirectoryA(floppy.c_str(), nullptr);
    MoveEntries(disk1, floppy);
    ASSERT_TRUE(MapFloppyDrive(floppy));

    m_parvel = std::make_unique<ParvelProcess>("A:\\Parvel.exe");
    ASSERT_TRUE(m_parvel->Started());
    WalkToUpdate();
    HWND prompt = NextDialog();
    ASSERT_NE(prompt, nullptr);
    ASSERT_EQ(TextOf(prompt), Cp932("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。"));
    MoveEntries(floppy, disk1);
    MoveEntries(disk2, floppy);
    Press(prompt, IDOK);
    ExpectUpdated();
}

}
