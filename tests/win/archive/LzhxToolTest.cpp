// lzhx.exe in the lha style, as a user runs it on Windows: a folder with CP932 names archived with each method
// and header level, then tested, listed and extracted with x and e, byte for byte.

#include "Cp932.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>

namespace {

std::string ModuleFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1);
}

// tests/win/archive/<test>.exe -> archive/win/lzhx.exe in the same build tree.
std::string LzhxPath() { return ModuleFolder() + "..\\..\\..\\archive\\win\\lzhx.exe"; }

// Runs lzhx.exe with the arguments in folder; its exit code.
int Lzhx(const std::string& arguments, const std::string& folder)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    // Its listing and messages go nowhere: the exit codes tell.
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    SetHandleInformation(nul, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + LzhxPath() + "\" " + arguments;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi)) {
        CloseHandle(nul);
        return -1;
    }
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(nul);
    return static_cast<int>(code);
}

void Write(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::string Read(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(f, nullptr), '\0');
    DWORD read = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    return bytes;
}

TEST(LzhxTool, ArchivesAndExtractsInTheLhaStyle)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "lzhx-tool-test";
    RemoveTree(root);
    CreateDirectoryA(root.c_str(), nullptr);
    std::string folder = Cp932("形式");
    std::string name = Cp932("能力表.txt"); // a trail byte 0x5C
    CreateDirectoryA((root + "\\src").c_str(), nullptr);
    CreateDirectoryA((root + "\\src\\" + folder).c_str(), nullptr);
    std::string text;
    for (int i = 0; text.size() < 100000; ++i)
        text += "line " + std::to_string(i % 977) + " pipe cable valve\r\n";
    std::mt19937 rng(3);
    std::string random(70000, '\0');
    for (char& c : random)
        c = static_cast<char>(rng());
    Write(root + "\\src\\" + folder + "\\" + name, text);
    Write(root + "\\src\\random.bin", random);
    Write(root + "\\src\\empty.txt", "");

    for (const char* method : {"lh0", "lh5", "lh6", "lh7"}) {
        for (const char* level : {"1", "2"}) {
            SCOPED_TRACE(std::string(method) + " level " + level);
            std::string archive = std::string(method) + level + ".lzh";
            ASSERT_EQ(Lzhx(std::string("a -m ") + method + " -h " + level + " " + archive + " src", root), 0);
            EXPECT_EQ(Lzhx("t " + archive, root), 0);
            EXPECT_EQ(Lzhx("l " + archive, root), 0);
            std::string x = root + "\\x" + method + level, e = root + "\\e" + method + level;
            CreateDirectoryA(x.c_str(), nullptr);
            CreateDirectoryA(e.c_str(), nullptr);
            ASSERT_EQ(Lzhx("x " + archive + " -w \"" + x + "\"", root), 0);
            EXPECT_EQ(Read(x + "\\src\\" + folder + "\\" + name), text);
            EXPECT_EQ(Read(x + "\\src\\random.bin"), random);
            EXPECT_EQ(Read(x + "\\src\\empty.txt"), "");
            ASSERT_EQ(Lzhx("e " + archive + " -w \"" + e + "\"", root), 0);
            EXPECT_EQ(Read(e + "\\" + name), text);
        }
    }
    // Usage errors, and the command text form as the update run passes it.
    EXPECT_EQ(Lzhx("a -m lh9 bad.lzh src", root), 2);
    EXPECT_EQ(Lzhx("x lh51.zip", root), 2);
    EXPECT_EQ(Lzhx("\"t \\\"lh72\\\"\"", root), 0);
    RemoveTree(root);
}

}
