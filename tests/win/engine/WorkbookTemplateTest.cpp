#include "WorkbookTemplate.h"

#include "EngineTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// An installation whose template was last written at the given UTC time.
void WriteTemplate(const std::string& install, WORD year, WORD month, WORD day, WORD hour = 12)
{
    MakeFolder(install + Sjis("形式"));
    std::string path = install + Sjis("形式\\横A-A4g.xlsm");
    WriteBytes(path, "PK");
    SYSTEMTIME fields{};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    FILETIME time{};
    SystemTimeToFileTime(&fields, &time);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

struct DateCase {
    WORD year, month, day, hour;
    int expected;
};

TEST(CheckWorkbookTemplate, ComparesEachUtcFieldByItself)
{
    const DateCase cases[] = {
        {2022, 2, 5, 12, 1}, {2022, 2, 6, 12, 0},  {2019, 1, 3, 12, 1}, {2023, 1, 1, 12, 0},
        {2021, 2, 28, 12, 0}, {2021, 1, 1, 0, 1}, {2021, 12, 1, 12, 0}, {2020, 1, 6, 12, 0},
        // 08:00 on 6 February in Japan is 23:00 on 5 February UTC.
        {2022, 2, 5, 23, 1},
    };
    for (const DateCase& c : cases) {
        CTempFolder install;
        WriteTemplate(install.Path(), c.year, c.month, c.day, c.hour);
        std::string folder = install.Path();
        EXPECT_EQ(CheckWorkbookTemplate(folder), c.expected) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(folder, install.Path());
    }
}

TEST(CheckWorkbookTemplate, MissingOrLockedTemplateIsReplaced)
{
    CTempFolder install;
    std::string withoutBackslash = install.Path().substr(0, install.Path().size() - 1);
    EXPECT_EQ(CheckWorkbookTemplate(withoutBackslash), 1) << "no " << Sjis("形式");
    MakeFolder(install + Sjis("形式"));
    EXPECT_EQ(CheckWorkbookTemplate(install.Path()), 1) << "no workbook";

    WriteTemplate(install.Path(), 2024, 6, 1);
    EXPECT_EQ(CheckWorkbookTemplate(withoutBackslash), 0) << "new template, single separator";
    std::string path = install + Sjis("形式\\横A-A4g.xlsm");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CheckWorkbookTemplate(install.Path()), 1) << "held open by another program";
    CloseHandle(holder);
}

TEST(CheckWorkbookTemplate, MissingInstallFolderKeepsEverything)
{
    CTempFolder temp;
    EXPECT_EQ(CheckWorkbookTemplate(temp + "gone\\"), 0);
}

} // namespace
