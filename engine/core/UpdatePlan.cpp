#include "UpdatePlan.h"

#include "Installation.h"

std::vector<SettingsEdit> PlanSettingsEdits(const UpdateDescription& description, const SettingsPlanInput& input)
{
    using namespace install;
    std::vector<SettingsEdit> edits;
    const std::string& settings = input.settingsPath;
    if (input.writeVersion)
        edits.push_back({settings, kSystemSection, kVersionKey, description.versionText});
    edits.push_back({settings, kSystemSection, kEraKey, kEraName});
    if (!description.versionText.empty()) {
        // Written back even when it holds no old version: a missing key is made, empty.
        std::string title = input.title;
        ReplaceAllInPlace(title, kTitleVersion, description.versionText);
        edits.push_back({settings, kSystemSection, kTitleKey, title});
    }
    edits.push_back({input.historyPath, kHistorySection, kExtractStartKey, "1"});
    edits.push_back({input.historyPath, kHistorySection, kExtractEndKey, "1"});
    int category = description.category;
    if (category >= 1 && category <= static_cast<int>(kCategoryKeys.size()))
        edits.push_back({settings, kSystemSection, kCategoryKeys[static_cast<size_t>(category - 1)], "1"});
    return edits;
}

void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty())
        return;
    for (size_t at = text.find(oldText); at != std::string::npos; at = text.find(oldText, at + newText.size()))
        text.replace(at, oldText.size(), newText);
}
