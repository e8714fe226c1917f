#include "CheckTestSupport.h"

#include <cstddef>

#include "BmpBuilder.h"
#include "Utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace checktest {

namespace {

// jlha stores the CP932 names only under the Japanese locale.
void MakeArchive(const fs::path& archive, const fs::path& content, const std::string& options)
{
    std::string command = "cd '" + content.string() + "' && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 jlha " + options +
                          " '" + archive.string() + "' * >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void BuildMedium(const fs::path& root)
{
    fs::path work = root / "work", disk1 = root / "disk1", disk2 = root / "disk2";
    fs::create_directories(disk1);
    fs::create_directories(disk2);
    WriteCp932Lines(disk1 / "info.txt", GoodInfoLines());
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bits = Ramp(16);
    std::vector<uint8_t> bmp = BuildBmp(spec);
    WriteText(disk1 / "main.bmp", std::string(bmp.begin(), bmp.end()));
    WriteText(disk1 / "page.bmp", std::string(bmp.begin(), bmp.end()));
    // Names on the disks in other letter cases than info.txt's: Windows matches them.
    for (std::string archive : {"START1", "START2", "app", "HELP"}) {
        fs::path content = work / archive;
        fs::create_directories(content / "sub");
        WriteText(content / (archive + ".txt"), std::string(3000, 'a') + archive + "\r\n");
        WriteText(content / "sub" / "readme.txt", "in a folder\r\n");
        // Two of them stored, so that a byte changed in their data is a CRC error and nothing else.
        bool stored = archive == "app" || archive == "START2";
        MakeArchive((archive == "HELP" ? disk2 : disk1) / (archive + ".lzh"), content, stored ? "czq" : "co7q");
    }
    fs::create_directories(work / "excel");
    WriteText(work / "excel" / "横A-A4g.xlsm", "new template\r\n");
    MakeArchive(disk2 / "EXCEL.lzh", work / "excel", "co5q");
    WriteText(disk1 / "説明.txt", "loose\r\n");
    WriteText(disk2 / "config.ini", "[A]\r\n");
    fs::remove_all(work);
}

// 2021-01-04 09:00 UTC: an old template by the field-wise date rule (year, month and day each at most 2022, 2, 5).
constexpr time_t kOldTemplateTime = 1609750800;

void SetLastWrite(const fs::path& path, time_t time)
{
    timespec times[2] = {{time, 0}, {time, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A record of a material master: code groups, the type letter at byte 14, filled to its length.
std::string MasterRecord(const std::string& codes, char type, size_t length)
{
    std::string record = codes + "X" + type;
    return record + std::string(length - record.size(), 'm');
}

// The installation that info.txt's default folder C:\見積 names, edition 1 (電気) at 8.0S.
void BuildInstallation(const fs::path& root)
{
    fs::create_directories(root / "bmp");
    fs::create_directories(root / "PROG");
    fs::create_directories(root / "形式");
    fs::create_directories(root / "MASTER" / "1");
    WriteCp932Lines(root / "tavilo1.ini",
                    {"[SYSTEM]", "TITLE=見積システム 電気 8.0S", "GENGOU=平成", "[DIR]", "MASTER=C:\\見積\\MASTER\\"});
    WriteCp932Lines(root / "mok3.ini", {"[HISTORY]", "抽出開始日ON=0"});
    WriteText(root / "qe2menu.ini", "[MENU]\r\n");
    WriteText(root / "bmp" / "MERIO2L.BMP", "BM");
    WriteText(root / "PROG" / "APP.TXT", "old\r\n");
    WriteText(root / "形式" / "横A-A4g.xlsm", "old template\r\n");
    // One record for each rule, one for neither.
    WriteText(root / "MASTER" / "1" / "zai001-3.mst", MasterRecord("400400000107", 'C', 186) + "\r\n" +
                                                          MasterRecord("123456000001", 'A', 80) + "\r\n" +
                                                          MasterRecord("123456000001", 'Q', 80) + "\r\n");
}

} // namespace

TempFolder* MediumTest::s_good = nullptr;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

void WriteCp932Lines(const fs::path& path, const std::vector<std::string>& utf8Lines)
{
    std::string text;
    for (const std::string& line : utf8Lines)
        text += line + "\r\n";
    WriteText(path, Utf8ToCp932(text));
}

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
                              "2,0,CONFIG.INI,\\DATA\\", "2,1,EXCEL,\\形式\\"})
        lines.push_back(entry);
    return lines;
}

std::string ArchiveNamed(const fs::path& work, const std::string& storedName)
{
    fs::path content = work / "named";
    fs::create_directories(content);
    WriteText(content / std::string(storedName.size(), 'x'), "hello\r\n");
    MakeArchive(work / "named.lzh", content, "c0zq");
    std::string bytes = ReadText(work / "named.lzh");
    size_t at = bytes.find(std::string(storedName.size(), 'x'));
    bytes.replace(at, storedName.size(), storedName);
    // The level-0 header's check sum: the sum of its bytes after the first two.
    unsigned sum = 0;
    for (size_t i = 2; i < 2u + static_cast<unsigned char>(bytes[0]); ++i)
        sum += static_cast<unsigned char>(bytes[i]);
    bytes[1] = static_cast<char>(sum);
    fs::remove_all(content);
    fs::remove(work / "named.lzh");
    return bytes;
}

std::string TreeFingerprint(const fs::path& root)
{
    std::string print;
    std::vector<fs::path> paths;
    for (const auto& item : fs::recursive_directory_iterator(root))
        paths.push_back(item.path());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        print += path.string() + "\n";
        if (fs::is_regular_file(path))
            print += std::to_string(fs::last_write_time(path).time_since_epoch().count()) + "\n" + ReadText(path);
    }
    return print;
}

void MediumTest::SetUpTestSuite()
{
    s_good = new TempFolder;
    BuildMedium(s_good->Path());
    BuildInstallation(s_good->Path() / "install");
}

void MediumTest::TearDownTestSuite()
{
    delete s_good;
    s_good = nullptr;
}

void MediumTest::SetUp()
{
    fs::remove_all(m_copy.Path());
    fs::copy(s_good->Path(), m_copy.Path(), fs::copy_options::recursive);
    // A copy is new: the template gets its age here.
    SetLastWrite(Install() / "形式" / "横A-A4g.xlsm", kOldTemplateTime);
    m_info = GoodInfoLines();
}

void MediumTest::SetInfoLine(size_t line, const std::string& utf8)
{
    m_info.resize(std::max(m_info.size(), line));
    m_info[line - 1] = utf8;
    WriteCp932Lines(Disk(1) / "info.txt", m_info);
}

int MediumTest::RunProgram(const std::string& extra, std::string& out) const
{
    const char* bin = std::getenv("PARVEL_BINARY_DIR");
    std::string command = std::string(bin ? bin : ".") + "/check/parvel-check";
    // Each disk's checksum list, of the disk as the test left it, for the run alone.
    std::string lists, removal;
    for (const std::string& root : Roots()) {
        command += " '" + root + "'";
        lists += "(cd '" + root + "' && find . -type f -printf '%P\\0' | xargs -0 -r sha256sum >../.sums && mv "
                 "../.sums SHA256SUMS) 2>/dev/null; ";
        removal += "rm -f '" + root + "/SHA256SUMS'; ";
    }
    if (std::system((lists + "true").c_str()) != 0)
        return -1;
    FILE* pipe = popen((command + " " + extra).c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    int status = pclose(pipe);
    if (std::system(removal.c_str()) != 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}
