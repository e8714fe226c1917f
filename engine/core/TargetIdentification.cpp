#include "TargetIdentification.h"

#include "Cp932.h"
#include "Installation.h"

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

bool HasMenuMarker(const EngineHost& host, const std::string& folder)
{
    return host.files.Exists(folder + "qe2menu.ini") || host.files.Exists(folder + "qe1menu.ini");
}

// The menu markers, tested again after one more backslash.
bool CheckMenuMarkers(const EngineHost& host, std::string& folder, const std::string& settingsFile)
{
    if (!IsMenuSettingsFile(settingsFile))
        return true;
    if (!host.files.Exists(folder))
        return false;
    if (HasMenuMarker(host, folder))
        return true;
    folder += "\\";
    return HasMenuMarker(host, folder);
}

// The formatter, which can only raise the result.
bool CheckFormatter(const EngineHost& host, std::string& folder)
{
    if (!host.files.Exists(folder))
        return false;
    if (host.files.Exists(folder + "dravex.exe"))
        return true;
    folder += "\\";
    return host.files.Exists(folder + "dravex.exe");
}

} // namespace

bool ProbeSettingsFile(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    if (!host.files.Exists(workingFolder))
        return false;
    if (host.files.Exists(workingFolder + settingsFile))
        return true;
    workingFolder += "\\";
    return host.files.Exists(workingFolder + settingsFile);
}

bool LocateSettingsFile(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    if (ProbeSettingsFile(host, workingFolder, settingsFile))
        return true;
    // A bare drive letter such as D becomes the drive root D:\.
    workingFolder += ":\\";
    return ProbeSettingsFile(host, workingFolder, settingsFile);
}

bool ValidateInstallFolder(const EngineHost& host, std::string& workingFolder, const std::string& settingsFile)
{
    bool markers = CheckMenuMarkers(host, workingFolder, settingsFile);
    // The formatter is tested whatever the markers gave: it may extend the folder, and it can pass alone.
    if (!CheckFormatter(host, workingFolder) && !markers)
        return false;
    return host.files.Exists(workingFolder) && host.files.Exists(workingFolder + "\\bmp\\MERIO2L.BMP");
}

Edition DetectSystemKind(const EngineHost& host, const std::string& workingFolder, const std::string& settingsFile,
                         const std::array<std::string, 15>& titleKeywords)
{
    std::string settingsPath = workingFolder + settingsFile;
    std::string value;
    if (UpperAscii(settingsFile) == UpperAscii(install::kMakerSettingsFile)) {
        if (host.settings.ReadProfile(install::kSystemSection, install::kMakerKey, "1", settingsPath, value) == ProfileReadResult::Failed)
            return Edition::NotRecognised();
        return Edition(DecimalValue(value) == 1 ? Edition::kMakerOne : Edition::kMakerOther);
    }
    if (host.settings.ReadProfile(install::kSystemSection, install::kTitleKey, "", settingsPath, value) == ProfileReadResult::Failed)
        return Edition::NotRecognised();
    for (size_t i = 0; i < titleKeywords.size(); ++i) {
        if (ContainsText(value, titleKeywords[i]))
            return Edition(static_cast<int>(i) + 1);
    }
    return Edition::NotRecognised();
}
