#include "CommandRun.h"

#include "ArchiveCheck.h"
#include "ArchiveScan.h"
#include "Extraction.h"

namespace lzh {

Failure RunCommandOn(const Command& command, ByteSource& source, Target* target, Progress* progress,
                     std::string& listing)
{
    switch (command.operation) {
    case 'l': {
        std::vector<ScannedEntry> entries;
        Failure failure = ScanArchive(source, Layout::Flat, entries);
        if (failure.ok())
            listing = ListingText(entries);
        return failure;
    }
    case 't':
        return TestArchive(source, Layout::WithFolders, progress);
    case 'e':
    case 'x':
        if (target)
            return ExtractArchive(source, command.operation == 'x' ? Layout::WithFolders : Layout::Flat, *target,
                                  progress);
        break;
    }
    return {FailureKind::BadCommand, {}, {}};
}

}
