#pragma once
// Real folders and files for the engine's tests under Wine.

#include "TestFiles.h"

#include <string>

// A fresh folder under the temp folder, removed with everything in it at the end of the test.
// Path() ends in a backslash.
class CTempFolder {
public:
    explicit CTempFolder(const std::string& nameTail = "");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator+(const std::string& relative) const { return m_path + relative; }

private:
    std::string m_path;
};

void MakeFolder(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// True when ctest's drive fixture has mapped the letter (e.g. "M:\").
bool DriveMapped(const char* root);

// Every file and folder below folder with its attributes, size, time and bytes, to tell that nothing changed.
std::string TreeText(const std::string& folder);

// Sets the last-write time, given in UTC.
void SetLastWrite(const std::string& path, int year, int month, int day, int hour);

