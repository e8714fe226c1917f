#pragma once
// The engine's host for a run started with switches: the Win32 host, except that with /SUPPRESSMSGBOXES
// no box is shown (a notice gets its first button, OK; a question with no safe answer, a disk prompt or
// a held file, gets Cancel and the update stops), each box going to the log with its answer; and with
// /VERYSILENT the archive component shows no progress window.

#include "RunLog.h"
#include "Win32EngineHost.h"

class CUnattendedHost : public CWin32EngineHost {
public:
    CUnattendedHost(HWND owner, RunLog& log, bool suppressBoxes, bool windowless)
        : CWin32EngineHost(owner), m_log(log), m_suppressBoxes(suppressBoxes), m_windowless(windowless)
    {
    }

    // A question was answered Cancel because no one was there to answer it.
    bool RefusedQuestion() const { return m_refusedQuestion; }

    void ArchiveSetBackgroundMode(int background) override;

    void Message(const std::string& text, const std::string& caption) override;
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    RetryAnswer AskRetry(const std::string& text, const std::string& caption) override;

private:
    // Logs a question answered Cancel unshown.
    void Refuse(const std::string& text, const std::string& caption);

    RunLog& m_log;
    bool m_suppressBoxes;
    bool m_windowless;
    bool m_refusedQuestion = false;
};
