#pragma once
// Extracts (e: into the destination itself, x: keeping the stored folders) or tests (t) a whole archive.

#include "ArchiveScan.h"
#include "Failure.h"
#include "Reader.h"
#include "Target.h"

namespace lzh {

enum class Mode { Flat, WithFolders, TestOnly };

// target may be null for TestOnly; progress may be null.
Failure ExtractArchive(ArchiveSource& source, Mode mode, Target* target, Progress* progress);

// Decodes one scanned entry into sink, checking its length and CRC; progress counts from progressBase.
Failure DecodeEntry(ArchiveSource& source, const ScannedEntry& entry, Sink& sink, Progress* progress = nullptr,
                    uint64_t progressBase = 0);

}
