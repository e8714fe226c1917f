#pragma once
// Runs one wizard page in the pagehost helper process and reads back what it returned.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Folder of this test executable (and of pagehost.exe), ending in a backslash.
std::string TestFolder();

struct PageOutcome {
    int result = -100;
    std::string folder;
    char drive = 0;
    std::string cwd;
};

class PageSession {
public:
    // args as key=value texts (CP932); waits for the page's dialog to show.
    explicit PageSession(const std::vector<std::string>& args);
    ~PageSession();
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    // Waits for the helper to end and reads its outcome.
    PageOutcome Finish();

private:
    PROCESS_INFORMATION m_process{};
    std::string m_outFile;
    HWND m_dialog = nullptr;
};

// One control as the template gives it: position and size in dialog units, the type bits within typeMask,
// style bits that must be set and bits that must be clear.
struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    RECT units; // x, y, cx, cy
    LONG typeMask, type, required, forbidden;
};

// Checks the dialog's children against specs, in template order.
void ExpectControls(HWND dialog, const std::vector<ControlSpec>& specs);
