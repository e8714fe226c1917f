#include "MasterConversion.h"

#include "EngineTestSupport.h"
#include "QuietHost.h"
#include "MasterSamples.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

CQuietHost host;

// Settings file naming prefix + "1\" and prefix + "21\" as the master folders.
std::string WriteSettings(const CTempFolder& install, const std::string& prefix)
{
    MakeFolder(prefix + "1");
    MakeFolder(prefix + "21");
    WriteBytes(install + "tavilo1.ini", "[DIR]\r\nMASTER=" + prefix + "\r\n");
    return install + "tavilo1.ini";
}

TEST(ConvertMaterial, BothFoldersThroughTheSettingsPrefix)
{
    CTempFolder install(Cp932("_材料"));
    std::string prefix = install + Cp932("マスタ");
    std::string settings = WriteSettings(install, prefix);
    std::string first = prefix + "1\\";
    std::string second = prefix + "21\\";
    WriteBytes(first + "zai001-3.mst", kSizeRecord + "\r\nshort\n\n" + kSizeRecord);
    WriteBytes(second + "ZAI" + Cp932("鉄") + "XY-3.MST", "1234567890123A\n");
    WriteBytes(second + "temp.mst", "leftover");
    MakeFolder(first + "zai999-3.mst");
    WriteBytes(first + "zai01-3.mst", kSizeRecord);

    EXPECT_TRUE(ConvertMaterialSize(host, settings));
    EXPECT_EQ(ReadBytes(first + "zai001-3.mst"), kSizeConverted + "\r\nshort\r\n\r\n" + kSizeConverted + "\r\n");
    EXPECT_EQ(ReadBytes(first + "zai01-3.mst"), kSizeRecord) << "pattern needs three characters";
    EXPECT_FALSE(Exists(first + "temp.mst"));
    EXPECT_FALSE(Exists(second + "temp.mst")) << "leftover work file is overwritten and renamed";

    EXPECT_TRUE(ConvertMaterialType(host, settings));
    EXPECT_EQ(ReadBytes(second + "ZAI" + Cp932("鉄") + "XY-3.MST"), "1234567890123Z\r\n");
    EXPECT_EQ(GetFileAttributesA((first + "zai999-3.mst").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(ConvertMaterial, MissingFoldersAreNoFailure)
{
    CTempFolder install;
    WriteBytes(install + "tavilo1.ini", "[DIR]\r\nMASTER=" + install.Path() + "none\r\n");
    EXPECT_TRUE(ConvertMaterialSize(host, install + "tavilo1.ini"));
    EXPECT_FALSE(Exists(install + "none1"));
}

// A prefix longer than the old 48-byte limit is used whole, never cut into another folder's name.
TEST(ConvertMaterial, LongPrefixIsUsedWhole)
{
    CTempFolder install;
    std::string prefix = install + std::string(60, 'p');
    std::string settings = WriteSettings(install, prefix);
    MakeFolder(install + std::string(48, 'p') + "21");
    WriteBytes(prefix + "21\\zai001-3.mst", "1234567890123B");
    EXPECT_TRUE(ConvertMaterialType(host, settings));
    EXPECT_EQ(ReadBytes(prefix + "21\\zai001-3.mst"), "1234567890123Z\r\n");
}

TEST(ListMasterFiles, StopsAtOneThousand)
{
    CTempFolder folder;
    for (int i = 0; i <= 1000; ++i)
        WriteBytes(folder + MasterName(i), "1234567890123A");
    MasterNameList list;
    EXPECT_TRUE(ListMasterFiles(host, list, folder + "zai???" "-3.mst"));
    EXPECT_EQ(list.size(), 1000u);
    EXPECT_TRUE(ConvertMasterFolder(host, folder.Path(), MasterRule::Type));
    int converted = 0;
    for (int i = 0; i <= 1000; ++i)
        converted += ReadBytes(folder + MasterName(i)) == "1234567890123Z\r\n";
    EXPECT_EQ(converted, 1000);
}

// The second listed file is in use: the first stays converted, the rest unchanged, "21\" untouched.
TEST(ConvertMaterial, LockedSecondFileStopsTheRun)
{
    CTempFolder install;
    std::string prefix = install + "m";
    std::string settings = WriteSettings(install, prefix);
    for (int i = 1; i <= 3; ++i)
        WriteBytes(prefix + "1\\" + MasterName(i), "1234567890123A");
    WriteBytes(prefix + "21\\" + MasterName(1), "1234567890123A");
    MasterNameList list;
    ASSERT_TRUE(ListMasterFiles(host, list, prefix + "1\\zai???" "-3.mst"));
    ASSERT_EQ(list.size(), 3u);
    std::string locked = prefix + "1\\" + list[1];
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    EXPECT_FALSE(ConvertMaterialType(host, settings));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(prefix + "1\\" + list[0]), "1234567890123Z\r\n");
    EXPECT_EQ(ReadBytes(prefix + "1\\" + list[1]), "1234567890123A");
    EXPECT_EQ(ReadBytes(prefix + "1\\" + list[2]), "1234567890123A");
    EXPECT_EQ(ReadBytes(prefix + "21\\" + MasterName(1)), "1234567890123A");
    EXPECT_FALSE(Exists(prefix + "1\\temp.mst"));
}

TEST(ConvertMaterial, WorkFileInUseLeavesTheMasterIntact)
{
    CTempFolder folder;
    WriteBytes(folder + "zai001-3.mst", kSizeRecord);
    WriteBytes(folder + "temp.mst", "someone else's");
    HANDLE holder = CreateFileA((folder + "temp.mst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ConvertMasterFolder(host, folder.Path(), MasterRule::Size));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(folder + "zai001-3.mst"), kSizeRecord);
    EXPECT_EQ(ReadBytes(folder + "temp.mst"), "someone else's");
}

// The fixture makes M:\full\temp.mst a device that is always full: writing fails in mid-file.
TEST(ConvertMaterial, FullVolumeLeavesTheMasterIntact)
{
    ASSERT_TRUE(Exists("M:\\full\\")) << "M:\\full\\temp.mst is not prepared (ctest fixture)";
    std::string master;
    while (master.size() < 3 * 1024 * 1024)
        master += kSizeRecord + "\r\n";
    WriteBytes("M:\\full\\zai001-3.mst", master);
    EXPECT_FALSE(ConvertMasterFolder(host, "M:\\full\\", MasterRule::Size));
    EXPECT_TRUE(ReadBytes("M:\\full\\zai001-3.mst") == master);
    DeleteFileA("M:\\full\\zai001-3.mst");
}

} // namespace
