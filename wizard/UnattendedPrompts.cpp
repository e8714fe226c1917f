#include "UnattendedPrompts.h"

void CUnattendedPrompts::Message(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes) {
        CWin32Prompts::Message(text, caption);
        return;
    }
    m_log.AnsweredUnshown(text, caption, false);
}

DiskAnswer CUnattendedPrompts::AskForDisk(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes)
        return CWin32Prompts::AskForDisk(text, caption);
    Refuse(text, caption);
    return DiskAnswer::Cancel;
}

RetryAnswer CUnattendedPrompts::AskRetry(const std::string& text, const std::string& caption)
{
    if (!m_suppressBoxes)
        return CWin32Prompts::AskRetry(text, caption);
    Refuse(text, caption);
    return RetryAnswer::Cancel;
}

void CUnattendedPrompts::Refuse(const std::string& text, const std::string& caption)
{
    m_refusedQuestion = true;
    m_log.AnsweredUnshown(text, caption, true);
}
