#pragma once
// First pass over an archive: reads every header, checks names, methods and sizes, and records where each
// entry's data lies. Nothing is written before the whole archive has passed.

#include "EntryHeader.h"
#include "Failure.h"
#include "Reader.h"
#include "SafeName.h"

#include <string>
#include <vector>

namespace lzh {

struct ScannedEntry {
    EntryHeader header;
    uint64_t dataOffset = 0;
    std::vector<std::string> parts; // the checked components to create; none for a folder under Flat
    bool isFolder = false;
};

// Names are checked as layout creates them. An archive without a single member fails with NoMembers, one that
// does not begin with a header with NotAnArchive.
Failure ScanArchive(ByteSource& source, Layout layout, std::vector<ScannedEntry>& entries);

// The bytes of every member together, for progress.
uint64_t TotalSize(const std::vector<ScannedEntry>& entries);

// One line per entry: method, packed size, original size and the stored path as DisplayPath shows it.
std::string ListingText(const std::vector<ScannedEntry>& entries);

}
