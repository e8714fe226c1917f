#include "UpdateRun.h"

#include "CUpdateRun.h"
#include "Cp932.h"
#include "FileSystem.h"
#include "LzhLibrary.h"
#include "MasterConversion.h"
#include "ProgramDirectory.h"
#include "TargetIdentification.h"
#include "resource.h"

#include <vector>

namespace {

// Keys of step 9 in CP932: 令和, 抽出開始日ON, 抽出終了日ON, 種別電気, 種別水道, 種別設備, 種別建築.
constexpr char kEraName[] = "\x97\xDF\x98\x61";
constexpr char kExtractStartKey[] = "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON";
constexpr char kExtractEndKey[] = "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON";
constexpr const char* kCategoryKeys[] = {
    "\x8E\xED\x95\xCA\x93\x64\x8B\x43",
    "\x8E\xED\x95\xCA\x90\x85\x93\xB9",
    "\x8E\xED\x95\xCA\x90\xDD\x94\xF5",
    "\x8E\xED\x95\xCA\x8C\x9A\x92\x7A",
};

void WriteKey(const char* section, const char* key, const std::string& value, const std::string& path)
{
    WritePrivateProfileStringA(section, key, value.c_str(), path.c_str());
}

} // namespace

void EnsureFolder(const std::string& path)
{
    if (!PathExists(path))
        CreateDirectoryA(path.c_str(), nullptr);
}

void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty())
        return;
    for (size_t at = text.find(oldText); at != std::string::npos; at = text.find(oldText, at + newText.size()))
        text.replace(at, oldText.size(), newText);
}

int RunUpdate(UpdateDescription& description, HWND owner, RunPrompts& prompts)
{
    CUpdateRun run(description, owner, prompts);
    return run.Run();
}

CUpdateRun::CUpdateRun(UpdateDescription& description, HWND owner, RunPrompts& prompts)
    : m_description(description), m_owner(owner), m_prompts(prompts), m_workingFolder(description.installFolder)
{
}

int CUpdateRun::Run()
{
    bool searchedNull = m_description.settingsFile == "NULL";
    if (Identify() != 1) {
        // A later run, with another folder, searches both names again.
        if (searchedNull)
            m_description.settingsFile = "NULL";
        return 0;
    }
    PrepareArchiveLibrary();
    if (ProcessEntries() != 1)
        return 1;
    WriteSettingsKeys();
    RunConversions();
    Show(IDS_UPDATE_DONE, IDS_CAPTION_CONFIRM);
    return 1;
}

int CUpdateRun::FindSettingsFile()
{
    if (m_description.settingsFile != "NULL")
        return LocateSettingsFile(m_workingFolder, m_description.settingsFile);
    m_description.settingsFile = "tavilo1.ini";
    if (LocateSettingsFile(m_workingFolder, m_description.settingsFile) == 1)
        return 1;
    m_description.settingsFile = "pemiraz1.ini";
    m_workingFolder = m_description.installFolder;
    return LocateSettingsFile(m_workingFolder, m_description.settingsFile);
}

int CUpdateRun::Identify()
{
    if (FindSettingsFile() != 1) {
        Show(IDS_WRONG_FOLDER, IDS_CAPTION_ERROR);
        return 0;
    }
    if (ValidateInstallFolder(m_workingFolder, m_description.settingsFile) != 1) {
        Show(IDS_FOLDER_NOT_VALID, IDS_CAPTION_ERROR);
        return 0;
    }
    m_description.systemKind =
        DetectSystemKind(m_workingFolder, m_description.settingsFile, m_description.titleKeywords);
    if (m_description.systemKind == -1) {
        Show(IDS_KIND_NOT_RECOGNISED, IDS_CAPTION_ERROR);
        return 0;
    }
    return 1;
}

void CUpdateRun::PrepareArchiveLibrary()
{
    UINT length = GetWindowsDirectoryA(nullptr, 0);
    std::vector<char> buffer(length + 1);
    length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    m_windowsDirectory.assign(buffer.data(), length < buffer.size() ? length : 0);
    LzhSetBackgroundMode(0);
    LzhSetCursorMode(1);
    m_currentDisk = 1;
}

void CUpdateRun::WriteSettingsKeys()
{
    const std::string settingsPath = SettingsPath();
    const std::string historyPath = m_workingFolder + "mok3.ini";
    WriteKey("SYSTEM", "GENGOU", kEraName, settingsPath);
    if (!m_description.versionText.empty()) {
        std::string title = ReadProfileText("SYSTEM", "TITLE", "", settingsPath);
        ReplaceAllInPlace(title, "8.0S", m_description.versionText);
        WriteKey("SYSTEM", "TITLE", title, settingsPath);
    }
    WriteKey("HISTORY", kExtractStartKey, "1", historyPath);
    WriteKey("HISTORY", kExtractEndKey, "1", historyPath);
    int category = DecimalValue(m_description.category);
    if (category >= 1 && category <= 4)
        WriteKey("SYSTEM", kCategoryKeys[category - 1], "1", settingsPath);
}

void CUpdateRun::RunConversions()
{
    if (DecimalValue(m_description.masterAdjust) != 1)
        return;
    m_waitCursor.Restore();
    const std::string settingsPath = m_workingFolder + "tavilo1.ini";
    if (ConvertMaterialSize(settingsPath) == 0)
        Show(IDS_SIZE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
    if (ConvertMaterialType(settingsPath) == 0)
        Show(IDS_TYPE_CONVERSION_FAILED, IDS_CAPTION_CONFIRM);
}

void CUpdateRun::Show(UINT textId, UINT captionId, const std::string& argument)
{
    m_prompts.Message(FillMessage(LoadResourceString(textId), argument), LoadResourceString(captionId));
    m_waitCursor.Restore();
}
