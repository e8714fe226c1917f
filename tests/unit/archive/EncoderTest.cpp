// The encoder through our own decoder, in memory: every method and both header levels, with data that
// shrinks, data that does not (stored as -lh0-), empty members, members over 64 KiB, CP932 names in folders,
// and the time stamp and attributes as the headers carry them.

#include "ArchiveScan.h"
#include "ArchiveWriter.h"
#include "Extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

struct Member {
    std::string path;
    Bytes data;
};

Bytes Text(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    const char* words[] = {"pipe", "cable", "valve", "duct", "breaker", "panel", "conduit", "\x8C\x60\x8E\xAE"};
    std::string s;
    while (s.size() < size)
        s += std::string(words[rng() % 8]) + (rng() % 5 == 0 ? std::to_string(rng() % 1000) + "\r\n" : " ");
    s.resize(size);
    return Bytes(s.begin(), s.end());
}

Bytes Random(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    Bytes b(size);
    for (auto& c : b)
        c = static_cast<uint8_t>(rng());
    return b;
}

Bytes Pack(const std::vector<Member>& members, lzh::Method method, int level)
{
    MemorySink out;
    lzh::ArchiveWriter writer(out, method, level);
    for (const Member& m : members) {
        lzh::MemberHeader h;
        h.path = m.path;
        h.unixTime = 1700000000;
        h.dosTime = lzh::DosTimeOf(h.unixTime);
        h.attributes = 0x21;
        MemorySource source(m.data.data(), m.data.size());
        EXPECT_EQ(writer.AddFile(h, source), lzh::AddResult::Ok) << m.path;
    }
    EXPECT_TRUE(writer.Finish());
    return out.Bytes();
}

std::vector<lzh::ScannedEntry> Unpack(const Bytes& archive, std::vector<Bytes>& contents)
{
    MemorySource source(archive.data(), archive.size());
    std::vector<lzh::ScannedEntry> entries;
    EXPECT_TRUE(lzh::ScanArchive(source, lzh::Layout::WithFolders, entries).ok());
    for (const auto& entry : entries) {
        MemorySink sink;
        if (entry.isFolder) {
            contents.push_back({});
            continue;
        }
        EXPECT_TRUE(lzh::DecodeEntry(source, entry, sink).ok()) << entry.header.path;
        contents.push_back(sink.Bytes());
    }
    return entries;
}

TEST(EncoderTest, EveryMethodAndLevelRoundTrips)
{
    std::vector<Member> members = {
        {"text.txt", Text(300000, 1)},
        {"\x8C\x60\x8E\xAE/\x89\xA1" "A-A4g.xlsm", Text(70000, 2)},
        {"sub/deeper/random.bin", Random(100000, 3)},
        {"empty.txt", {}},
        {"one", {'x'}},
        {"zeros", Bytes(200000, 0)},
        {"short", Text(20, 4)},
    };
    for (auto method : {lzh::Method::Lh0, lzh::Method::Lh5, lzh::Method::Lh6, lzh::Method::Lh7}) {
        for (int level : {1, 2}) {
            SCOPED_TRACE(std::string(lzh::MethodId(method)) + " level " + std::to_string(level));
            Bytes archive = Pack(members, method, level);
            std::vector<Bytes> contents;
            auto entries = Unpack(archive, contents);
            ASSERT_EQ(entries.size(), members.size());
            for (size_t i = 0; i < members.size(); ++i) {
                const auto& h = entries[i].header;
                std::string expectedPath = members[i].path;
                std::replace(expectedPath.begin(), expectedPath.end(), '/', '\xFF');
                EXPECT_EQ(h.path, expectedPath);
                EXPECT_EQ(contents[i], members[i].data) << members[i].path;
                EXPECT_EQ(h.level, level);
                EXPECT_EQ(h.attributes, 0x21);
                EXPECT_EQ(h.time, level == 2 ? 1700000000u : lzh::DosTimeOf(1700000000));
                // Random bytes, a byte alone and 20 bytes of text do not shrink.
                bool stored = method == lzh::Method::Lh0 || members[i].data.size() <= 20 ||
                              members[i].path.find("random") != std::string::npos;
                EXPECT_EQ(h.method, stored ? "-lh0-" : lzh::MethodId(method)) << members[i].path;
                if (!stored) {
                    EXPECT_LT(h.packedSize, h.originalSize);
                }
            }
        }
    }
}

