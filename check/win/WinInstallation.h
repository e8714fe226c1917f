#pragma once
// The installation on this machine, read through the wizard's own Win32 host, whose queries change nothing.

#include "InstallationFiles.h"
#include "Win32Host.h"

class CWinInstallation : public InstallationFiles {
public:
    bool Exists(const std::string& path) override { return m_files.Exists(path); }
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override
    {
        return m_files.ReadLastWriteDate(path, date);
    }
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override
    {
        return m_files.ListFolder(pattern, names);
    }
    // Opened as the run's staging opens it: a master another program holds fails here as in the run.
    std::unique_ptr<ByteReader> OpenForReading(const std::string& path) override { return m_files.OpenRead(path); }
    ProfileReadResult ReadProfile(const std::string& section, const std::string& key, const std::string& defaultValue,
                                  const std::string& path, std::string& value) override
    {
        return m_settings.ReadProfile(section, key, defaultValue, path, value);
    }

private:
    CWin32Files m_files;
    CWin32Settings m_settings;
};
