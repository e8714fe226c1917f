#pragma once
// The host of a preview: the update engine runs as it would, but every change it asks for is recorded in
// the log and reported as done, never made. Queries go to the installation as it is (and see the changes
// recorded so far); the medium is read through MediaFiles, the disk prompts move to the next disk, and an
// extraction lists the files the archive would write.

#include "EngineHost.h"
#include "InstallationFiles.h"
#include "MediaFiles.h"
#include "PreviewLog.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The engine's programDirectory in a preview: no platform path starts with it.
extern const char kPreviewMedium[];

class PreviewHost : public FileHost, public SettingsHost, public MediumHost, public ArchiveHost, public PromptHost {
public:
    PreviewHost(InstallationFiles& installation, MediaFiles& media, PreviewLog& log)
        : m_installation(installation), m_media(media), m_log(log)
    {
    }

    EngineHost Roles() { return EngineHost{*this, *this, *this, *this, *this}; }
    operator EngineHost() { return Roles(); }

    // The medium file as the log names it: its name, and its disk when there are several.
    std::string MediumName(const std::string& path) const;
    std::string MediumName(const std::string& path, size_t disk) const;

    // FileHost: queries see the installation and the changes recorded so far; changes are recorded, never made.
    bool Exists(const std::string& path) override;
    Existence Probe(const std::string& path) override { return Exists(path) ? Existence::Present : Existence::Missing; }
    // Sizes are not needed: the preview checks no free space.
    bool FileSize(const std::string&, uint64_t&) override { return false; }
    bool Attributes(const std::string&, uint32_t& attributes) override
    {
        attributes = 0;
        return true;
    }
    bool CreateFolder(const std::string& path) override;
    bool ClearAttributes(const std::string&) override { return true; }
    bool SetAttributes(const std::string&, uint32_t) override { return true; }
    LastWriteResult ReadLastWriteDate(const std::string& path, UtcDate& date) override;
    ListResult ListFolder(const std::string& pattern, std::vector<FoundFile>& names) override;
    std::unique_ptr<ByteReader> OpenExclusive(const std::string& path) override { return OpenRead(path); }
    std::unique_ptr<ByteReader> OpenRead(const std::string& path) override;
    std::unique_ptr<HostWriter> CreateExclusive(const std::string& path) override;
    bool CopyFileTo(const std::string& source, const std::string& target) override;
    MoveResult MoveOver(const std::string& source, const std::string& target, NameChange) override;
    bool KeepOriginal(const std::string&, const std::string&) override { return true; }
    bool OverwriteInPlace(const std::string&, const std::string&) override { return true; }
    bool RemoveFile(const std::string&) override { return true; }
    bool RemoveFolder(const std::string&) override { return true; }
    bool FlushFile(const std::string&) override { return true; }
    bool FlushFolder(const std::string&) override { return true; }
    void TakeSecurityOf(const std::string&, const std::string&) override {}
    // Nothing is replaced, so nothing can stand in the way.
    OpenCheck CheckOpen(const std::string&, Access) override { return OpenCheck::Free; }
    std::vector<std::string> HoldingPrograms(const std::vector<std::string>&) override { return {}; }
    bool FreeBytes(const std::string&, uint64_t&) override { return false; }
    std::string VolumeOf(const std::string&) override { return {}; }
    OpenCheck ProbeWrite(const std::string&) override { return OpenCheck::Free; }
    uint64_t Milliseconds() override { return 0; }

    // SettingsHost: a key written into a settings file's work copy is shown for the file itself.
    ProfileReadResult ReadProfile(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& path,
                                  std::string& value) override;
    bool WriteProfile(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& path) override;

    // MediumHost, ArchiveHost: the disk prompts move to the next disk; an extraction lists the members, recorded
    // as written in place: nothing is staged.
    bool MediumIsRemovable(const std::string& programDirectory) override;
    std::string ListedName(const std::string& name) override { return m_media.ListedName(name); }
    void AnchorMedium(const std::string&) override {}
    ExtractResult ExtractArchive(const ExtractRequest& request) override;
    bool MeasureArchive(const std::string&, uint64_t&) override { return false; }

    // PromptHost
    std::string LoadText(unsigned id) override;
    void Message(const std::string&, const std::string&) override {}
    DiskAnswer AskForDisk(const std::string& text, const std::string& caption) override;
    // The preview opens nothing for writing, so no file is ever held against it.
    RetryAnswer AskRetry(const std::string&, const std::string&) override { return RetryAnswer::Cancel; }
    void RestoreWaitCursor() override {}

    std::vector<std::string> TakeUnseen() { return m_installation.TakeUnseen(); }

private:
    // Where a file the run would write takes its bytes from: a medium file, or a member of a medium archive.
    struct Source {
        std::string path;    // as the run formed it
        bool isFile = false; // false for a folder
        size_t disk = 0;
        std::string mediumName;
        std::string member;
    };

    bool IsMedium(const std::string& path) const;
    // Where the current disk is, as the checker's texts say it.
    std::string Where() const;
    std::string MediumPart(const std::string& path) const;
    void RecordWritten(const std::string& target, const std::string& from, const Source& source);
    bool ReadSource(const Source& source, std::string& bytes);

    InstallationFiles& m_installation;
    MediaFiles& m_media;
    PreviewLog& m_log;
    size_t m_disk = 0;
    std::map<std::string, Source> m_written;        // files and folders the run would have made, by PathKey
    std::map<std::string, Source> m_copies;         // work files of loose-file copies
    std::map<std::string, std::string> m_workCopies; // work copies of installation files, by PathKey: the file
    std::map<std::string, std::string> m_profile;   // keys written: file|section|key -> value
};
