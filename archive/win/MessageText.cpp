#include "MessageText.h"

#include "ArchiveIds.h"
#include "FillMessage.h"
#include "ResourceString.h"

#include <windows.h>

namespace {

UINT StringIdOf(lzh::FailureKind kind)
{
    using lzh::FailureKind;
    switch (kind) {
    case FailureKind::BadCommand: return IDS_ARCHIVE_BAD_COMMAND;
    case FailureKind::ArchiveNotFound: return IDS_ARCHIVE_NOT_FOUND;
    case FailureKind::CannotRead: return IDS_ARCHIVE_CANNOT_READ;
    case FailureKind::NotAnArchive: return IDS_ARCHIVE_NOT_LZH;
    case FailureKind::NoMembers: return IDS_ARCHIVE_NO_MEMBERS;
    case FailureKind::BrokenHeader: return IDS_ARCHIVE_BROKEN_HEADER;
    case FailureKind::UnsupportedMethod: return IDS_ARCHIVE_UNSUPPORTED_METHOD;
    case FailureKind::UnsafeName: return IDS_ARCHIVE_UNSAFE_NAME;
    case FailureKind::Truncated: return IDS_ARCHIVE_TRUNCATED;
    case FailureKind::BrokenData: return IDS_ARCHIVE_BROKEN_DATA;
    case FailureKind::CrcError: return IDS_ARCHIVE_CRC_ERROR;
    case FailureKind::NoDestination: return IDS_ARCHIVE_NO_FOLDER;
    case FailureKind::CannotWrite:
    case FailureKind::None: break;
    }
    return IDS_ARCHIVE_CANNOT_WRITE;
}

}

std::string FailureMessage(const lzh::Failure& failure, const std::string& archiveName)
{
    std::string pattern = LoadResourceString(StringIdOf(failure.kind));
    if (pattern.empty())
        return "LZH: " + archiveName + " " + failure.entry;
    std::string entry = failure.entry.empty() ? archiveName : failure.entry;
    return FillMessage(pattern, {archiveName, entry, failure.detail});
}
