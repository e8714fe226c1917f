// Truncated and bit-flipped copies of real archives: a failure with a message, never a crash or a hang, and
// never a file with wrong content under a real name or a temporary file left behind.

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace lzhtest;

namespace {

const char* const kArchives[] = {
    "lha_unix114i/h1_lh5.lzh", "lha_unix114i/h2_lh6.lzh", "explzh_723/h0_lh7.lzh", "lengths/lh1-64k.lzh",
    "larc333/lz5.lzs",         "generated/lzs/lzs.lzs",   "explzh_723/h2_subdir.lzh",
};

// Every file that exists afterwards must be one of the intact archive's files, byte for byte.
void ExpectOnlyIntactFiles(const fs::path& out, const std::map<std::string, Bytes>& intact)
{
    for (const auto& [name, data] : ReadTree(out)) {
        auto it = intact.find(name);
        ASSERT_NE(it, intact.end()) << "unexpected file " << name;
        EXPECT_EQ(it->second, data) << name;
    }
}

class DamageTest : public testing::TestWithParam<const char*> {};

// A truncated copy always fails; a bit-flipped one may pass when the bit lies in a field nobody checks.
TEST_P(DamageTest, TruncatedAndBitFlippedCopies)
{
    Bytes archive = ReadBytes(CorpusDir() / GetParam());
    TempFolder good;
    ASSERT_EQ(ExtractBytes(archive, good.Path()).kind, lzh::FailureKind::None);
    auto intact = ReadTree(good.Path());
    for (size_t size = 1; size + 1 < archive.size(); size += archive.size() / 40 + 1) {
        TempFolder out;
        EXPECT_NE(ExtractBytes(Bytes(archive.begin(), archive.begin() + size), out.Path()).kind,
                  lzh::FailureKind::None)
            << "size " << size;
        ExpectOnlyIntactFiles(out.Path(), intact);
    }
    for (size_t at = 0; at < archive.size(); at += archive.size() / 60 + 1) {
        for (int bit : {0, 5}) {
            Bytes flipped = archive;
            flipped[at] ^= static_cast<uint8_t>(1 << bit);
            TempFolder out;
            ExtractBytes(flipped, out.Path());
            ExpectOnlyIntactFiles(out.Path(), intact);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamageTest, testing::ValuesIn(kArchives));

}
