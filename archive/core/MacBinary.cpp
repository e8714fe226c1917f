#include "MacBinary.h"

#include <algorithm>
#include <cstring>

namespace lzh {
namespace {

// MacBinary header fields (big-endian):
//   0x00 old version (0) | 0x01 name length (1-63) | 0x02-0x40 name, zero filled | 0x41-0x49 type, creator, flags
//   0x4A zero | 0x4B-0x51 icon position, window, protection | 0x52 zero | 0x53 data fork length
//   0x57 resource fork length | 0x5B created | 0x5F modified (seconds since 1904, local time)
//   0x63 comment length | MacBinary II: 0x78 secondary header length, 0x7A version (129+), 0x7B minimum
//   version (129), 0x7C CRC-16/XMODEM of bytes 0x00-0x7B. MacBinary I leaves 0x63-0x7F zero.
constexpr size_t kNameLength = 0x01, kName = 0x02, kNameRoom = 63;
constexpr size_t kZero1 = 0x4A, kZero2 = 0x52, kDataFork = 0x53, kResourceFork = 0x57, kModified = 0x5F;
constexpr size_t kComment = 0x63, kSecondary = 0x78, kVersion = 0x7A, kMinVersion = 0x7B, kCrc = 0x7C;
constexpr uint8_t kMacBinary2 = 129;
constexpr uint64_t kMacEpochOffset = 2082844800; // 1904-01-01 to 1970-01-01
constexpr uint64_t kMaxZoneDifference = 14 * 3600;
constexpr uint8_t kOsMac = 'm';

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

bool AllZero(const uint8_t* p, size_t n)
{
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0; });
}

uint16_t CrcXmodem(const uint8_t* p, size_t n)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < n; ++i) {
        crc = static_cast<uint16_t>(crc ^ (p[i] << 8));
        for (int k = 0; k < 8; ++k)
            crc = static_cast<uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

// Days since 1970-01-01 of a civil date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// The member's time in seconds since 1970; a DOS time (local) counts as UTC, as the Mac time does.
bool MemberSeconds(const EntryHeader& h, int64_t& seconds)
{
    switch (h.timeKind) {
    case TimeKind::Unix:
        seconds = static_cast<int64_t>(h.time);
        return true;
    case TimeKind::FileTime:
        seconds = static_cast<int64_t>(h.time / 10000000) - 11644473600LL;
        return true;
    case TimeKind::Dos:
        seconds = DaysFromCivil(1980 + ((h.time >> 25) & 0x7F), (h.time >> 21) & 0x0F, (h.time >> 16) & 0x1F) * 86400 +
                  ((h.time >> 11) & 0x1F) * 3600 + ((h.time >> 5) & 0x3F) * 60 + (h.time & 0x1F) * 2;
        return true;
    case TimeKind::None:
        break;
    }
    return false;
}

bool VersionFieldsValid(const uint8_t* p)
{
    if (p[0] != 0 || p[kZero1] != 0 || p[kZero2] != 0)
        return false;
    if (p[kMinVersion] == kMacBinary2 && p[kVersion] >= kMacBinary2)
        return p[kSecondary] == 0 && p[kSecondary + 1] == 0 &&
               CrcXmodem(p, kCrc) == ((p[kCrc] << 8) | p[kCrc + 1]);
    return AllZero(p + kComment, kMacBinaryHeaderSize - kComment);
}

bool NameMatches(const uint8_t* p, std::string_view fileName)
{
    size_t length = p[kNameLength];
    return length >= 1 && length <= kNameRoom && length == fileName.size() &&
           std::memcmp(p + kName, fileName.data(), length) == 0 && AllZero(p + kName + length, kNameRoom - length);
}

// MacLHA's own headers carry the member's time (in local time, so within a time zone of it).
bool TimeMatches(const uint8_t* p, const EntryHeader& member)
{
    int64_t memberTime = 0;
    uint64_t modified = Be32(p + kModified);
    if (modified < kMacEpochOffset || !MemberSeconds(member, memberTime))
        return false;
    int64_t difference = static_cast<int64_t>(modified - kMacEpochOffset) - memberTime;
    return (difference < 0 ? -difference : difference) <= static_cast<int64_t>(kMaxZoneDifference);
}

}

bool MayHoldMacBinary(const EntryHeader& header)
{
    return header.osId == kOsMac && header.originalSize >= kMacBinaryHeaderSize;
}

// The forks must fill the member up to the next multiple of 128, as MacLHA writes them: a member that is longer
// or shorter is some other file that happens to begin like a header.
bool MacBinaryForkLength(const uint8_t* p, const EntryHeader& member, std::string_view fileName, uint64_t& forkLength)
{
    if (!MayHoldMacBinary(member) || !VersionFieldsValid(p) || !NameMatches(p, fileName) || !TimeMatches(p, member))
        return false;
    uint64_t data = Be32(p + kDataFork), resource = Be32(p + kResourceFork);
    uint64_t wrapped = (kMacBinaryHeaderSize + data + resource + 127) & ~uint64_t(127);
    if (wrapped != member.originalSize)
        return false;
    forkLength = data > 0 ? data : resource;
    return true;
}

MacBinarySink::MacBinarySink(ByteSink& inner, const EntryHeader& member, std::string fileName)
    : m_inner(inner), m_member(member), m_fileName(std::move(fileName))
{
}

bool MacBinarySink::Write(const uint8_t* data, size_t size)
{
    if (!m_decided) {
        size_t take = std::min(size, kMacBinaryHeaderSize - m_held);
        std::memcpy(m_header + m_held, data, take);
        m_held += take;
        data += take;
        size -= take;
        if (m_held < kMacBinaryHeaderSize)
            return true;
        m_decided = true;
        if (!MacBinaryForkLength(m_header, m_member, m_fileName, m_passLeft)) {
            m_passLeft = UINT64_MAX;
            if (!m_inner.Write(m_header, m_held))
                return false;
        }
    }
    size_t pass = static_cast<size_t>(std::min<uint64_t>(size, m_passLeft));
    m_passLeft -= pass;
    return pass == 0 || m_inner.Write(data, pass);
}

}
