#pragma once
// Shows the hourglass for the life of the object.

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(Wait())) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows it again after a message box put the arrow back.
    void Restore() { SetCursor(Wait()); }

private:
    static HCURSOR Wait() { return LoadCursor(nullptr, IDC_WAIT); }
    HCURSOR m_previous;
};
