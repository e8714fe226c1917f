// Archives made at test time by jlha (an independent LHA writer): methods lh0, lh5, lh6, lh7 crossed with
// header levels 0, 1 and 2, with an empty file, a file over 1 MB and a CP932 name in a CP932 folder.

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace lzhtest;

namespace {

// CP932 for 形式 and 横A-A4g.xlsm; jlha stores names in CP932 when run under ja_JP.UTF-8.
const char kFolderUtf8[] = "\xE5\xBD\xA2\xE5\xBC\x8F";
const char kFileUtf8[] = "\xE6\xA8\xAA" "A-A4g.xlsm";
const char kFolderCp932[] = "\x8C\x60\x8E\xAE";
const char kFileCp932[] = "\x89\xA1" "A-A4g.xlsm";

class JlhaTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_temp = new TempFolder;
        fs::path src = s_temp->Path() / "src";
        fs::create_directories(src / kFolderUtf8);
        Bytes big;
        for (int i = 0; big.size() < 1300000; ++i) {
            std::string line = "line " + std::to_string(i * 7919 % 100003) + " of the estimate\n";
            big.insert(big.end(), line.begin(), line.end());
        }
        WriteBytes(src / kFolderUtf8 / kFileUtf8, big);
        WriteBytes(src / "empty.txt", {});
        WriteBytes(src / "big.txt", big);
    }
    static void TearDownTestSuite() { delete s_temp; }

    static fs::path MakeArchive(const std::string& options)
    {
        fs::path archive = s_temp->Path() / (options + ".lzh");
        std::string files = std::string("'") + kFolderUtf8 + "/" + kFileUtf8 + "' empty.txt big.txt";
        Shell("cd '" + (s_temp->Path() / "src").string() + "' && LANG=ja_JP.UTF-8 jlha c" + options + "q '" +
              archive.string() + "' " + files + " >/dev/null 2>&1");
        return archive;
    }

    static TempFolder* s_temp;
};

TempFolder* JlhaTest::s_temp = nullptr;

TEST_F(JlhaTest, EveryMethodAndLevelExtractsTheSourceFiles)
{
    Bytes big = ReadBytes(s_temp->Path() / "src" / "big.txt");
    for (const char* method : {"z", "o5", "o6", "o7"}) {
        for (const char* level : {"0", "1", "2"}) {
            SCOPED_TRACE(std::string(method) + " level " + level);
            fs::path archive = MakeArchive(std::string(level) + method);
            ASSERT_TRUE(fs::exists(archive));
            TempFolder out;
            ASSERT_EQ(ExtractFile(archive, out.Path()).kind, lzh::FailureKind::None);
            EXPECT_EQ(ReadBytes(out.Path() / kFolderCp932 / kFileCp932), big);
            EXPECT_TRUE(fs::exists(out.Path() / "empty.txt"));
            EXPECT_EQ(fs::file_size(out.Path() / "empty.txt"), 0u);
            EXPECT_EQ(ReadBytes(out.Path() / "big.txt"), big);
        }
    }
}

// The decoder writes in whole 256 KiB chunks and carries bytes a match wrote past a chunk into the next one.
// Long matches of a repeated line cross every chunk end; the files end just before, at and after one.
TEST_F(JlhaTest, FilesEndingAroundAWriteChunkExtractWhole)
{
    const size_t chunk = 256 * 1024;
    fs::path src = s_temp->Path() / "chunks";
    fs::create_directories(src);
    std::string names;
    std::map<std::string, Bytes> expected;
    for (size_t size : {chunk - 1, chunk, chunk + 1, 2 * chunk, 2 * chunk + 255}) {
        Bytes data;
        for (int i = 0; data.size() < size; ++i) {
            // Mostly one long repeated text, so matches run at the longest; now and then a varying number.
            std::string line = i % 50 == 0 ? std::to_string(i * 7919) : "valve conduit breaker panel fitting ";
            data.insert(data.end(), line.begin(), line.end());
        }
        data.resize(size);
        std::string name = "size" + std::to_string(size) + ".txt";
        WriteBytes(src / name, data);
        expected[name] = data;
        names += " " + name;
    }
    for (const char* method : {"o5", "o7"}) {
        SCOPED_TRACE(method);
        fs::path archive = s_temp->Path() / (std::string(method) + "chunks.lzh");
        Shell("cd '" + src.string() + "' && jlha c2" + method + "q '" + archive.string() + "'" + names +
              " >/dev/null 2>&1");
        ASSERT_TRUE(fs::exists(archive));
        TempFolder out;
        ASSERT_EQ(ExtractFile(archive, out.Path()).kind, lzh::FailureKind::None);
        EXPECT_EQ(ReadTree(out.Path()), expected);
    }
}

// Methods no LHA writer here makes, from streams that are also theirs: an -lh7- stream is a valid -lhx- one
// (same code, larger offset table), and an -lh5- stream whose matches stay within 4 KiB a valid -lh4- one.
TEST_F(JlhaTest, RelabelledStreamsDecodeAsLhxAndLh4)
{
    Bytes small;
    for (int i = 0; small.size() < 4000; ++i) {
        std::string line = "panel " + std::to_string(i % 37) + " conduit\n";
        small.insert(small.end(), line.begin(), line.end());
    }
    fs::create_directories(s_temp->Path() / "small");
    WriteBytes(s_temp->Path() / "small" / "small.txt", small);
    Shell("cd '" + (s_temp->Path() / "small").string() + "' && jlha c0o5q ../small.lzh small.txt >/dev/null 2>&1");
    const struct {
        fs::path archive;
        char from, to;
        fs::path member;
    } cases[] = {{MakeArchive("0o7"), '7', 'x', s_temp->Path() / "src" / "big.txt"},
                 {s_temp->Path() / "small.lzh", '5', '4', s_temp->Path() / "small" / "small.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        Bytes archive = ReadBytes(c.archive);
        size_t relabelled = 0;
        for (size_t at = 0; at + 2 < archive.size() && archive[at] != 0;) {
            ASSERT_EQ(std::string(archive.begin() + at + 2, archive.begin() + at + 7).substr(0, 3), "-lh");
            if (archive[at + 5] == c.from && ++relabelled)
                archive[at + 5] = c.to;
            Bytes header(archive.begin() + at, archive.end());
            FixChecksum(header);
            archive[at + 1] = header[1];
            at += archive[at] + 2 + (archive[at + 7] | (archive[at + 8] << 8) | (archive[at + 9] << 16));
        }
        EXPECT_GT(relabelled, 0u);
        TempFolder out;
        ASSERT_EQ(ExtractBytes(archive, out.Path()).kind, lzh::FailureKind::None);
        EXPECT_EQ(ReadBytes(out.Path() / c.member.filename()), ReadBytes(c.member));
    }
}

}
