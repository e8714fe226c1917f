#pragma once
// What the update engine needs from the platform, by role: the installation's files, its settings (INI)
// files, the update medium, the archive component, and the user. The engine itself never calls the
// system: the Win32 host does it for Parvel.exe, a fake host does it in memory for the native tests, and a
// host that writes nothing lets a preview show what a run would do. A host replaces only the roles it
// changes: an unattended run answers the prompts itself and keeps the rest.
//
// Paths are CP932 texts passed exactly as the engine formed them: a run of backslashes inside a path
// counts as one separator, and a drive letter followed by ":\" is a drive root.
// Every call is independent of the others; a host keeps no state the engine relies on, apart from
// what is in the files.

#include "ByteSink.h"
#include "ByteSource.h"
#include "Failure.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A file the engine writes: bytes through the one sink interface, then closed.
class HostWriter : public ByteSink {
public:
    using ByteSink::Write;
    // Flushes and closes; false when the file may not hold everything written. Called once at most.
    virtual bool Close() = 0;
};

// Calendar fields of a file time in Coordinated Universal Time, without conversion to local time.
struct UtcDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

enum class LastWriteResult {
    Read,          // date holds the last-write date
    CannotOpen,    // missing, or another program holds it open (the test opens without sharing)
    TimeUnreadable // opened, but the time could not be read or converted
};

enum class ListResult {
    Listed,  // names holds every match, possibly none
    NotFound, // no match, or the folder does not exist: not a failure
    Failed   // access denied, drive not ready, or any other reason: the folder's contents are unknown
};

struct FoundFile {
    std::string name; // the name alone, without the folder
    bool directory = false;
    uint64_t size = 0;
};

// An existence test that can tell "missing" from "could not tell".
enum class Existence { Missing, Present, Unknown };

// How a file will be opened when the update replaces or rewrites it.
enum class Access {
    Replace,     // renamed aside and replaced: delete access, other programs' sharing allowed
    WriteInPlace // rewritten where it is (a settings file another program keeps open)
};

enum class OpenCheck {
    Free,    // the update can open it as it will need to
    Missing, // not there: nothing to hold
    Held,    // another program holds it open
    Denied,  // access denied: the user lacks the rights
    Failed   // any other reason
};

// Whether a change of names (a rename, a new or removed file) must be on disk before the call returns. One
// that is not may be lost by a power cut, even after later ones that were.
enum class NameChange { Cached, WrittenThrough };

enum class MoveResult {
    Moved,
    Held,  // another program holds the file: trying again later may work
    Failed // missing, access denied, or any other reason
};

// A file written beside its target under a work name, to take the target's name once the update has been
// staged in full. attributes: the host's attribute bits to give the file once in place; 0 for none.
struct StagedFile {
    std::string work;
    std::string target;
    uint32_t attributes = 0;
};

class FileHost {
public:
    virtual ~FileHost() = default;

    // The platform's existence test, file or folder; an error counts as missing.
    virtual bool Exists(const std::string& path) = 0;
    // The same test where an error must not pass for "missing".
    virtual Existence Probe(const std::string& path) = 0;
    virtual bool FileSize(const std::string& path, uint64_t& bytes) = 0;
    // The host's attribute bits of a file (read-only, hidden, ...).
    virtual bool Attributes(const std::string& path, uint32_t& attributes) = 0;
    // Creates the last level of path only.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Clears every attribute (read-only, hidden, system, archive) and keeps the time stamps. False when
    // the file's status cannot be read; a status that cannot be written back also gives false.
    virtual bool ClearAttributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
    // Opens the file for reading only, without sharing, and reads its last-write time.
    virtual LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) = 0;
    // Lists the matches of a pattern such as "C:\APP\m1\zai???-3.mst" (the platform's wild cards,
    // letter case ignored) in the order the platform gives them; "." and ".." are never listed.
    virtual ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) = 0;
    // Opens an existing file for reading and writing without sharing; null when it cannot be opened.
    virtual std::unique_ptr<ByteReader> OpenExclusive(const std::string& path) = 0;
    // Opens an existing file for reading, letting others read it too; null when it cannot be opened.
    virtual std::unique_ptr<ByteReader> OpenRead(const std::string& path) = 0;
    // Creates the file, emptying an existing one, without sharing; null when it cannot be created.
    virtual std::unique_ptr<HostWriter> CreateExclusive(const std::string& path) = 0;
    // Copies source to target, overwriting an existing target even when it is read-only. The target may
    // be cut short when this fails or is interrupted: the engine copies to a work file beside the real
    // target.
    virtual bool CopyFileTo(const std::string& source, const std::string& target) = 0;
    // Gives source the name target, replacing an existing target, in one step: at every moment target
    // is either the old file or the new one. Both lie in the same folder; source keeps its attributes.
    virtual MoveResult MoveOver(const std::string& source, const std::string& target, NameChange change) = 0;
    // Gives aside the present bytes of target, which stays as it is: a second name of the same file where the
    // volume allows it, else a flushed copy. On disk before it returns; an existing aside is replaced.
    virtual bool KeepOriginal(const std::string& target, const std::string& aside) = 0;
    // Writes source's bytes over target where it is, flushed: for a file another program keeps open, which
    // cannot be renamed. Cut off, it leaves target part-written.
    virtual bool OverwriteInPlace(const std::string& source, const std::string& target) = 0;
    // Removes a file, read-only or not.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Removes an empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;
    // Puts everything written to the file on disk, its name included: a work file is flushed before it
    // replaces its target, so that a power cut cannot leave the target's name on a file without its data.
    virtual bool FlushFile(const std::string& path) = 0;
    // Puts the folder's changes of names on disk (files made, removed and renamed in it).
    virtual bool FlushFolder(const std::string& folder) = 0;
    // Gives work the permissions of target (when target exists), which work will replace: a rename keeps the
    // renamed file's own, which a work file took from its folder.
    virtual void TakeSecurityOf(const std::string& target, const std::string& work) = 0;

    // --- Checks before the first change
    virtual OpenCheck CheckOpen(const std::string& path, Access access) = 0;
    // The programs holding any of the files, where the platform can tell; often none.
    virtual std::vector<std::string> HoldingPrograms(const std::vector<std::string>& paths) = 0;
    // Free bytes for this user on the volume of folder; false when unknown.
    virtual bool FreeBytes(const std::string& folder, uint64_t& bytes) = 0;
    // A name for the volume that holds path, the same for every path on it; empty when unknown.
    virtual std::string VolumeOf(const std::string& path) = 0;
    // Creates and removes a work file in folder: Free when that worked.
    virtual OpenCheck ProbeWrite(const std::string& folder) = 0;
    // A clock for the log, in milliseconds from any start.
    virtual uint64_t Milliseconds() = 0;
};

