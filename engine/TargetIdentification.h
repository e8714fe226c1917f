#pragma once
// Whether a folder holds an installation of the target application, and which edition it is.
// The first three operations may append to the folder text; the run builds every later path from it.

#include <array>
#include <string>

int ProbeSettingsFile(std::string& workingFolder, const std::string& settingsFile);
int LocateSettingsFile(std::string& workingFolder, const std::string& settingsFile);
int ValidateInstallFolder(std::string& workingFolder, const std::string& settingsFile);

// -1 not recognised, 0 or 99 from "MAKER" of PEMIRAZ1.INI, else 1 + index of the first keyword in "TITLE".
int DetectSystemKind(const std::string& workingFolder, const std::string& settingsFile,
                     const std::array<std::string, 15>& titleKeywords);
