// The -lh5- to -lh7- decoder's fast paths against data made to reach their edges, archived by jlha: matches of
// every short distance (copied by repeating the pattern, not byte by byte) and lengths around the word sizes,
// and codes longer than the combined 11-bit lookup, in streams longer than the 64 KiB input buffer.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lzhtest;

namespace {

uint32_t Next(uint32_t& seed)
{
    seed = seed * 1103515245 + 12345;
    return seed >> 16;
}

// Runs of a d-byte pattern, d = 1 to 17, repeated to lengths around 8, 16, 32 and the longest match; a random
// byte between runs ends each match.
Bytes Patterns()
{
    Bytes data;
    uint32_t seed = 1;
    for (int round = 0; round < 4; ++round)
        for (size_t d = 1; d <= 17; ++d)
            for (size_t len : {3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 40, 255, 256, 257, 600}) {
                Bytes pattern;
                for (size_t k = 0; k < d; ++k)
                    pattern.push_back(static_cast<uint8_t>(Next(seed)));
                for (size_t k = 0; k < d + len; ++k)
                    data.push_back(pattern[k % d]);
                data.push_back(static_cast<uint8_t>(Next(seed)));
            }
    return data;
}

// Bytes of halving frequency (byte k about 2^-k of the time, the rest spread over all 256 values) give literal
// codes up to 16 bits; short repeated words between them give matches, so the stream is not stored.
Bytes SkewedBytes()
{
    Bytes data;
    uint32_t seed = 7;
    while (data.size() < 400000) {
        uint32_t r = Next(seed);
        if (r % 5 == 0) {
            for (char c : std::string(r % 3 == 0 ? "valve " : "conduit "))
                data.push_back(static_cast<uint8_t>(c));
            continue;
        }
        int k = 0;
        while (k < 20 && (Next(seed) & 1))
            ++k;
        data.push_back(static_cast<uint8_t>(k < 20 ? k : Next(seed)));
    }
    return data;
}

TEST(FastPathTest, JlhaArchivesOfEdgeDataExtractExactly)
{
    TempFolder temp;
    const std::map<std::string, Bytes> files = {{"patterns.bin", Patterns()}, {"skewed.bin", SkewedBytes()}};
    std::string names;
    for (const auto& [name, data] : files) {
        WriteBytes(temp.Path() / name, data);
        names += " " + name;
    }
    for (const char* method : {"o5", "o7"}) {
        SCOPED_TRACE(method);
        fs::path archive = temp.Path() / (std::string(method) + ".lzh");
        Shell("cd '" + temp.Path().string() + "' && jlha c2" + method + "q '" + archive.string() + "'" + names +
              " >/dev/null 2>&1");
        Bytes packed = ReadBytes(archive);
        // Stored data would not reach the decoder; the skewed stream must be longer than the input buffer.
        std::string stored = "-lh0-";
        ASSERT_EQ(std::search(packed.begin(), packed.end(), stored.begin(), stored.end()), packed.end());
        ASSERT_GT(packed.size(), 64u * 1024 + 10000);
        TempFolder out;
        ASSERT_EQ(ExtractFile(archive, out.Path()).kind, lzh::FailureKind::None);
        EXPECT_EQ(ReadTree(out.Path()), files);
    }
}

}
