#include "ArchiveVerdict.h"

#include "ArchiveScan.h"
#include "Extraction.h"

namespace {

FindingId IdOf(lzh::FailureKind kind)
{
    switch (kind) {
    case lzh::FailureKind::NotAnArchive:
        return FindingId::ArchiveNotLzh;
    case lzh::FailureKind::BrokenHeader:
        return FindingId::ArchiveBrokenHeader;
    case lzh::FailureKind::UnsupportedMethod:
        return FindingId::ArchiveMethod;
    case lzh::FailureKind::UnsafeName:
        return FindingId::ArchiveUnsafeName;
    case lzh::FailureKind::Truncated:
        return FindingId::ArchiveTruncated;
    case lzh::FailureKind::BrokenData:
        return FindingId::ArchiveBrokenData;
    case lzh::FailureKind::CrcError:
        return FindingId::ArchiveCrc;
    default:
        return FindingId::ArchiveUnreadable;
    }
}

} // namespace

bool TestMediaArchive(lzh::ArchiveSource& source, Finding& finding)
{
    lzh::Failure failure = lzh::ExtractArchive(source, lzh::Mode::TestOnly, nullptr, nullptr);
    if (!failure) {
        std::vector<lzh::ScannedEntry> entries;
        lzh::ScanArchive(source, entries);
        for (const lzh::ScannedEntry& entry : entries) {
            if (!entry.isFolder)
                return true;
        }
        finding.id = FindingId::ArchiveEmpty;
        return false;
    }
    finding.id = IdOf(failure.kind);
    finding.args = {failure.entry};
    if (failure.kind == lzh::FailureKind::UnsupportedMethod)
        finding.args.push_back(failure.detail);
    return false;
}
