#include "UnattendedHost.h"

void CUnattendedHost::ArchiveSetBackgroundMode(int background)
{
    CWin32EngineHost::ArchiveSetBackgroundMode(m_windowless ? 1 : background);
}

void CUnattendedHost::Message(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes) {
        CWin32EngineHost::Message(text, caption);
        return;
    }
    m_log.AnsweredUnshown(text, caption, false);
}

DiskAnswer CUnattendedHost::AskForDisk(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes)
        return CWin32EngineHost::AskForDisk(text, caption);
    Refuse(text, caption);
    return DiskAnswer::Cancel;
}

RetryAnswer CUnattendedHost::AskRetry(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes)
        return CWin32EngineHost::AskRetry(text, caption);
    Refuse(text, caption);
    return RetryAnswer::Cancel;
}

void CUnattendedHost::Refuse(const std::string& text, const std::string& caption)
{
    m_refusedQuestion = true;
    m_log.AnsweredUnshown(text, caption, true);
}
