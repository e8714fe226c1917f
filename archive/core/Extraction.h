#pragma once
// Extracts a whole archive: e (Flat) into the destination itself, x (WithFolders) keeping the stored folders.

#include "ArchiveScan.h"
#include "Failure.h"
#include "Reader.h"
#include "Target.h"

namespace lzh {

// Nothing is written unless every header and name passes; progress may be null.
Failure ExtractArchive(ByteSource& source, Layout layout, Target& target, Progress* progress);

// Decodes one scanned entry into sink, checking its length and CRC; progress counts from progressBase.
Failure DecodeEntry(ByteSource& source, const ScannedEntry& entry, ByteSink& sink, Progress* progress = nullptr,
                    uint64_t progressBase = 0);

}
