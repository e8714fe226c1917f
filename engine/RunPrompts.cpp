#include "RunPrompts.h"

void CMessageBoxPrompts::Message(const std::string& text, const std::string& caption)
{
    MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OK);
}

int CMessageBoxPrompts::AskForDisk(const std::string& text, const std::string& caption)
{
    return MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OKCANCEL);
}

std::string FillMessage(const std::string& pattern, const std::string& argument)
{
    for (size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && (pattern[i + 1] == 'd' || pattern[i + 1] == 's'))
            return pattern.substr(0, i) + argument + pattern.substr(i + 2);
    }
    return pattern;
}
