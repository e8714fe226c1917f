// parvel-check over a good two-disk medium made with jlha, and over copies of it with one defect planted each.

#include "CheckTestSupport.h"
#include "MediaCheck.h"
#include "PosixMedia.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using namespace checktest;

class MediumCheckTest : public MediumTest {
public:
    MediumReport Check() const
    {
        PosixMedia media(Roots());
        return CheckMedium(media);
    }
};

std::string Describe(const MediumReport& report)
{
    std::string text;
    for (const Finding& f : report.findings)
        text += f.file + ":" + std::to_string(f.line) + " " + Cp932ToUtf8(FindingText(f)) + "\n";
    return text;
}

TEST_F(MediumCheckTest, GoodMediumPassesWithItsSummary)
{
    MediumReport report = Check();
    EXPECT_TRUE(report.findings.empty()) << Describe(report);
    std::string out;
    EXPECT_EQ(RunProgram("", out), 0);
    EXPECT_NE(out.find("問題は見つかりませんでした。\n項目 6 件、ディスク 2 枚。\n更新できる版: 1（電気）、2（水道）"),
              std::string::npos)
        << out;
}

struct Expected {
    Severity severity;
    TextId id;
    std::string file;
    size_t line;
    bool operator==(const Expected&) const = default;
};
Expected Error(TextId id, size_t line, std::string file = "info.txt") { return {Severity::Error, id, file, line}; }
Expected Warning(TextId id, size_t line) { return {Severity::Warning, id, "info.txt", line}; }

using T = MediumCheckTest;
struct Plant {
    const char* name;
    std::function<void(T&)> spoil;
    std::vector<Expected> findings; // in the order they are listed
};

std::string Tabs(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "a\t.";
    return text;
}

