#pragma once
// The application object: one global instance; WinMain runs its start-up, then the message loop.

#include <windows.h>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp() = default;

    // Start-up; FALSE ends the process at once, with m_exitCode.
    virtual BOOL InitInstance() = 0;
    // The message loop, until the main window is gone; the exit code is the one given to PostQuitMessage.
    // Keyboard accelerators go to the main window.
    int Run();

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = ""; // the command line after the program's name
    int m_exitCode = 0;
    HWND m_hMainWnd = nullptr;
    HACCEL m_hAccelTable = nullptr;
};

CWinApp* AfxGetApp();
