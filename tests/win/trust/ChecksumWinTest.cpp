// What the update run will call: CNG's SHA-256, loaded from System32, and a medium file's verdict against the
// folder's SHA256SUMS, with a CP932 name as info.txt gives it.

#include <gtest/gtest.h>

#include "MediumFileCheck.h"
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

TEST(MediumFileCheck, AnswersForTheFilesOfAFolder)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "parvel-sums\\";
    RemoveTree(folder.substr(0, folder.size() - 1));
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string japanese = Cp932("説明.TXT");
    Write(folder + "PROG.lzh", "abc");
    Write(folder + japanese, "abc");
    Write(folder + "EXTRA.TXT", "abc");

    MediumChecksums checksums;
    LoadMediumChecksums(folder, checksums);
    EXPECT_EQ(CheckMediumFile(checksums, folder, "PROG.lzh"), ChecksumVerdict::NoList);

    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    Write(folder + "SHA256SUMS", abc + "  prog.lzh\n" + abc + "  説明.TXT\n" + abc + "  GONE.TXT\n");
    LoadMediumChecksums(folder, checksums);
    EXPECT_EQ(CheckMediumFile(checksums, folder, "PROG.lzh"), ChecksumVerdict::Matches);
    EXPECT_EQ(CheckMediumFile(checksums, folder, japanese), ChecksumVerdict::Matches);
    EXPECT_EQ(CheckMediumFile(checksums, folder, "EXTRA.TXT"), ChecksumVerdict::NotListed);
    EXPECT_EQ(CheckMediumFile(checksums, folder, "GONE.TXT"), ChecksumVerdict::DoesNotMatch);
    Write(folder + "PROG.lzh", "abd");
    EXPECT_EQ(CheckMediumFile(checksums, folder, "PROG.lzh"), ChecksumVerdict::DoesNotMatch);
    RemoveTree(folder.substr(0, folder.size() - 1));
}

} // namespace
