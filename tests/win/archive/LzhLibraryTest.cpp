// The Win32 front end as the update run calls it: CP932 names, time stamps, attributes, read-only targets and
// the message text of each failure.

#include "CraftedArchive.h"
#include "Cp932.h"
#include "Crc16.h"
#include "FileIo.h"
#include "LzhLibrary.h"
#include "ProgressWindow.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const char kFolder[] = "\x8C\x60\x8E\xAE";                 // 形式
const char kTemplate[] = "\x89\xA1" "A-A4g.xlsm";          // 横A-A4g.xlsm
const uint32_t kDosTime = (44u << 25) | (3u << 21) | (15u << 16) | (10u << 11) | (20u << 5); // 2024-03-15 10:20

void Put(Bytes& b, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A level-0 header with stored data.
Bytes StoredEntry(const std::string& name, const std::string& text, uint8_t attributes, bool badCrc = false)
{
    Bytes h(24 + name.size());
    std::string method = "-lh0-";
    std::copy(method.begin(), method.end(), h.begin() + 2);
    Put(h, 7, static_cast<uint32_t>(text.size()), 4);
    Put(h, 11, static_cast<uint32_t>(text.size()), 4);
    Put(h, 15, kDosTime, 4);
    h[19] = attributes;
    h[21] = static_cast<uint8_t>(name.size());
    std::copy(name.begin(), name.end(), h.begin() + 22);
    uint16_t crc = lzh::UpdateCrc16(0, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    Put(h, 22 + name.size(), badCrc ? crc ^ 1 : crc, 2);
    h[0] = static_cast<uint8_t>(h.size() - 2);
    uint8_t sum = 0;
    for (size_t i = 2; i < h.size(); ++i)
        sum = static_cast<uint8_t>(sum + h[i]);
    h[1] = sum;
    h.insert(h.end(), text.begin(), text.end());
    return h;
}

// A plain top-level window to own the extraction, of a class of our own: the system classes may need the
// common controls loaded first.
HWND MakeOwner()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LzhTestOwner";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "owner", WS_POPUP | WS_VISIBLE, 100, 50, 800, 600, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

class LzhLibraryTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int s_count = 0;
        m_root = std::string(temp) + "lzhwin" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++s_count) + "\\";
        CreateDirectoryA(m_root.c_str(), nullptr);
        m_dest = m_root + "\x90\xE6\x83\x74\x83\x48\x83\x8B\x83\x5F\\"; // 先フォルダ: ends in a trail byte 0x5F
        CreateDirectoryA(m_dest.c_str(), nullptr);
        LzhSetBackgroundMode(1);
        LzhSetCursorMode(1);
    }
    void TearDown() override
    {
        RemoveTree(m_root.substr(0, m_root.size() - 1));
    }

    std::string WriteArchive(const std::string& base, const Bytes& data)
    {
        std::string path = m_root + base + ".lzh";
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        CloseHandle(h);
        return m_root + base;
    }

    int Run(const std::string& archive, std::string& output, unsigned long size = 256, const char* op = "e")
    {
        std::string command = std::string(op) + " -mcwC:\\windows \"" + archive + "\" \"" + m_dest + "\"";
        std::vector<char> buffer(size + 1, 'X');
        int result = LzhRunCommand(nullptr, command.c_str(), buffer.data(), size);
        output = buffer.data();
        EXPECT_LE(output.size(), size - 1);
        return result;
    }

    std::string ReadText(const std::string& path)
    {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        char buffer[256] = {};
        DWORD got = 0;
        ReadFile(h, buffer, sizeof(buffer) - 1, &got, nullptr);
        CloseHandle(h);
        return std::string(buffer, got);
    }

    std::string m_root, m_dest;
};

TEST_F(LzhLibraryTest, ExtractsCp932NamesWithTimeAndAttributes)
{
    Bytes archive = StoredEntry(std::string(kFolder) + "\\" + kTemplate, "workbook", FILE_ATTRIBUTE_READONLY);
    archive.push_back(0);
    std::string output;
    ASSERT_EQ(Run(WriteArchive("START3", archive), output, 256, "x"), 0) << output;
    EXPECT_EQ(output, "");
    std::string path = m_dest + kFolder + "\\" + kTemplate;
    EXPECT_EQ(ReadText(path), "workbook");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    FILETIME local{}, expected{};
    DosDateTimeToFileTime(static_cast<WORD>(kDosTime >> 16), static_cast<WORD>(kDosTime), &local);
    LocalFileTimeToFileTime(&local, &expected);
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &expected), 0);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The work file a cut-off run left beside the target is written over and gone afterwards.
TEST_F(LzhLibraryTest, ReplacesAReadOnlyTargetAndLeavesNoTemporaryFile)
{
    std::string target = m_dest + "a.txt";
    for (const std::string& path : {target, target + ".parvel~"}) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "left", 4, &written, nullptr);
        CloseHandle(h);
    }
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    Bytes archive = StoredEntry("sub\\a.txt", "new text", 0x20);
    std::string output;
    LzhSetBackgroundMode(0); // with the progress window
    ASSERT_EQ(Run(WriteArchive("A", archive), output), 0) << output;
    EXPECT_EQ(ReadText(target), "new text");
    EXPECT_EQ(ForEachFound(m_dest + "*.parvel~", [](const WIN32_FIND_DATAA&) {}), FindResult::NotFound);
}

