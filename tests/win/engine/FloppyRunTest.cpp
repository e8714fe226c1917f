// The update run from the root of a floppy: drive A:, mapped by the ctest fixture to a folder whose
// contents the tests swap when the run asks for the next disk.
#include "UpdateEngine.h"
#include "WorkFile.h"

#include "FileIo.h"
#include "RunTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// Appended, not prepended: g++ 12 at -O3 warns (-Wrestrict) about the insert of number + text.
std::string DiskPrompt(int disk)
{
    std::string prompt = std::to_string(disk);
    prompt += Cp932(" 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。");
    return prompt;
}
std::string Done() { return Cp932("システムは正常に更新されました。"); }

// Empties the floppy and copies disk n of the fixture into it.
void InsertDisk(int n)
{
    ForEachFound("A:\\*", [](const WIN32_FIND_DATAA& found) { RemoveTree(std::string("A:\\") + found.cFileName); });
    std::string disk = std::string("M:\\disks\\").append(std::to_string(n)).append("\\");
    FindResult copied = ForEachFound(disk + "*", [&](const WIN32_FIND_DATAA& found) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            CopyFileA((disk + found.cFileName).c_str(), (std::string("A:\\") + found.cFileName).c_str(), FALSE);
    });
    ASSERT_EQ(copied, FindResult::Listed);
}

class FloppyRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GetDriveTypeA("A:\\") == DRIVE_REMOVABLE && Exists("M:\\disks\\2\\APP2.lzh"))
            << "floppy A: is not prepared (ctest fixture)";
        InsertDisk(1);
        m_install = m_temp + "app";
        MakeInstallation(m_install, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n");
    }
    void TearDown() override { SetCurrentDirectoryA(m_temp.Path().c_str()); }

    CTempFolder m_temp;
    std::string m_install;
    CRecordingHost prompts;
};

// Disks 1, 2, 2, 1: one prompt before the second entry; OK with disk 1 still in asks again.
TEST_F(FloppyRunTest, AsksOnceForTheSecondDisk)
{
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 1, "APP1", ""), Entry(2, 1, "APP2", ""), Entry(2, 0, "RO.TXT", "DATA\\"),
                           Entry(1, 0, "CONFIG.INI", "")};
    prompts.onDiskPrompt = [](int number) {
        if (number == 1)
            InsertDisk(2);
    };
    EXPECT_EQ(Apply(description, "A:", prompts), RunOutcome::Updated);
    EXPECT_EQ(prompts.Texts(), (Texts{DiskPrompt(2), DiskPrompt(2), Done()}));
    EXPECT_EQ(prompts.boxes[0].caption, Cp932("確認"));
    EXPECT_TRUE(prompts.boxes[0].diskPrompt);
    EXPECT_EQ(ReadBytes(m_install + "\\app1.txt"), "one\r\n");
    EXPECT_EQ(ReadBytes(m_install + "\\app2.txt"), "two\r\n");
    EXPECT_EQ(ReadBytes(m_install + "\\DATA\\RO.TXT"), "read only\r\n");
    EXPECT_EQ(GetFileAttributesA((m_install + "\\DATA\\RO.TXT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(m_install + "\\CONFIG.INI"), "config\r\n");
}

// A loose file on disk 2 satisfies the prompt by itself; there is no archive of its name.
TEST_F(FloppyRunTest, LooseFileOnTheSecondDisk)
{
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(2, 0, "RO.TXT", "")};
    prompts.onDiskPrompt = [](int) { InsertDisk(2); };
    EXPECT_EQ(Apply(description, "A:", prompts), RunOutcome::Updated);
    EXPECT_EQ(prompts.Texts(), (Texts{DiskPrompt(2), Done()}));
    EXPECT_EQ(ReadBytes(m_install + "\\RO.TXT"), "read only\r\n");
}

// Cancelled at the second disk: the first disk's entries were only staged, and nothing stays of them.
TEST_F(FloppyRunTest, CancelLeavesTheInstallationAsItWas)
{
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 1, "APP1", "NEW\\"), Entry(2, 1, "APP2", "")};
    prompts.diskAnswers = {DiskAnswer::Cancel};
    const std::string before = TreeText(m_install);
    EXPECT_EQ(Apply(description, "A:", prompts), RunOutcome::Cancelled);
    EXPECT_EQ(prompts.Texts(), (Texts{DiskPrompt(2), Cp932("ｱｯﾌﾟﾃﾞｲﾄを取消しました。")}));
    EXPECT_EQ(TreeText(m_install), before);
}

// Browsing the medium's own drive moved its current directory; "A:APP1" must still be the root's.
TEST_F(FloppyRunTest, BrowsedMediumDriveStillFindsTheMedium)
{
    MakeFolder("A:\\SUB");
    WriteBytes("A:\\SUB\\CONFIG.INI", "wrong\r\n");
    ASSERT_TRUE(SetCurrentDirectoryA("A:\\SUB"));
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 1, "APP1", ""), Entry(1, 0, "CONFIG.INI", "")};
    EXPECT_EQ(Apply(description, "A:", prompts), RunOutcome::Updated);
    EXPECT_EQ(prompts.Texts(), Texts{Done()});
    EXPECT_EQ(ReadBytes(m_install + "\\CONFIG.INI"), "config\r\n");
}

// The same when another drive is current: the runtime keeps A:'s directory in the variable "=A:".
TEST_F(FloppyRunTest, BrowsedMediumDriveWhileAnotherDriveIsCurrent)
{
    MakeFolder("A:\\SUB");
    WriteBytes("A:\\SUB\\CONFIG.INI", "wrong\r\n");
    ASSERT_TRUE(SetCurrentDirectoryA(m_temp.Path().c_str()));
    SetEnvironmentVariableA("=A:", "A:\\SUB");
    UpdateDescription description = MakeDescription(m_install);
    description.entries = {Entry(1, 0, "CONFIG.INI", "")};
    EXPECT_EQ(Apply(description, "A:", prompts), RunOutcome::Updated);
    EXPECT_EQ(ReadBytes(m_install + "\\CONFIG.INI"), "config\r\n");
}

} // namespace
