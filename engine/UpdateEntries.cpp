// Steps 6 to 8 of the update run: the disk check, archive entries and loose files.
#include "CUpdateRun.h"

#include "Cp932.h"
#include "FileSystem.h"
#include "LzhLibrary.h"
#include "MediaPath.h"
#include "ProgramDirectory.h"
#include "UpdateRun.h"
#include "WorkbookTemplate.h"
#include "resource.h"

#include <string>

namespace {

constexpr unsigned long kLibraryOutputBytes = 256;

// What the medium must hold for the entry: the archive, or the loose file itself.
std::string MediaFileOf(const UpdateEntry& entry)
{
    return programDirectory + entry.name + (entry.kind == 1 ? ".lzh" : "");
}

} // namespace

int CUpdateRun::ProcessEntries()
{
    for (UpdateEntry& entry : m_description.entries) {
        if (WaitForDisk(entry) != 1)
            return 0;
        std::string destinationFolder = m_workingFolder + entry.subfolder;
        EnsureFolder(destinationFolder);
        AnchorMediaDrive(programDirectory);
        int applied = entry.kind == 1 ? ExtractArchive(entry, destinationFolder)
                                      : CopyLooseFile(entry, destinationFolder);
        if (applied != 1)
            return 0;
    }
    return 1;
}

int CUpdateRun::WaitForDisk(const UpdateEntry& entry)
{
    if (entry.disk == 1 || entry.disk == m_currentDisk)
        return 1;
    if (GetDriveTypeA(DriveTypeQueryPath(programDirectory).c_str()) != DRIVE_REMOVABLE)
        return 1;
    std::string prompt = FillMessage(LoadResourceString(IDS_INSERT_DISK), std::to_string(entry.disk));
    std::string caption = LoadResourceString(IDS_CAPTION_CONFIRM);
    for (;;) {
        int answer = m_prompts.AskForDisk(prompt, caption);
        m_waitCursor.Restore();
        if (answer != IDOK) {
            Show(IDS_UPDATE_CANCELLED, IDS_CAPTION_CONFIRM);
            return 0;
        }
        AnchorMediaDrive(programDirectory);
        if (PathExists(MediaFileOf(entry))) {
            m_currentDisk = entry.disk;
            return 1;
        }
    }
}

int CUpdateRun::ExtractArchive(UpdateEntry& entry, const std::string& destinationFolder)
{
    std::string baseName = SplitPath(entry.name).name;
    if (baseName == "START") {
        entry.name += std::to_string(m_description.systemKind);
        if (!m_description.versionText.empty() && m_description.systemKind <= 15)
            WritePrivateProfileStringA("SYSTEM", "Version", m_description.versionText.c_str(), SettingsPath().c_str());
    }
    std::string command = "e -mcw" + m_windowsDirectory + " \"" + programDirectory + entry.name + "\" \"" +
                          destinationFolder + "\"";
    if (baseName == "EXCEL") {
        if (CheckWorkbookTemplate(m_workingFolder) != 1)
            return 1;
        Show(IDS_TEMPLATE_UPDATED, IDS_CAPTION_CONFIRM);
        AnchorMediaDrive(programDirectory);
    }
    return RunArchiveLibrary(command);
}

int CUpdateRun::RunArchiveLibrary(const std::string& command)
{
    char output[kLibraryOutputBytes] = {};
    if (LzhRunCommand(m_owner, command.c_str(), output, kLibraryOutputBytes) == 0)
        return 1;
    output[kLibraryOutputBytes - 1] = '\0';
    m_prompts.Message(output, LoadResourceString(IDS_CAPTION_CONFIRM));
    m_waitCursor.Restore();
    return 0;
}

int CUpdateRun::CopyLooseFile(const UpdateEntry& entry, const std::string& destinationFolder)
{
    std::string source = programDirectory + entry.name;
    PathParts parts = SplitPath(source);
    std::string target = destinationFolder + parts.name + parts.ext;
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
        Show(IDS_COPY_FAILED, IDS_CAPTION_CONFIRM, target);
        return 0;
    }
    // Only the attributes change: a read-only file on the medium gives a writable copy.
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        Show(IDS_ATTRIBUTES_FAILED, IDS_CAPTION_CONFIRM, source);
        return 0;
    }
    return 1;
}
