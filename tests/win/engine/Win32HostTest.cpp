// What the engine's decisions rest on and only Windows can show: existence tests on paths as the run forms
// them, profile-file semantics, file times in UTC, locks, listings and replacing files. The decisions
// themselves are tested natively over the fake host.
#include "EngineTestSupport.h"
#include "QuietHost.h"
#include "TargetIdentification.h"
#include "WorkbookTemplate.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Holds a file open without sharing, as another program may.
class CHolder {
public:
    explicit CHolder(const std::string& path)
        : m_file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~CHolder() { CloseHandle(m_file); }
    bool Held() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_file;
};

class Win32HostTest : public ::testing::Test {
protected:
    CQuietHost host;
    CTempFolder temp{Cp932("_設定")};
};

TEST_F(Win32HostTest, IdentificationOnRealPaths)
{
    std::string app = temp + Cp932("アプリ");
    MakeFolder(app);
    MakeFolder(app + "\\bmp");
    WriteBytes(app + "\\tavilo1.ini", "[system]\r\nTITLE=" + Cp932("積算システム ABC") + "\r\n");
    WriteBytes(app + "\\bmp\\merio2l.bmp", "BM");
    WriteBytes(app + "\\dravex.exe", "MZ");

    std::string folder = app;
    EXPECT_TRUE(LocateSettingsFile(host, folder, "TAVILO1.INI"));
    EXPECT_EQ(folder, app + "\\");
    // The retries leave runs of backslashes; the file system reads each run as one separator.
    EXPECT_TRUE(ValidateInstallFolder(host, folder, "tavilo1.ini"));
    EXPECT_EQ(folder, app + "\\\\");
    std::array<std::string, 15> keywords{"#0", "ABC"};
    EXPECT_EQ(DetectSystemKind(host, folder, "tavilo1.ini", keywords), Edition(2)) << "section names ignore case";

    WriteBytes(app + "\\pemiraz1.ini", "[system]\r\nmaker= +1x\r\n");
    EXPECT_EQ(DetectSystemKind(host, folder, "pemiraz1.ini", keywords), Edition(Edition::kMakerOne));

    ASSERT_TRUE(DriveMapped("M:\\")) << "drive M: is not mapped (ctest fixture)";
    WriteBytes("M:\\tavilo1.ini", "");
    std::string drive = "M";
    EXPECT_TRUE(LocateSettingsFile(host, drive, "tavilo1.ini"));
    EXPECT_EQ(drive, "M:\\");
    DeleteFileA("M:\\tavilo1.ini");
}

TEST_F(Win32HostTest, ProfileFiles)
{
    std::string ini = temp + "a.ini";
    std::string value;
    EXPECT_EQ(host.settings.ReadProfile("S", "K", "d", ini, value), ProfileReadResult::FileMissing);
    EXPECT_EQ(value, "d");
    EXPECT_TRUE(host.settings.WriteProfile("S", "K", std::string(300, 'v'), ini))
        << "creates file and section";
    EXPECT_TRUE(host.settings.WriteProfile("s", "k", std::string(300, 'w'), ini))
        << "replaces, ignoring case";
    EXPECT_EQ(host.settings.ReadProfile("S", "K", "d", ini, value), ProfileReadResult::Read);
    EXPECT_EQ(value, std::string(300, 'w'));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nK=" + std::string(300, 'w') + "\r\n");
    {
        CHolder holder(ini);
        ASSERT_TRUE(holder.Held());
        EXPECT_FALSE(host.settings.WriteProfile("S", "X", "1", ini));
        EXPECT_EQ(host.settings.ReadProfile("S", "K", "d", ini, value), ProfileReadResult::Failed);
        EXPECT_EQ(value, "d");
    }
    EXPECT_FALSE(Exists(ini + ".parvel~"));
    EXPECT_EQ(host.settings.ReadProfile("S", "X", "d", ini, value), ProfileReadResult::Read);
    EXPECT_EQ(value, "d") << "the held file was left as it was";
}

