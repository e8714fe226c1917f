// Archives crafted after faults once found in other LHA readers. Each fails with the right kind of message,
// in bounded time, writing nothing.

#include "TestSupport.h"

#include "ArchiveScan.h"
#include "Crc16.h"

#include <gtest/gtest.h>

using namespace lzhtest;
using lzh::FailureKind;

namespace {

const Bytes kHello = {'h', 'e', 'l', 'l', 'o'};

Bytes WithEnd(Bytes b)
{
    b.push_back(0);
    return b;
}

Bytes Level3(uint32_t headerSize)
{
    Bytes h(32);
    h[0] = 4;
    std::string m = "-lh0-";
    std::copy(m.begin(), m.end(), h.begin() + 2);
    h[20] = 3;
    PutU32(h, 24, headerSize);
    return h;
}

// A well-formed level-3 header: 4-byte size fields, a folder, the name and a header CRC.
Bytes Level3Entry(const std::string& folder, const std::string& name, const Bytes& data, bool badHeaderCrc)
{
    Bytes crcExt{0x00, 0, 0};
    Bytes folderExt{0x02};
    folderExt.insert(folderExt.end(), folder.begin(), folder.end());
    Bytes nameExt{0x01};
    nameExt.insert(nameExt.end(), name.begin(), name.end());
    Bytes h = Level3(0);
    PutU32(h, 7, static_cast<uint32_t>(data.size()));
    PutU32(h, 11, static_cast<uint32_t>(data.size()));
    PutU32(h, 15, 0x5A2B6000);
    h[19] = 0x20;
    PutU16(h, 21, lzh::UpdateCrc16(0, data.data(), data.size()));
    h[23] = 'U';
    h.resize(28);
    size_t crcAt = 0;
    for (const Bytes* x : {&crcExt, &folderExt, &nameExt}) {
        h.resize(h.size() + 4);
        PutU32(h, h.size() - 4, static_cast<uint32_t>(x->size() + 4));
        if (x == &crcExt)
            crcAt = h.size() + 1;
        h.insert(h.end(), x->begin(), x->end());
    }
    h.resize(h.size() + 4);
    PutU32(h, 24, static_cast<uint32_t>(h.size()));
    uint16_t crc = lzh::UpdateCrc16(0, h.data(), h.size());
    PutU16(h, crcAt, badHeaderCrc ? crc ^ 1u : crc);
    h.insert(h.end(), data.begin(), data.end());
    return h;
}

Bytes Level2WithExtSize(uint32_t size)
{
    Bytes a = Level2({"a.txt", kHello});
    PutU16(a, 24, size);
    return a;
}

Bytes Level1NameBeyondHeader()
{
    Bytes a = Level0({"a.txt", kHello});
    a[20] = 1;
    a[21] = 200;
    FixChecksum(a);
    return a;
}

Bytes PackedBeyondFile()
{
    Bytes a = Level0({"a.txt", kHello});
    PutU32(a, 7, 1000);
    FixChecksum(a);
    return a;
}

// -lh5- block: 16-bit count, then a temp table whose 5-bit count says 31 (> 19 lengths).
Bytes Lh5Stream(std::initializer_list<uint8_t> bytes)
{
    return Bytes(bytes);
}

Bytes Lh5Entry(const Bytes& packed)
{
    Entry e("a.txt", Bytes(100, 'x'), "-lh5-", packed);
    return Level0(e);
}

struct HostileCase {
    const char* what;
    Bytes archive;
    FailureKind expected;
};

std::vector<HostileCase> Cases()
{
    Bytes longName(256, 'a');
    return {
        {"level 3 header under 32 bytes", WithEnd(Level3(20)), FailureKind::NotAnArchive},
        {"level 3 header of 0xFFFFFFFF", WithEnd(Level3(0xFFFFFFFF)), FailureKind::NotAnArchive},
        {"extended header size 1", Level2WithExtSize(1), FailureKind::NotAnArchive},
        {"extended header size 2", Level2WithExtSize(2), FailureKind::NotAnArchive},
        {"extended header beyond the header", Level2WithExtSize(400), FailureKind::NotAnArchive},
        {"level 1 name beyond the header", Level1NameBeyondHeader(), FailureKind::NotAnArchive},
        {"second header broken", WithEnd(Level0({"a.txt", kHello})) , FailureKind::None},
        {"level 2 header CRC wrong", WithEnd(Level2({"a.txt", kHello}, {{0x00, 0x12, 0x34}})), FailureKind::NotAnArchive},
        {"header check sum wrong", [] { Bytes a = WithEnd(Level0({"a.txt", kHello})); a[1] ^= 1; return a; }(),
         FailureKind::NotAnArchive},
        {"compressed size beyond the file", PackedBeyondFile(), FailureKind::Truncated},
        {"stored data ending before the member", WithEnd(Level0({"a.txt", kHello, "-lh0-", {'h', 'e'}})),
         FailureKind::Truncated},
        // Its checksum right, but no room for the size of a first extension.
        {"level 1 header two bytes short", [] {
             Bytes a = Level1({"a.txt", {}}, 0);
             a.erase(a.begin() + 30, a.begin() + 32);
             a[0] = static_cast<uint8_t>(a[0] - 2);
             FixChecksum(a);
             return WithEnd(a);
         }(), FailureKind::NotAnArchive},
        // 0xFFFF symbols; temp-table count 31 > 19.
        {"code lengths past the table", Lh5Entry(Lh5Stream({0xFF, 0xFF, 0xF8, 0, 0, 0, 0})), FailureKind::BrokenData},
        // Temp table of one length-1 code: over half the code space unused, then a code that lands there.
        {"code table that never resolves", Lh5Entry(Lh5Stream({0xFF, 0xFF, 0x09, 0x00, 0xFF, 0xFF, 0xFF, 0xFF})),
         FailureKind::BrokenData},
        {"unknown method", Level0({"a.txt", kHello, "-lh9-"}), FailureKind::UnsupportedMethod},
        {"name over 255 bytes", Level2({std::string(longName.begin(), longName.end()), kHello}),
         FailureKind::UnsafeName},
        {"wildcard", Level0({"a*.txt", kHello}), FailureKind::UnsafeName},
        {"empty name", Level0({"", kHello}), FailureKind::UnsafeName},
        {"empty file", Bytes{}, FailureKind::NoMembers},
        {"end mark only", Bytes{0}, FailureKind::NoMembers},
        {"4 KB of zeros", Bytes(4096, 0), FailureKind::NoMembers},
        {"crc mismatch", [] { Bytes a = Level0({"a.txt", kHello}); a.back() ^= 1; return a; }(), FailureKind::CrcError},
        {"text file", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', ' ', 't', 'h', 'i', 's', ' ', 'i',
                            's', ' ', 'n', 'o', 't', ' ', 'l', 'z', 'h'},
         FailureKind::NotAnArchive},
    };
}

