// parvel-pack run as media authors run it: a source folder becomes a folder medium or floppy disks that
// parvel-check passes and whose archives extract to the payload; a description it cannot turn into a valid
// medium is refused with its line and reason, and nothing is written to OUT.

#include "BmpBuilder.h"
#include "Extraction.h"
#include "PosixFileSource.h"
#include "PosixTarget.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <random>

namespace {

namespace fs = std::filesystem;

fs::path Binary(const char* relative)
{
    const char* bin = std::getenv("PARVEL_BINARY_DIR");
    return fs::path(bin ? bin : ".") / relative;
}

std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

// sha256sum's own check of the list in a disk's folder.
int Sha256sumCheck(const fs::path& disk)
{
    return std::system(("cd " + Quote(disk) + " && sha256sum --quiet --strict -c SHA256SUMS").c_str());
}

void Write(const fs::path& path, const std::string& data)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Random(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

const char kDescription[] = R"(# test medium
[medium]
uninstall-key: テスト積算
install-folder: C:\テスト
series: 1
master-adjust: 0
category: 1
version: 9.1S
main-picture: pictures/main.bmp
notice-picture: pictures/notice.bmp
edition: 電気
edition: 水道
[notice]
一行目
二行目
[folder-page]
フォルダを指定して下さい。
[entries]
archive START \
archive DATA \DATA\
archive 形式 \形式\
file docs/NOTE.TXT "\My Documents\"
)";

class PackTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* bin = std::getenv("PARVEL_BINARY_DIR");
        m_root = fs::path(bin ? bin : fs::temp_directory_path().string()) / "pack-tests" /
                 std::to_string(std::random_device{}());
        fs::create_directories(m_root);
        m_source = m_root / "source";
        Write(m_source / "medium.txt", kDescription);
        Write(m_source / "Parvel.exe", "MZ not really");
        Write(m_source / "pictures/main.bmp", PlainBmpFile(150)); // 68 KB: on floppies of 130 KB, START goes to disk 2
        Write(m_source / "pictures/notice.bmp", PlainBmpFile());
        Write(m_source / "START1/PROG/表.DAT", Random(90000, 1));
        Write(m_source / "START1/VERSION.TXT", "9.1S\r\n");
        Write(m_source / "START2/VERSION.TXT", std::string(50000, 'w'));
        Write(m_source / "DATA/big.bin", Random(120000, 2));
        Write(m_source / "形式/横A-A4g.xlsm", std::string(3000, 'x'));
        Write(m_source / "docs/NOTE.TXT", "note\r\n");
    }
    void TearDown() override { fs::remove_all(m_root); }

    int Pack(const std::string& options, const fs::path& out, std::string* errors = nullptr)
    {
        fs::path log = m_root / "stderr.txt";
        int status = std::system((Quote(Binary("pack/parvel-pack")) + " " + options + " " + Quote(m_source) + " " +
                                  Quote(out) + " >/dev/null 2>" + Quote(log))
                                     .c_str());
        if (errors)
            *errors = Read(log);
        return WEXITSTATUS(status);
    }

    int Check(const std::vector<fs::path>& disks)
    {
        std::string args;
        for (const auto& d : disks)
            args += " " + Quote(d);
        return WEXITSTATUS(std::system((Quote(Binary("check/parvel-check")) + args + " >/dev/null").c_str()));
    }

    fs::path m_root, m_source;
};

std::map<std::string, std::string> Extract(const fs::path& archive, const fs::path& to)
{
    PosixFileSource source;
    EXPECT_TRUE(source.Open(archive.string()));
    fs::create_directories(to);
    lzh::PosixTarget target(to.string());
    EXPECT_TRUE(lzh::ExtractArchive(source, lzh::Layout::Flat, target, nullptr).ok());
    std::map<std::string, std::string> files;
    for (const auto& item : fs::directory_iterator(to))
        files[item.path().filename().string()] = Read(item.path());
    return files;
}

