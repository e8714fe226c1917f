#pragma once
// The installation as a preview reads it: queries only, never a write. Paths are the texts the update engine
// forms (CP932, runs of backslashes as one separator); each platform maps them onto its files.

#include "EngineHost.h"

#include <memory>
#include <string>
#include <vector>

class InstallationFiles {
public:
    virtual ~InstallationFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    virtual LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) = 0;
    virtual ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) = 0;
    // Opened for reading only; null when it cannot be.
    virtual std::unique_ptr<ByteReader> OpenForReading(const std::string& path) = 0;
    virtual ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, const std::string& path,
                                          std::string& value) = 0;
    // The paths asked about since the last call that the preview cannot see (a copy of an installation
    // holds nothing outside it), each once; the run took them as missing, which they need not be.
    virtual std::vector<std::string> TakeUnseen() { return {}; }
};
