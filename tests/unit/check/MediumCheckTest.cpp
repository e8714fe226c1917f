// parvel-check over a good two-disk medium made with jlha, and over copies of it with one defect planted each.

#include <cstddef>

#include "BmpBuilder.h"
#include "MediaCheck.h"
#include "PosixMedia.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder()
    {
        const char* bin = std::getenv("PARVEL_BINARY_DIR");
        m_path = fs::path(bin ? bin : fs::temp_directory_path().string()) / "check-tests" /
                 ("t" + std::to_string(std::random_device{}()));
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// info.txt of the good medium, in UTF-8 here and CP932 on the medium. Entries from line 43.
std::vector<std::string> GoodInfoLines()
{
    std::vector<std::string> lines(42);
    lines[0] = "見積システム";
    lines[15] = "C:\\見積";
    lines[16] = "3";
    lines[17] = "1";    // masterAdjust
    lines[18] = "NULL"; // settingsFile
    lines[19] = "1";    // category
    lines[20] = "9.1S";
    lines[21] = "main.bmp";
    lines[22] = "page.bmp";
    lines[23] = "page.bmp";
    lines[24] = "page.bmp";
    lines[25] = "お知らせ\t.二行目";
    lines[26] = "フォルダーを選んでください。";
    lines[27] = "電気";
    lines[28] = "水道";
    for (const char* entry : {"1,1,START,\\", "1,1,APP,\\PROG\\", "1,0,説明.TXT,\\", "2,1,HELP,\\HELP\\",
                              "2,0,CONFIG.INI,\\DATA\\"})
        lines.push_back(entry);
    return lines;
}

void WriteInfo(const fs::path& disk, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteText(disk / "info.txt", Utf8ToCp932(text));
}

// jlha stores the CP932 names only under the Japanese locale.
void MakeArchive(const fs::path& archive, const fs::path& content, const std::string& options = "co5q")
{
    std::string command = "cd '" + content.string() + "' && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 jlha " + options +
                          " '" + archive.string() + "' * >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// A level-0 archive of one stored file whose name is then rewritten: jlha itself never stores "..".
std::string ArchiveNamed(const fs::path& work, const std::string& storedName)
{
    fs::path content = work / "named";
    fs::create_directories(content);
    WriteText(content / std::string(storedName.size(), 'x'), "hello\r\n");
    MakeArchive(work / "named.lzh", content, "c0zq");
    std::string bytes = ReadText(work / "named.lzh");
    size_t at = bytes.find(std::string(storedName.size(), 'x'));
    bytes.replace(at, storedName.size(), storedName);
    unsigned sum = 0;
    for (size_t i = 2; i < 2u + static_cast<unsigned char>(bytes[0]); ++i)
        sum += static_cast<unsigned char>(bytes[i]);
    bytes[1] = static_cast<char>(sum);
    fs::remove_all(content);
    return bytes;
}

class MediumCheckTest : public testing::Test {
public:
    static void SetUpTestSuite()
    {
        s_good = new TempFolder;
        fs::path work = s_good->Path() / "work";
        fs::path disk1 = s_good->Path() / "disk1", disk2 = s_good->Path() / "disk2";
        fs::create_directories(disk1);
        fs::create_directories(disk2);
        WriteInfo(disk1, GoodInfoLines());
        BmpSpec spec;
        spec.width = 2;
        spec.height = 2;
        spec.bits = Ramp(16);
        std::vector<uint8_t> bmp = BuildBmp(spec);
        WriteText(disk1 / "main.bmp", std::string(bmp.begin(), bmp.end()));
        WriteText(disk1 / "page.bmp", std::string(bmp.begin(), bmp.end()));
        // Names on the disks in other letter cases than info.txt's: Windows matches them.
        for (const char* archive : {"START1", "START2", "app", "HELP"}) {
            fs::path content = work / archive;
            fs::create_directories(content / "sub");
            WriteText(content / (std::string(archive) + ".txt"), std::string(3000, 'a') + archive + "\r\n");
            WriteText(content / "sub" / "readme.txt", "in a folder\r\n");
            fs::path disk = std::string(archive) == "HELP" ? disk2 : disk1;
            // Two of them stored, so that a byte changed in their data is a CRC error and nothing else.
            bool stored = std::string(archive) == "app" || std::string(archive) == "START2";
            MakeArchive(disk / (std::string(archive) + ".lzh"), content, stored ? "czq" : "co7q");
        }
        WriteText(disk1 / "説明.txt", "loose\r\n");
        WriteText(disk2 / "config.ini", "[A]\r\n");
        fs::remove_all(work);
    }
    static void TearDownTestSuite() { delete s_good; }

    // A copy of the good medium for one test to spoil.
    void SetUp() override
    {
        fs::copy(s_good->Path(), m_copy.Path(), fs::copy_options::recursive);
    }
    fs::path Disk(int n) const { return m_copy.Path() / ("disk" + std::to_string(n)); }
    std::vector<std::string> Roots() const { return {Disk(1).string(), Disk(2).string()}; }
    MediumReport Check() const
    {
        PosixMedia media(Roots());
        return CheckMedium(media);
    }
    void SetInfoLine(size_t line, const std::string& text)
    {
        std::vector<std::string> lines = GoodInfoLines();
        lines.resize(std::max(lines.size(), line));
        lines[line - 1] = text;
        WriteInfo(Disk(1), lines);
    }
    // Runs the program and returns its exit status; out gets what it printed.
    int RunProgram(std::string& out) const
    {
        const char* bin = std::getenv("PARVEL_BINARY_DIR");
        std::string command = std::string(bin ? bin : ".") + "/check/parvel-check";
        for (const std::string& root : Roots())
            command += " '" + root + "'";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static TempFolder* s_good;
    TempFolder m_copy;
};

TempFolder* MediumCheckTest::s_good = nullptr;

bool Has(const MediumReport& report, Severity severity, FindingId id, const std::string& file, size_t line)
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
    EXPECT_EQ(RunProgram(out), 0);
    EXPECT_NE(out.find("問題は見つかりませんでした。\n項目 5 件、ディスク 2 枚。\n更新できる版: 1（電気）、2（水道）"),
              std::string::npos)
        << out;
}

struct Plant {
    const char* name;
    std::function<void(MediumCheckTest&)> spoil;
    Severity severity;
    FindingId id;
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
         FindingId::ArchiveMissing, "info.txt", 46},
        {"damaged archive", [&](MediumCheckTest& t) { damage(t.Disk(1) / "app.lzh"); }, Severity::Error,
         FindingId::ArchiveCrc, "APP.lzh", 0},
        {"truncated archive", [](MediumCheckTest& t) { fs::resize_file(t.Disk(2) / "HELP.lzh", 100); },
         Severity::Error, FindingId::ArchiveTruncated, "HELP.lzh", 0},
        {"archive without members", [](MediumCheckTest& t) { WriteText(t.Disk(1) / "app.lzh", std::string(1, '\0')); },
         Severity::Error, FindingId::ArchiveEmpty, "APP.lzh", 0},
        {"archive with a device name",
         [](MediumCheckTest& t) { WriteText(t.Disk(2) / "HELP.lzh", ArchiveNamed(t.m_copy.Path(), "sub\\aux.txt")); },
         Severity::Error, FindingId::ArchiveUnsafeName, "HELP.lzh", 0},
        {"broken edition archive", [&](MediumCheckTest& t) { damage(t.Disk(1) / "START2.lzh"); },
         Severity::Error, FindingId::ArchiveCrc, "START2.lzh", 0},
        {"broken entry line", [](MediumCheckTest& t) { t.SetInfoLine(48, "2,1,NOFOLDER"); }, Severity::Error,
         FindingId::BrokenEntryLine, "info.txt", 48},
        {"entry on a disk not given", [](MediumCheckTest& t) { t.SetInfoLine(48, "3,1,MORE,\\"); }, Severity::Error,
         FindingId::DiskNotGiven, "info.txt", 48},
        {"unpaintable picture", [](MediumCheckTest& t) { fs::resize_file(t.Disk(1) / "page.bmp", 60); },
         Severity::Error, FindingId::PictureUnpaintable, "page.bmp", 0},
        {"missing picture", [](MediumCheckTest& t) { fs::remove(t.Disk(1) / "main.bmp"); }, Severity::Error,
         FindingId::PictureMissing, "info.txt", 22},
        {"missing loose file", [](MediumCheckTest& t) { fs::remove(t.Disk(2) / "config.ini"); }, Severity::Error,
         FindingId::LooseFileMissing, "info.txt", 47},
        {"loose file on the other disk", [](MediumCheckTest& t) { fs::rename(t.Disk(1) / "説明.txt", t.Disk(2) / "説明.txt"); },
         Severity::Error, FindingId::LooseFileMissing, "info.txt", 45},
        {"line without a comma", [](MediumCheckTest& t) { t.SetInfoLine(48, "2 1 NOTE \\"); }, Severity::Warning,
         FindingId::SkippedLine, "info.txt", 48},
        {"edition without its START archive", [](MediumCheckTest& t) { fs::remove(t.Disk(1) / "START2.lzh"); },
         Severity::Warning, FindingId::EditionArchiveMissing, "info.txt", 29},
        {"START first on disk 2 without START.lzh",
         [](MediumCheckTest& t) {
             t.SetInfoLine(43, "2,1,START,\\");
             for (const char* name : {"START1.lzh", "START2.lzh"})
                 fs::rename(t.Disk(1) / name, t.Disk(2) / name);
         },
         Severity::Warning, FindingId::PromptNeverEnds, "info.txt", 43},
        {"TAB as the last byte", [](MediumCheckTest& t) { t.SetInfoLine(26, "お知らせ\t"); }, Severity::Warning,
         FindingId::TextTrailingTab, "info.txt", 26},
        {"101 line breaks", [](MediumCheckTest& t) {
             std::string text;
             for (int i = 0; i < 101; ++i)
                 text += "a\t.";
             t.SetInfoLine(27, text);
         },
         Severity::Warning, FindingId::TextTooManyTabs, "info.txt", 27},
        {"masterAdjust 2", [](MediumCheckTest& t) { t.SetInfoLine(18, "2"); }, Severity::Warning,
         FindingId::MasterAdjustNoEffect, "info.txt", 18},
        {"masterAdjust not a number", [](MediumCheckTest& t) { t.SetInfoLine(18, "yes"); }, Severity::Warning,
         FindingId::NotANumber, "info.txt", 18},
        {"category 5", [](MediumCheckTest& t) { t.SetInfoLine(20, "5"); }, Severity::Warning,
         FindingId::CategoryNoEffect, "info.txt", 20},
        {"settingsFile null", [](MediumCheckTest& t) { t.SetInfoLine(19, "null"); }, Severity::Warning,
         FindingId::SettingsFileNotNull, "info.txt", 19},
        {"settingsFile empty", [](MediumCheckTest& t) { t.SetInfoLine(19, ""); }, Severity::Warning,
         FindingId::SettingsFileEmpty, "info.txt", 19},
    };
    for (const Plant& plant : plants) {
        SCOPED_TRACE(plant.name);
        fs::remove_all(m_copy.Path());
        fs::copy(s_good->Path(), m_copy.Path(), fs::copy_options::recursive);
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
    EXPECT_EQ(RunProgram(out), 1);
    EXPECT_NE(out.find(Disk(1).string() + "/info.txt:46: エラー: 書庫 HELP.lzh が 2 枚目のディスクにありません。"),
              std::string::npos)
        << out;
}

TEST_F(MediumCheckTest, MissingInfoIsTheOnlyFinding)
{
    fs::remove(Disk(1) / "info.txt");
    MediumReport report = Check();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].id, FindingId::InfoMissing);
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
