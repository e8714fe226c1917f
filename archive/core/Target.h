#pragma once
// The file system side of an extraction, given by each platform's front end. Paths are the components of a
// checked stored path, relative to the destination folder.

#include "EntryHeader.h"
#include "ByteSink.h"

#include <memory>
#include <string>
#include <vector>

namespace lzh {

// A file being written under a temporary name beside its target. Commit moves it over the target (an
// existing file, read-only or not, is replaced) with the stored time stamp and attributes; a file destroyed
// without Commit is removed.
class OutputFile : public ByteSink {
public:
    virtual bool Commit() = 0;
};

class Target {
public:
    virtual ~Target() = default;
    // Creates the folder and its missing parents.
    virtual bool MakeFolder(const std::vector<std::string>& parts) = 0;
    // Null when the temporary file cannot be created. The target's folder exists already.
    virtual std::unique_ptr<OutputFile> CreateOutput(const std::vector<std::string>& parts,
                                                   const EntryHeader& header) = 0;
};

// Told about the work as it goes, to show progress; may be null.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void OnStart(uint64_t totalBytes) = 0;
    virtual void OnEntry(const std::string& displayPath) = 0;
    virtual void OnBytes(uint64_t doneBytes) = 0;
};

}
