#pragma once
// The application's registered uninstall command, from the local machine's uninstall keys.

#include <string>
#include <vector>

// The "UninstallString" of the first of keyNames that opens (the search ends at the first empty name, after 15
// names at most); empty when none opens or that key lacks the value.
std::string ReadUninstallString(const std::vector<std::string>& keyNames);