TEST(HostileTest, EachFailsCleanly)
{
    for (const HostileCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        fs::path out = temp.Path() / "out";
        fs::create_directories(out);
        EXPECT_EQ(ExtractBytes(c.archive, out).kind, c.expected);
        if (c.expected != FailureKind::None) {
            EXPECT_TRUE(fs::is_empty(out));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), 1);
    }
}

TEST(HostileTest, Level3HeaderExtractsAndItsCrcIsChecked)
{
    TempFolder good;
    ASSERT_EQ(ExtractBytes(WithEnd(Level3Entry("sub\xFF", "a.txt", kHello, false)), good.Path()).kind,
              FailureKind::None);
    EXPECT_EQ(ReadTree(good.Path()), (std::map<std::string, Bytes>{{"sub/a.txt", kHello}}));

    TempFolder bad;
    EXPECT_NE(ExtractBytes(WithEnd(Level3Entry("sub\xFF", "a.txt", kHello, true)), bad.Path()).kind,
              FailureKind::None);
    EXPECT_TRUE(fs::is_empty(bad.Path()));
}

// Under x a root is dropped and ".." refused; under e only the last component counts. Nothing lands outside.
TEST(HostileTest, NamesStayInsideTheDestination)
{
    struct NameCase {
        std::string stored;
        const char* underX; // nullptr: refused
        const char* underE;
    };
    const NameCase cases[] = {
        {"..\\a.txt", nullptr, "a.txt"},
        {"x\xFF..\xFF..\xFF" "a.txt", nullptr, "a.txt"},
        {"/etc/a.txt", "etc/a.txt", "a.txt"},
        {"C:\\WINDOWS\\a.txt", "windows/a.txt", "a.txt"},
        {"\\\\server\\share\\a.txt", "server/share/a.txt", "a.txt"},
        {"sub\\con.txt", nullptr, nullptr},
        {"sub\\", "sub", nullptr},
    };
    for (const NameCase& c : cases) {
        for (lzh::Layout layout : {lzh::Layout::WithFolders, lzh::Layout::Flat}) {
            const char* expected = layout == lzh::Layout::Flat ? c.underE : c.underX;
            SCOPED_TRACE(c.stored + (layout == lzh::Layout::Flat ? " under e" : " under x"));
            TempFolder temp;
            fs::path out = temp.Path() / "out";
            fs::create_directories(out);
            EXPECT_EQ(ExtractBytes(WithEnd(Level0({c.stored, kHello})), out, layout).kind,
                      expected ? FailureKind::None : FailureKind::UnsafeName);
            std::map<std::string, Bytes> tree;
            if (expected)
                tree[expected] = kHello;
            EXPECT_EQ(ReadTree(out), tree);
            EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), 1);
        }
    }
}

