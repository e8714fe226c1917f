#include "PageSession.h"

#include "UiDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

std::string TestFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

namespace {

// One command-line argument as the runtime splits it back: backslashes before a quote are doubled.
std::string Quoted(const std::string& arg)
{
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else {
            out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
            backslashes = 0;
        }
        if (c != '\\')
            out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

} // namespace

PageSession::PageSession(const std::vector<std::string>& args)
{
    static std::atomic<int> serial{0};
    m_outFile = TestFolder() + "page-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + ".out";
    DeleteFileA(m_outFile.c_str());
    std::string command = Quoted(TestFolder() + "pagehost.exe") + " " + Quoted("out=" + m_outFile);
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
        ADD_FAILURE() << "cannot start pagehost";
        return;
    }
    m_dialog = ui::WaitForDialog(m_process.dwProcessId);
    EXPECT_NE(m_dialog, nullptr) << "the page did not show";
}

PageSession::~PageSession()
{
    if (!m_process.hProcess)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process.hProcess, 99);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

PageOutcome PageSession::Finish()
{
    PageOutcome outcome;
    if (!m_process.hProcess || WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the page did not close";
        return outcome;
    }
    std::ifstream in(m_outFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        size_t equals = line.find('=');
        std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "result")
            outcome.result = std::stoi(value);
        else if (key == "folder")
            outcome.folder = value;
        else if (key == "drive")
            outcome.drive = value.empty() ? 0 : value[0];
        else if (key == "cwd")
            outcome.cwd = value;
    }
    in.close();
    DeleteFileA(m_outFile.c_str());
    return outcome;
}

void ExpectControls(HWND dialog, const std::vector<ControlSpec>& specs)
{
    std::vector<HWND> children = ui::Children(dialog);
    ASSERT_EQ(children.size(), specs.size());
    SIZE base = ui::DialogBaseUnits(dialog);
    for (size_t i = 0; i < specs.size(); ++i) {
        const ControlSpec& spec = specs[i];
        HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(spec.id));
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, spec.id & 0xFFFF);
        EXPECT_EQ(lstrcmpiA(ui::ClassName(child).c_str(), spec.className), 0) << ui::ClassName(child);
        EXPECT_EQ(ui::Text(child), spec.text);
        RECT units = ui::ToDialogUnits(ui::RectInParent(child), base);
        EXPECT_EQ(units.left, spec.units.left);
        EXPECT_EQ(units.top, spec.units.top);
        EXPECT_EQ(units.right - units.left, spec.units.right);
        EXPECT_EQ(units.bottom - units.top, spec.units.bottom);
        LONG style = ui::Style(child);
        EXPECT_EQ(style & spec.typeMask, spec.type) << std::hex << style;
        EXPECT_EQ(style & spec.required, spec.required) << std::hex << style;
        EXPECT_EQ(style & spec.forbidden, 0) << std::hex << style;
    }
}
