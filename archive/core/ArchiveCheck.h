#pragma once
// Checks of a whole archive that write nothing, for the t and l commands and for checking update media
// before they are sent out. Each returns the first failure found, as extraction would meet it.

#include "Failure.h"
#include "Reader.h"
#include "SafeName.h"
#include "Target.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lzh {

// Reads every header and decodes every member: fails on a file that is no archive or has no members, a broken
// or truncated header or member, an unknown method, a length or CRC that does not match, or a name that layout
// cannot create (Flat: the last component, as e writes it). Success means e (or x) finds nothing wrong.
Failure TestArchive(ByteSource& source, Layout layout = Layout::Flat, Progress* progress = nullptr);

struct FlatMember {
    std::string name; // CP932, the last component of the stored path
    uint64_t size = 0; // bytes e writes: the data fork of a MacBinary-wrapped member
};

// The files e writes, in archive order (a later one of the same name replaces an earlier one); folders are left
// out. Fails as the header pass of TestArchive does, without decoding the members (only the first 128 bytes of
// members from Mac archives, to see whether they are MacBinary-wrapped).
Failure ListFlatMembers(ByteSource& source, std::vector<FlatMember>& members);

}
