#pragma once
// The engine's host for Parvel.exe: the Win32 calls, message boxes owned by the view, and the wait
// cursor, shown for the host's lifetime. Tests derive from it to answer and record the boxes.

#include <windows.h>

#include "EngineHost.h"
#include "WaitCursor.h"

class CWin32EngineHost : public EngineHost {
public:
    explicit CWin32EngineHost(HWND owner) : m_owner(owner) {}

    bool Exists(const std::string& path) override;
    Existence Probe(const std::string& path) override;
    bool FileSize(const std::string& path, uint64_t& bytes) override;
    bool CreateFolder(const std::string& path) override;
    bool ClearAttributes(const std::string& path) override;
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override;
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override;
    std::unique_ptr<ByteReader> OpenExclusive(const std::string& path) override;
    std::unique_ptr<HostWriter> CreateExclusive(const std::string& path) override;
    bool CopyFileTo(const std::string& source, const std::string& target) override;
    bool MoveOver(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool FlushFile(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    OpenCheck CheckOpen(const std::string& path, Access access) override;
    std::vector<std::string> HoldingPrograms(const std::vector<std::string>& paths) override;
    bool FreeBytes(const std::string& folder, uint64_t& bytes) override;
    OpenCheck ProbeWrite(const std::string& folder) override;
    bool MeasureArchive(const std::string& archive, uint64_t& bytes) override;
    uint64_t Milliseconds() override { return GetTickCount64(); }

    ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& path,
                                  std::string& value) override;
    ProfileWriteResult WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& path) override;

    bool MediumIsRemovable(const std::string& programDirectory) override;
    void AnchorMedium(const std::string& programDirectory) override;

    ExtractResult ExtractArchive(const ExtractRequest& request) override;

    std::string LoadText(unsigned id) override;
    void Message(const std::string& text, const std::string& caption) override;
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    RetryAnswer AskRetry(const std::string& text, const std::string& caption) override;
    void RestoreWaitCursor() override { m_waitCursor.Restore(); }

protected:
    HWND Owner() const { return m_owner; }
    // Without a window of its own, the archive component shows no progress either.
    void ShowArchiveProgress(bool shown) { m_archiveProgress = shown; }

private:
    HWND m_owner;
    bool m_archiveProgress = true;
    CWaitCursor m_waitCursor;
};