TEST_F(MediumCheckTest, EachPlantedDefectIsNamed)
{
    auto damage = [](const fs::path& path) {
        std::string bytes = ReadText(path);
        bytes[bytes.find(std::string(1000, 'a')) + 500] = 'b';
        WriteText(path, bytes);
    };
    auto archiveNamed = [](T& t, const char* name) {
        WriteText(t.Disk(2) / "HELP.lzh", ArchiveNamed(t.m_copy.Path(), name));
    };
    const Plant plants[] = {
        {"missing archive", [](T& t) { fs::remove(t.Disk(2) / "HELP.lzh"); }, {Error(TextId::ArchiveMissing, 46)}},
        {"damaged archive", [&](T& t) { damage(t.Disk(1) / "app.lzh"); }, {Error(TextId::ArchiveCrc, 0, "APP.lzh")}},
        {"truncated archive", [](T& t) { fs::resize_file(t.Disk(2) / "HELP.lzh", 100); },
         {Error(TextId::ArchiveTruncated, 0, "HELP.lzh")}},
        {"archive without members", [](T& t) { WriteText(t.Disk(1) / "app.lzh", std::string(1, '\0')); },
         {Error(TextId::ArchiveEmpty, 0, "APP.lzh")}},
        {"archive with a .. name", [&](T& t) { archiveNamed(t, "..\\a.txt"); },
         {Error(TextId::ArchiveOutsideName, 0, "HELP.lzh")}},
        {"archive with a device name", [&](T& t) { archiveNamed(t, "sub\\aux.txt"); },
         {Error(TextId::ArchiveUnsafeName, 0, "HELP.lzh")}},
        {"broken edition archive", [&](T& t) { damage(t.Disk(1) / "START2.lzh"); },
         {Error(TextId::ArchiveCrc, 0, "START2.lzh")}},
        {"broken entry line", [](T& t) { t.SetInfoLine(49, "2,1,NOFOLDER"); }, {Error(TextId::BrokenEntryLine, 49)}},
        {"entry on a disk not given", [](T& t) { t.SetInfoLine(49, "3,1,MORE,\\"); }, {Error(TextId::DiskNotGiven, 49)}},
        {"entry on disk 0", [](T& t) { t.SetInfoLine(49, "0,1,MORE,\\"); }, {Error(TextId::DiskNotGiven, 49)}},
        {"unpaintable picture", [](T& t) { fs::resize_file(t.Disk(1) / "page.bmp", 60); },
         {Error(TextId::PictureUnpaintable, 0, "page.bmp")}},
        {"missing picture", [](T& t) { fs::remove(t.Disk(1) / "main.bmp"); }, {Error(TextId::PictureMissing, 22)}},
        {"missing loose file", [](T& t) { fs::remove(t.Disk(2) / "config.ini"); }, {Error(TextId::LooseFileMissing, 47)}},
        {"loose file on the other disk", [](T& t) { fs::rename(t.Disk(1) / "説明.txt", t.Disk(2) / "説明.txt"); },
         {Error(TextId::LooseFileMissing, 45)}},
        {"line without a comma", [](T& t) { t.SetInfoLine(49, "2 1 NOTE \\"); }, {Warning(TextId::SkippedLine, 49)}},
        {"edition without its START archive", [](T& t) { fs::remove(t.Disk(1) / "START2.lzh"); },
         {Warning(TextId::EditionArchiveMissing, 29)}},
        {"pemiraz1.ini in lower case: the maker-key editions", [](T& t) { t.SetInfoLine(19, "pemiraz1.ini"); },
         {Warning(TextId::EditionArchiveMissing, 19), Warning(TextId::EditionArchiveMissing, 19)}},
        {"START first on disk 2 without START.lzh",
         [](T& t) {
             t.SetInfoLine(43, "2,1,START,\\");
             for (const char* name : {"START1.lzh", "START2.lzh"})
                 fs::rename(t.Disk(1) / name, t.Disk(2) / name);
         },
         {Warning(TextId::PromptNeverEnds, 43)}},
        {"START on disk 2 after HELP asked for that disk",
         [](T& t) {
             t.SetInfoLine(49, "2,1,START,\\");
             for (const char* name : {"START1.lzh", "START2.lzh"})
                 fs::copy_file(t.Disk(1) / name, t.Disk(2) / name);
         },
         {}},
        {"TAB as the last byte", [](T& t) { t.SetInfoLine(26, "お知らせ\t"); }, {Warning(TextId::TextTrailingTab, 26)}},
        {"100 line breaks", [](T& t) { t.SetInfoLine(27, Tabs(100)); }, {}},
        {"101 line breaks", [](T& t) { t.SetInfoLine(27, Tabs(101)); }, {Warning(TextId::TextTooManyTabs, 27)}},
        {"masterAdjust 0", [](T& t) { t.SetInfoLine(18, "0"); }, {}},
        {"masterAdjust 2", [](T& t) { t.SetInfoLine(18, "2"); }, {Warning(TextId::MasterAdjustNoEffect, 18)}},
        {"masterAdjust not a number", [](T& t) { t.SetInfoLine(18, "yes"); }, {Warning(TextId::NotANumber, 18)}},
        {"masterAdjust a sign alone", [](T& t) { t.SetInfoLine(18, "+"); }, {Warning(TextId::NotANumber, 18)}},
        {"category 0", [](T& t) { t.SetInfoLine(20, "0"); }, {Warning(TextId::CategoryNoEffect, 20)}},
        {"category 4", [](T& t) { t.SetInfoLine(20, "4"); }, {}},
        {"category 5", [](T& t) { t.SetInfoLine(20, "5"); }, {Warning(TextId::CategoryNoEffect, 20)}},
        {"settingsFile null", [](T& t) { t.SetInfoLine(19, "null"); }, {Warning(TextId::SettingsFileNotNull, 19)}},
        {"settingsFile empty", [](T& t) { t.SetInfoLine(19, ""); }, {Warning(TextId::SettingsFileEmpty, 19)}},
        // info.txt's findings by line, then those inside the files it names.
        {"several defects",
         [&](T& t) {
             damage(t.Disk(1) / "app.lzh");
             t.SetInfoLine(49, "note");
             fs::remove(t.Disk(2) / "HELP.lzh");
             t.SetInfoLine(24, "folder.bmp");
             t.SetInfoLine(20, "5");
         },
         {Warning(TextId::CategoryNoEffect, 20), Error(TextId::PictureMissing, 24), Error(TextId::ArchiveMissing, 46),
          Warning(TextId::SkippedLine, 49), Error(TextId::ArchiveCrc, 0, "APP.lzh")}},
    };
    for (const Plant& plant : plants) {
        SCOPED_TRACE(plant.name);
        SetUp();
        plant.spoil(*this);
        MediumReport report = Check();
        std::vector<Expected> found;
        for (const Finding& f : report.findings)
            found.push_back({f.severity, f.id, f.file, f.line});
        EXPECT_EQ(found, plant.findings) << Describe(report);
        EXPECT_EQ(report.HasErrors(), std::any_of(plant.findings.begin(), plant.findings.end(),
                                                  [](const Expected& e) { return e.severity == Severity::Error; }));
    }
}

TEST_F(MediumCheckTest, ProgramNamesTheCulpritAndFails)
{
    fs::remove(Disk(2) / "HELP.lzh");
    SetInfoLine(18, "2");
    SetInfoLine(20, "5");
    std::string out;
    EXPECT_EQ(RunProgram("", out), 1);
    for (const std::string& expected :
         {Disk(1).string() + "/info.txt:46: エラー: 書庫 HELP.lzh が 2 枚目のディスクにありません。", std::string("エラー 1 件、警告 2 件。")})
        EXPECT_NE(out.find(expected), std::string::npos) << out;
}

TEST_F(MediumCheckTest, MissingInfoIsTheOnlyFinding)
{
    fs::remove(Disk(1) / "info.txt");
    MediumReport report = Check();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].id, TextId::InfoMissing);
    EXPECT_EQ(SummaryLines(report).size(), 1u);
}

// A medium in one folder: the wizard asks for no disk, so every entry lies beside info.txt.
TEST_F(MediumCheckTest, FolderMediumHoldsEveryEntry)
{
    for (const auto& item : fs::directory_iterator(Disk(2)))
        fs::rename(item.path(), Disk(1) / item.path().filename());
    PosixMedia media({Disk(1).string()});
    MediumReport report = CheckMedium(media);
    EXPECT_TRUE(report.findings.empty()) << Describe(report);
}

}
