#pragma once
// The application's registered uninstall command, from the local machine's uninstall keys.

#include <string>
#include <vector>

// The "UninstallString" of the first of keyNames that opens (the search ends at the first empty name, after 15
// names at most); empty when none opens or that key lacks the value.
std::string ReadUninstallString(const std::vector<std::string>& keyNames);

// The folder the install-folder page offers: the one the first registration names, else fallback (the
// default folder of info.txt, or the folder last confirmed). An unattended run without /DIR takes it too.
std::string OfferedInstallFolder(const std::vector<std::string>& keyNames, const std::string& fallback);
