#include "FailureText.h"

namespace lzh {

std::string DescribeFailure(const Failure& f, const std::string& archive)
{
    std::string in = " (" + archive + (f.entry.empty() ? "" : ": " + f.entry) + ")";
    switch (f.kind) {
    case FailureKind::None:
        return {};
    case FailureKind::BadCommand:
        return "malformed command text";
    case FailureKind::ArchiveNotFound:
        return "archive not found" + in;
    case FailureKind::CannotRead:
        return "cannot read the archive" + in;
    case FailureKind::NotAnArchive:
        return "not an LZH archive" + in;
    case FailureKind::NoMembers:
        return "empty archive: no files in it" + in;
    case FailureKind::BrokenHeader:
        return "broken header" + in;
    case FailureKind::UnsupportedMethod:
        return "unsupported method " + f.detail + in;
    case FailureKind::UnsafeName:
        return "unsafe name, nothing extracted" + in;
    case FailureKind::Truncated:
        return "truncated archive" + in;
    case FailureKind::BrokenData:
        return "broken compressed data" + in;
    case FailureKind::CrcError:
        return "CRC error" + in;
    case FailureKind::CannotWrite:
        return "cannot write a file" + in;
    case FailureKind::NoDestination:
        return "destination folder missing" + in;
    }
    return "failed" + in;
}

}