// Long runs and long repeats cross the window buffer's slide and every block boundary.
TEST(EncoderTest, LongMembersCrossBlocksAndSlides)
{
    Bytes data;
    for (unsigned part = 0; data.size() < 5000000; ++part) {
        Bytes piece = part % 3 == 0 ? Random(70000, part) : part % 3 == 1 ? Text(150000, part) : Bytes(90000, 'a');
        data.insert(data.end(), piece.begin(), piece.end());
    }
    for (auto method : {lzh::Method::Lh5, lzh::Method::Lh7}) {
        std::vector<Bytes> contents;
        auto entries = Unpack(Pack({{"big.bin", data}}, method, 2), contents);
        ASSERT_EQ(contents.size(), 1u);
        EXPECT_EQ(contents[0], data);
        EXPECT_EQ(entries[0].header.method, lzh::MethodId(method));
    }
}

TEST(EncoderTest, FoldersAndBadNames)
{
    MemorySink out;
    lzh::ArchiveWriter writer(out, lzh::Method::Lh5, 2);
    lzh::MemberHeader folder;
    folder.path = "\x8C\x60\x8E\xAE";
    EXPECT_EQ(writer.AddFolder(folder), lzh::AddResult::Ok);
    lzh::MemberHeader bad;
    Bytes none;
    MemorySource empty(none.data(), 0);
    EXPECT_EQ(writer.AddFile(bad, empty), lzh::AddResult::EmptyName);
    // The longest name each level's 16-bit sizes hold, and one byte more.
    for (auto [level, longest] : {std::pair{1, 0xFFFF - 4}, std::pair{2, 0xFFFF - 65}}) {
        MemorySink other;
        lzh::ArchiveWriter longNames(other, lzh::Method::Lh0, level);
        bad.path = std::string(longest, 'a');
        EXPECT_EQ(longNames.AddFile(bad, empty), lzh::AddResult::Ok) << level;
        bad.path += 'a';
        EXPECT_EQ(longNames.AddFile(bad, empty), lzh::AddResult::NameTooLong) << level;
    }
    EXPECT_TRUE(writer.Finish());
    std::vector<Bytes> contents;
    auto entries = Unpack(out.Bytes(), contents);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].isFolder);
    EXPECT_EQ(entries[0].header.method, "-lhd-");
}

// A disk that fills up, and a file that ends before its size, are told apart.
class FullOutput : public MemorySink {
public:
    bool Write(const uint8_t* data, size_t size) override
    {
        return Position() + size <= 1000 && MemorySink::Write(data, size);
    }
};

class ShortSource : public MemorySource {
public:
    using MemorySource::MemorySource;
    uint64_t Size() const override { return MemorySource::Size() + 10; }
};

TEST(EncoderTest, WriteAndReadFailuresAreReported)
{
    Bytes data = Text(100000, 9);
    lzh::MemberHeader member;
    member.path = "f";
    for (auto method : {lzh::Method::Lh0, lzh::Method::Lh5}) {
        FullOutput full;
        lzh::ArchiveWriter writer(full, method, 2);
        MemorySource source(data.data(), data.size());
        EXPECT_EQ(writer.AddFile(member, source), lzh::AddResult::CannotWrite);
        MemorySink out;
        lzh::ArchiveWriter reader(out, method, 2);
        ShortSource shortSource(data.data(), data.size());
        EXPECT_EQ(reader.AddFile(member, shortSource), lzh::AddResult::CannotRead);
    }
}

// Every name length up to the limit at both levels: a level-2 header whose size ends in a zero byte is padded
// (it would read as the archive's end), and a level-1 name too long for the base header moves to an extension.
TEST(EncoderTest, EveryNameLengthRoundTrips)
{
    for (int level : {1, 2}) {
        MemorySink out;
        lzh::ArchiveWriter writer(out, lzh::Method::Lh5, level);
        std::vector<std::string> names;
        for (size_t length = 1; length <= 250; ++length) {
            lzh::MemberHeader member;
            member.path = "d/" + std::string(length, static_cast<char>('a' + length % 26));
            names.push_back(member.path);
            Bytes data(length, 'x');
            MemorySource source(data.data(), data.size());
            ASSERT_EQ(writer.AddFile(member, source), lzh::AddResult::Ok);
        }
        ASSERT_TRUE(writer.Finish());
        std::vector<Bytes> contents;
        auto entries = Unpack(out.Bytes(), contents);
        ASSERT_EQ(entries.size(), names.size()) << "level " << level;
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(entries[i].header.path, "d\xFF" + names[i].substr(2));
            EXPECT_EQ(contents[i], Bytes(i + 1, 'x'));
        }
    }
}

}
