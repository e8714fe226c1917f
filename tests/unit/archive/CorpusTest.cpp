// Real archives made by many LHA programs, and archives crafted as other systems' archivers write them: each
// extracts to what lhasa extracts, under x and under e (lhasa's i); the regression archives fail cleanly,
// leaving nothing behind outside (or inside) the destination.

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace lzhtest;

namespace {

using lzh::FailureKind;

const Bytes& kHello = kHelloWorld;

Bytes WithEnd(Bytes b)
{
    b.push_back(0);
    return b;
}

struct CorpusCase {
    const char* file;                  // in the corpus, or the crafted archive's name
    FailureKind underX = FailureKind::None; // None: must equal lhasa's output
    FailureKind underE = FailureKind::None;
    Bytes (*craft)() = nullptr;
    Bytes (*lhasaSameAs)() = nullptr; // lhasa loses this archive's members: the same files as lhasa reads them
};

const CorpusCase kCases[] = {
    {"explzh_723/h0_lh0.lzh"}, {"explzh_723/h0_lh5.lzh"}, {"explzh_723/h0_lh6.lzh"}, {"explzh_723/h0_lh7.lzh"},
    {"explzh_723/h0_subdir.lzh"}, {"explzh_723/h1_lh0.lzh"}, {"explzh_723/h1_lh5.lzh"}, {"explzh_723/h1_lh6.lzh"},
    {"explzh_723/h1_lh7.lzh"}, {"explzh_723/h1_subdir.lzh"}, {"explzh_723/h2_lh0.lzh"}, {"explzh_723/h2_lh5.lzh"},
    {"explzh_723/h2_lh6.lzh"}, {"explzh_723/h2_lh7.lzh"}, {"explzh_723/h2_subdir.lzh"},
    {"generated/lzs/long.lzs"}, {"generated/lzs/lzs.lzs"},
    {"larc333/initial.lzs"}, {"larc333/long.lzs"}, {"larc333/lz4.lzs"}, {"larc333/lz5.lzs"}, {"larc333/subdir.lzs"},
    {"lengths/lh1-0.lzh"}, {"lengths/lh1-1.lzh"}, {"lengths/lh1-1m.lzh"}, {"lengths/lh1-2m.lzh"},
    {"lengths/lh1-64k.lzh"}, {"lengths/lz5-0.lzs"}, {"lengths/lz5-1.lzs"}, {"lengths/lz5-1m.lzs"},
    {"lengths/lz5-64k.lzs"},
    {"lha213/lh0.lzh"}, {"lha213/lh5.lzh"}, {"lha213/lh5_long.lzh"}, {"lha213/subdir.lzh"},
    {"lha255e/lh0.lzh"}, {"lha255e/lh5.lzh"}, {"lha255e/subdir.lzh"},
    {"lha_unix114i/h0_lh0.lzh"}, {"lha_unix114i/h0_lh5.lzh"}, {"lha_unix114i/h0_lh6.lzh"},
    {"lha_unix114i/h0_lh7.lzh"}, {"lha_unix114i/h1_lh0.lzh"}, {"lha_unix114i/h1_lh5.lzh"},
    {"lha_unix114i/h1_lh6.lzh"}, {"lha_unix114i/h1_lh7.lzh"}, {"lha_unix114i/h1_subdir.lzh"},
    {"lha_unix114i/h2_lh0.lzh"}, {"lha_unix114i/h2_lh5.lzh"}, {"lha_unix114i/h2_lh6.lzh"},
    {"lha_unix114i/h2_lh7.lzh"}, {"lha_unix114i/h2_subdir.lzh"}, {"lha_unix114i/lh6_long.lzh"},
    {"lha_unix114i/lh7_long.lzh"},
    {"regression/dir.lzh"}, {"regression/multiple.lzh"}, {"regression/unixsep.lzh"}, {"regression/abspath.lzh"},
    {"crafted/windows-root.lzh", FailureKind::None, FailureKind::None, WindowsRootArchive},
    {"crafted/mac-root.lzh", FailureKind::None, FailureKind::None, MacRootArchive},
    {"crafted/os9-level2.lzh", FailureKind::None, FailureKind::None, Os9Level2Archive},
    {"crafted/amiga-comment.lzh", FailureKind::None, FailureKind::None, AmigaCommentArchive},
    {"crafted/macbinary.lzh", FailureKind::None, FailureKind::None, MacBinaryArchive},
    {"crafted/amiga-folder.lzh", FailureKind::None, FailureKind::None, AmigaFolderArchive, AmigaFolderAsLhasaReadsIt},
    {"crafted/empty.lzh", FailureKind::NoMembers, FailureKind::NoMembers, [] { return Bytes{}; }},
    {"crafted/end-mark.lzh", FailureKind::NoMembers, FailureKind::NoMembers, [] { return Bytes{0}; }},
    {"crafted/zeros.lzh", FailureKind::NoMembers, FailureKind::NoMembers, [] { return Bytes(4096, 0); }},
    {"crafted/text.lzh", FailureKind::NotAnArchive, FailureKind::NotAnArchive, [] { return Bytes(100, 'z'); }},
    // Level 0 cannot hold these folder names: they are stored empty. Under e they do not matter.
    {"lha_unix114i/h0_subdir.lzh", FailureKind::UnsafeName, FailureKind::None, nullptr,
     [] { return ReadBytes(CorpusDir() / "lha_unix114i/h1_subdir.lzh"); }},
    {"lha_unix114i/h0_symlink.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink2.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink3.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink2.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink3.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"regression/badterm.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"regression/dotdot.lzh", FailureKind::UnsafeName},
    {"regression/symlink1.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"regression/symlink2.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"regression/symlink3.lzh", FailureKind::UnsafeName, FailureKind::UnsafeName},
    {"regression/truncated.lzh", FailureKind::Truncated, FailureKind::Truncated},
};

class CorpusTest : public testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusTest, ExtractsLikeLhasaOrFailsCleanly)
{
    const CorpusCase& c = GetParam();
    SCOPED_TRACE(c.file);
    TempFolder temp;
    fs::path archive = CorpusDir() / c.file;
    if (c.craft) {
        archive = temp.Path() / "crafted.lzh";
        WriteBytes(archive, c.craft());
    }
    ASSERT_TRUE(fs::exists(archive)) << archive;
    for (lzh::Layout layout : {lzh::Layout::WithFolders, lzh::Layout::Flat}) {
        bool flat = layout == lzh::Layout::Flat;
        SCOPED_TRACE(flat ? "under e" : "under x");
        fs::path ours = temp.Path() / (flat ? "e" : "x");
        fs::create_directories(ours);
        lzh::Failure failure = ExtractFile(archive, ours, layout);
        FailureKind expected = flat ? c.underE : c.underX;
        EXPECT_EQ(failure.kind, expected) << failure.entry;
        if (expected != FailureKind::None) {
            EXPECT_TRUE(fs::is_empty(ours));
            continue;
        }
        fs::path theirs = temp.Path() / (flat ? "lhasa-e" : "lhasa-x");
        fs::create_directories(theirs);
        fs::path reference = archive;
        if (c.lhasaSameAs) {
            reference = temp.Path() / "reference.lzh";
            WriteBytes(reference, c.lhasaSameAs());
        }
        ASSERT_EQ(Shell("cd '" + theirs.string() + "' && lhasa xqf" + (flat ? "i" : "") + " '" + reference.string() +
                        "' >/dev/null 2>&1"),
                  0);
        EXPECT_EQ(ReadTree(ours), ReadTree(theirs));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, testing::ValuesIn(kCases));

template <typename Edit>
Bytes Edited(Bytes member, Edit edit)
{
    edit(member);
    return member;
}

// A Mac archive's member is written as its data fork only when its MacBinary header fits the member: any other
// first 128 bytes are kept. Like lhasa, except that lhasa keeps MacBinary II headers however sound.
TEST(MacBinaryTest, OnlyAHeaderThatFitsTheMemberIsDropped)
{
    const Bytes resource = {'r', 's', 'r', 'c'};
    const Bytes wrapped = MacBinaryWrapped("hello.txt", kHello, resource);
    // Version 129 and the CRC-16/XMODEM of bytes 0-0x7B of this very header, worked out apart.
    auto macBinary2 = [](Bytes& m, int crcDelta) {
        m[0x7A] = m[0x7B] = 129;
        uint16_t crc = static_cast<uint16_t>(0x86CA + crcDelta);
        m[0x7C] = static_cast<uint8_t>(crc >> 8);
        m[0x7D] = static_cast<uint8_t>(crc);
    };
    struct Case {
        const char* what;
        Bytes member;
        Bytes written;
        uint8_t os = 'm';
        bool likeLhasa = true;
    };
    const Case cases[] = {
        {"data fork", wrapped, kHello},
        {"resource fork alone", MacBinaryWrapped("hello.txt", {}, resource), resource},
        {"forks of whole blocks", MacBinaryWrapped("hello.txt", Bytes(128, 'd'), {}), Bytes(128, 'd')},
        {"not a Mac archive", wrapped, wrapped, 'U'},
        {"old version byte set", Edited(wrapped, [](Bytes& m) { m[0] = 1; }), {}},
        {"name of another file", MacBinaryWrapped("hello.bin", kHello, resource), {}},
        {"name length 0", Edited(wrapped, [](Bytes& m) { m[1] = 0; }), {}},
        {"name length 64", Edited(wrapped, [](Bytes& m) { m[1] = 64; }), {}},
        {"bytes behind the name", Edited(wrapped, [](Bytes& m) { m[0x40] = 'x'; }), {}},
        {"zero fill at 0x4A set", Edited(wrapped, [](Bytes& m) { m[0x4A] = 1; }), {}},
        {"MacBinary II", Edited(wrapped, [&](Bytes& m) { macBinary2(m, 0); }), kHello, 'm', false},
        {"MacBinary II with a wrong CRC", Edited(wrapped, [&](Bytes& m) { macBinary2(m, 1); }), {}},
        {"data fork beyond the member", Edited(wrapped, [](Bytes& m) { PutBigEndian32(m, 0x53, 200); }), {}},
        {"member longer than its forks", Edited(wrapped, [](Bytes& m) { m.resize(m.size() + 128); }), {}},
        {"modified 15 hours apart", Edited(wrapped, [](Bytes& m) { PutBigEndian32(m, 0x5F, kCraftedTime + 2082844800u + 54000); }), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        fs::path archive = temp.Path() / "mac.lzh";
        WriteBytes(archive, WithEnd(Level2({"hello.txt", c.member}, {}, c.os)));
        ASSERT_EQ(ExtractFile(archive, temp.Path(), lzh::Layout::Flat).kind, FailureKind::None);
        Bytes ours = ReadBytes(temp.Path() / "hello.txt");
        EXPECT_EQ(ours, c.written.empty() ? c.member : c.written);
        fs::path theirs = temp.Path() / "lhasa";
        fs::create_directories(theirs);
        ASSERT_EQ(Shell("cd '" + theirs.string() + "' && lhasa xqf '" + archive.string() + "' >/dev/null 2>&1"), 0);
        EXPECT_EQ(ReadBytes(theirs / "hello.txt") == ours, c.likeLhasa);
    }
    // The header alone, both forks empty, is an empty file.
    TempFolder temp;
    WriteBytes(temp.Path() / "mac.lzh", WithEnd(Level2({"hello.txt", MacBinaryWrapped("hello.txt", {}, {})}, {}, 'm')));
    ASSERT_EQ(ExtractFile(temp.Path() / "mac.lzh", temp.Path(), lzh::Layout::Flat).kind, FailureKind::None);
    EXPECT_EQ(fs::file_size(temp.Path() / "hello.txt"), 0u);
}

}