TEST_F(PackTest, FolderMediumPassesTheCheckAndHoldsThePayload)
{
    fs::path out = m_root / "medium";
    ASSERT_EQ(Pack("", out), 0);
    EXPECT_EQ(Check({out}), 0);
    for (const char* name : {"Parvel.exe", "info.txt", "main.bmp", "notice.bmp", "START1.lzh", "START2.lzh", "DATA.lzh",
                             "形式.lzh", "docs/NOTE.TXT"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_FALSE(fs::exists(out / "START.lzh")); // a folder medium asks for no disk
    EXPECT_FALSE(fs::exists(m_root / "medium.parvel~"));
    // Every file listed, the one in a subfolder too; a byte changed after packing is found by both checks.
    EXPECT_EQ(Sha256sumCheck(out), 0);
    EXPECT_NE(Read(out / "SHA256SUMS").find("  docs/NOTE.TXT\n"), std::string::npos);
    std::string note = Read(out / "docs/NOTE.TXT");
    Write(out / "docs/NOTE.TXT", note + "x");
    EXPECT_NE(Sha256sumCheck(out), 0);
    EXPECT_EQ(Check({out}), 1);
    Write(out / "docs/NOTE.TXT", note);
    // "表.DAT" in CP932, as the extraction writes names.
    auto start1 = Extract(out / "START1.lzh", m_root / "x1");
    EXPECT_EQ(start1["\x95\x5C.DAT"], Random(90000, 1));
    EXPECT_EQ(start1["VERSION.TXT"], "9.1S\r\n");
    std::string info = Read(out / "info.txt");
    // Line 26: the notice's line break as TAB and a filler byte; the entries from line 43, all on disk 1.
    EXPECT_NE(info.find("\x88\xEA\x8D\x73\x96\xDA\t.\x93\xF1\x8D\x73\x96\xDA\r\n"), std::string::npos);
    EXPECT_NE(info.find("\r\n1,1,START,\\\r\n1,1,DATA,\\DATA\\\r\n"), std::string::npos);
    EXPECT_NE(info.find("\r\n1,0,docs\\NOTE.TXT,\\My Documents\\\r\n"), std::string::npos);
}

// The files of each disk of a split medium, by name, but for the disk's SHA256SUMS, which sha256sum checks.
std::vector<std::set<std::string>> Disks(const fs::path& out)
{
    std::vector<std::set<std::string>> disks;
    for (int n = 1; fs::exists(out / ("disk" + std::to_string(n))); ++n) {
        fs::path disk = out / ("disk" + std::to_string(n));
        EXPECT_EQ(Sha256sumCheck(disk), 0) << disk;
        disks.emplace_back();
        for (const auto& item : fs::directory_iterator(disk))
            if (item.path().filename() != "SHA256SUMS")
                disks.back().insert(item.path().filename().string());
    }
    return disks;
}

uint64_t OnDisk(const fs::path& file) { return (fs::file_size(file) + 511) / 512 * 512; }

// A disk is full when its whole 512-byte clusters run out, START.lzh's own on a later disk and each disk's
// SHA256SUMS (one cluster here) included. D fills disk 2 exactly with MID, START1, the marker and the list;
// Parvel.exe is sized to fill disk 1 exactly.
TEST_F(PackTest, DisksFillToTheirLastCluster)
{
    Write(m_source / "medium.txt", "[medium]\nuninstall-key: T\nedition: 電気\n[entries]\narchive BIG \\\narchive MID \\\n"
                                   "archive START \\\n");
    Write(m_source / "BIG/big.bin", Random(10000, 3));
    Write(m_source / "MID/mid.bin", Random(60000, 4));
    fs::remove_all(m_source / "START2");
    std::string errors;
    ASSERT_EQ(Pack("", m_root / "sizes", &errors), 0) << errors;
    auto size = [&](const char* name) { return OnDisk(m_root / "sizes" / name); };
    const uint64_t d = size("MID.lzh") + size("START1.lzh") + 512 + 512;
    const uint64_t exe = d - size("info.txt") - size("BIG.lzh") - 512;
    using Layout = std::vector<std::set<std::string>>;
    const std::set<std::string> one = {"Parvel.exe", "info.txt", "BIG.lzh"};
    const struct {
        uint64_t diskSize, exeSize;
        Layout disks;
    } cases[] = {
        {d, exe, {one, {"MID.lzh", "START1.lzh", "START.lzh"}}},
        // One cluster less: the marker's cluster sends START to a third disk.
        {d - 512, exe - 512, {one, {"MID.lzh"}, {"START1.lzh", "START.lzh"}}},
        // One byte more of Parvel.exe takes a whole cluster: BIG no longer fits beside it.
        {d, exe + 1, {{"Parvel.exe", "info.txt"}, {"BIG.lzh", "MID.lzh"}, {"START1.lzh", "START.lzh"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.diskSize) + " " + std::to_string(c.exeSize));
        Write(m_source / "Parvel.exe", Random(c.exeSize, 5));
        fs::path out = m_root / ("disks" + std::to_string(c.exeSize));
        ASSERT_EQ(Pack("--disk-size=" + std::to_string(c.diskSize), out, &errors), 0) << errors;
        EXPECT_EQ(Disks(out), c.disks);
    }
}

// A description that cannot become a medium is refused with its line and reason; at a limit it is accepted.
TEST_F(PackTest, DescriptionsAreRefusedWithLineAndReasonPastTheirLimits)
{
    struct Case {
        std::string from, to; // a change to the description
        std::string options;
        int line; // 0: accepted
        std::string reason;
    };
    const std::string name31 = "N" + std::string(26, 'x') + ".TXT", name32 = "N" + std::string(27, 'x') + ".TXT";
    std::string breaks, entries; // 99 line breaks, 97 entries: the cases add one more, or take one less
    for (int i = 0; i < 97; ++i) {
        Write(m_source / ("F" + std::to_string(i) + ".TXT"), "f");
        entries += "\nfile F" + std::to_string(i) + ".TXT \\";
    }
    for (int i = 0; i < 99; ++i)
        breaks += "\n.";
    const std::string entries96 = entries.substr(0, entries.rfind('\n'));
    for (const std::string& name : {name31, name32})
        Write(m_source / name, "n");
    const Case cases[] = {
        {"二行目", "二行目" + breaks, "", 0, ""}, // 100 line breaks
        {"二行目", "二行目" + breaks + "\n.", "", 114, "more than 100 line breaks"},
        {"docs/NOTE.TXT", name31, "", 0, ""},
        {"docs/NOTE.TXT", name32, "", 22, "longer than the 31 bytes"},
        {"\"\\My Documents\\\"", "\\" + entries96, "", 0, ""}, // 100 entries
        {"\"\\My Documents\\\"", "\\" + entries, "", 119, "more than 100 entries"},
        {"version: 9.1S", "version: 9.1S \xF0\x9F\x98\x80", "", 8, "code page 932"},
        {"archive DATA \\DATA\\", "archive CON \\DATA\\", "", 20, "cannot be the name of an archive"},
        {"archive DATA \\DATA\\", "archive NONE \\DATA\\", "", 20, "no payload folder NONE"},
        {"archive DATA \\DATA\\", "archive DATA DATA", "", 20, "must start and end with"},
        {"series: 1", "series: one", "", 5, "must be a number"},
        {"edition: 水道", "edition: 水道\xE2\x82\xAC", "", 12, "code page 932"}, // the second edition's line
        {"二行目", "二行目\tタブ", "", 15, "TAB"},
        {"edition: 水道", "colour: blue", "", 12, "unknown setting"},
        {"archive DATA \\DATA\\", "archive DATA \\DATA\\", "--disk-size=95000", 20, "larger than a disk"},
        {"archive DATA \\DATA\\", "archive DATA \"\\My Data\\", "", 20, "double quotes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to + " " + c.options);
        std::string description = kDescription;
        description.replace(description.find(c.from), c.from.size(), c.to);
        Write(m_source / "medium.txt", description);
        fs::path out = m_root / "refused";
        std::string errors;
        EXPECT_EQ(Pack(c.options, out, &errors), c.line == 0 ? 0 : 1) << errors;
        if (c.line == 0) {
            fs::remove_all(out);
            continue;
        }
        EXPECT_NE(errors.find("medium.txt:" + std::to_string(c.line) + ": "), std::string::npos) << errors;
        EXPECT_NE(errors.find(c.reason), std::string::npos) << errors;
        EXPECT_FALSE(fs::exists(out));
        EXPECT_FALSE(fs::exists(m_root / "refused.parvel~"));
    }
}

TEST_F(PackTest, PayloadsWhoseFilesWouldCollideAndExistingOutputsAreRefused)
{
    Write(m_source / "DATA/sub/big.bin", "other");
    std::string errors;
    EXPECT_EQ(Pack("", m_root / "out", &errors), 1);
    EXPECT_NE(errors.find("medium.txt:20: two files of the same name"), std::string::npos) << errors;
    fs::remove_all(m_source / "DATA/sub");
    // A name Windows cannot create, which extraction would refuse.
    Write(m_source / "DATA/aux.txt", "device");
    EXPECT_EQ(Pack("", m_root / "out", &errors), 1);
    EXPECT_NE(errors.find("medium.txt:20: a name an archive may not hold"), std::string::npos) << errors;
    fs::remove(m_source / "DATA/aux.txt");
    Write(m_root / "taken/keep.txt", "mine");
    EXPECT_EQ(Pack("", m_root / "taken", &errors), 1);
    EXPECT_EQ(Read(m_root / "taken/keep.txt"), "mine");
    EXPECT_EQ(Pack("--bogus", m_root / "out"), 2);
}

// The sample medium's own description (scripts/demo builds it), as one folder and as floppy disks.
TEST_F(PackTest, TheDemoDescriptionBuildsBothWays)
{
    const char* src = std::getenv("PARVEL_SOURCE_DIR");
    ASSERT_NE(src, nullptr);
    fs::remove_all(m_source);
    fs::create_directories(m_source);
    fs::copy_file(fs::path(src) / "demo/medium/medium.txt", m_source / "medium.txt");
    Write(m_source / "Parvel.exe", Random(400000, 5));
    for (const char* picture : {"main.bmp", "notice.bmp", "folder.bmp", "confirm.bmp"})
        Write(m_source / picture, PlainBmpFile(picture == std::string("main.bmp") ? 400 : 32));
    Write(m_source / "START1/PROG.DAT", Random(500000, 6));
    Write(m_source / "MASTER/zai900-3.mst", "400400000107XA\r\n");
    Write(m_source / "EXCEL/横A-A4g.xlsm", "template\r\n");
    Write(m_source / "README.TXT", "readme\r\n");
    ASSERT_EQ(Pack("", m_root / "folder"), 0);
    EXPECT_EQ(Check({m_root / "folder"}), 0);
    ASSERT_EQ(Pack("--disk-size=900000", m_root / "disks"), 0);
    EXPECT_EQ(Check({m_root / "disks/disk1", m_root / "disks/disk2"}), 0);
    EXPECT_TRUE(fs::exists(m_root / "disks/disk2/START.lzh"));
}

// A 1.44 MB floppy's root folder holds 224 entries; a long name takes one more for each 13 characters.
// Parvel.exe, info.txt and SHA256SUMS take 2 each; each 29-character name 4, a 13-character one 2, NOTE.TXT 1.
TEST_F(PackTest, RootFolderEntriesFillADiskToo)
{
    const struct {
        int longNames;
        bool medium, shortName;
        size_t disks;
    } cases[] = {{54, false, true, 1}, {54, true, false, 1}, {54, true, true, 2}}; // 223, 224, 225 entries
    for (const auto& c : cases) {
        SCOPED_TRACE(c.longNames);
        std::string description = "[medium]\nuninstall-key: T\n[entries]\n";
        auto add = [&](const std::string& name) {
            Write(m_source / name, "x");
            description += "file " + name + " \\DOC\\\n";
        };
        for (int i = 0; i < c.longNames; ++i)
            add("a-long-loose-file-name-" + std::to_string(10 + i) + ".txt");
        if (c.medium)
            add("medium-10.txt");
        if (c.shortName)
            add("NOTE.TXT");
        Write(m_source / "medium.txt", description);
        fs::path out = m_root / ("floppies" + std::to_string(c.longNames) + std::to_string(c.medium) +
                                 std::to_string(c.shortName));
        std::string errors;
        ASSERT_EQ(Pack("--disk-size", out, &errors), 0) << errors;
        std::vector<std::set<std::string>> disks = Disks(out);
        ASSERT_EQ(disks.size(), c.disks);
        if (c.disks == 2) {
            EXPECT_EQ(disks[1], std::set<std::string>{"NOTE.TXT"});
        }
    }
}

}
