#pragma once
// What an update will write besides its entries: the settings keys, planned before anything is staged.

#include <string>
#include <vector>

#include "UpdateDescription.h"

struct SettingsEdit {
    std::string file; // the settings file's full path
    std::string section, key, value;
};

struct SettingsPlanInput {
    std::string settingsPath; // the installation's settings file, tavilo1.ini or pemiraz1.ini
    std::string historyPath;  // mok3.ini
    bool writeVersion = false; // the edition's START archive comes with a version to record
    std::string title;         // [SYSTEM] TITLE as it is now
};

// The keys in the order they are written: Version, the era, the title with its version, the two history keys,
// and the category's key.
std::vector<SettingsEdit> PlanSettingsEdits(const UpdateDescription& description, const SettingsPlanInput& input);

// Replaces every occurrence of oldText by newText, never again inside an inserted newText.
void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText);