enum class ProfileReadResult {
    Read,        // value holds the key's value, or the default when the section or key is absent
    FileMissing, // value holds the default
    Failed       // the file exists but could not be read; value holds the default
};

// The private-profile (INI) files. The engine writes its keys into a work copy, which then replaces the file.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    virtual ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, const std::string& path,
                                          std::string& value) = 0;
    // Replaces or creates the key (and the file and section when missing) where the file is, as the
    // platform's profile call does.
    virtual bool WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                              const std::string& path) = 0;
};

// The update medium: programDirectory as start-up found it.
class MediumHost {
public:
    virtual ~MediumHost() = default;
    // Whether the update medium is a removable drive (a floppy), given programDirectory unchanged.
    virtual bool MediumIsRemovable(const std::string& programDirectory) = 0;
    // Points the medium drive's current directory back at its root when programDirectory is drive-only
    // ("A:"), so that programDirectory + name names the medium's file again.
    virtual void AnchorMedium(const std::string& programDirectory) = 0;
    // A name of the medium (CP932, relative to programDirectory) as the medium's checksum list holds it: UTF-8.
    virtual std::string ListedName(const std::string& name) = 0;
};

// One archive for the archive component to extract: every member, names without their folders, into
// destination, each left beside its target under its work name.
struct ExtractRequest {
    std::string archive;     // programDirectory + name + ".lzh"
    std::string destination; // the entry's destination folder
};

struct ExtractResult {
    lzh::FailureKind failure = lzh::FailureKind::None;
    std::string message;            // its Japanese text; empty when it gave none
    std::vector<StagedFile> staged; // in the archive's order, also after a failure, for the caller to remove

    bool Succeeded() const { return failure == lzh::FailureKind::None; }
};

class ArchiveHost {
public:
    virtual ~ArchiveHost() = default;
    // The host decides how the component shows its work (a progress window owned by the view, the wait
    // cursor).
    virtual ExtractResult ExtractArchive(const ExtractRequest& request) = 0;
    // The original size of every member together, from the headers alone; false when unreadable.
    virtual bool MeasureArchive(const std::string& archive, uint64_t& bytes) = 0;
};

// The answer to the disk-change prompt.
enum class DiskAnswer { Ok, Cancel };
// The answer to the box that names files held by other programs.
enum class RetryAnswer { Retry, Cancel };

// The user: texts and boxes owned by the view.
class PromptHost {
public:
    virtual ~PromptHost() = default;
    // The run's texts by their string-table id (res/resource.h), in CP932.
    virtual std::string LoadText(unsigned id) = 0;
    // A box with the button OK, without an icon.
    virtual void Message(const std::string& text, const std::string& caption) = 0;
    // The disk-change prompt with OK and Cancel; a box closed otherwise counts as Cancel.
    virtual DiskAnswer AskForDisk(const std::string& text, const std::string& caption) = 0;
    // A box with 再試行 and キャンセル; a box closed otherwise counts as Cancel.
    virtual RetryAnswer AskRetry(const std::string& text, const std::string& caption) = 0;
    // Shows the wait cursor again after a message box or the archive library put the arrow back.
    virtual void RestoreWaitCursor() = 0;
};

// The roles one run is given.
struct EngineHost {
    FileHost& files;
    SettingsHost& settings;
    MediumHost& medium;
    ArchiveHost& archive;
    PromptHost& prompts;
};
