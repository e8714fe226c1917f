// Start-up: programDirectory from the executable's own path, then the main window with its view.

#include "App.h"

#include <commctrl.h>

#include <string>

#include "MainFrame.h"
#include "ProgramDirectory.h"
#include "resource.h"

namespace {

std::string ModulePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

class CParvelApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);

        // An empty floppy drive fails the call that touched it, without the system's own "no disk" box: the
        // update run asks for the disk itself, and the folder page just lists nothing.
        ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

        programDirectory = ProgramDirectoryFromPath(ModulePath());

        if (!m_frame.Create())
            return FALSE;
        m_hMainWnd = m_frame.GetHwnd();
        m_hAccelTable = ::LoadAcceleratorsA(m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
        ::ShowWindow(m_hMainWnd, SW_SHOW);
        ::UpdateWindow(m_hMainWnd);
        return TRUE;
    }

private:
    CMainFrame m_frame;
};

CParvelApp theApp;

} // namespace
