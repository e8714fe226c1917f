#pragma once
// Why an extraction stopped. The front ends turn it into a message for the user.

#include <string>

namespace lzh {

enum class FailureKind {
    None,
    BadCommand,
    ArchiveNotFound,
    CannotRead,
    NotAnArchive,
    BrokenHeader,
    UnsupportedMethod,
    UnsafeName,
    Truncated,
    BrokenData, // the compressed data cannot be decoded, or its length is wrong
    CrcError,
    CannotWrite,
    NoDestination, // the destination folder does not exist
    NoMembers,     // an empty file, or an archive that ends before its first member
};

struct Failure {
    FailureKind kind = FailureKind::None;
    std::string entry;  // stored path of the entry concerned, for display; may be empty
    std::string detail; // the method id for UnsupportedMethod

    // Named, not a conversion to bool: a Failure that reads true when something failed turned "!Decode(...)"
    // into "it worked".
    bool ok() const { return kind == FailureKind::None; }
    bool failed() const { return kind != FailureKind::None; }
};

}
