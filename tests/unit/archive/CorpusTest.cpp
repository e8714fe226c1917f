// Real archives made by many LHA programs: each extracts to what lhasa extracts; the regression archives fail
// cleanly, leaving nothing behind outside (or inside) the destination.

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace lzhtest;

namespace {

struct CorpusCase {
    const char* file;
    lzh::FailureKind expected = lzh::FailureKind::None; // None: must equal lhasa's output
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
    {"regression/dir.lzh"}, {"regression/multiple.lzh"}, {"regression/unixsep.lzh"},
    // Level 0 cannot hold these folder names: they are stored empty.
    {"lha_unix114i/h0_subdir.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h0_symlink.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink2.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h1_symlink3.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink2.lzh", lzh::FailureKind::UnsafeName},
    {"lha_unix114i/h2_symlink3.lzh", lzh::FailureKind::UnsafeName},
    {"regression/abspath.lzh", lzh::FailureKind::UnsafeName},
    {"regression/badterm.lzh", lzh::FailureKind::UnsafeName},
    {"regression/dotdot.lzh", lzh::FailureKind::UnsafeName},
    {"regression/symlink1.lzh", lzh::FailureKind::UnsafeName},
    {"regression/symlink2.lzh", lzh::FailureKind::UnsafeName},
    {"regression/symlink3.lzh", lzh::FailureKind::UnsafeName},
    {"regression/truncated.lzh", lzh::FailureKind::Truncated},
};

class CorpusTest : public testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusTest, ExtractsLikeLhasaOrFailsCleanly)
{
    const CorpusCase& c = GetParam();
    fs::path archive = CorpusDir() / c.file;
    ASSERT_TRUE(fs::exists(archive)) << archive;
    TempFolder temp;
    fs::path ours = temp.Path() / "ours";
    fs::create_directories(ours);
    lzh::Failure failure = ExtractFile(archive, ours);
    EXPECT_EQ(failure.kind, c.expected) << failure.entry;
    if (c.expected != lzh::FailureKind::None) {
        EXPECT_TRUE(fs::is_empty(ours));
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), 1);
        return;
    }
    fs::path theirs = temp.Path() / "lhasa";
    fs::create_directories(theirs);
    ASSERT_EQ(Shell("cd '" + theirs.string() + "' && lhasa xq '" + archive.string() + "' >/dev/null 2>&1"), 0);
    EXPECT_EQ(ReadTree(ours), ReadTree(theirs));
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, testing::ValuesIn(kCases));

}
