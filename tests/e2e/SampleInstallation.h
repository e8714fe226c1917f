#pragma once
// The sample installation and update description the end-to-end tests share.

#include <string>
#include <vector>

// The sample installation of the electrical edition, 8.0S, with one material master.
void MakeInstallation(const std::string& folder);
// The names of the files in folder that match pattern.
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern);
// Lines 1-42 of info.txt: the uninstall key, the default folder, masters converted, the settings file found.
std::vector<std::string> Description(const std::string& key, const std::string& installFolder);
