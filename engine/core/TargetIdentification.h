#pragma once
// Whether a folder holds an installation of the target application, and which edition it is.
// The first three operations may append to the folder text; the run builds every later path from it.
// Identification only reads.

#include <array>
#include <string>

#include "EngineHost.h"
#include "UpdateDescription.h"

bool ProbeSettingsFile(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile);
bool LocateSettingsFile(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile);
bool ValidateInstallFolder(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile);

// From "MAKER" of PEMIRAZ1.INI (0 or 99), else 1 + index of the first keyword in "TITLE". A settings file
// that exists but cannot be read is not recognised.
Edition DetectSystemKind(const EngineHost& host, const std::string& workingFolder, const std::string& settingsFile,
                         const std::array<std::string, 15>& titleKeywords);
