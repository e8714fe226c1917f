#include "ArchiveVerdict.h"

#include "ArchiveCheck.h"

namespace {

FindingId IdOf(lzh::FailureKind kind)
{
    switch (kind) {
    case lzh::FailureKind::NotAnArchive:
        return FindingId::ArchiveNotLzh;
    case lzh::FailureKind::NoMembers:
        return FindingId::ArchiveEmpty;
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
    lzh::Failure failure = lzh::TestArchive(source);
    if (!failure) {
        std::vector<lzh::FlatMember> files;
        lzh::ListFlatMembers(source, files);
        if (!files.empty())
            return true;
        failure.kind = lzh::FailureKind::NoMembers; // folders only: e writes nothing
    }
    finding.id = IdOf(failure.kind);
    if (failure.kind == lzh::FailureKind::NoMembers)
        return false;
    finding.args = {failure.entry};
    if (failure.kind == lzh::FailureKind::UnsupportedMethod)
        finding.args.push_back(failure.detail);
    return false;
}
