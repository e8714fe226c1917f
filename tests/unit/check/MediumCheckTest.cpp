// parvel-check over a good two-disk medium made with jlha, and over copies of it with one defect planted each.

#include "CheckTestSupport.h"
#include "MediaCheck.h"
#include "PosixMedia.h"
#include "Utf8.h"

#include <gtest/gtest.h>

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

bool Has(const MediumReport& report, Severity severity, TextId id, const std::string& file, size_t line)
{
    for (const Finding& f : report.findings) {
        if (f.severity == severity && f.id == id && f.file == file && f.line == line)
            return true;
    }
    return false;
}

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

struct Plant {
    const char* name;
    std::function<void(MediumCheckTest&)> spoil;
    Severity severity;
    TextId id;
    std::string file;
    size_t line;
};

TEST_F(MediumCheckTest, EachPlantedDefectIsNamed)
{
    auto damage = [](const fs::path& path) {
        std::string bytes = ReadText(path);
        bytes[bytes.find(std::string(1000, 'a')) + 500] = 'b';
        WriteText(path, bytes);
    };
    const Plant plants[] = {
        {"missing archive", [](MediumCheckTest& t) { fs::remove(t.Disk(2) / "HELP.lzh"); }, Severity::Error,
         TextId::ArchiveMissing, "info.txt", 46},
        {"damaged archive", [&](MediumCheckTest& t) { damage(t.Disk(1) / "app.lzh"); }, Severity::Error,
         TextId::ArchiveCrc, "APP.lzh", 0},
        {"truncated archive", [](MediumCheckTest& t) { fs::resize_file(t.Disk(2) / "HELP.lzh", 100); },
         Severity::Error, TextId::ArchiveTruncated, "HELP.lzh", 0},
        {"archive without members", [](MediumCheckTest& t) { WriteText(t.Disk(1) / "app.lzh", std::string(1, '\0')); },
         Severity::Error, TextId::ArchiveEmpty, "APP.lzh", 0},
        {"archive with a .. name",
         [](MediumCheckTest& t) { WriteText(t.Disk(2) / "HELP.lzh", ArchiveNamed(t.m_copy.Path(), "..\\a.txt")); },
         Severity::Error, TextId::ArchiveOutsideName, "HELP.lzh", 0},
        {"archive with a device name",
         [](MediumCheckTest& t) { WriteText(t.Disk(2) / "HELP.lzh", ArchiveNamed(t.m_copy.Path(), "sub\\aux.txt")); },
         Severity::Error, TextId::ArchiveUnsafeName, "HELP.lzh", 0},
        {"broken edition archive", [&](MediumCheckTest& t) { damage(t.Disk(1) / "START2.lzh"); },
         Severity::Error, TextId::ArchiveCrc, "START2.lzh", 0},
        {"broken entry line", [](MediumCheckTest& t) { t.SetInfoLine(49, "2,1,NOFOLDER"); }, Severity::Error,
         TextId::BrokenEntryLine, "info.txt", 49},
        {"entry on a disk not given", [](MediumCheckTest& t) { t.SetInfoLine(49, "3,1,MORE,\\"); }, Severity::Error,
         TextId::DiskNotGiven, "info.txt", 49},
        {"unpaintable picture", [](MediumCheckTest& t) { fs::resize_file(t.Disk(1) / "page.bmp", 60); },
         Severity::Error, TextId::PictureUnpaintable, "page.bmp", 0},
        {"missing picture", [](MediumCheckTest& t) { fs::remove(t.Disk(1) / "main.bmp"); }, Severity::Error,
         TextId::PictureMissing, "info.txt", 22},
        {"missing loose file", [](MediumCheckTest& t) { fs::remove(t.Disk(2) / "config.ini"); }, Severity::Error,
         TextId::LooseFileMissing, "info.txt", 47},
        {"loose file on the other disk", [](MediumCheckTest& t) { fs::rename(t.Disk(1) / "説明.txt", t.Disk(2) / "説明.txt"); },
         Severity::Error, TextId::LooseFileMissing, "info.txt", 45},
        {"line without a comma", [](MediumCheckTest& t) { t.SetInfoLine(49, "2 1 NOTE \\"); }, Severity::Warning,
         TextId::SkippedLine, "info.txt", 49},
        {"edition without its START archive", [](MediumCheckTest& t) { fs::remove(t.Disk(1) / "START2.lzh"); },
         Severity::Warning, TextId::EditionArchiveMissing, "info.txt", 29},
        {"START first on disk 2 without START.lzh",
         [](MediumCheckTest& t) {
             t.SetInfoLine(43, "2,1,START,\\");
             for (const char* name : {"START1.lzh", "START2.lzh"})
                 fs::rename(t.Disk(1) / name, t.Disk(2) / name);
         },
         Severity::Warning, TextId::PromptNeverEnds, "info.txt", 43},
        {"TAB as the last byte", [](MediumCheckTest& t) { t.SetInfoLine(26, "お知らせ\t"); }, Severity::Warning,
         TextId::TextTrailingTab, "info.txt", 26},
        {"101 line breaks", [](MediumCheckTest& t) {
             std::string text;
             for (int i = 0; i < 101; ++i)
                 text += "a\t.";
             t.SetInfoLine(27, text);
         },
         Severity::Warning, TextId::TextTooManyTabs, "info.txt", 27},
        {"masterAdjust 2", [](MediumCheckTest& t) { t.SetInfoLine(18, "2"); }, Severity::Warning,
         TextId::MasterAdjustNoEffect, "info.txt", 18},
        {"masterAdjust not a number", [](MediumCheckTest& t) { t.SetInfoLine(18, "yes"); }, Severity::Warning,
         TextId::NotANumber, "info.txt", 18},
        {"category 5", [](MediumCheckTest& t) { t.SetInfoLine(20, "5"); }, Severity::Warning,
         TextId::CategoryNoEffect, "info.txt", 20},
        {"settingsFile null", [](MediumCheckTest& t) { t.SetInfoLine(19, "null"); }, Severity::Warning,
         TextId::SettingsFileNotNull, "info.txt", 19},
        {"settingsFile empty", [](MediumCheckTest& t) { t.SetInfoLine(19, ""); }, Severity::Warning,
         TextId::SettingsFileEmpty, "info.txt", 19},
    };
    for (const Plant& plant : plants) {
        SCOPED_TRACE(plant.name);
        SetUp();
        plant.spoil(*this);
        MediumReport report = Check();
        EXPECT_TRUE(Has(report, plant.severity, plant.id, plant.file, plant.line)) << Describe(report);
        EXPECT_EQ(report.findings.size(), 1u) << Describe(report);
        EXPECT_EQ(report.HasErrors(), plant.severity == Severity::Error);
    }
}

TEST_F(MediumCheckTest, ProgramNamesTheCulpritAndFails)
{
    fs::remove(Disk(2) / "HELP.lzh");
    std::string out;
    EXPECT_EQ(RunProgram("", out), 1);
    EXPECT_NE(out.find(Disk(1).string() + "/info.txt:46: エラー: 書庫 HELP.lzh が 2 枚目のディスクにありません。"),
              std::string::npos)
        << out;
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
