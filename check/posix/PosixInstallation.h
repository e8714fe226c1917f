#pragma once
// An installation copied to a Linux folder, read as the Windows folder it was installed in: the paths the
// update engine forms under that Windows folder (backslashes and all, any letter case) map onto the copy.
// A path outside it (a master folder elsewhere, a relative one) cannot be read, and is reported as unseen
// rather than taken as missing. Nothing is ever written.

#include "InstallationFiles.h"

#include <string>

class PosixInstallation : public InstallationFiles {
public:
    PosixInstallation(std::string windowsFolder, std::string folder)
        : m_windowsFolder(std::move(windowsFolder)), m_folder(std::move(folder))
    {
    }
    bool Exists(const std::string& path) override;
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override;
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override;
    std::unique_ptr<ByteReader> OpenForReading(const std::string& path) override;
    ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& path,
                                  std::string& value) override;
    std::vector<std::string> TakeUnseen() override;

private:
    // The file a Windows path names in the copy; false when the path lies outside it or is missing. A path
    // outside that is to be read is noted as unseen; a mere existence probe is not (the run probes the
    // folder's name with the settings file's name glued on, a file that would lie outside).
    bool Map(const std::string& path, std::string& posixPath, bool toRead = true);

    std::string m_windowsFolder;
    std::string m_folder;
    std::vector<std::string> m_unseen;
};
