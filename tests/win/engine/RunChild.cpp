// The update of the interruption test in a process of its own, so that the test can kill it at any moment.
//   engine_run_child <medium folder\> <install folder> <event>
// Sets the named event just before the run starts; exits with 0 when the run ended in the success message.
#include "FileIo.h"
#include "Handles.h"
#include "ResourceString.h"
#include "UpdateEngine.h"
#include "Win32Host.h"
#include "resource.h"

#include <windows.h>

namespace {

// No boxes; loose files come as from a slow medium, a piece at a time, so that a kill can find a copy
// half done (a copy from the page cache is over in a few milliseconds).
class CQuietPrompts : public CWin32Prompts {
public:
    CQuietPrompts() : CWin32Prompts(nullptr) {}
    void Message(const std::string& text, const std::string&) override { last = text; }
    DiskAnswer AskForDisk(const std::string&, const std::string&) override { return DiskAnswer::Cancel; }
    RetryAnswer AskRetry(const std::string&, const std::string&) override { return RetryAnswer::Cancel; }
    std::string last;
};

class CSlowFiles : public CWin32Files {
public:
    bool CopyFileTo(const std::string& source, const std::string& target) override
    {
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        CFileHandle from(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        CFileHandle to(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        std::string piece(256 * 1024, '\0');
        DWORD got = 0;
        while (from && to && ReadFile(from.Get(), piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) {
            if (got == 0)
                return to.Close();
            if (!WriteAll(to.Get(), piece.data(), got))
                return false;
            Sleep(5);
        }
        return false;
    }
};

UpdateEntry Entry(int disk, EntryKind kind, const char* name, const char* subfolder)
{
    return UpdateEntry{disk, kind, name, subfolder};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    UpdateDescription description;
    description.installFolder = argv[2];
    description.settingsFile = "tavilo1.ini";
    description.masterAdjust = 1;
    description.category = 2;
    description.versionText = "9.1";
    for (size_t i = 0; i < description.titleKeywords.size(); ++i)
        description.titleKeywords[i] = i == 0 ? "ABC" : "#none";
    const EntryKind archive = EntryKind::Archive, file = EntryKind::LooseFile;
    description.entries = {Entry(1, archive, "BIG1", ""), Entry(1, file, "L1.BIN", ""), Entry(1, file, "L2.BIN", "DATA\\"),
                           Entry(1, archive, "BIG2", "DATA\\"), Entry(1, file, "L3.BIN", ""), Entry(1, archive, "START", "")};
    CWin32Host host(nullptr, false);
    CSlowFiles files;
    CQuietPrompts prompts;
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (started)
        SetEvent(started);
    const EngineHost roles{files, host.settings, host.medium, host.archive, prompts};
    RunOutcome outcome = ApplyUpdate(description, UpdatePlace{MediumFolder(argv[1]), description.installFolder}, roles);
    // The next start finishes a cut-off update: that is a success as well.
    return outcome == RunOutcome::Updated || outcome == RunOutcome::Recovered ? 0 : 1;
}
