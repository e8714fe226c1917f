#include "TargetIdentification.h"

#include "Cp932.h"
#include "FileSystem.h"

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

bool HasMenuMarker(const std::string& folder)
{
    return PathExists(folder + "qe2menu.ini") || PathExists(folder + "qe1menu.ini");
}

// Stage 1: the menu markers, tested again after one more backslash.
int CheckMenuMarkers(std::string& folder, const std::string& settingsFile)
{
    if (!IsMenuSettingsFile(settingsFile))
        return 1;
    if (!PathExists(folder))
        return 0;
    if (HasMenuMarker(folder))
        return 1;
    folder += "\\";
    return HasMenuMarker(folder) ? 1 : 0;
}

// Stage 2: the formatter, which can only raise the result.
int CheckFormatter(std::string& folder)
{
    if (!PathExists(folder))
        return 0;
    if (PathExists(folder + "dravex.exe"))
        return 1;
    folder += "\\";
    return PathExists(folder + "dravex.exe") ? 1 : 0;
}

} // namespace

int ProbeSettingsFile(std::string& workingFolder, const std::string& settingsFile)
{
    if (!PathExists(workingFolder))
        return 0;
    if (PathExists(workingFolder + settingsFile))
        return 1;
    workingFolder += "\\";
    return PathExists(workingFolder + settingsFile) ? 1 : 0;
}

int LocateSettingsFile(std::string& workingFolder, const std::string& settingsFile)
{
    if (ProbeSettingsFile(workingFolder, settingsFile) == 1)
        return 1;
    // A bare drive letter such as D becomes the drive root D:\.
    workingFolder += ":\\";
    return ProbeSettingsFile(workingFolder, settingsFile);
}

int ValidateInstallFolder(std::string& workingFolder, const std::string& settingsFile)
{
    int result = CheckMenuMarkers(workingFolder, settingsFile);
    if (CheckFormatter(workingFolder) == 1)
        result = 1;
    if (result != 1)
        return 0;
    return PathExists(workingFolder) && PathExists(workingFolder + "\\bmp\\MERIO2L.BMP") ? 1 : 0;
}

int DetectSystemKind(const std::string& workingFolder, const std::string& settingsFile,
                     const std::array<std::string, 15>& titleKeywords)
{
    std::string settingsPath = workingFolder + settingsFile;
    if (UpperAscii(settingsFile) == "PEMIRAZ1.INI") {
        std::string maker = ReadProfileText("SYSTEM", "MAKER", "1", settingsPath);
        return DecimalValue(maker) == 1 ? 0 : 99;
    }
    std::string title = ReadProfileText("SYSTEM", "TITLE", "", settingsPath);
    for (size_t i = 0; i < titleKeywords.size(); ++i) {
        if (ContainsText(title, titleKeywords[i]))
            return static_cast<int>(i) + 1;
    }
    return -1;
}