// A Windows archiver's times extension holds creation, last write and last access: the file keeps the second.
TEST(HostileTest, WindowsTimesGiveTheLastWrite)
{
    Bytes times(25, 0);
    times[0] = 0x41;
    for (uint8_t i = 0; i < 3; ++i)
        times[1 + 8 * i] = i + 1;
    Bytes archive = WithEnd(Level2({"a.txt", kHello}, {times}));
    MemorySource source(archive.data(), archive.size());
    std::vector<lzh::ScannedEntry> entries;
    ASSERT_TRUE(lzh::ScanArchive(source, lzh::Layout::Flat, entries).ok());
    EXPECT_EQ(entries[0].header.timeKind, lzh::TimeKind::FileTime);
    EXPECT_EQ(entries[0].header.time, 2u);
}

// LHA for OS-9/68k writes its level-2 size two bytes short; a right size under its system id reads too.
TEST(HostileTest, Os9LevelTwoReadsWithEitherSize)
{
    for (const Bytes& archive : {Os9Level2Archive(), WithEnd(Level2({"hello.txt", kHelloWorld}, {}, 'K'))}) {
        TempFolder out;
        ASSERT_EQ(ExtractBytes(archive, out.Path()).kind, FailureKind::None);
        EXPECT_EQ(ReadTree(out.Path()), (std::map<std::string, Bytes>{{"hello.txt", kHelloWorld}}));
    }
}

// 表 is 0x95 0x5C: its trail byte is a backslash, which must not split the name.
TEST(HostileTest, TrailByte5CStaysInTheName)
{
    TempFolder out;
    Bytes archive = Level0({"\x95\x5C" "\\\x95\x5C.txt", kHello});
    ASSERT_EQ(ExtractBytes(archive, out.Path()).kind, FailureKind::None);
    EXPECT_EQ(ReadBytes(out.Path() / "\x95\x5C" / "\x95\x5C.txt"), kHello);
}

TEST(HostileTest, LaterEntryFailingLeavesEarlierFilesWhole)
{
    Bytes archive = Level0({"first.txt", kHello});
    Bytes second = Level0({"second.txt", kHello});
    second.back() ^= 1;
    archive.insert(archive.end(), second.begin(), second.end());
    TempFolder out;
    EXPECT_EQ(ExtractBytes(archive, out.Path()).kind, FailureKind::CrcError);
    EXPECT_EQ(ReadTree(out.Path()), (std::map<std::string, Bytes>{{"first.txt", kHello}}));
}

}
