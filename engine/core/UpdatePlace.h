#pragma once
// Where an update runs: the medium it is read from and the installation folder it applies to.

#include <string>

#include "EngineHost.h"
#include "UpdateDescription.h"

// The update medium's folder as start-up found it: a folder ending in a backslash, or "X:" for the root of a
// drive, whose files are then named relative to that drive's current directory. Every file of the medium is
// the folder followed directly by its name.
class MediumFolder {
public:
    explicit MediumFolder(std::string programDirectory) : m_programDirectory(std::move(programDirectory)) {}

    const std::string& ProgramDirectory() const { return m_programDirectory; }
    std::string FileOf(const std::string& name) const { return m_programDirectory + name; }
    // An archive entry names its archive without ".lzh".
    std::string ArchiveOf(const std::string& name) const { return m_programDirectory + name + info::kArchiveExtension; }
    bool IsRemovable(MediumHost& host) const { return host.MediumIsRemovable(m_programDirectory); }
    // Before the medium is read again: a drive-root medium's names hold again after another program, a
    // dialog or a disk change moved the drive's current directory.
    void Anchor(MediumHost& host) const { host.AnchorMedium(m_programDirectory); }

private:
    std::string m_programDirectory;
};

struct UpdatePlace {
    MediumFolder medium;
    std::string installFolder; // as the user confirmed it, or as /DIR= gave it
};
