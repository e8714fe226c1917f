#pragma once
// An in-memory host for the engine's native tests, in every role: files and folders, profile files, a medium,
// an archive library and recorded boxes. Any single host call that returns something can be made to fail.

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
    bool locked = false;     // held open by another program without sharing
    bool keptOpen = false;   // held open by another program that lets others write it, but not rename it
    bool denied = false;     // this user may not replace it
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

class FakeHost : public FileHost, public SettingsHost, public MediumHost, public ArchiveHost, public PromptHost {
public:
    EngineHost Roles() { return EngineHost{*this, *this, *this, *this, *this}; }
    operator EngineHost() { return Roles(); }

    FakeTree files;
    // Archive contents by the archive's normalised path (with ".lzh").
    std::map<std::string, std::vector<FakeMember>> archives;
    bool removableMedium = false;
    // Folders whose listing fails for a reason other than "not found".
    std::vector<std::string> unlistable;
    // Called with every call logged, before it runs: a test's other program acts here.
    std::function<void(const std::string& call)> onCall;
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
    int failPassing = 0;            // after letting this many such calls pass
    int failableCalls = 0;
    std::string failedCall;

    // Power cuts. Bytes reach the disk when flushed: FlushFile, a writer's Close, OverwriteInPlace. A change of
    // names (a file or folder made, removed or renamed) reaches it when written through, or once the file is
    // flushed or its folder is; until then a cut loses it (with losePendingNames) or keeps it. A cut can come
    // before any call and in the middle of any write (a copy, a writer's Write, a profile write, each member of
    // an extraction).
    int cutAt = 0;   // the moment (1-based) of the cut; 0: none
    bool losePendingNames = true;
    int moments = 0; // moments so far
    std::optional<FakeTree> afterCut; // what the disk held at the cut; the run itself goes on
    std::string cutDuring;            // the call last begun then
    size_t boxesAtCut = 0;            // the boxes shown before it
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
    uint64_t Milliseconds() override { return ++m_clock; }

    ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& path,
                                  std::string& value) override;
    bool WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& path) override;

    bool MediumIsRemovable(const std::string& programDirectory) override;
    std::string ListedName(const std::string& name) override { return name; }
    void AnchorMedium(const std::string& programDirectory) override;

    ExtractResult ExtractArchive(const ExtractRequest& request) override;
    bool MeasureArchive(const std::string& archive, uint64_t& bytes) override;

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
        if (onCall)
            onCall(call);
    }
    // Puts bytes into a file through the cache, with a cut possible half-way.
    void WriteCached(const std::string& path, std::string_view bytes, bool append);
    // Whether the volume has room for path to hold size bytes.
    bool Fits(const std::string& path, size_t size);
    // A change of the name path that a cut may still lose; durable: one that it cannot, from now on.
    void NameChanged(const std::string& path, bool durable = false);

private:
    bool ParentExists(const std::string& normalised);
    // Names made durable: those of path (and of the folders above it), or every name in folder.
    void NamesOnDisk(const std::string& normalised, bool inFolder);
    struct PendingName {
        std::string path; // normalised
        std::optional<FakeFile> before;
    };
    std::vector<PendingName> m_pending;
    uint64_t m_clock = 0;
    int m_diskPrompts = 0;
    int m_retryPrompts = 0;
};

// The value of a key in profile-file bytes, as the profile calls read it; false when absent.
bool ProfileValue(const std::string& bytes, const std::string& section, const std::string& key, std::string& value);