// The progress window waits before it appears, so a small archive shows none; the owner is disabled while
// the run lasts and takes input again afterwards, after a failure too.
TEST_F(LzhLibraryTest, ForegroundRunGivesTheOwnerBack)
{
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    LzhSetBackgroundMode(0);
    for (bool broken : {false, true}) {
        std::string archive = WriteArchive(broken ? "BAD" : "GOOD", StoredEntry("a.txt", "text", 0x20, broken));
        std::string command = "e -mcwC:\\windows \"" + archive + "\" \"" + m_dest + "\"";
        char output[256] = {};
        EXPECT_EQ(LzhRunCommand(owner, command.c_str(), output, sizeof(output)) != 0, broken) << output;
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(FindWindowA("ParvelLzhProgress", nullptr), nullptr);
    }
    DestroyWindow(owner);
}

std::string WindowText(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

// Once shown: "展開中" without a close button, centred on the owner, the archive and the current file, and a
// bar over the archive's bytes. The owner takes no input until the window goes.
TEST(ProgressWindow, ShowsTheArchiveTheFileAndTheShareDone)
{
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    {
        CProgressWindow window(0);
        window.Start(owner, "START3.lzh");
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_EQ(window.GetSafeHwnd(), nullptr) << "nothing is built before the first progress";
        window.OnStart(2000);
        window.OnEntry(std::string(kFolder) + "\\" + kTemplate);
        window.OnBytes(500);
        HWND hwnd = window.GetSafeHwnd();
        ASSERT_NE(hwnd, nullptr);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner);
        EXPECT_EQ(WindowText(hwnd), "\x93\x57\x8A\x4A\x92\x86"); // 展開中
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU) << "no close button";

        RECT outer{}, inner{};
        GetWindowRect(owner, &outer);
        GetWindowRect(hwnd, &inner);
        EXPECT_NEAR((inner.left + inner.right) / 2, (outer.left + outer.right) / 2, 1);
        EXPECT_NEAR((inner.top + inner.bottom) / 2, (outer.top + outer.bottom) / 2, 1);

        std::vector<std::string> texts;
        HWND bar = nullptr;
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[64] = {};
            GetClassNameA(child, className, sizeof(className));
            if (lstrcmpiA(className, PROGRESS_CLASSA) == 0)
                bar = child;
            else
                texts.push_back(WindowText(child));
        }
        EXPECT_EQ(texts, (std::vector<std::string>{"START3.lzh", std::string(kFolder) + "\\" + kTemplate}));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 250);
        window.OnBytes(2000);
        EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 1000);
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