TEST_F(Win32HostTest, TemplateDateInUtcAndLockedTemplate)
{
    MakeFolder(temp + Cp932("形式"));
    std::string book = WorkbookTemplatePath(temp.Path());
    EXPECT_EQ(CheckWorkbookTemplate(host, temp.Path()), TemplateDecision::Refresh) << "no workbook";
    WriteBytes(book, "PK");
    // 08:00 on 6 February in Japan is 23:00 on 5 February UTC.
    SetLastWrite(book, 2022, 2, 5, 23);
    UtcDate date;
    ASSERT_EQ(host.files.ReadLastWriteDate(book, date), LastWriteResult::Read);
    EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 20220205);
    EXPECT_EQ(CheckWorkbookTemplate(host, temp.Path()), TemplateDecision::Refresh);
    SetLastWrite(book, 2022, 2, 6, 0);
    EXPECT_EQ(CheckWorkbookTemplate(host, temp.Path()), TemplateDecision::Keep);
    CHolder holder(book);
    ASSERT_TRUE(holder.Held());
    EXPECT_EQ(CheckWorkbookTemplate(host, temp.Path()), TemplateDecision::Refresh) << "held open by another program";
}

TEST_F(Win32HostTest, ListingAndReplacing)
{
    std::vector<FoundFile> names;
    EXPECT_EQ(host.files.ListFolder(temp + "gone\\*", names), ListResult::NotFound);
    EXPECT_EQ(host.files.ListFolder(temp + "*.x", names), ListResult::NotFound);
    EXPECT_EQ(host.files.ListFolder(temp + std::string(MAX_PATH, 'p') + "\\*", names), ListResult::Failed);
    MakeFolder(temp + "sub");
    WriteBytes(temp + "a.txt", "new");
    ASSERT_EQ(host.files.ListFolder(temp + "*", names), ListResult::Listed);
    ASSERT_EQ(names.size(), 2u) << "no dot entries";
    EXPECT_EQ(names[0].directory + names[1].directory, 1);

    // A read-only work file left by a cut-off run goes; Wine refuses to delete one as Windows does.
    WriteBytes(temp + "b.txt", "old");
    SetFileAttributesA((temp + "b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(host.files.RemoveFile(temp + "b.txt"));
    EXPECT_FALSE(Exists(temp + "b.txt"));
    EXPECT_TRUE(host.files.CopyFileTo(temp + "a.txt", temp + "b.txt"));
    EXPECT_TRUE(host.files.ClearAttributes(temp + "b.txt"));
    WriteBytes(temp + "c.txt", "old");
    EXPECT_EQ(host.files.MoveOver(temp + "b.txt", temp + "c.txt", NameChange::WrittenThrough), MoveResult::Moved);
    EXPECT_EQ(ReadBytes(temp + "c.txt"), "new");
    EXPECT_FALSE(Exists(temp + "b.txt"));
    EXPECT_FALSE(host.files.ClearAttributes(temp + "b.txt"));

    // The original kept aside is the same bytes under a second name, read-only or not; a file another program
    // holds open without sharing cannot be replaced, and says so.
    SetFileAttributesA((temp + "c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(host.files.KeepOriginal(temp + "c.txt", temp + "c.txt.parvel-old"));
    EXPECT_EQ(ReadBytes(temp + "c.txt.parvel-old"), "new");
    WriteBytes(temp + "d.txt", "newer");
    EXPECT_EQ(host.files.MoveOver(temp + "d.txt", temp + "c.txt", NameChange::WrittenThrough), MoveResult::Moved);
    EXPECT_EQ(ReadBytes(temp + "c.txt"), "newer");
    EXPECT_EQ(ReadBytes(temp + "c.txt.parvel-old"), "new");
    EXPECT_TRUE(host.files.FlushFolder(temp.Path()));
    WriteBytes(temp + "e.txt", "e");
    CHolder holder(temp + "c.txt");
    ASSERT_TRUE(holder.Held());
    EXPECT_EQ(host.files.MoveOver(temp + "e.txt", temp + "c.txt", NameChange::WrittenThrough), MoveResult::Held);
    EXPECT_EQ(host.files.CheckOpen(temp + "c.txt", Access::Replace), OpenCheck::Held);
}

} // namespace
