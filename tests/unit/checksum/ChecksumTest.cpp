// The sha256sum format as the medium's SHA256SUMS holds it, the answers a list gives, and SHA-256 through the
// platform (OpenSSL here) against the standard's own test vectors.

#include <gtest/gtest.h>

#include "MediumChecksums.h"
#include "Sha256.h"

#include <cstdio>

namespace {

const std::string kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"; // SHA-256("abc")

Sha256Digest DigestOf(const std::string& hex)
{
    std::vector<ChecksumLine> lines;
    size_t bad = 0;
    EXPECT_TRUE(ParseSha256Sums(hex + "  x\n", lines, bad)) << hex;
    return lines.empty() ? Sha256Digest{} : lines[0].digest;
}

TEST(Sha256Sums, ReadsWhatSha256sumWritesAndRefusesTheRest)
{
    struct Case {
        std::string text;
        bool ok;
        std::vector<std::string> names; // or the bad line's number, as text
    };
    const std::string upper = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
    const Case cases[] = {
        {kAbc + "  info.txt\n" + kAbc + " *Parvel.exe\n", true, {"info.txt", "Parvel.exe"}},
        {"\r\n" + upper + "  docs/表.TXT\r\n\n", true, {"docs/表.TXT"}},
        {"\\" + kAbc + "  a\\\\b\\nc\n", true, {"a\\b\nc"}},
        {kAbc + "  name with  spaces ", true, {"name with  spaces "}},
        {"", true, {}},
        {kAbc + " info.txt\n", false, {"1"}},                // one space
        {kAbc + "  \n", false, {"1"}},                       // no name
        {kAbc.substr(1) + "   info.txt\n", false, {"1"}},    // 63 digits
        {"x" + kAbc.substr(1) + "  info.txt\n", false, {"1"}},
        {kAbc + "  a\n\n\\" + kAbc + "  a\\tb\n", false, {"3"}}, // unknown escape
        {kAbc + "\tinfo.txt\n", false, {"1"}},
    };
    for (const Case& c : cases) {
        std::vector<ChecksumLine> lines;
        size_t bad = 0;
        EXPECT_EQ(ParseSha256Sums(c.text, lines, bad), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_EQ(std::to_string(bad), c.names[0]) << c.text;
            continue;
        }
        std::vector<std::string> names;
        for (const ChecksumLine& line : lines) {
            names.push_back(line.name);
            EXPECT_EQ(DigestHex(line.digest), kAbc);
        }
        EXPECT_EQ(names, c.names);
        // Written again, as sha256sum writes it, it reads back the same.
        std::vector<ChecksumLine> again;
        ASSERT_TRUE(ParseSha256Sums(WriteSha256Sums(lines), again, bad));
        ASSERT_EQ(again.size(), lines.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(again[i].name, lines[i].name);
    }
    EXPECT_EQ(WriteSha256Sums({{"a\\b", DigestOf(kAbc)}}), "\\" + kAbc + "  a\\\\b\n");
}

TEST(MediumChecksums, AnswersForEachFile)
{
    const Sha256Digest abc = DigestOf(kAbc), other{};
    MediumChecksums none;
    EXPECT_EQ(none.Check("PROG.lzh", abc), ChecksumVerdict::NoList);

    MediumChecksums list;
    ASSERT_TRUE(list.Load(kAbc + "  PROG.lzh\n" + kAbc + "  docs/Note.txt\n"));
    EXPECT_EQ(list.Check("PROG.lzh", abc), ChecksumVerdict::Matches);
    EXPECT_EQ(list.Check("prog.LZH", abc), ChecksumVerdict::Matches); // letter case, as on Windows
    EXPECT_EQ(list.Check("DOCS\\NOTE.TXT", abc), ChecksumVerdict::Matches);
    EXPECT_EQ(list.Check("PROG.lzh", other), ChecksumVerdict::DoesNotMatch);
    EXPECT_EQ(list.Check("PROG.lz", abc), ChecksumVerdict::NotListed);
    EXPECT_EQ(list.Check("docs", abc), ChecksumVerdict::NotListed);

    // A list that cannot be read proves nothing: every file is left out.
    MediumChecksums broken;
    EXPECT_FALSE(broken.Load(kAbc + "  PROG.lzh\nnot a line\n"));
    EXPECT_EQ(broken.Check("PROG.lzh", abc), ChecksumVerdict::NotListed);
}

TEST(Sha256, MatchesTheStandardVectorsWholeAndInParts)
{
    const std::string million(1000000, 'a');
    const struct {
        std::string bytes;
        std::string hex;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", kAbc},
        {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        Sha256 whole, parts;
        Sha256Digest a{}, b{};
        ASSERT_TRUE(whole.Update(c.bytes.data(), c.bytes.size()) && whole.Finish(a));
        for (size_t i = 0; i < c.bytes.size(); i += 4093)
            parts.Update(c.bytes.data() + i, std::min<size_t>(4093, c.bytes.size() - i));
        ASSERT_TRUE(parts.Finish(b));
        EXPECT_EQ(DigestHex(a), c.hex);
        EXPECT_EQ(DigestHex(b), c.hex);
    }
    const std::string path = ::testing::TempDir() + "sha256-abc";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("abc", f);
    std::fclose(f);
    Sha256Digest digest{};
    EXPECT_TRUE(Sha256OfFile(path, digest));
    EXPECT_EQ(DigestHex(digest), kAbc);
    EXPECT_FALSE(Sha256OfFile(path + "-missing", digest));
    std::remove(path.c_str());
}

} // namespace
