#pragma once
// How the media checker reaches the disks of a medium. Each platform's front end maps a name as the wizard
// forms it (programDirectory followed by a CP932 name from info.txt, '\\' inside, any letter case) onto its
// own files; the tests give a fake.

#include "ByteSource.h"

#include <cstddef>
#include <memory>
#include <string>

class MediaFiles {
public:
    virtual ~MediaFiles() = default;
    // Disks of the medium, in the order given; a medium in a folder is one disk.
    virtual size_t DiskCount() const = 0;
    // The platform's existence test (file or folder), as the disk prompt uses it.
    virtual bool Exists(size_t disk, const std::string& name) = 0;
    // The file for reading; null when it is missing, a folder or unreadable.
    virtual std::unique_ptr<ByteSource> Open(size_t disk, const std::string& name) = 0;
    // A name of the medium as its checksum list holds it: UTF-8.
    virtual std::string ListedName(const std::string& name) const = 0;
};
