#pragma once
// The run log's file: %TEMP%\Parvel-YYYYMMDD-HHMMSS.log, UTF-8 with a byte-order mark and CR LF line ends,
// so that Notepad reads it the same on any system and a log mailed to support reads the same there.
// Created at the first line and written line by line, so a run that is killed still leaves what it did.
// Nothing here ever stops the update: when the file cannot be created or written, the log just ends.

#include <string>

#include "Handles.h"
#include "RunLog.h"

// The local time now, for the log's lines and its name.
LogTime LocalLogTime();

class CRunLogFile {
public:
    explicit CRunLogFile(LogTime (*clock)() = LocalLogTime) : m_clock(clock) {}

    // Every line goes to path too (/LOG=), a file made anew at the first line, UTF-8 like the log in %TEMP%.
    void AlsoWriteTo(const std::string& path) { m_copyPath = path; }
    // Appends one CP932 line.
    void Append(const std::string& line);
    // The file's path once it has been created, else empty.
    const std::string& Path() const { return m_path; }

private:
    bool Create();

    LogTime (*m_clock)();
    CFileHandle m_file;
    std::string m_path;
    bool m_failed = false;
    std::string m_copyPath;
    CFileHandle m_copy;
    bool m_copyFailed = false;
};
