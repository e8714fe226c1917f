#pragma once
// The small window shown while an archive is extracted in foreground mode: archive name, current file and a
// progress bar over the archive's total size, shown once the extraction has taken half a second. It has no
// close button and is centred on its owner. There is no worker thread: the extraction loop calls Pump so that
// the windows repaint.

#include "Target.h"

#include <windows.h>

#include <string>

class CProgressWindow : public lzh::Progress {
public:
    static constexpr DWORD kShowDelayMs = 500;

    explicit CProgressWindow(DWORD showDelayMs = kShowDelayMs) : m_showDelayMs(showDelayMs) {}
    ~CProgressWindow() override;
    CProgressWindow(const CProgressWindow&) = delete;
    CProgressWindow& operator=(const CProgressWindow&) = delete;

    // Disables the owner until this object goes; the window itself appears later, if at all.
    void Start(HWND owner, const std::string& archiveName);

    void OnStart(uint64_t totalBytes) override;
    void OnEntry(const std::string& displayPath) override;
    void OnBytes(uint64_t doneBytes) override;

    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    void CenterOnOwner();
    void ShowWhenSlow();
    void Pump();

    DWORD m_showDelayMs;
    HWND m_hWnd = nullptr;
    HWND m_owner = nullptr;
    HWND m_fileText = nullptr;
    HWND m_bar = nullptr;
    bool m_ownerWasEnabled = false;
    uint64_t m_total = 0;
    int m_shown = -1;
    std::string m_archiveName, m_fileName;
    DWORD m_started = 0;
    bool m_tried = false;
};
