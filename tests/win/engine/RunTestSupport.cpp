#include "RunTestSupport.h"

#include <windows.h>

RunOutcome Apply(const UpdateDescription& description, const std::string& medium, CRecordingHost& host)
{
    return ApplyUpdate(description, UpdatePlace{MediumFolder(medium), description.installFolder}, host);
}

void CRecordingHost::Message(const std::string& text, const std::string& caption)
{
    boxes.push_back({text, caption, false});
}

RetryAnswer CRecordingHost::AskRetry(const std::string& text, const std::string& caption)
{
    boxes.push_back({text, caption, false});
    int number = m_retryPrompts++;
    // A run that keeps asking is a failure, not a hang.
    if (!onRetryPrompt || number >= kMaxDiskPrompts)
        return RetryAnswer::Cancel;
    return onRetryPrompt(number);
}

DiskAnswer CRecordingHost::AskForDisk(const std::string& text, const std::string& caption)
{
    boxes.push_back({text, caption, true});
    int number = m_diskPrompts++;
    if (onDiskPrompt)
        onDiskPrompt(number);
    // A run that keeps asking is a failure, not a hang.
    if (number >= kMaxDiskPrompts)
        return DiskAnswer::Cancel;
    return number < static_cast<int>(diskAnswers.size()) ? diskAnswers[number] : DiskAnswer::Ok;
}

std::vector<std::string> CRecordingHost::Texts() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes)
        texts.push_back(box.text);
    return texts;
}

void MakeInstallation(const std::string& folder, const std::string& settingsFile, const std::string& settings)
{
    MakeFolder(folder);
    MakeFolder(folder + "\\bmp");
    WriteBytes(folder + "\\bmp\\MERIO2L.BMP", "BM");
    WriteBytes(folder + "\\dravex.exe", "MZ");
    WriteBytes(folder + "\\" + settingsFile, settings);
}

UpdateDescription MakeDescription(const std::string& installFolder)
{
    UpdateDescription description;
    description.installFolder = installFolder;
    description.settingsFile = std::string("tavilo1.ini");
    description.titleKeywords[0] = std::string("ABC");
    for (size_t i = 1; i < description.titleKeywords.size(); ++i)
        description.titleKeywords[i].assign("#none").append(std::to_string(i));
    return description;
}

UpdateEntry Entry(int disk, int kind, const std::string& name, const std::string& subfolder)
{
    UpdateEntry entry;
    entry.disk = disk;
    entry.kind = kind == 1 ? EntryKind::Archive : EntryKind::LooseFile;
    entry.name = name;
    entry.subfolder = subfolder;
    return entry;
}
