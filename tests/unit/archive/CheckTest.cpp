// The checks that write nothing: TestArchive and ListFlatMembers for the media checker, and every command of
// lzhx on an archive without members.

#include "ArchiveCheck.h"
#include "RunCommand.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace lzhtest;
using lzh::FailureKind;

namespace {

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    all.push_back(0);
    return all;
}

const Bytes kShort = {'s', 'h', 'o', 'r', 't'};

TEST(CheckTest, ListsWhatETestsAndWrites)
{
    Bytes wrapped = MacBinaryWrapped("mac.txt", kHelloWorld, {});
    Bytes archive = Concat({Level0({"\\dir\\a.txt", kHelloWorld}), Level2({"sub\xFF", {}, "-lhd-"}),
                            Level2({"mac.txt", wrapped}, {}, 'm'), Level0({"..\\other\\a.txt", kShort})});
    MemorySource source(archive.data(), archive.size());
    std::vector<lzh::FlatMember> members;
    ASSERT_EQ(lzh::ListFlatMembers(source, members).kind, FailureKind::None);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].name, "a.txt");
    EXPECT_EQ(members[0].size, kHelloWorld.size());
    EXPECT_EQ(members[1].name, "mac.txt");
    EXPECT_EQ(members[1].size, kHelloWorld.size()) << "the data fork, not the 256-byte member";
    EXPECT_EQ(members[2].size, kShort.size());
    EXPECT_EQ(lzh::TestArchive(source).kind, FailureKind::None);
    EXPECT_EQ(lzh::TestArchive(source, lzh::Layout::WithFolders).kind, FailureKind::UnsafeName) << "..";
}

TEST(CheckTest, TestFindsWhatListingCannot)
{
    Bytes badCrc = Level0({"a.txt", kHelloWorld});
    badCrc.back() ^= 1;
    struct Case {
        const char* what;
        Bytes archive;
        FailureKind test, list;
    };
    const Case cases[] = {
        {"CRC", Concat({badCrc}), FailureKind::CrcError, FailureKind::None},
        {"device name", Concat({Level0({"sub\\aux.txt", kShort})}), FailureKind::UnsafeName, FailureKind::UnsafeName},
        {"method", Concat({Level0({"a.txt", kShort, "-lh8-"})}), FailureKind::UnsupportedMethod,
         FailureKind::UnsupportedMethod},
        {"no members", Bytes{0}, FailureKind::NoMembers, FailureKind::NoMembers},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySource source(c.archive.data(), c.archive.size());
        std::vector<lzh::FlatMember> members;
        EXPECT_EQ(lzh::TestArchive(source).kind, c.test);
        EXPECT_EQ(lzh::ListFlatMembers(source, members).kind, c.list);
    }
}

TEST(CheckTest, EveryCommandFailsOnAnArchiveWithoutMembers)
{
    TempFolder temp;
    for (const Bytes& empty : {Bytes{}, Bytes{0}, Bytes(4096, 0)}) {
        WriteBytes(temp.Path() / "EMPTY.lzh", empty);
        for (const char* op : {"x", "e", "t", "l"}) {
            SCOPED_TRACE(std::string(op) + " of " + std::to_string(empty.size()) + " bytes");
            std::ostringstream out;
            std::string message;
            std::string command = std::string(op) + " \"" + (temp.Path() / "EMPTY").string() + "\" \"" +
                                  temp.Path().string() + "\"";
            EXPECT_NE(lzh::RunPosixCommand(command, out, message), 0);
            EXPECT_NE(message.find("no files"), std::string::npos) << message;
            EXPECT_EQ(out.str(), "");
        }
    }
}

}
