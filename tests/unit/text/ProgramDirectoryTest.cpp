#include <gtest/gtest.h>

#include "ProgramDirectory.h"

TEST(ProgramDirectory, DriveAndDirectoryOfTheExecutable)
{
    EXPECT_EQ(ProgramDirectoryFromPath("C:\\MEDIA\\DISK1\\X.EXE"), "C:\\MEDIA\\DISK1\\");
    EXPECT_EQ(ProgramDirectoryFromPath("D:\\UPDATE\\Parvel.exe"), "D:\\UPDATE\\");
    // A drive root keeps only its drive, so media files are named A:INFO.TXT.
    EXPECT_EQ(ProgramDirectoryFromPath("A:\\WIZARD.EXE"), "A:");
    // The trail byte 0x5C of 表 is no separator.
    EXPECT_EQ(ProgramDirectoryFromPath("C:\\\x95\x5C.EXE"), "C:");
    EXPECT_EQ(ProgramDirectoryFromPath("C:\\\x95\x5C\\P.EXE"), "C:\\\x95\x5C\\");
}
