#include "TargetIdentification.h"

#include "Cp932.h"

namespace {

// Substring search that only matches at character starts, so a keyword never matches a trail byte.
bool ContainsText(const std::string& text, const std::string& part)
{
    if (part.empty())
        return true;
    for (size_t i = 0; i + part.size() <= text.size(); i += CharLength(text, i)) {
        if (text.compare(i, part.size(), part) == 0)
            return true;
    }
    return false;
}

bool IsMenuSettingsFile(const std::string& settingsFile)
{
    std::string upper = UpperAscii(settingsFile);
    return upper == "TAVILO1.INI" || upper == "SURELO1.INI";
}

bool HasMenuMarker(EngineHost& host, const std::string& folder)
{
    return host.Exists(folder + "qe2menu.ini") || host.Exists(folder + "qe1menu.ini");
}

// The menu markers, tested again after one more backslash.
int CheckMenuMarkers(EngineHost& host, std::string& folder, const std::string& settingsFile)
{
    if (!IsMenuSettingsFile(settingsFile))
        return 1;
    if (!host.Exists(folder))
        return 0;
    if (HasMenuMarker(host, folder))
        return 1;
    folder += "\\";
    return HasMenuMarker(host, folder) ? 1 : 0;
}

// The formatter, which can only raise the result.
int CheckFormatter(EngineHost& host, std::string& folder)
{
    if (!host.Exists(folder))
        return 0;
    if (host.Exists(folder + "dravex.exe"))
        return 1;
    folder += "\\";
    return host.Exists(folder + "dravex.exe") ? 1 : 0;
}

} // namespace

int ProbeSettingsFile(EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    if (!host.Exists(workingFolder))
        return 0;
    if (host.Exists(workingFolder + settingsFile))
        return 1;
    workingFolder += "\\";
    return host.Exists(workingFolder + settingsFile) ? 1 : 0;
}

int LocateSettingsFile(EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    if (ProbeSettingsFile(host, workingFolder, settingsFile) == 1)
        return 1;
    // A bare drive letter such as D becomes the drive root D:\.
    workingFolder += ":\\";
    return ProbeSettingsFile(host, workingFolder, settingsFile);
}

int ValidateInstallFolder(EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    int result = CheckMenuMarkers(host, workingFolder, settingsFile);
    if (CheckFormatter(host, workingFolder) == 1)
        result = 1;
    if (result != 1)
        return 0;
    return host.Exists(workingFolder) && host.Exists(workingFolder + "\\bmp\\MERIO2L.BMP") ? 1 : 0;
}

int DetectSystemKind(EngineHost& host, const std::string& workingFolder, const std::string& settingsFile,
                     const std::array<std::string, 15>& titleKeywords)
{
    std::string settingsPath = workingFolder + settingsFile;
    std::string value;
    if (UpperAscii(settingsFile) == "PEMIRAZ1.INI") {
        if (host.ReadProfile("SYSTEM", "MAKER", "1", settingsPath, value) == ProfileReadResult::Failed)
            return -1;
        return DecimalValue(value) == 1 ? 0 : 99;
    }
    if (host.ReadProfile("SYSTEM", "TITLE", "", settingsPath, value) == ProfileReadResult::Failed)
        return -1;
    for (size_t i = 0; i < titleKeywords.size(); ++i) {
        if (ContainsText(value, titleKeywords[i]))
            return static_cast<int>(i) + 1;
    }
    return -1;
}
