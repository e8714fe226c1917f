#include "UnattendedHost.h"

bool CUnattendedHost::MoveOver(const std::string& source, const std::string& target)
{
    bool moved = CWin32EngineHost::MoveOver(source, target);
    m_changed = m_changed || moved;
    return moved;
}

bool CUnattendedHost::WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                                   const std::string& path)
{
    bool written = CWin32EngineHost::WriteProfile(section, key, value, path);
    m_changed = m_changed || written;
    return written;
}

void CUnattendedHost::ArchiveSetBackgroundMode(int background)
{
    CWin32EngineHost::ArchiveSetBackgroundMode(m_windowless ? 1 : background);
}

int CUnattendedHost::ExtractArchive(const std::string& command, std::string& output)
{
    // Only an extraction writes; a failed one may have written its first members already.
    if (command.rfind("e ", 0) == 0 || command.rfind("x ", 0) == 0)
        m_changed = true;
    return CWin32EngineHost::ExtractArchive(command, output);
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
