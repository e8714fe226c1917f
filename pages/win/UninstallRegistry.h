#pragma once
// The application's registered uninstall command, from the local machine's uninstall keys.

#include <span>
#include <string>

// The "UninstallString" of the first of keyNames that opens (the search ends at the first empty name, after 15
// names at most); empty when none opens or that key lacks the value.
std::string ReadUninstallString(std::span<const std::string> keyNames);

// The folder the wizard offers on the install-folder page, and an unattended run without /DIR= takes: the one
// the first registration names, else fallback (the default folder of info.txt, or the folder last confirmed).
std::string OfferedInstallFolder(std::span<const std::string> keyNames, const std::string& fallback);
