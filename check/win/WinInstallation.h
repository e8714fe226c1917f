#pragma once
// The installation on this machine, read through the wizard's own Win32 host, whose queries change nothing.

#include "InstallationFiles.h"
#include "Win32EngineHost.h"

class CWinInstallation : public InstallationFiles {
public:
    bool Exists(const std::string& path) override { return m_host.Exists(path); }
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override
    {
        return m_host.ReadLastWriteDate(path, date);
    }
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override
    {
        return m_host.ListFolder(pattern, names);
    }
    // Opened as the conversion opens it, without sharing: a master another program holds fails here as in
    // the run. Nothing is written through it.
    std::unique_ptr<ByteReader> OpenForReading(const std::string& path) override { return m_host.OpenExclusive(path); }
    ProfileReadResult ReadProfile(const std::string& section, const std::string& key, const std::string& defaultValue,
                                  const std::string& path, std::string& value) override
    {
        return m_host.ReadProfile(section, key, defaultValue, path, value);
    }

private:
    CWin32EngineHost m_host{nullptr};
};
