#pragma once
// The update run's only way to talk to the user: message boxes owned by the view, without an icon.
// Tests give the run their own prompts to answer and record the boxes.

#include <windows.h>

#include <string>

class RunPrompts {
public:
    virtual ~RunPrompts() = default;
    // A box with the button OK.
    virtual void Message(const std::string& text, const std::string& caption) = 0;
    // The disk-change prompt with OK and Cancel; returns the button chosen (IDOK, IDCANCEL, ...).
    virtual int AskForDisk(const std::string& text, const std::string& caption) = 0;
};

class CMessageBoxPrompts : public RunPrompts {
public:
    explicit CMessageBoxPrompts(HWND owner) : m_owner(owner) {}
    void Message(const std::string& text, const std::string& caption) override;
    int AskForDisk(const std::string& text, const std::string& caption) override;

private:
    HWND m_owner;
};

// pattern with its first "%d" or "%s" replaced by argument; the argument is never read as a format.
std::string FillMessage(const std::string& pattern, const std::string& argument);
