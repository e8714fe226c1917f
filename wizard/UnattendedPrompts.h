#pragma once
// The prompts of a run started with switches: the Win32 boxes, except that with /SUPPRESSMSGBOXES no box is
// shown (a notice gets its first button, OK; a question with no safe answer, a disk prompt or a held file,
// gets Cancel and the update stops), each box going to the log with its answer.

#include "RunLog.h"
#include "Win32Host.h"

class CUnattendedPrompts : public CWin32Prompts {
public:
    CUnattendedPrompts(HWND owner, RunLog& log, bool suppressBoxes)
        : CWin32Prompts(owner), m_log(log), m_suppressBoxes(suppressBoxes)
    {
    }

    // A question was answered Cancel because no one was there to answer it.
    bool RefusedQuestion() const { return m_refusedQuestion; }

    void Message(const std::string& text, const std::string& caption) override;
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    RetryAnswer AskRetry(const std::string& text, const std::string& caption) override;

private:
    // Logs a question answered Cancel unshown.
    void Refuse(const std::string& text, const std::string& caption);

    RunLog& m_log;
    bool m_suppressBoxes;
    bool m_refusedQuestion = false;
};
