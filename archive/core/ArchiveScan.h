#pragma once
// First pass over an archive: reads every header, checks names, methods and sizes, and records where each
// entry's data lies. Nothing is written before the whole archive has passed.

#include "EntryHeader.h"
#include "Failure.h"
#include "Reader.h"

#include <string>
#include <vector>

namespace lzh {

struct ScannedEntry {
    EntryHeader header;
    uint64_t dataOffset = 0;
    std::vector<std::string> parts; // checked path components
    bool isFolder = false;
};

Failure ScanArchive(ArchiveSource& source, std::vector<ScannedEntry>& entries);

}