// Each failure names the archive and its cause in Japanese; the old file stays as it was.
TEST_F(LzhLibraryTest, FailureMessages)
{
    struct Case {
        const char* base;
        Bytes data;
        const char* expected; // CP932 fragment of the message
    };
    Bytes notLzh(40, 'z');
    Bytes unsafe = StoredEntry("sub\\con.txt", "x", 0);
    Bytes crc = StoredEntry("a.txt", "broken", 0, true);
    Bytes method = StoredEntry("a.txt", "x", 0);
    method[5] = '9';
    method[1] = static_cast<uint8_t>(method[1] + ('9' - '0'));
    Bytes truncated = StoredEntry("a.txt", "0123456789", 0);
    truncated.resize(truncated.size() - 4);
    const Case cases[] = {
        {"NOTLZH", notLzh, "LZH"},
        {"UNSAFE", unsafe, "\x88\xC0\x91\x53\x82\xC5\x82\xC8\x82\xA2"},   // 安全でない
        {"CRC", crc, "CRC"},
        {"METHOD", method, "-lh9-"},
        {"TRUNC", truncated, "\x93\x72\x92\x86"},                        // 途中
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        std::string output;
        EXPECT_NE(Run(WriteArchive(c.base, c.data), output), 0);
        EXPECT_NE(output.find(std::string(c.base) + ".lzh"), std::string::npos) << output;
        EXPECT_NE(output.find(c.expected), std::string::npos) << output;
        EXPECT_EQ(GetFileAttributesA((m_dest + "a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    std::string output;
    EXPECT_NE(Run(m_root + "MISSING", output), 0);
    EXPECT_NE(output.find("MISSING.lzh"), std::string::npos);
    char buffer[256];
    EXPECT_NE(LzhRunCommand(nullptr, "q \"a\" \"b\"", buffer, sizeof(buffer)), 0);
    EXPECT_GT(strlen(buffer), 0u);
}

// Archives of other systems' archivers give, under x and e, the files lhasa gives (the native corpus test
// compares them with lhasa), and the members lhasa loses after an Amiga folder entry.
TEST_F(LzhLibraryTest, OtherSystemsArchivesExtractLikeLhasa)
{
    struct Case {
        const char* base;
        Bytes (*craft)();
        const char* underX;
    };
    const Case cases[] = {
        {"WINROOT", lzhtest::WindowsRootArchive, "subdir\\subdir2\\hello.txt"},
        {"MACROOT", lzhtest::MacRootArchive, "Untitled\\hello.txt"},
        {"OS9", lzhtest::Os9Level2Archive, "hello.txt"},
        {"AMIGA", lzhtest::AmigaCommentArchive, "hello.txt"},
        {"MACBIN", lzhtest::MacBinaryArchive, "hello.txt"},
        {"AMIGADIR", lzhtest::AmigaFolderArchive, "dir\\hello.txt"},
    };
    std::string archives = m_root;
    for (const Case& c : cases) {
        for (const char* op : {"x", "e"}) {
            SCOPED_TRACE(std::string(c.base) + " " + op);
            m_dest = m_root + c.base + op + "\\";
            CreateDirectoryA(m_dest.c_str(), nullptr);
            std::string output;
            ASSERT_EQ(Run(WriteArchive(c.base, c.craft()), output, 256, op), 0) << output;
            EXPECT_EQ(ReadText(m_dest + (*op == 'x' ? c.underX : "hello.txt")), "hello, world\n");
        }
    }
}

// x drops a root and refuses ".."; e keeps only the last component. Nothing lands outside the destination.
TEST_F(LzhLibraryTest, HostileNamesStayInside)
{
    struct Case {
        const char* stored;
        const char* underX; // nullptr: refused
        const char* underE;
    };
    const Case cases[] = {
        {"..\\a.txt", nullptr, "a.txt"},
        {"C:\\windows\\a.txt", "windows\\a.txt", "a.txt"},
        {"\\\\server\\share\\a.txt", "server\\share\\a.txt", "a.txt"},
        {"sub\\con.txt", nullptr, nullptr},
    };
    int n = 0;
    for (const Case& c : cases) {
        for (const char* op : {"x", "e"}) {
            SCOPED_TRACE(std::string(c.stored) + " " + op);
            const char* expected = *op == 'x' ? c.underX : c.underE;
            m_dest = m_root + "d" + std::to_string(++n) + "\\";
            CreateDirectoryA(m_dest.c_str(), nullptr);
            Bytes archive = StoredEntry(c.stored, "text", 0x20);
            archive.push_back(0);
            std::string output;
            EXPECT_EQ(Run(WriteArchive("HOSTILE", archive), output, 256, op) == 0, expected != nullptr) << output;
            if (expected) {
                EXPECT_EQ(ReadText(m_dest + expected), "text");
            }
        }
    }
    EXPECT_EQ(GetFileAttributesA((m_root + "a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\windows\\a.txt"), INVALID_FILE_ATTRIBUTES);
}

// No false success: an empty file, a lone end mark or zeros fail for every command, with the reason.
TEST_F(LzhLibraryTest, NoMembersFailsForEveryCommand)
{
    for (const Bytes& empty : {Bytes{}, Bytes{0}, Bytes(4096, 0)}) {
        for (const char* op : {"x", "e", "t", "l"}) {
            SCOPED_TRACE(std::string(op) + " of " + std::to_string(empty.size()) + " bytes");
            std::string output;
            EXPECT_NE(Run(WriteArchive("EMPTY", empty), output, 256, op), 0);
            EXPECT_NE(output.find("EMPTY.lzh"), std::string::npos) << output;
            EXPECT_NE(output.find("\x88\xEA\x82\xC2\x82\xE0"), std::string::npos) << output; // 一つも
        }
    }
    Bytes one = StoredEntry("a.txt", "text", 0x20);
    one.push_back(0);
    std::string listing;
    ASSERT_EQ(Run(WriteArchive("ONE", one), listing, 256, "l"), 0) << listing;
    EXPECT_EQ(listing, "-lh0- 4 4 a.txt\n");
}

// A short buffer takes the longest start of the message that ends between two characters. The message
// begins with 書庫 (8F 91 8C C9): four bytes of room keep 書 alone, never 8F 91 8C.
TEST_F(LzhLibraryTest, ShortOutputBufferNeverSplitsACharacter)
{
    std::string full;
    EXPECT_NE(Run(m_root + "MISSING", full), 0);
    ASSERT_EQ(full.compare(0, 4, "\x8F\x91\x8C\xC9"), 0) << full;
    // The character boundaries as Windows itself reads code page 932, not as the code under test does.
    std::vector<size_t> boundaries{0};
    for (size_t i = 0; i < full.size();) {
        i += IsDBCSLeadByteEx(932, static_cast<BYTE>(full[i])) ? 2 : 1;
        boundaries.push_back(i);
    }
    for (unsigned long size = 1; size < 40; ++size) {
        SCOPED_TRACE(size);
        std::string output;
        EXPECT_NE(Run(m_root + "MISSING", output, size), 0);
        size_t fits = *std::prev(std::upper_bound(boundaries.begin(), boundaries.end(), size - 1));
        EXPECT_EQ(output, full.substr(0, fits));
    }
    std::string output;
    Run(m_root + "MISSING", output, 4);
    EXPECT_EQ(output, "\x8F\x91");
}

}
