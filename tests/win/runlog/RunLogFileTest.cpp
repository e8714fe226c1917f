// The run log's file: where it goes, what Notepad finds in it, and that a log it cannot write stays quiet.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "RunLogFile.h"
#include "TestFiles.h"

namespace {

LogTime FixedTime() { return LogTime{2026, 1, 2, 3, 4, 5}; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// %TEMP% (and %TMP%, which Windows asks first) point at folder while the test runs.
class RunLogFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char own[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, own);
        m_own = own;
        m_folder = m_own + "parvel-runlog-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        PointTempAt(m_folder);
    }
    void TearDown() override
    {
        PointTempAt(m_own);
        RemoveTree(m_folder.substr(0, m_folder.size() - 1));
    }
    static void PointTempAt(const std::string& folder)
    {
        ::SetEnvironmentVariableA("TMP", folder.c_str());
        ::SetEnvironmentVariableA("TEMP", folder.c_str());
    }

    std::string m_own, m_folder;
};

TEST_F(RunLogFileTest, Utf8WithAByteOrderMarkAndCrLf)
{
    CRunLogFile log(FixedTime);
    EXPECT_EQ(log.Path(), "");
    log.Append("\x88\xEA\x8D\x73\x96\xDA C:\\\x90\xCF\x8E\x5A"); // 一行目 C:\積算, in CP932
    log.Append("");
    log.Append("end");
    EXPECT_EQ(log.Path(), m_folder + "Parvel-20260102-030405.log");
    EXPECT_EQ(ReadAll(log.Path()), "\xEF\xBB\xBF一行目 C:\\積算\r\n\r\nend\r\n");
}

TEST_F(RunLogFileTest, ALogBegunInTheSameSecondKeepsItsOwnFile)
{
    CRunLogFile first(FixedTime), second(FixedTime), third(FixedTime);
    first.Append("first");
    second.Append("second");
    third.Append("third");
    EXPECT_EQ(ReadAll(m_folder + "Parvel-20260102-030405.log"), "\xEF\xBB\xBF" "first\r\n");
    EXPECT_EQ(ReadAll(m_folder + "Parvel-20260102-030405-2.log"), "\xEF\xBB\xBF" "second\r\n");
    EXPECT_EQ(third.Path(), m_folder + "Parvel-20260102-030405-3.log");
}

// /LOG= names a second file: the same bytes, replacing what a former run left there; when it cannot be
// made, the log in %TEMP% goes on.
TEST_F(RunLogFileTest, ACopyWhereTheScriptAsks)
{
    const std::string copy = m_folder + "copy.log";
    std::ofstream(copy, std::ios::binary) << "an older run's log, longer than this one\r\n";
    for (const std::string& path : {copy, m_folder + "missing\\copy.log"}) {
        CRunLogFile log(FixedTime);
        log.AlsoWriteTo(path);
        log.Append("\x90\xCF\x8E\x5A"); // 積算
        log.Append("end");
        EXPECT_EQ(ReadAll(log.Path()), "\xEF\xBB\xBF積算\r\nend\r\n") << path;
        ::DeleteFileA(log.Path().c_str());
    }
    EXPECT_EQ(ReadAll(copy), "\xEF\xBB\xBF積算\r\nend\r\n");
}

TEST_F(RunLogFileTest, NoFolderToWriteInLeavesNoLogAndNoError)
{
    ::CloseHandle(::CreateFileA((m_folder + "file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (const std::string& temp : {m_folder + "missing\\", m_folder + "file\\"}) {
        PointTempAt(temp);
        CRunLogFile log(FixedTime);
        log.Append("line");
        log.Append("another");
        EXPECT_EQ(log.Path(), "") << temp;
    }
    EXPECT_EQ(::GetFileAttributesA((m_folder + "missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
