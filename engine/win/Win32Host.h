#pragma once
// The engine's Win32 host for Parvel.exe, one class per role: the Win32 file calls, the profile calls, the
// medium's drive, the archive component, and message boxes owned by the view under the wait cursor. A run
// takes them together; one that answers its boxes itself (unattended, a test) brings its own prompts.

#include <windows.h>

#include "EngineHost.h"
#include "WaitCursor.h"

class CWin32Files : public FileHost {
public:
    bool Exists(const std::string& path) override;
    Existence Probe(const std::string& path) override;
    bool FileSize(const std::string& path, uint64_t& bytes) override;
    bool Attributes(const std::string& path, uint32_t& attributes) override;
    bool CreateFolder(const std::string& path) override;
    bool ClearAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override;
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override;
    std::unique_ptr<ByteReader> OpenExclusive(const std::string& path) override;
    std::unique_ptr<ByteReader> OpenRead(const std::string& path) override;
    std::unique_ptr<HostWriter> CreateExclusive(const std::string& path) override;
    bool CopyFileTo(const std::string& source, const std::string& target) override;
    MoveResult MoveOver(const std::string& source, const std::string& target, NameChange change) override;
    bool KeepOriginal(const std::string& target, const std::string& aside) override;
    bool OverwriteInPlace(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool FlushFile(const std::string& path) override;
    bool FlushFolder(const std::string& folder) override;
    void TakeSecurityOf(const std::string& target, const std::string& work) override;
    OpenCheck CheckOpen(const std::string& path, Access access) override;
    std::vector<std::string> HoldingPrograms(const std::vector<std::string>& paths) override;
    bool FreeBytes(const std::string& folder, uint64_t& bytes) override;
    std::string VolumeOf(const std::string& path) override;
    OpenCheck ProbeWrite(const std::string& folder) override;
    uint64_t Milliseconds() override { return GetTickCount64(); }
};

class CWin32Settings : public SettingsHost {
public:
    ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& path,
                                  std::string& value) override;
    bool WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& path) override;
};

class CWin32Medium : public MediumHost {
public:
    bool MediumIsRemovable(const std::string& programDirectory) override;
    std::string ListedName(const std::string& name) override;
    void AnchorMedium(const std::string& programDirectory) override;
};

class CWin32Archive : public ArchiveHost {
public:
    // progressWindow: whether a long extraction shows its window, owned by owner.
    CWin32Archive(HWND owner, bool progressWindow) : m_owner(owner), m_progressWindow(progressWindow) {}
    ExtractResult ExtractArchive(const ExtractRequest& request) override;
    bool MeasureArchive(const std::string& archive, uint64_t& bytes) override;

private:
    HWND m_owner;
    bool m_progressWindow;
};

// Boxes owned by the view, without an icon; the wait cursor for the prompts' lifetime.
class CWin32Prompts : public PromptHost {
public:
    explicit CWin32Prompts(HWND owner) : m_owner(owner) {}
    std::string LoadText(unsigned id) override;
    void Message(const std::string& text, const std::string& caption) override;
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    RetryAnswer AskRetry(const std::string& text, const std::string& caption) override;
    void RestoreWaitCursor() override { m_waitCursor.Restore(); }

private:
    HWND m_owner;
    CWaitCursor m_waitCursor;
};

// The roles of one run but its prompts.
struct CWin32Host {
    CWin32Files files;
    CWin32Settings settings;
    CWin32Medium medium;
    CWin32Archive archive;

    explicit CWin32Host(HWND owner, bool progressWindow = true) : archive(owner, progressWindow) {}
    EngineHost With(PromptHost& prompts) { return EngineHost{files, settings, medium, archive, prompts}; }
};
