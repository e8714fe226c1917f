// CNG's SHA-256, loaded from System32, as the update run and the tools hash the medium's files.

#include <gtest/gtest.h>

#include "Sha256.h"
#include "TestFiles.h"

#include <windows.h>

#include <cstdio>

namespace {

void Write(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

TEST(CngSha256, MatchesTheStandardVectors)
{
    for (const auto& [bytes, hex] : {std::pair<std::string, const char*>{
                                         "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
                                     {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"}}) {
        Sha256 sha;
        Sha256Digest digest{};
        ASSERT_TRUE(sha.Update(bytes.data(), bytes.size()) && sha.Finish(digest));
        EXPECT_EQ(DigestHex(digest), hex);
    }
}

// A file named in CP932, read through the program's file reader.
TEST(CngSha256, OfAFile)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + Cp932("説明.TXT");
    Write(path, "abc");
    Sha256Digest digest{};
    ASSERT_TRUE(Sha256OfFile(path, digest));
    EXPECT_EQ(DigestHex(digest), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    ::DeleteFileA(path.c_str());
    EXPECT_FALSE(Sha256OfFile(path, digest));
}

} // namespace
