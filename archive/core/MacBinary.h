#pragma once
// Mac OS archivers wrap a file in MacBinary: a 128-byte header (name, type, fork lengths, dates), then the
// data fork and the resource fork. Only a file's data is wanted on Windows, so a member that holds a valid
// MacBinary header is written as its data fork (or its resource fork when it has no data fork), as lhasa does.
// The member's CRC still covers every byte. An invalid header leaves the member's bytes unchanged.

#include "EntryHeader.h"
#include "ByteSink.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lzh {

constexpr size_t kMacBinaryHeaderSize = 128;

// Only members from Mac archives long enough to hold a header are looked at.
bool MayHoldMacBinary(const EntryHeader& header);

// The length of the fork that follows a valid header (it starts right behind it), or false when header
// (128 bytes) is no MacBinary header that this member was wrapped in. fileName: the member's last component.
bool MacBinaryForkLength(const uint8_t* header, const EntryHeader& member, std::string_view fileName,
                         uint64_t& forkLength);

// Holds back the first 128 bytes, then passes on either the fork or every byte.
class MacBinarySink : public ByteSink {
public:
    MacBinarySink(ByteSink& inner, const EntryHeader& member, std::string fileName);
    bool Write(const uint8_t* data, size_t size) override;

private:
    ByteSink& m_inner;
    const EntryHeader& m_member;
    std::string m_fileName;
    uint8_t m_header[kMacBinaryHeaderSize];
    size_t m_held = 0;
    bool m_decided = false;
    uint64_t m_passLeft = 0; // bytes still to pass on once decided
};

}
