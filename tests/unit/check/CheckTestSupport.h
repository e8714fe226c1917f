#pragma once
// A good two-disk medium made with jlha and an installation it updates, built once per test program; each
// test spoils a copy of them.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace checktest {

namespace fs = std::filesystem;
using lzhtest::TempFolder;

std::string ReadText(const fs::path& path);
void WriteText(const fs::path& path, const std::string& bytes);
// Written in CP932, as media authors and the application write them; lines end in CR LF.
void WriteCp932Lines(const fs::path& path, const std::vector<std::string>& utf8Lines);

// info.txt of the good medium, in UTF-8. Entries from line 43: START, APP and a loose file on disk 1,
// HELP, a loose file and EXCEL on disk 2.
std::vector<std::string> GoodInfoLines();

// A level-0 archive of one stored file whose stored name is then rewritten: jlha itself never stores "..".
std::string ArchiveNamed(const fs::path& work, const std::string& storedName);

// Every file's path, bytes and last-write time under root, as one text to compare.
std::string TreeFingerprint(const fs::path& root);

class MediumTest : public testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    fs::path Disk(int n) const { return m_copy.Path() / ("disk" + std::to_string(n)); }
    fs::path Install() const { return m_copy.Path() / "install"; }
    std::vector<std::string> Roots() const { return {Disk(1).string(), Disk(2).string()}; }
    // info.txt with one more line replaced or added: the good one after SetUp.
    void SetInfoLine(size_t line, const std::string& utf8);
    // Runs parvel-check over the disks with extra arguments; returns its exit status, out gets its output.
    int RunProgram(const std::string& extra, std::string& out) const;

    TempFolder m_copy;

private:
    std::vector<std::string> m_info;
    static TempFolder* s_good;
};

}
