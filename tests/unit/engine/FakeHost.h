#pragma once
// An in-memory host for the engine's native tests: files and folders, profile files, a medium, an archive
// library and recorded boxes. Any single host call that returns something can be made to fail.

#include "EngineHost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What a power cut leaves of a file's bytes: all of them once they are on disk; the first half of the bytes
// written since (the cache flushed part of them); nothing for a name moved onto bytes never flushed.
enum class Durability { OnDisk, Written, MovedUnflushed };

struct FakeFile {
    std::string bytes;
    bool directory = false;
    bool readOnly = false;
    bool locked = false; // held open by another program without sharing
    UtcDate date{2026, 1, 1};
    Durability durability = Durability::OnDisk;
};

struct FakeMember {
    std::string name, bytes;
};

struct Box {
    std::string text, caption;
    bool diskPrompt = false;
};

// Files by normalised path: letter case ignored, runs of backslashes as one, no trailing backslash.
using FakeTree = std::map<std::string, FakeFile>;

class FakeHost : public EngineHost {
public:
    FakeTree files;
    // Archive contents by the archive's normalised path (with ".lzh").
    std::map<std::string, std::vector<FakeMember>> archives;
    bool removableMedium = false;
    // Folders whose listing fails for a reason other than "not found".
    std::vector<std::string> unlistable;
    // Folders where this user may not create a file.
    std::vector<std::string> denied;
    // What HoldingPrograms names for any held file.
    std::vector<std::string> holders;
    // Bytes the installation's volume holds in all; 0: no limit. Writes beyond it fail.
    uint64_t capacity = 0;
    std::vector<DiskAnswer> diskAnswers; // in order; Ok when they run out
    std::function<void(int promptNumber)> onDiskPrompt;
    std::vector<RetryAnswer> retryAnswers; // in order; Cancel when they run out
    std::function<void(int promptNumber)> onRetryPrompt;
    std::vector<Box> boxes;
    std::vector<std::string> calls; // every call, "Name argument"
    int failAt = 0;                 // the failable call (1-based) to fail; 0: none
    std::string failFirst;          // or the first call that starts with this text
    int failableCalls = 0;
    std::string failedCall;

    // Power cuts. Bytes reach the disk when flushed: FlushFile, a writer's Close, WriteProfile (one atomic
    // replace); names (made, removed, moved) at once, MoveOver being write-through. A cut can come before any
    // call and in the middle of any write (a copy, a writer's Write, each member of an extraction).
    int cutAt = 0;   // the moment (1-based) of the cut; 0: none
    int moments = 0; // moments so far
    std::optional<FakeTree> afterCut; // what the disk held at the cut; the run itself goes on
    std::string cutDuring;            // the call last begun then
    void Moment();
    // The files as the disk holds them, as a restart finds them.
    FakeTree OnDisk() const;

    // Tree set-up; folders above a file are made too.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& bytes);
    void AddArchive(const std::string& path, std::vector<FakeMember> members);
    FakeFile* Find(const std::string& path);
    std::string Bytes(const std::string& path);
    static std::string Normalise(const std::string& path);
    static std::string Id(unsigned id); // the text LoadText gives for a string id, without its argument
    std::vector<std::string> Texts() const;

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
    uint64_t Milliseconds() override { return ++m_clock; }
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
    void RestoreWaitCursor() override;

    // Logs the call; true when it is the one to fail.
    bool Fails(const std::string& call);
    void Log(const std::string& call)
    {
        Moment();
        calls.push_back(call);
    }
    // Puts bytes into a file through the cache, with a cut possible half-way.
    void WriteCached(const std::string& path, std::string_view bytes, bool append);
    // Whether the volume has room for path to hold size bytes.
    bool Fits(const std::string& path, size_t size);

private:
    bool ParentExists(const std::string& normalised);
    uint64_t m_clock = 0;
    int m_diskPrompts = 0;
    int m_retryPrompts = 0;
};

// The value of a key in profile-file bytes, as the profile calls read it; false when absent.
bool ProfileValue(const std::string& bytes, const std::string& section, const std::string& key, std::string& value);
