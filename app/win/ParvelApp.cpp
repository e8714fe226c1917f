// Start-up: programDirectory from the executable's own path and the medium's info.txt, then the main window
// with its view.

#include "App.h"

#include <commctrl.h>

#include <string>

#include "CommandLine.h"
#include "MainFrame.h"
#include "ProgramDirectory.h"
#include "UpdateDescription.h"
#include "UpdateSession.h"
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

        // info.txt is read once: the pages, the main window's title and the log all take it from the session.
        UpdateMedium medium;
        medium.programDirectory = ProgramDirectoryFromPath(ModulePath());
        LoadUpdateDescription(medium.description, medium.programDirectory);

        // Without switches, the wizard as it always was; the exit code tells a script the outcome either way.
        CommandLine line = ParseCommandLine(m_lpCmdLine);
        m_session.Configure(std::move(medium), line.suppressMessageBoxes, line.verySilent, line.logFile);
        if (!line.Sound() || line.usage)
            return EndAt(m_session.ShowUsage(line.refused));
        if (line.Unattended())
            return EndAt(m_session.RunWithoutPages(line.folder));

        if (!m_frame.Create(m_session, line.folder))
            return EndAt(ExitCode::StoppedBeforeWriting);
        m_hMainWnd = m_frame.GetHwnd();
        m_hAccelTable = ::LoadAcceleratorsA(m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
        ::ShowWindow(m_hMainWnd, SW_SHOW);
        ::UpdateWindow(m_hMainWnd);
        return TRUE;
    }

private:
    // Ends the program without a message loop.
    BOOL EndAt(ExitCode code)
    {
        m_session.SetExitCode(code);
        m_exitCode = m_session.End();
        return FALSE;
    }

    CUpdateSession m_session;
    CMainFrame m_frame;
};

CParvelApp theApp;

} // namespace
