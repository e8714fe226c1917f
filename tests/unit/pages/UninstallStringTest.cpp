#include "FolderEntry.h"
#include "UninstallString.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct Case {
    std::string value;
    std::optional<std::string> folder; // the pre-fill, nothing when no " -f"
};

TEST(FolderFromUninstallString, TakesTheFolderAfterTheFOption)
{
    const Case cases[] = {
        {"X.EXE -fD:\\APP\\SUB\\U.LOG -y", "D:\\APP\\SUB"},
        {"X.EXE -fD:\\U.LOG", "D:"},
        {"X.EXE -FD:\\APP\\U.LOG", std::nullopt},
        {"X.EXE", std::nullopt},
        {"", std::nullopt},
        {"X.EXE -f\"C:\\Program Files\\App\\U.LOG\"", "\"C:\\Program Files\\App"},
        {"X.EXE -fU.LOG", ""},
        {"X.EXE -fD:/APP/U.LOG", "D:/APP/"},
        {"X.EXE -fD:\\A -f E:\\B\\U.LOG", "D:"},
        {"X.EXE -f", ""},
        // 表 is 0x95 0x5C, ソ is 0x83 0x5C: their trail bytes are not separators.
        {"X.EXE -fC:\\\x95\x5C\\\x83\x5C\\U.LOG", "C:\\\x95\x5C\\\x83\x5C"},
        {"X.EXE -fC:\\APP\\\x95\x5C", "C:\\APP"},
        {"X.EXE -fC:\\\x83\x5C" "ABC", "C:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FolderFromUninstallString(c.value), c.folder);
    }
}

TEST(ExtractFolderFromUninstallString, RewritesTheTextOnlyWhenFound)
{
    std::string found = "UNINST.EXE -fD:\\APP\\U.LOG -y";
    EXPECT_TRUE(ExtractFolderFromUninstallString(found));
    EXPECT_EQ(found, "D:\\APP\\");
    std::string missing = "UNINST.EXE /S";
    EXPECT_FALSE(ExtractFolderFromUninstallString(missing));
    EXPECT_EQ(missing, "UNINST.EXE /S");
}

TEST(FolderFromUninstallString, HandlesTextsLongerThanAnyFixedBuffer)
{
    std::string directory = "D:";
    for (int i = 0; i < 60; ++i)
        directory += "\\FOLDER" + std::to_string(i);
    std::optional<std::string> folder = FolderFromUninstallString("X.EXE -f" + directory + "\\U.LOG -y");
    EXPECT_EQ(folder, directory);
}

TEST(FolderEntry, ReadsDriveAndFolderEntries)
{
    EXPECT_EQ(DriveLetterOfEntry("[-c-]"), 'c');
    EXPECT_EQ(DriveLetterOfEntry("[-"), 0);
    EXPECT_EQ(FolderNameOfEntry("[..]"), "..");
    EXPECT_EQ(FolderNameOfEntry(FolderEntryOf("\x95\x5C")), "\x95\x5C");
    EXPECT_EQ(FolderNameOfEntry("["), "");
    EXPECT_EQ(FolderEntryOf("Windows"), "[Windows]");
}

} // namespace
